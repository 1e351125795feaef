#include <gtest/gtest.h>

#include "units/UnitsTestSupport.h"

using unitstest::TankWorldTest;

using TankCombatTest = TankWorldTest;

TEST_F(TankCombatTest, DamageDependsOnTheSideTheShellStrikes) {
  struct Case {
    int shotDx, shotDy;      // the firing tank's heading: the shell's travel
    int targetDx, targetDy;  // the heading of the tank hit
    int damage;
    bool fromBehind;
  };
  const Case cases[] = {
      {0, 1, 0, 1, 50, true},     {0, 1, 1, 0, 20, false},  {0, 1, -1, 0, 20, false},
      {0, 1, 0, -1, 10, false},   {-1, 0, 0, -1, 20, false}, {0, -1, -1, 0, 20, false},
      {1, 0, 1, 0, 50, true},     {-1, 0, 1, 0, 10, false},  {0, -1, 0, -1, 50, true},
  };
  for (const Case& c : cases) {
    m_tanks.clear();
    CTank* target = Put(1, 5, 5, c.targetDx, c.targetDy);
    CTank* shooter = Put(0, 5 - 3 * c.shotDx, 5 - 3 * c.shotDy, c.shotDx, c.shotDy);
    shooter->Fire(*this);
    EXPECT_EQ(target->GetHitPoints(), 100 - c.damage) << c.shotDx << c.shotDy << " into " << c.targetDx << c.targetDy;
    EXPECT_EQ(target->WasHitFromBehind(), c.fromBehind) << c.shotDx << c.shotDy << " into " << c.targetDx << c.targetDy;
    EXPECT_EQ(shooter->GetHitPoints(), 100);
  }
}

TEST_F(TankCombatTest, OnARepairCellEveryHitCostsSeventy) {
  for (auto heading : {HeadingVector{0, 1}, HeadingVector{1, 0}, HeadingVector{0, -1}}) {
    m_tanks.clear();
    CTank* target = Put(1, 1, 8, heading.dx, heading.dy);
    Put(0, 1, 4, 0, 1)->Fire(*this);
    EXPECT_EQ(target->GetHitPoints(), 30);
    EXPECT_EQ(target->WasHitFromBehind(), heading.dy == 1);  // the side is still told
  }
}

TEST_F(TankCombatTest, HitPointsGoBelowZero) {
  CTank* target = Put(1, 5, 5, 0, -1, 5);
  target->TakeHit(1, false);  // head-on: 10
  EXPECT_EQ(target->GetHitPoints(), -5);
  EXPECT_TRUE(target->IsDestroyed());
  CTank* grazed = Put(1, 7, 7, 0, -1, 11);
  grazed->TakeHit(1, false);
  EXPECT_EQ(grazed->GetHitPoints(), 1);
  EXPECT_FALSE(grazed->IsDestroyed());
  CTank* exact = Put(1, 8, 7, 0, -1, 10);
  exact->TakeHit(1, false);
  EXPECT_EQ(exact->GetHitPoints(), 0);
  EXPECT_TRUE(exact->IsDestroyed());
}

TEST_F(TankCombatTest, ShellStopsAtAWall) {
  CTank* tank = Put(0, 3, 4, 0, 1);
  CTank* beyond = Put(1, 3, 8, 0, -1);  // behind the wall at (3, 7)
  tank->Fire(*this);
  EXPECT_EQ(beyond->GetHitPoints(), 100);
  EXPECT_EQ(tank->GetDelay(), 1);
  ASSERT_EQ(m_shells.size(), 1u);
  EXPECT_EQ(m_shells[0].shooter, tank);
  EXPECT_EQ(m_shells[0].x, 3);
  EXPECT_EQ(m_shells[0].y, 7);
}

TEST_F(TankCombatTest, ShellStopsAtTheMapEdgeAndAtTheFirstTankOfEitherTeam) {
  CTank* blue = Put(1, 5, 5, 1, 0);
  blue->Fire(*this);  // nothing to the right: the shell leaves the map at (12, 5)
  ASSERT_EQ(m_shells.size(), 1u);
  EXPECT_EQ(m_shells[0].x, 12);
  EXPECT_EQ(m_shells[0].y, 5);

  CTank* friendAhead = Put(1, 5, 3, 0, -1);
  CTank* enemyBehindIt = Put(0, 5, 1, 0, -1);
  blue->SetHeading(0, -1);
  blue->Fire(*this);
  EXPECT_EQ(friendAhead->GetHitPoints(), 50);  // no friend-or-foe test; hit from behind
  EXPECT_EQ(enemyBehindIt->GetHitPoints(), 100);
  EXPECT_EQ(blue->GetDelay(), 2);
}

TEST(TankDeathTest, TankWithoutAHeadingStopsTheProgram) {
  // Every trace walks along the heading: one without a heading would never end.
  CTank tank;
  EXPECT_DEATH(tank.SetState(TankState{5, 5, 0, 0, 100}), "Assertion failed: IsHeading");
  tank.SetState(TankState{5, 5, 1, 0, 100});
  EXPECT_DEATH(tank.SetHeading(1, 1), "Assertion failed: IsHeading");
}
