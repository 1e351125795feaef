// What the player's team learns of a turn: the log's lines, the tanks it knows
// are left, and nothing of what it could not see.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen/LogText.h"
#include "screen/CEffect.h"
#include "world/WorldTestSupport.h"

namespace {

std::vector<std::string> LogLines(const CGameWorld& world) {
  std::vector<std::string> lines;
  char buffer[64];
  for (std::size_t age = 0; age < world.GetLog().Size(); ++age) {
    lines.emplace_back(FormatLogEvent(world.GetLog().Newest(age), 0, buffer, sizeof buffer));
  }
  return lines;
}

using CombatLogTest = worldtest::WorldTest;

}  // namespace

TEST(CombatLogTextTest, EventsReadAsShortLinesThatNameThePlayersTanksByNumber) {
  using Kind = LogEvent::Kind;
  const struct {
    LogEvent event;
    const char* text;
  } cases[] = {
      {{Kind::Hit, 8, 3, 1, 1, true, 0, 2, HitSide::Side, 20}, "T8 s3 Blue hits 2 side -20"},
      {{Kind::Hit, 8, 3, 1, 1, false, 0, 2, HitSide::Rear, 50}, "T8 s3 2 hit rear -50 from the fog"},
      {{Kind::Hit, 2, 1, 0, 10, true, 1, 4, HitSide::RepairCell, 70}, "T2 s1 10 hits Blue on repair -70"},
      {{Kind::Destroy, 8, 4, 0, 3, true, 1, 1, HitSide::Front, 10}, "T8 s4 3 destroys Blue"},
      {{Kind::Destroy, 12, 2, 1, 2, false, 0, 1, HitSide::Front, 10}, "T12 s2 1 destroyed from the fog"},
      {{Kind::Repair, 9, 1, 0, 2, true, 0, 0, HitSide::Front, 10}, "T9 s1 2 repaired +10"},
  };
  char buffer[64];
  for (const auto& c : cases) EXPECT_STREQ(FormatLogEvent(c.event, 0, buffer, sizeof buffer), c.text);
}

TEST_F(CombatLogTest, TheLogTellsWhatGreenSawOfATurnAndAShotFromTheFogAsSuch) {
  const struct {
    const char* what;
    std::int32_t greenDy;  // Green's tank at (5, 3) faces up (sees Blue) or down (does not)
    std::int32_t greenHp;
    bool greenFires;
    std::int32_t blueHp;
    std::vector<std::string> lines;
    std::int32_t blueKnownLeft;
  } cases[] = {
      {"Blue in sight", 1, 100, false, 100, {"T1 s1 Blue hits 1 front -10"}, 2},
      {"Blue in the fog", -1, 100, false, 100, {"T1 s1 1 hit rear -50 from the fog"}, 2},
      {"Green destroys", 1, 100, true, 10, {"T1 s1 1 destroys Blue", "T1 s1 1 hits Blue front -10"}, 1},
      {"Green destroyed", -1, 40, false, 100, {"T1 s1 1 destroyed from the fog", "T1 s1 1 hit rear -50 from the fog"}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    StartGame(2, 2);
    Place(0, 0, 5, 3, 0, c.greenDy, c.greenHp);
    if (c.greenFires) Tank(0, 0)->AddFire();
    Park(0, 1, 0);
    Place(1, 0, 5, 7, 0, -1, c.blueHp);
    if (!c.greenFires) Tank(1, 0)->AddFire();
    Park(1, 1, 3);
    Match().RefreshVisibility();
    EXPECT_EQ(Match().GetTurn(), 1u);
    PlayTurn();
    EXPECT_EQ(Match().GetTurn(), 2u);
    EXPECT_EQ(LogLines(Match()), c.lines);
    EXPECT_EQ(Match().GetKnownAlive(1), c.blueKnownLeft);
    EXPECT_EQ(Match().GetKnownAlive(0), Match().GetAliveCount(0));
    // A loss floats over the tank hit, the shooter's cell shows nothing of it.
    std::size_t losses = 0;
    for (const auto& effect : Screen().GetEffects()) {
      if (effect.m_text[0] == '\0') continue;
      ++losses;
      EXPECT_FLOAT_EQ(effect.m_y, 32.0f * (c.greenFires ? 7 : 3) + 16.0f);
    }
    EXPECT_EQ(losses, 1u);
    Tap(SDLK_ESCAPE);
  }
}

TEST_F(CombatLogTest, RepairsOfGreensTanksAreLoggedAndANewTurnStartsTheLogAfresh) {
  StartGame(1, 1);
  Place(0, 0, 12, 1, 0, 1, 75);
  Park(1, 0, 3);
  Match().RefreshVisibility();
  PlayTurn();
  EXPECT_EQ(LogLines(Match()), (std::vector<std::string>{"T1 s3 1 repaired +5", "T1 s2 1 repaired +10",
                                                          "T1 s1 1 repaired +10"}));
  PlayTurn();
  EXPECT_TRUE(LogLines(Match()).empty());
  EXPECT_EQ(Match().GetTurn(), 3u);
}
