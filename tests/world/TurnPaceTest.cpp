// The pace of live turns is display time only: slow, normal or fast, a turn
// runs its steps further apart or closer together and ends in the very same
// match and record; the pace is remembered and the last turn watched again
// keeps it.
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "app/SettingKeys.h"
#include "record/RecordText.h"
#include "record/WorldChecksum.h"
#include "screen/CWatchScreen.h"
#include "world/WorldTestSupport.h"

namespace {

// The ticks from Space at which the steps of one turn ran.
std::vector<int> StepTicks(CGameSession& session) {
  std::vector<int> ticks;
  session.OnKey(SDLK_SPACE, true);
  for (int tick = 1; tick <= 400 && session.GetMatch().IsExecuting(); ++tick) {
    const std::int32_t before = session.GetMatch().GetStepsDone();
    session.Update(CTurnClock::mc_tickMs);
    if (session.GetMatch().GetStepsDone() != before && session.GetMatch().IsExecuting()) ticks.push_back(tick);
  }
  return ticks;
}

}  // namespace

TEST(TurnPaceTest, APaceMovesTheStepsInTimeAndChangesNothingElse) {
  const struct {
    int presses;  // 'P' from the normal pace: faster, then round to slow
    TurnPace pace;
    std::vector<int> second;  // the second turn's steps, ticks from Space
  } paces[] = {{0, TurnPace::Normal, {19, 38, 57, 76}},
               {1, TurnPace::Fast, {10, 20, 30, 40}},
               {2, TurnPace::Slow, {38, 76, 114, 152}}};
  std::uint64_t checksum = 0;
  std::string record;
  for (const auto& p : paces) {
    SCOPED_TRACE(TurnPaceName(p.pace));
    worldtest::OwnSession own;
    CGameSession& session = own.m_session;
    session.SetSeed(20240601);
    session.SetMapFile(worldtest::kArenaMap);
    for (int i = 0; i < p.presses; ++i) session.OnKey(SDLK_p, true);
    EXPECT_EQ(session.GetPace(), p.pace);
    EXPECT_EQ(own.m_settings.Get(kv::kTurnPace), static_cast<int>(p.pace));
    session.OnKey(SDLK_RETURN, true);
    // Green's first tank drives up and fires; the computer plays Blue.
    for (const int key : {SDLK_1, SDLK_UP, SDLK_UP, SDLK_f}) session.OnKey(key, true);
    StepTicks(session);
    EXPECT_EQ(StepTicks(session), p.second);
    // 'P' in play changes the pace of the turns to come, and not the game.
    session.OnKey(SDLK_p, true);
    EXPECT_NE(session.GetPace(), p.pace);
    StepTicks(session);
    if (checksum == 0) {
      checksum = WorldChecksum(session.GetMatch());
      record = WriteRecordText(session.GetGame().Record());
    }
    EXPECT_EQ(WorldChecksum(session.GetMatch()), checksum);
    EXPECT_EQ(WriteRecordText(session.GetGame().Record()), record);
    // The last turn watched again runs at the pace the game now has.
    session.OnKey(SDLK_v, true);
    ASSERT_TRUE(session.IsWatching());
    EXPECT_EQ(session.GetWatch()->GetClock().GetPace(), session.GetPace());
  }
}
