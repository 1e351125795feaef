#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "engine/DataFiles.h"
#include "world/CEffect.h"
#include "world/StartScreenControls.h"
#include "world/WorldTestSupport.h"

namespace {

// What must hold between any two calls into the world, whatever came in.
::testing::AssertionResult HoldsInvariants(const CGameWorld& world) {
  const CMap& map = world.GetMap();
  std::set<const CTank*> living;
  std::set<std::pair<std::int32_t, std::int32_t>> cells;
  for (const auto& tank : world.GetTanks()) {
    living.insert(tank.get());
    if (map.IsWallOrOutside(tank->GetX(), tank->GetY())) {
      return ::testing::AssertionFailure() << "a tank on a wall or off the map at " << tank->GetX() << "," << tank->GetY();
    }
    if (!cells.insert({tank->GetX(), tank->GetY()}).second) {
      return ::testing::AssertionFailure() << "two tanks on " << tank->GetX() << "," << tank->GetY();
    }
    if (tank->GetHitPoints() > 100 || tank->IsDestroyed()) {
      return ::testing::AssertionFailure() << "a living tank with " << tank->GetHitPoints() << " hit points";
    }
  }
  std::size_t slotted = 0;
  for (std::uint32_t team = 0; team < CGameWorld::mc_numTeams; ++team) {
    std::int32_t filled = 0;
    for (const CTank* tank : world.GetTeamTanks(team)) {
      if (!tank) continue;
      ++filled;
      if (!living.count(tank) || tank->GetTeam() != static_cast<std::int32_t>(team)) {
        return ::testing::AssertionFailure() << "team " << team << " has a slot for a tank not in play or not its own";
      }
    }
    slotted += static_cast<std::size_t>(filled);
    if (filled != world.GetAliveCount(team)) {
      return ::testing::AssertionFailure() << "team " << team << " counts " << world.GetAliveCount(team)
                                           << " alive but fills " << filled << " slots";
    }
    if (world.GetTeamSize(team) < 1 || world.GetTeamSize(team) > 10) {
      return ::testing::AssertionFailure() << "team size " << world.GetTeamSize(team);
    }
  }
  if (slotted != living.size()) return ::testing::AssertionFailure() << "tanks without exactly one slot";
  if (world.GetHillCount() > 10) return ::testing::AssertionFailure() << "hill count " << world.GetHillCount();
  if (world.GetStepsDone() < 0 || world.GetStepsDone() > 4) {
    return ::testing::AssertionFailure() << "steps done " << world.GetStepsDone();
  }
  const CTank* selected = world.GetSelectedTank();
  for (const CTank* tank : world.GetTeamTanks(world.GetPlayerTeam())) {
    if (tank && tank->IsSelected() != (tank == selected)) {
      return ::testing::AssertionFailure() << "the selection flag is on the wrong tank";
    }
  }
  for (const auto& effect : world.GetEffects()) {
    if (!(effect->m_alpha > 0.0f && effect->m_alpha <= 1.0f)) {
      return ::testing::AssertionFailure() << "an effect of opacity " << effect->m_alpha;
    }
  }
  return ::testing::AssertionSuccess();
}

// Feeds a world a long random stream of what the engine can hand it: key
// presses and releases (the game's keys more often than others), clicks of
// every button on map cells, on the start screen's controls and anywhere,
// and frame times from 0 to very long. Now and then a tank is worn down to a
// few hit points, so that random fire destroys tanks often.
class InputStream {
 public:
  explicit InputStream(std::uint32_t seed) : m_random(seed) {}

  // Sends one event and says what it was.
  std::string SendOne(CGameWorld& world) {
    std::ostringstream what;
    const int kind = Pick(100);
    if (kind < 30) {
      const int sym = GameKey();
      const bool pressed = Pick(4) != 0;
      world.OnKey(sym, pressed);
      what << "key " << sym << (pressed ? " down" : " up");
    } else if (kind < 42) {
      const auto button = static_cast<std::uint8_t>(1 + Pick(5));
      const bool pressed = Pick(4) != 0;
      int x = 0;
      int y = 0;
      ClickPoint(x, y);
      world.OnMouseButton(button, pressed, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
      what << "button " << int(button) << (pressed ? " down" : " up") << " at " << x << "," << y;
    } else if (kind < 45) {
      const auto& tanks = world.GetTanks();
      if (!tanks.empty()) tanks[static_cast<std::size_t>(Pick(static_cast<int>(tanks.size())))]->SetHitPoints(1 + Pick(20));
      what << "wear";
    } else {
      const std::uint32_t ms = FrameTime();
      world.Update(ms);
      what << "update " << ms;
    }
    return what.str();
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

  int GameKey() {
    // Escape and 'r' are rare, or the game would hardly be played.
    static constexpr int kKeys[] = {SDLK_SPACE, SDLK_SPACE, SDLK_SPACE, SDLK_RETURN, SDLK_F1,  SDLK_UP,
                                    SDLK_UP,    SDLK_DOWN,  SDLK_LEFT,  SDLK_RIGHT,  SDLK_w,   SDLK_f,
                                    SDLK_f,     SDLK_f,     SDLK_BACKSPACE, SDLK_DELETE, SDLK_0, SDLK_1,
                                    SDLK_2,     SDLK_3,     SDLK_4,     SDLK_5,      SDLK_9};
    const int roll = Pick(2000);
    if (roll == 0) return SDLK_ESCAPE;
    if (roll == 1) return SDLK_r;
    if (roll < 100) return Pick(600) - 100;  // any symbol, negative ones too
    return kKeys[Pick(static_cast<int>(sizeof kKeys / sizeof kKeys[0]))];
  }

  void ClickPoint(int& x, int& y) {
    const int where = Pick(10);
    if (where < 6) {  // a map cell, inside the shipped map or a little beyond
      x = 50 + 32 * Pick(28) + Pick(32) - 16;
      y = 718 - 32 * Pick(25) - Pick(32) + 16;
    } else if (where < 9) {  // the start screen's controls
      static constexpr ClickBox kBoxes[] = {StartScreenControls::mc_greenLess, StartScreenControls::mc_greenMore,
                                            StartScreenControls::mc_blueLess, StartScreenControls::mc_blueMore,
                                            StartScreenControls::mc_start};
      const ClickBox& box = kBoxes[Pick(5)];
      x = box.left + Pick(box.right - box.left + 1);
      y = 768 - (box.bottom + Pick(box.top - box.bottom + 1));
    } else {
      x = Pick(65536);
      y = Pick(65536);
    }
  }

  std::uint32_t FrameTime() {
    const int roll = Pick(100);
    if (roll < 90) return static_cast<std::uint32_t>(Pick(41));
    if (roll < 99) return static_cast<std::uint32_t>(Pick(2000));
    return std::uniform_int_distribution<std::uint32_t>()(m_random);
  }

  std::mt19937 m_random;  // the stream's own generator
};

}  // namespace

TEST(RandomInputTest, LongRandomStreamsKeepEveryInvariant) {
  const char* const maps[] = {worldtest::kArenaMap, kv::kMapFile};
  int turnsEnded = 0;
  int tanksDestroyed = 0;
  const std::uint32_t sizes[][2] = {{10, 10}, {3, 3}, {1, 10}, {10, 1}, {6, 4}, {2, 2}};
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    CGameEngine engine;
    CGameWorld& world = engine.GetWorld();
    world.SetMapFile(maps[seed % 2]);
    world.SetTeamSize(0, sizes[seed - 1][0]);
    world.SetTeamSize(1, sizes[seed - 1][1]);
    GetRandomTable().Fill(seed);
    world.NewGame();
    InputStream stream(seed);
    for (int i = 0; i < 40000; ++i) {
      const std::int32_t steps = world.GetStepsDone();
      const std::size_t tanks = world.GetTanks().size();
      const std::string event = stream.SendOne(world);
      ASSERT_TRUE(HoldsInvariants(world)) << "seed " << seed << ", event " << i << ": " << event;
      turnsEnded += steps == 4 && world.GetStepsDone() == 0;
      if (world.GetTanks().size() < tanks && event.rfind("update", 0) == 0) {
        tanksDestroyed += static_cast<int>(tanks - world.GetTanks().size());
      }
    }
  }
  // The streams played the game, not just its start screen.
  EXPECT_GT(turnsEnded, 100);
  EXPECT_GT(tanksDestroyed, 20);
}
