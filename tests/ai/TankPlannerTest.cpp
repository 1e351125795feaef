// The planner of one computer tank: look-ahead, firing decision and route.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "ai/AiTestSupport.h"
#include "ai/CPlanTree.h"
#include "ai/CTankPlanner.h"
#include "ai/PlanScoring.h"

namespace aitest {
namespace {

using Commands = std::vector<std::string>;

// The tank's queue in words, oldest first.
Commands Describe(const CTank& tank) {
  Commands words;
  static constexpr const char* kWords[] = {"right", "left", "forward", "back", "wait", "fire"};
  for (const TankCommand& command : tank.GetCommands()) words.push_back(kWords[static_cast<int>(command.m_kind)]);
  return words;
}

class TankPlannerTest : public AiWorldTest {
 protected:
  // Plans the tank, drawing the repair-cell choices from m_draws in order.
  void Plan(CTank& tank) {
    const CTankPlanner planner(View(), m_layers, [this]() -> std::int32_t {
      if (m_draws.empty()) {
        ADD_FAILURE() << "the planner drew a random number the test did not expect";
        return 0;
      }
      const std::int32_t draw = m_draws.front();
      m_draws.pop_front();
      return draw;
    });
    planner.PlanTurn(tank);
  }

  // The worked example's battlefield: Green at (5, 5) facing right, Blue sees
  // every cell, the layers built from that.
  void SetUpWorkedExample() {
    LoadMap(kOpenMap);
    Put(kGreen, 5, 5, 1, 0);
    RevealAll(kBlue);
  }

  std::deque<std::int32_t> m_draws;  // random draws the planner may take, in order
};

// ---- The worked plans on the worked example's layers ----

TEST_F(TankPlannerTest, HealthyTankMovesIntoTheEnemysFlank) {
  SetUpWorkedExample();
  CTank* blue = Put(kBlue, 8, 2, 0, 1);
  UpdateThreatMaps();

  const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
  EXPECT_EQ(tree.GetRoot().m_bestScore, 127);  // (5, 2): threat 75, vulnerability 150, no time left

  Plan(*blue);
  EXPECT_EQ(Describe(*blue), (Commands{"left", "forward", "forward", "forward"}));
  const TankState end = blue->PlannedState();
  EXPECT_EQ(end.x, 5);
  EXPECT_EQ(end.y, 2);
}

TEST_F(TankPlannerTest, DamagedTankStaysOutOfTheEnemysLines) {
  SetUpWorkedExample();
  CTank* blue = Put(kBlue, 8, 2, 0, 1, 30);
  UpdateThreatMaps();

  const CPlanTree tree(View(), m_layers, *blue, PlanAggression(30, 0));
  EXPECT_EQ(tree.GetRoot().m_ownScore, 4);
  EXPECT_EQ(tree.GetRoot().m_bestScore, 4);
  EXPECT_EQ(tree.GetRoot().m_bestChild, nullptr);

  // Nothing to gain and nothing in sight: at 30 hit points it heads for a
  // repair cell, here the one at the bottom right.
  m_draws = {0};
  Plan(*blue);
  const TankState end = blue->PlannedState();
  EXPECT_FALSE(blue->GetCommands().empty());
  EXPECT_EQ(end.x, 9);
  EXPECT_EQ(end.y, 1);
  EXPECT_TRUE(m_draws.empty());
}

TEST_F(TankPlannerTest, TankBehindTheEnemyMovesToItsBack) {
  SetUpWorkedExample();
  CTank* blue = Put(kBlue, 2, 8, 1, 0);
  UpdateThreatMaps();

  const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
  EXPECT_EQ(tree.GetRoot().m_bestScore, 220);

  Plan(*blue);
  EXPECT_EQ(Describe(*blue), (Commands{"right", "forward", "forward", "forward"}));
  const TankState end = blue->PlannedState();
  EXPECT_EQ(end.x, 2);
  EXPECT_EQ(end.y, 5);
}

// ---- The look-ahead tree ----

// In open ground with empty layers every action only spends time: standing
// still scores the whole budget and the tree holds every sequence.
TEST_F(TankPlannerTest, OpenGroundOffersNothingBetterThanStandingStill) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 3, 3, 0, 1);
  const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
  const PlanNode& root = tree.GetRoot();
  EXPECT_EQ(root.m_action, Move::None);
  EXPECT_EQ(root.m_budget, CPlanTree::mc_turnBudget);
  EXPECT_EQ(root.m_ownScore, 4);
  EXPECT_EQ(root.m_bestChild, nullptr);
  const Move order[] = {Move::TurnRight, Move::TurnLeft, Move::Forward, Move::Back};
  for (int i = 0; i < PlanNode::mc_childCount; ++i) {
    ASSERT_NE(root.m_children[i], nullptr);
    EXPECT_EQ(root.m_children[i]->m_action, order[i]);
    EXPECT_LE(root.m_children[i]->m_bestScore, 3);
  }
  // Turns and forward moves cost one unit, a move back two: with nodes
  // N(b) = 1 + 3 N(b - 1) + N(b - 2), N(0) = N(-1) = 1, the tree has 189.
  EXPECT_EQ(tree.GetNodeCount(), 189u);
  EXPECT_TRUE(tree.GetBestActions().empty());
}

TEST_F(TankPlannerTest, MoveBackFromTheLastUnitOverdrawsTheBudget) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 3, 3, 0, 1);
  const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
  const PlanNode* node = &tree.GetRoot();
  for (int turn = 0; turn < 3; ++turn) node = node->m_children[0];  // three right turns
  ASSERT_EQ(node->m_budget, 1);
  const PlanNode* back = node->m_children[3];
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->m_budget, -1);
  EXPECT_EQ(back->m_ownScore, -1);
  EXPECT_EQ(back->m_children[0], nullptr);  // nothing left to expand
  // Three right turns face left: back is one cell to the right.
  EXPECT_EQ(back->m_state.x, 4);
  EXPECT_EQ(back->m_state.y, 3);
}

TEST_F(TankPlannerTest, EqualTurnsPreferTheRightOne) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 3, 3, 0, 1);
  CMap& map = m_world.GetMap();
  m_layers.RaiseVuln(4, 3, 100);  // right turn and forward
  m_layers.RaiseVuln(2, 3, 100);  // left turn and forward
  Plan(*blue);
  EXPECT_EQ(Describe(*blue), (Commands{"right", "forward"}));

  // Without the cell on the right the left one is taken.
  m_layers.Reset(map.GetWidth(), map.GetHeight());
  m_layers.RaiseVuln(2, 3, 100);
  Plan(*blue);
  EXPECT_EQ(Describe(*blue), (Commands{"left", "forward"}));
}

// A move must gain more than the time it costs: a gain of exactly one unit
// leaves the tank where it is.
TEST_F(TankPlannerTest, StandingStillWinsATie) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 3, 3, 0, 1);
  m_layers.RaiseVuln(3, 4, 2);  // 3 + 1.8 truncates to 4, as standing
  {
    const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
    EXPECT_EQ(tree.GetRoot().m_children[2]->m_bestScore, 4);
    EXPECT_EQ(tree.GetRoot().m_bestChild, nullptr);
  }
  m_layers.RaiseVuln(3, 4, 3);  // 3 + 2.7: 5
  const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
  EXPECT_EQ(tree.GetRoot().m_bestChild, tree.GetRoot().m_children[2]);
  EXPECT_EQ(tree.GetBestActions(), (std::vector<Move>{Move::Forward}));
}

// Two positions whose plan hangs on a rounding. Blue at (3, 3) faces up; the
// cell ahead is worth one more than standing still only when the score of
// standing is rounded as the rule says, so the tank moves; a second rounding
// would make the two equal and keep it where it is.
TEST_F(TankPlannerTest, RoundingOnceDecidesBetweenStayingAndMoving) {
  LoadMap(kOpenMap);
  CMap& map = m_world.GetMap();
  CTank* blue = Put(kBlue, 3, 3, 0, 1);
  const struct {
    const char* rounding;
    std::int32_t hitPoints;
    std::uint32_t threatHere;
    std::uint32_t threatAhead;
    std::uint32_t threatElsewhere;
    std::uint32_t vulnHere;
    std::uint32_t vulnAhead;
  } cases[] = {
      // Standing: 4 + (1 - 2^-22) is 4, not the 5 a float sum rounds to;
      // ahead: 3 + 2.7 is 5.
      {"budget plus rating", 100, 8, 0, 0, 2, 3},
      // Standing under 200 threat is -25 with f rounded once, -24 with f
      // rounded twice; ahead, under 190, is -24 either way.
      {"aggression", 95, 200, 190, 200, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rounding);
    m_layers.Reset(map.GetWidth(), map.GetHeight());
    for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
      for (std::uint32_t x = 0; x < map.GetWidth(); ++x) m_layers.AddThreat(x, y, c.threatElsewhere);
    }
    // Unsigned layers wrap, so a difference sets a cell to a smaller value too.
    m_layers.AddThreat(3, 3, c.threatHere - c.threatElsewhere);
    m_layers.AddThreat(3, 4, c.threatAhead - c.threatElsewhere);
    m_layers.RaiseVuln(3, 3, c.vulnHere);
    m_layers.RaiseVuln(3, 4, c.vulnAhead);
    blue->SetHitPoints(c.hitPoints);
    Plan(*blue);
    EXPECT_EQ(Describe(*blue), (Commands{"forward"}));
  }
}

TEST_F(TankPlannerTest, WallsAndSeenEnemiesBlockTheLookAhead) {
  LoadMap(kOpenMap);
  RevealAll(kBlue);
  CTank* blue = Put(kBlue, 1, 3, -1, 0);  // facing the border wall
  {
    const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
    const PlanNode* wall = tree.GetRoot().m_children[2];
    EXPECT_EQ(wall->m_action, Move::None);
    EXPECT_EQ(wall->m_budget, 0);
    EXPECT_EQ(wall->m_ownScore, CPlanTree::mc_blockedScore);
    EXPECT_EQ(wall->m_bestScore, CPlanTree::mc_blockedScore);
    EXPECT_EQ(wall->m_children[0], nullptr);
  }
  // An enemy ahead blocks only while Blue sees its cell; a friend never does.
  blue->SetState(TankState{3, 3, 0, 1, 100});
  CTank* green = Put(kGreen, 3, 4, 0, -1);
  {
    const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
    EXPECT_EQ(tree.GetRoot().m_children[2]->m_ownScore, CPlanTree::mc_blockedScore);
  }
  m_world.GetMap().SetVisible(3, 4, kBlue, 0);
  {
    const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
    EXPECT_EQ(tree.GetRoot().m_children[2]->m_ownScore, 3);
  }
  m_world.GetMap().SetVisible(3, 4, kBlue, 1);
  green->SetPosition(8, 8);
  Put(kBlue, 3, 4, 0, -1);
  const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
  EXPECT_EQ(tree.GetRoot().m_children[2]->m_ownScore, 3);
}

// ---- The firing decision ----

struct FiringCase {
  const char* name;
  std::vector<std::pair<std::int32_t, std::int32_t>> enemies;  // cells of seen Green tanks
  Commands expected;
};

void PrintTo(const FiringCase& firing, std::ostream* out) { *out << firing.name; }

class FiringDecisionTest : public TankPlannerTest, public ::testing::WithParamInterface<FiringCase> {};

// Blue at (5, 5) facing up, nothing to gain by moving: ahead is (5, 8),
// left (2, 5), right (8, 5), behind (5, 2).
TEST_P(FiringDecisionTest, TurnsToTheFirstEnemyInOrder) {
  LoadMap(kOpenMap);
  RevealAll(kBlue);
  CTank* blue = Put(kBlue, 5, 5, 0, 1);
  blue->SetObjective(PathNode{5, 5, kAnyHeading});
  for (const auto& cell : GetParam().enemies) Put(kGreen, cell.first, cell.second, 1, 0);
  Plan(*blue);
  EXPECT_EQ(Describe(*blue), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, FiringDecisionTest,
    ::testing::Values(FiringCase{"AheadBeforeLeft", {{5, 8}, {2, 5}}, {"fire", "fire"}},
                      FiringCase{"AheadBeforeBehind", {{5, 2}, {5, 8}}, {"fire", "fire"}},
                      FiringCase{"Left", {{2, 5}}, {"left", "fire", "fire"}},
                      FiringCase{"LeftBeforeRight", {{8, 5}, {2, 5}}, {"left", "fire", "fire"}},
                      FiringCase{"Right", {{8, 5}}, {"right", "fire", "fire"}},
                      FiringCase{"RightBeforeBehind", {{5, 2}, {8, 5}}, {"right", "fire", "fire"}},
                      FiringCase{"BehindOnly", {{5, 2}}, {"right", "right", "fire"}},
                      FiringCase{"Nobody", {}, {}}),
    [](const ::testing::TestParamInfo<FiringCase>& info) { return std::string(info.param.name); });

TEST_F(TankPlannerTest, UnseenEnemiesDrawNoFire) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 5, 5, 0, 1);
  blue->SetObjective(PathNode{5, 5, kAnyHeading});
  Put(kGreen, 5, 8, 1, 0);  // ahead, but Blue sees nothing
  Plan(*blue);
  EXPECT_TRUE(blue->GetCommands().empty());
}

// A shell from behind means an enemy there, seen or not.
TEST_F(TankPlannerTest, HitFromBehindTurnsAroundAndFires) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 5, 5, 0, 1);
  blue->SetObjective(PathNode{5, 5, kAnyHeading});
  blue->SetHitFromBehind(true);
  Plan(*blue);
  EXPECT_EQ(Describe(*blue), (Commands{"right", "right", "fire"}));
  EXPECT_FALSE(blue->WasHitFromBehind());

  // Consumed: the next planning does not turn round again.
  blue->ClearCommands();
  Plan(*blue);
  EXPECT_TRUE(blue->GetCommands().empty());
}

// The look-ahead goes first and replaces what was queued; the flag is
// cleared whichever stage acted.
TEST_F(TankPlannerTest, LookAheadOverridesFiringAndOldCommands) {
  SetUpWorkedExample();
  CTank* blue = Put(kBlue, 8, 2, 0, 1);
  blue->AddWait();
  blue->AddWait();
  blue->SetHitFromBehind(true);
  UpdateThreatMaps();
  Plan(*blue);
  EXPECT_EQ(Describe(*blue), (Commands{"left", "forward", "forward", "forward"}));
  EXPECT_FALSE(blue->WasHitFromBehind());
}

// A move back alone is a plan too (it costs two units): the guns wait.
TEST_F(TankPlannerTest, ABackMoveAloneIsAPlan) {
  LoadMap(kOpenMap);
  RevealAll(kBlue);
  CTank* blue = Put(kBlue, 3, 3, 0, 1);
  Put(kGreen, 3, 8, 1, 0);                        // in the line of fire ahead
  m_layers.RaiseVuln(3, 2, 100);  // back: 2 + 90; turning round to get there: 1 + 90
  Plan(*blue);
  EXPECT_EQ(Describe(*blue), (Commands{"back"}));
}

TEST_F(TankPlannerTest, FiringReplacesOldCommands) {
  LoadMap(kOpenMap);
  RevealAll(kBlue);
  CTank* blue = Put(kBlue, 5, 5, 0, 1);
  blue->AddWait();
  Put(kGreen, 5, 8, 1, 0);
  Plan(*blue);
  EXPECT_EQ(Describe(*blue), (Commands{"fire", "fire"}));
}

// ---- The route ----

TEST_F(TankPlannerTest, ThirtyOneHitPointsGoForTheObjective) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 3, 3, 0, 1, 31);
  blue->SetObjective(PathNode{7, 7, kAnyHeading});
  Plan(*blue);  // no draw expected
  const TankState end = blue->PlannedState();
  EXPECT_EQ(end.x, 7);
  EXPECT_EQ(end.y, 7);
}

TEST_F(TankPlannerTest, ThirtyHitPointsGoForARandomRepairCell) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 3, 3, 0, 1, 30);
  blue->SetObjective(PathNode{7, 7, kAnyHeading});
  // 16384 and more: top left (1, 9); less: bottom right (9, 1). Each
  // planning draws afresh.
  const std::int32_t draws[] = {16384, 16383, 32767, 0};
  const std::int32_t expected[][2] = {{1, 9}, {9, 1}, {1, 9}, {9, 1}};
  for (int i = 0; i < 4; ++i) {
    blue->ClearCommands();
    m_draws = {draws[i]};
    Plan(*blue);
    const TankState end = blue->PlannedState();
    EXPECT_EQ(end.x, expected[i][0]) << draws[i];
    EXPECT_EQ(end.y, expected[i][1]) << draws[i];
    EXPECT_TRUE(m_draws.empty());
  }
}

// A route is only planned for a tank that has run out of commands: the rest
// of an earlier route is followed on.
TEST_F(TankPlannerTest, QueuedCommandsAreKeptWhenNothingBetterTurnsUp) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 3, 3, 0, 1, 30);
  blue->AddWait();
  blue->AddMoveForward(m_world.GetMap());
  Plan(*blue);  // no draw expected either
  EXPECT_EQ(Describe(*blue), (Commands{"wait", "forward"}));
}

TEST_F(TankPlannerTest, UnreachableObjectiveLeavesTheTankIdle) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 3, 3, 0, 1);
  const PathNode onWall{0, 4, kAnyHeading};
  blue->SetObjective(onWall);
  Plan(*blue);
  EXPECT_TRUE(blue->GetCommands().empty());
  EXPECT_EQ(blue->GetObjective(), onWall);

  const PathNode offTheMap{40, -3, kAnyHeading};
  blue->SetObjective(offTheMap);
  Plan(*blue);
  EXPECT_TRUE(blue->GetCommands().empty());
  EXPECT_EQ(blue->GetObjective(), offTheMap);
}

// A tank on its objective cell (whatever its heading) goes for the centre.
TEST_F(TankPlannerTest, ReachedObjectiveSwitchesToTheCentre) {
  LoadMap(kOpenMap);
  CTank* blue = Put(kBlue, 7, 7, 0, 1);
  blue->SetObjective(PathNode{7, 7, 2});
  Plan(*blue);
  EXPECT_EQ(blue->GetObjective(), (PathNode{5, 5, kAnyHeading}));
  const TankState end = blue->PlannedState();
  EXPECT_EQ(end.x, 5);
  EXPECT_EQ(end.y, 5);

  // An objective elsewhere stays.
  const PathNode elsewhere{2, 8, kAnyHeading};
  blue->SetObjective(elsewhere);
  blue->ClearCommands();
  Plan(*blue);
  EXPECT_EQ(blue->GetObjective(), elsewhere);
}

// ---- A battlefield without a wall border ----

// At every cell and heading, with enemies all round, nothing the planner
// walks, scores or routes leaves the grid; a move off the edge is blocked.
TEST_F(TankPlannerTest, OpenBorderIsTreatedAsAWall) {
  LoadMap(kBorderlessMap);
  RevealAll(kBlue);
  Put(kGreen, 4, 3, 1, 0);
  Put(kGreen, 0, 0, 0, 1);
  Put(kGreen, 8, 6, -1, 0);
  UpdateThreatMaps();
  CTank* blue = Put(kBlue, 0, 3, -1, 0);
  {
    const CPlanTree tree(View(), m_layers, *blue, PlanAggression(100, 0));
    EXPECT_EQ(tree.GetRoot().m_children[2]->m_ownScore, CPlanTree::mc_blockedScore);
    EXPECT_NE(tree.GetRoot().m_children[3]->m_ownScore, CPlanTree::mc_blockedScore);
  }
  const std::int32_t headings[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  CMap& map = m_world.GetMap();
  for (std::int32_t y = 0; y < static_cast<std::int32_t>(map.GetHeight()); ++y) {
    for (std::int32_t x = 0; x < static_cast<std::int32_t>(map.GetWidth()); ++x) {
      for (const auto& heading : headings) {
        for (const std::int32_t hp : {100, 20}) {
          blue->ClearCommands();
          blue->SetState(TankState{x, y, heading[0], heading[1], hp});
          blue->SetObjective(PathNode{8, 0, kAnyHeading});
          m_draws = {x * 4000};
          Plan(*blue);
          // Every planned state lies on the grid.
          for (const TankCommand& command : blue->GetCommands()) {
            const TankState& after = command.GetAfter();
            EXPECT_FALSE(map.IsWallOrOutside(after.x, after.y)) << x << ", " << y;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace aitest

TEST(TankPlannerCanHitTest, SeesOnlyVisibleTanksAndStopsAtAFriend) {
  CGameWorld match;
  CMap& map = match.GetMap();
  ASSERT_TRUE(map.Load("tests/maps/units_field.dat"));
  const auto canHit = [&match](std::uint32_t team, int px, int py, int dx, int dy) {
    return CTankPlanner::CanHit(CTeamView(match, team), px, py, dx, dy);
  };
  match.AddTank(0, TankState{3, 1, 0, 1, 100});
  match.AddTank(0, TankState{3, 3, 0, 1, 100});   // friend
  match.AddTank(1, TankState{3, 5, 0, -1, 100});  // enemy; the wall at (3, 7) ends the line
  auto see = [&](int x, int y, bool seen) { map.SetVisible(x, y, 0, seen ? 1 : 0); };

  see(3, 3, true);
  see(3, 5, true);
  EXPECT_FALSE(canHit(0, 3, 1, 0, 1));  // the friend blocks
  EXPECT_TRUE(canHit(0, 3, 3, 0, 1));   // from the friend's own cell it does not
  see(3, 3, false);
  EXPECT_TRUE(canHit(0, 3, 1, 0, 1));   // an unseen friend is passed through
  see(3, 5, false);
  EXPECT_FALSE(canHit(0, 3, 1, 0, 1));  // nothing seen: the ray reaches the wall
  see(3, 5, true);
  EXPECT_FALSE(canHit(0, 3, 1, 0, -1));  // the other way: the map edge
  EXPECT_FALSE(canHit(0, 3, 7, 0, 1));   // starting in a wall
  EXPECT_FALSE(canHit(0, 3, 1, 0, 0));   // a shell that does not travel, and no enemy at its start

  // The enemy's own view: the green tanks are enemies to it.
  map.SetVisible(3, 3, 1, 1);
  EXPECT_TRUE(canHit(1, 3, 5, 0, -1));
}
