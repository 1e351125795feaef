#include <gtest/gtest.h>

#include "units/UnitsTestSupport.h"

using unitstest::TankWorldTest;

using TankCommandsTest = TankWorldTest;

namespace {

void ExpectState(const TankState& s, int x, int y, int dx, int dy) {
  EXPECT_EQ(s.x, x);
  EXPECT_EQ(s.y, y);
  EXPECT_EQ(s.dx, dx);
  EXPECT_EQ(s.dy, dy);
}

const TankCommand& At(const CTank& tank, std::size_t i) { return tank.GetCommands().at(i); }

}  // namespace

TEST_F(TankCommandsTest, PlannedCommandsFormAChainAndRunOneAStep) {
  CTank* tank = Put(0, 2, 2, 0, 1);
  tank->AddMoveForward(m_map);
  tank->AddMoveForward(m_map);
  tank->AddTurn(true);
  tank->AddFire();
  ASSERT_EQ(tank->GetCommands().size(), 4u);
  ASSERT_EQ(At(*tank, 0).m_kind, CommandKind::Forward);
  ASSERT_EQ(At(*tank, 1).m_kind, CommandKind::Forward);
    ASSERT_EQ(At(*tank, 3).m_kind, CommandKind::Fire);
  ExpectState(At(*tank, 0).GetBefore(), 2, 2, 0, 1);
  ExpectState(At(*tank, 0).GetAfter(), 2, 3, 0, 1);
  ExpectState(At(*tank, 1).GetAfter(), 2, 4, 0, 1);
  ExpectState(At(*tank, 2).GetBefore(), 2, 4, 0, 1);
  ExpectState(At(*tank, 2).GetAfter(), 2, 4, 1, 0);
  EXPECT_EQ(At(*tank, 2).m_kind, CommandKind::TurnRight);
  ExpectState(At(*tank, 3).GetBefore(), 2, 4, 1, 0);
  ExpectState(At(*tank, 3).GetAfter(), 2, 4, 1, 0);
  ExpectState(tank->PlannedState(), 2, 4, 1, 0);
  ExpectState(tank->GetState(), 2, 2, 0, 1);  // planning moves nothing
  EXPECT_TRUE(At(*tank, 3).IsFire());
  EXPECT_FALSE(At(*tank, 2).IsFire());

  CTank* target = Put(1, 6, 4, 1, 0);
  RunSteps(2);
  ExpectState(tank->GetState(), 2, 4, 0, 1);
  EXPECT_FALSE(tank->NextIsFire());
  RunStep();
  ExpectState(tank->GetState(), 2, 4, 1, 0);
  EXPECT_TRUE(tank->NextIsFire());
  RunStep();
  EXPECT_TRUE(tank->GetCommands().empty());
  EXPECT_EQ(target->GetHitPoints(), 50);  // struck from behind
  EXPECT_EQ(tank->GetDelay(), 1);
}

TEST_F(TankCommandsTest, MovesIntoWallsOrOffTheMapAreNotPlanned) {
  CTank* tank = Put(0, 3, 6, 0, 1);
  tank->AddMoveForward(m_map);  // (3, 7) is a wall
  EXPECT_TRUE(tank->GetCommands().empty());
  tank->AddTurn(true);
  tank->AddMoveForward(m_map);  // planned from the turned heading
  ASSERT_EQ(tank->GetCommands().size(), 2u);
  ExpectState(tank->PlannedState(), 4, 6, 1, 0);

  CTank* corner = Put(0, 0, 0, 0, 1);
  corner->AddMoveBack(m_map);  // (0, -1) lies off the map
  corner->AddTurn(false);
  corner->AddMoveForward(m_map);  // (-1, 0) too
  ASSERT_EQ(corner->GetCommands().size(), 1u);
  corner->AddMoveBack(m_map);
  ASSERT_EQ(corner->GetCommands().size(), 2u);
  ASSERT_EQ(At(*corner, 1).m_kind, CommandKind::Back);
  ExpectState(corner->PlannedState(), 1, 0, -1, 0);
}

TEST_F(TankCommandsTest, RemovingTakesTheLastCommandAndClearingTakesAll) {
  CTank* tank = Put(0, 5, 5, 0, 1);
  tank->RemoveLastCommand();  // empty: nothing happens
  tank->ClearCommands();
  tank->AddWait();
  tank->AddTurn(false);
  tank->AddFire();
  tank->RemoveLastCommand();
  ASSERT_EQ(tank->GetCommands().size(), 2u);
    EXPECT_EQ(At(*tank, 1).m_kind, CommandKind::TurnLeft);
  ExpectState(tank->PlannedState(), 5, 5, -1, 0);
  tank->ClearCommands();
  EXPECT_TRUE(tank->GetCommands().empty());
  ExpectState(tank->PlannedState(), 5, 5, 0, 1);
}

TEST_F(TankCommandsTest, FireAndMoveBackKeepTheTankBusyForOneMoreStep) {
  CTank* tank = Put(0, 5, 5, 0, 1);
  tank->AddFire();
  tank->AddMoveBack(m_map);
  tank->AddTurn(true);
  RunStep();  // fires
  EXPECT_EQ(tank->GetCommands().size(), 2u);
  RunStep();  // busy
  EXPECT_EQ(tank->GetCommands().size(), 2u);
  EXPECT_EQ(tank->GetDelay(), 0);
  RunStep();  // moves back
  ExpectState(tank->GetState(), 5, 4, 0, 1);
  EXPECT_EQ(tank->GetDelay(), 1);
  RunStep();  // busy
  ExpectState(tank->GetState(), 5, 4, 0, 1);
  RunStep();  // turns
  ExpectState(tank->GetState(), 5, 4, 1, 0);
  EXPECT_TRUE(tank->GetCommands().empty());
}

TEST_F(TankCommandsTest, BlockedMoveIsRetriedEachStepAndHoldsBackTheRest) {
  CTank* tank = Put(0, 5, 5, 0, 1);
  CTank* blocker = Put(1, 5, 6, 1, 0);
  tank->AddMoveForward(m_map);
  tank->AddFire();
  RunSteps(3);
  ExpectState(tank->GetState(), 5, 5, 0, 1);
  EXPECT_EQ(tank->GetCommands().size(), 2u);
  EXPECT_FALSE(tank->NextIsFire());
  EXPECT_EQ(blocker->GetHitPoints(), 100);

  blocker->AddMoveForward(m_map);  // leaves to (6, 6)
  RunStep();  // the blocker moves after the tank in list order: still blocked
  ExpectState(tank->GetState(), 5, 5, 0, 1);
  RunStep();
  ExpectState(tank->GetState(), 5, 6, 0, 1);
  EXPECT_TRUE(tank->NextIsFire());

  // A move back waits the same way, and adds no busy step while it waits.
  CTank* backer = Put(0, 8, 8, 0, 1);
  Put(1, 8, 7, 0, 1);
  backer->AddMoveBack(m_map);
  RunSteps(2);
  EXPECT_EQ(backer->GetCommands().size(), 1u);
  EXPECT_EQ(backer->GetDelay(), 0);
}

TEST_F(TankCommandsTest, MoveIntoAWallThatAppearedAfterPlanningFails) {
  CTank* tank = Put(0, 5, 4, 0, 1);
  tank->AddMoveForward(m_map);
  ASSERT_TRUE(m_map.Load(unitstest::kWalledMap));  // (5, 5) is now a wall
  RunStep();
  ExpectState(tank->GetState(), 5, 4, 0, 1);
  EXPECT_EQ(tank->GetCommands().size(), 1u);
}

TEST_F(TankCommandsTest, IdleTankRepairsOnARepairCellUpToFull) {
  CTank* idle = Put(0, 10, 1, 0, 1, 40);
  RunSteps(3);
  EXPECT_EQ(idle->GetHitPoints(), 70);
  RunSteps(4);
  EXPECT_EQ(idle->GetHitPoints(), 100);

  CTank* elsewhere = Put(0, 5, 1, 0, 1, 40);
  RunSteps(2);
  EXPECT_EQ(elsewhere->GetHitPoints(), 40);

  // Waiting repairs; turning, moving and firing do not, the busy step after a fire does.
  CTank* busy = Put(1, 1, 8, 0, -1, 50);
  busy->AddWait();
  busy->AddTurn(true);
  busy->AddFire();
  RunStep();
  EXPECT_EQ(busy->GetHitPoints(), 60);
  RunStep();
  EXPECT_EQ(busy->GetHitPoints(), 60);
  RunStep();
  EXPECT_EQ(busy->GetHitPoints(), 60);
  RunStep();
  EXPECT_EQ(busy->GetHitPoints(), 70);
}

TEST_F(TankCommandsTest, WaitHealsOnlyOnARepairCellAndNeverPastFull) {
  CTank* onRepair = Put(0, 1, 8, 0, 1, 95);
  onRepair->Wait(*this);
  EXPECT_EQ(onRepair->GetHitPoints(), 100);
  CTank* offRepair = Put(0, 2, 8, 0, 1, 95);
  offRepair->Wait(*this);
  EXPECT_EQ(offRepair->GetHitPoints(), 95);
}

TEST_F(TankCommandsTest, BlockedMoveOnARepairCellStillRepairs) {
  CTank* tank = Put(0, 10, 1, 0, 1, 50);
  Put(1, 10, 2, 0, 1);
  tank->AddMoveForward(m_map);
  RunSteps(2);
  EXPECT_EQ(tank->GetHitPoints(), 70);
  EXPECT_EQ(tank->GetCommands().size(), 1u);
}

TEST_F(TankCommandsTest, TankDestroyedInAStepIsNotRepairedBackToLife) {
  CTank* victim = Put(1, 10, 1, 1, 0, 65);
  CTank* shooter = Put(0, 10, 4, 0, -1);
  shooter->AddFire();
  RunStep();  // the shot comes first: 70 on a repair cell, then the victim's idle step
  EXPECT_EQ(victim->GetHitPoints(), -5);
  EXPECT_TRUE(victim->IsDestroyed());

  CTank* wreck = Put(1, 1, 8, 0, 1, 0);
  wreck->AddWait();
  RunStep();
  EXPECT_EQ(wreck->GetHitPoints(), 0);
}

TEST_F(TankCommandsTest, MovesAndTurnsTellTheArenaTheEnginesRun) {
  CTank* tank = Put(0, 5, 5, 0, 1);
  tank->Wait(*this);
  tank->Fire(*this);
  EXPECT_EQ(m_moves, 0);
  tank->Turn(*this, true);
  EXPECT_EQ(m_moves, 1);
  for (auto move : {&CTank::MoveForward, &CTank::MoveBack}) {
    (tank->*move)(*this);
    EXPECT_EQ(m_moves, move == &CTank::MoveForward ? 2 : 3);
  }
}

namespace {

// Runs a whole search for the tank to the goal, as the player's click and the
// planner do, and hands the result to the tank.
void PlotPath(CTank& tank, const CMap& map, PathNode goal) {
  CPathFinder finder(map);
  const TankState s = tank.GetState();
  finder.Start({s.x, s.y, HeadingIndex(s.dx, s.dy)}, goal, true);
  while (finder.IsActive()) finder.Update();
  tank.SetPath(finder, map);
}

}  // namespace

TEST_F(TankCommandsTest, PathBecomesTheCommandsThatFollowIt) {
  CTank* tank = Put(0, 5, 5, 0, 1);
  tank->AddFire();
  PlotPath(*tank, m_map, {8, 5, 0});
  ASSERT_EQ(tank->GetCommands().size(), 4u);
  EXPECT_EQ(At(*tank, 0).m_kind, CommandKind::TurnRight);
  for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(At(*tank, i).m_kind, CommandKind::Forward) << i;
  ExpectState(tank->PlannedState(), 8, 5, 1, 0);
}

TEST_F(TankCommandsTest, PathOneCellBehindIsOneMoveBack) {
  CTank* tank = Put(0, 5, 5, 0, 1);
  PlotPath(*tank, m_map, {5, 4, kAnyHeading});
  ASSERT_EQ(tank->GetCommands().size(), 1u);
  EXPECT_EQ(At(*tank, 0).m_kind, CommandKind::Back);
  ExpectState(tank->PlannedState(), 5, 4, 0, 1);
}

TEST_F(TankCommandsTest, NoPathOrAPathToItsOwnCellLeavesNoCommands) {
  CTank* tank = Put(0, 5, 5, 0, 1);
  tank->AddMoveForward(m_map);
  PlotPath(*tank, m_map, {3, 7, kAnyHeading});  // a wall
  EXPECT_TRUE(tank->GetCommands().empty());
  tank->AddWait();
  PlotPath(*tank, m_map, {40, 2, kAnyHeading});  // outside the map
  EXPECT_TRUE(tank->GetCommands().empty());
  tank->AddWait();
  PlotPath(*tank, m_map, {5, 5, kAnyHeading});
  EXPECT_TRUE(tank->GetCommands().empty());
}
