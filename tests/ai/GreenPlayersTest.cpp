// The tests' own Green players: they plan from what Green sees and
// remembers, never from the hidden truth, and time their moves and shots by
// the real steps of a turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "ai/AiTestSupport.h"
#include "ai/players/CCentreHolderGreen.h"
#include "ai/players/CGreenSight.h"
#include "ai/players/CGroupGreen.h"
#include "ai/players/CLegacyHardGreen.h"
#include "ai/players/CSniperGreen.h"
#include "units/CAction.h"

namespace {

using aitest::kBlue;
using aitest::kGreen;

enum class Tactic { Sniper, CentreHolder, Group, LegacyHard };

struct Placed {
  std::uint32_t team;
  TankState state;
};

// The open 11 x 11 battlefield with these tanks, each team seeing as it sees.
void SetUpBattle(CGameWorld& world, const std::vector<Placed>& tanks) {
  ASSERT_TRUE(world.GetMap().Load(aitest::kOpenMap));
  for (const Placed& p : tanks) world.AddTank(p.team, p.state);
  world.RefreshVisibility();
}

// Plans Green with the player at `turnEnds` turn ends in a row (so that its
// memory takes part) and returns the queues, slot by slot, as record letters.
std::vector<std::string> PlanGreen(CGameWorld& world, Tactic tactic, int turnEnds = 1) {
  CSniperGreen sniper(1);
  CCentreHolderGreen holder(1);
  CGroupGreen group(1);
  CLegacyHardGreen legacy;
  for (int i = 0; i < turnEnds; ++i) {
    CGreenSight sight(world);
    sight.Look();
    switch (tactic) {
      case Tactic::Sniper: sniper.PlanTurn(sight); break;
      case Tactic::CentreHolder: holder.PlanTurn(sight); break;
      case Tactic::Group: group.PlanTurn(sight); break;
      case Tactic::LegacyHard: legacy.PlanTurn(sight); break;
    }
  }
  std::vector<std::string> queues;
  for (const CTank* tank : world.GetTeamTanks(kGreen)) {
    std::string letters;
    for (const auto& command : tank->GetCommands()) letters += command->Letter();
    queues.push_back(letters);
  }
  return queues;
}

// Worlds alike in all that Green sees, with Blue tanks hidden in different
// places (one right behind a Green tank, where it would be shot at or fled
// from if it were known): every player plans the same in each.
TEST(TacticalGreenFairnessTest, HiddenBlueTanksDoNotChangeThePlan) {
  const std::vector<Placed> seen = {
      {kGreen, {5, 3, 0, 1, 100}}, {kGreen, {2, 4, 0, 1, 60}}, {kBlue, {5, 8, 0, -1, 100}}, {kBlue, {8, 6, -1, 0, 40}}};
  const std::vector<std::vector<Placed>> hidden = {
      {}, {{kBlue, {5, 2, 0, 1, 100}}}, {{kBlue, {1, 1, 1, 0, 10}}, {kBlue, {9, 1, -1, 0, 100}}}};
  for (const Tactic tactic : {Tactic::Sniper, Tactic::CentreHolder, Tactic::Group, Tactic::LegacyHard}) {
    std::vector<std::string> first;
    for (std::size_t i = 0; i < hidden.size(); ++i) {
      CGameEngine engine;
      CGameWorld& world = engine.GetWorld();
      std::vector<Placed> tanks = seen;
      tanks.insert(tanks.end(), hidden[i].begin(), hidden[i].end());
      SetUpBattle(world, tanks);
      for (const Placed& p : hidden[i]) {
        ASSERT_EQ(world.GetMap().GetVisible(p.state.x, p.state.y, kGreen), 0) << "world " << i;
      }
      const std::vector<std::string> plan = PlanGreen(world, tactic, 2);
      if (i == 0) {
        first = plan;
        EXPECT_NE(plan, std::vector<std::string>(plan.size()))
            << "player " << static_cast<int>(tactic) << " plans nothing at all";
      } else {
        EXPECT_EQ(plan, first) << "player " << static_cast<int>(tactic) << ", world " << i;
      }
    }
  }
}

// One Green situation and what the first Green tank must make of it.
struct Situation {
  const char* what;             // for the failure message
  Tactic tactic;                // who plans Green
  std::vector<Placed> tanks;    // Green's first tank first
  const char* queue;            // the first tank's queue, or null when `check` says what holds
  bool (*check)(const CTank&);  // what must hold of the first tank's plan, or null
};

// The tank ends its turn nearer a repair cell than it starts.
bool GoesToMend(const CTank& tank) {
  const TankState end = tank.PlannedState();
  auto nearest = [](const TankState& s) {
    return std::min(std::abs(s.x - 1) + std::abs(s.y - 9), std::abs(s.x - 9) + std::abs(s.y - 1));
  };
  return nearest(end) < nearest(tank.GetState());
}

// No shot of the tank crosses row 5 eastward short of the friend on (5, 5).
bool SparesTheFriendAhead(const CTank& tank) {
  for (const auto& command : tank.GetCommands()) {
    const TankState& s = command->GetBefore();
    if (command->IsFire() && s.y == 5 && s.dx == 1 && s.x < 5) return false;
  }
  return true;
}

// The players' timing: a flank one move away is stepped into, turned to and
// fired at in the same turn (the shot in the third step); a shot never
// crosses a friend standing still; a tank under 40 hit points goes to mend.
TEST(TacticalGreenTest, TimeTheirStepsAndSpareFriends) {
  const Situation situations[] = {
      {"a side one move away",
       Tactic::Sniper,
       {{kGreen, {3, 3, 0, 1, 100}}, {kBlue, {6, 4, 0, 1, 100}}},
       "ARF",
       nullptr},
      {"a friend in the line",
       Tactic::Group,
       {{kGreen, {2, 5, 1, 0, 100}}, {kGreen, {5, 5, 1, 0, 100}}, {kBlue, {8, 5, 0, 1, 100}}},
       nullptr,
       SparesTheFriendAhead},
      {"30 hit points left",
       Tactic::CentreHolder,
       {{kGreen, {5, 5, 0, 1, 30}}, {kBlue, {9, 9, 0, -1, 100}}},
       nullptr,
       GoesToMend},
  };
  for (const Situation& situation : situations) {
    CGameEngine engine;
    CGameWorld& world = engine.GetWorld();
    SetUpBattle(world, situation.tanks);
    const std::vector<std::string> plan = PlanGreen(world, situation.tactic);
    const CTank& first = *world.GetTeamTanks(kGreen)[0];
    if (situation.queue) {
      EXPECT_EQ(plan[0], situation.queue) << situation.what;
    }
    if (situation.check) {
      EXPECT_TRUE(situation.check(first)) << situation.what << ": " << plan[0];
    }
  }
}

}  // namespace
