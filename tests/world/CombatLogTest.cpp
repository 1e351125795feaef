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
  char step[64];
  char buffer[64];
  for (std::size_t age = 0; age < world.GetLog().Size(); ++age) {
    const LogEvent& event = world.GetLog().Newest(age);
    lines.push_back(std::string(FormatLogStep(event, step, sizeof step)) + ": " +
                    FormatLogEvent(event, buffer, sizeof buffer));
  }
  return lines;
}

using CombatLogTest = worldtest::WorldTest;

}  // namespace

TEST(CombatLogTextTest, EventsReadAsShortLinesThatNameBothTanksByTeamAndNumber) {
  using Kind = LogEvent::Kind;
  const struct {
    LogEvent event;
    const char* text;
  } cases[] = {
      {{Kind::Hit, 8, 3, 1, 1, true, 0, 2, HitSide::Side, 20}, "B1 -> G2 side -20"},
      {{Kind::Hit, 8, 3, 1, 1, false, 0, 2, HitSide::Rear, 50}, "fog -> G2 rear -50"},
      {{Kind::Hit, 2, 1, 0, 10, true, 1, 4, HitSide::RepairCell, 70}, "G10 -> B4 on repair -70"},
      {{Kind::Hit, 3, 2, 0, 2, true, 0, 1, HitSide::Side, 20}, "G2 -> G1 own tank -20"},
      {{Kind::Hit, 3, 2, 1, 2, true, 1, 5, HitSide::Rear, 50}, "B2 -> B5 own tank -50"},
      {{Kind::Destroy, 8, 4, 0, 3, true, 1, 1, HitSide::Front, 10}, "G3 destroys B1"},
      {{Kind::Destroy, 3, 2, 0, 2, true, 0, 1, HitSide::Side, 20}, "G2 destroys own G1"},
      {{Kind::Destroy, 12, 2, 1, 2, false, 0, 1, HitSide::Front, 10}, "fog destroys G1"},
      {{Kind::Repair, 9, 1, 0, 2, true, 0, 0, HitSide::Front, 10}, "G2 repaired +10"},
  };
  char buffer[64];
  for (const auto& c : cases) EXPECT_STREQ(FormatLogEvent(c.event, buffer, sizeof buffer), c.text);
  EXPECT_STREQ(FormatLogStep(cases[0].event, buffer, sizeof buffer), "Turn 8, step 3");
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
      {"Blue in sight", 1, 100, false, 100, {"Turn 1, step 1: B1 -> G1 front -10"}, 2},
      {"Blue in the fog", -1, 100, false, 100, {"Turn 1, step 1: fog -> G1 rear -50"}, 2},
      {"Green destroys", 1, 100, true, 10, {"Turn 1, step 1: G1 destroys B1", "Turn 1, step 1: G1 -> B1 front -10"}, 1},
      {"Green destroyed", -1, 40, false, 100,
       {"Turn 1, step 1: fog destroys G1", "Turn 1, step 1: fog -> G1 rear -50"}, 2},
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
  EXPECT_EQ(LogLines(Match()), (std::vector<std::string>{"Turn 1, step 3: G1 repaired +5", "Turn 1, step 2: G1 repaired +10",
                                                          "Turn 1, step 1: G1 repaired +10"}));
  PlayTurn();
  EXPECT_TRUE(LogLines(Match()).empty());
  EXPECT_EQ(Match().GetTurn(), 3u);
}
