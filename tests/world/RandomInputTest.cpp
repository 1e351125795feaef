#include <gtest/gtest.h>

#include <string>

#include "core/DataFiles.h"
#include "world/RandomWorldInput.h"
#include "world/WorldInvariants.h"
#include "world/WorldTestSupport.h"

TEST(RandomInputTest, LongRandomStreamsKeepEveryInvariant) {
  const char* const maps[] = {worldtest::kArenaMap, kv::kMapFile};
  int turnsEnded = 0;
  int tanksDestroyed = 0;
  const std::uint32_t sizes[][2] = {{10, 10}, {3, 3}, {1, 10}, {10, 1}, {6, 4}, {2, 2}};
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    worldtest::OwnSession other;
    CGameSession& session = other.m_session;
    session.SetMapFile(maps[seed % 2]);
    session.SetTeamSize(0, sizes[seed - 1][0]);
    session.SetTeamSize(1, sizes[seed - 1][1]);
    session.SetSeed(seed);
    session.NewGame();
    worldtest::RandomWorldInput stream(seed, worldtest::RandomWorldInput::mc_inputHeavy);
    for (int i = 0; i < 40000; ++i) {
      const std::int32_t steps = session.GetMatch().GetStepsDone();
      const std::size_t tanks = session.GetMatch().GetTanks().size();
      const std::string event = stream.SendOne(session);
      ASSERT_TRUE(worldtest::HoldsInvariants(session)) << "seed " << seed << ", event " << i << ": " << event;
      turnsEnded += steps == 4 && session.GetMatch().GetStepsDone() == 0;
      if (session.GetMatch().GetTanks().size() < tanks && event.rfind("update", 0) == 0) {
        tanksDestroyed += static_cast<int>(tanks - session.GetMatch().GetTanks().size());
      }
    }
  }
  // The streams played the game, not just its start screen.
  EXPECT_GT(turnsEnded, 100);
  EXPECT_GT(tanksDestroyed, 20);
}
