#include <gtest/gtest.h>

#include "units/UnitsTestSupport.h"
#include "world/CEffect.h"

using unitstest::SoundBoard;
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
    CGameEngine engine;
    CGameWorld& world = engine.GetWorld();
    ASSERT_TRUE(world.GetMap().Load(unitstest::kFieldMap));
    CTank* target = world.AddTank(1, TankState{5, 5, c.targetDx, c.targetDy, 100});
    CTank* shooter = world.AddTank(0, TankState{5 - 3 * c.shotDx, 5 - 3 * c.shotDy, c.shotDx, c.shotDy, 100});
    shooter->Fire();
    EXPECT_EQ(target->GetHitPoints(), 100 - c.damage) << c.shotDx << c.shotDy << " into " << c.targetDx << c.targetDy;
    EXPECT_EQ(target->WasHitFromBehind(), c.fromBehind) << c.shotDx << c.shotDy << " into " << c.targetDx << c.targetDy;
    EXPECT_EQ(shooter->GetHitPoints(), 100);
  }
}

TEST_F(TankCombatTest, OnARepairCellEveryHitCostsSeventy) {
  for (auto heading : {HeadingVector{0, 1}, HeadingVector{1, 0}, HeadingVector{0, -1}}) {
    CGameEngine engine;
    CGameWorld& world = engine.GetWorld();
    ASSERT_TRUE(world.GetMap().Load(unitstest::kFieldMap));
    CTank* target = world.AddTank(1, TankState{1, 8, heading.dx, heading.dy, 100});
    world.AddTank(0, TankState{1, 4, 0, 1, 100})->Fire();
    EXPECT_EQ(target->GetHitPoints(), 30);
    EXPECT_EQ(target->WasHitFromBehind(), heading.dy == 1);  // the side is still told
  }
}

TEST_F(TankCombatTest, HitPointsGoBelowZeroAndEveryFatalHitPlaysTheDestruction) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  CTank* target = Put(1, 5, 5, 0, -1, 5);
  target->TakeHit(90.0f);  // head-on: 10
  EXPECT_EQ(target->GetHitPoints(), -5);
  EXPECT_TRUE(target->IsDestroyed());
  EXPECT_EQ(sounds.Playing(kSoundTankDestroyed), 1);
  target->TakeHit(90.0f);  // a second hit in the same step plays it again
  EXPECT_EQ(sounds.Playing(kSoundTankDestroyed), 2);

  CTank* grazed = Put(1, 7, 7, 0, -1, 11);
  grazed->TakeHit(90.0f);
  EXPECT_EQ(grazed->GetHitPoints(), 1);
  EXPECT_FALSE(grazed->IsDestroyed());
  EXPECT_EQ(sounds.Playing(kSoundTankDestroyed), 2);
  CTank* exact = Put(1, 8, 7, 0, -1, 10);
  exact->TakeHit(90.0f);
  EXPECT_EQ(exact->GetHitPoints(), 0);
  EXPECT_TRUE(exact->IsDestroyed());
  EXPECT_EQ(sounds.Playing(kSoundTankDestroyed), 3);
}

TEST_F(TankCombatTest, ShellStopsAtAWallAndShowsItsWay) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  CTank* tank = Put(0, 3, 4, 0, 1);
  CTank* beyond = Put(1, 3, 8, 0, -1);  // behind the wall at (3, 7)
  tank->Fire();
  EXPECT_EQ(beyond->GetHitPoints(), 100);
  EXPECT_EQ(tank->GetDelay(), 1);
  EXPECT_EQ(sounds.Playing(kSoundGreenShot), 1);
  EXPECT_EQ(sounds.Playing(kSoundBlueShot), 0);
  // From (96, 128) to (96, 224): puffs at 32 and 64 px, the flash, the impact.
  const auto& effects = m_world.GetEffects();
  ASSERT_EQ(effects.size(), 4u);
  EXPECT_FLOAT_EQ(effects[0]->m_y, 160.0f);
  EXPECT_FLOAT_EQ(effects[1]->m_y, 192.0f);
  EXPECT_FLOAT_EQ(effects[2]->m_y, 144.0f);
  EXPECT_FLOAT_EQ(effects[3]->m_y, 208.0f);
  for (const auto& e : effects) EXPECT_FLOAT_EQ(e->m_x, 96.0f);
}

TEST_F(TankCombatTest, ShellStopsAtTheMapEdgeAndAtTheFirstTankOfEitherTeam) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  CTank* blue = Put(1, 5, 5, 1, 0);
  blue->Fire();  // nothing to the right: the shell leaves the map at (12, 5)
  EXPECT_EQ(sounds.Playing(kSoundBlueShot), 1);
  ASSERT_FALSE(m_world.GetEffects().empty());
  const CEffect& impact = *m_world.GetEffects().back();
  EXPECT_NEAR(impact.m_x, 12 * 32 - 16, 0.5f);
  EXPECT_NEAR(impact.m_y, 160.0f, 0.5f);

  CTank* friendAhead = Put(1, 5, 3, 0, -1);
  CTank* enemyBehindIt = Put(0, 5, 1, 0, -1);
  blue->SetHeading(0, -1);
  blue->Fire();
  EXPECT_EQ(friendAhead->GetHitPoints(), 50);  // no friend-or-foe test; hit from behind
  EXPECT_EQ(enemyBehindIt->GetHitPoints(), 100);
  EXPECT_EQ(blue->GetDelay(), 2);
}

TEST_F(TankCombatTest, CanHitSeesOnlyVisibleTanksAndStopsAtAFriend) {
  CMap& map = m_world.GetMap();
  CTank* tank = Put(0, 3, 1, 0, 1);
  Put(0, 3, 3, 0, 1);   // friend
  Put(1, 3, 5, 0, -1);  // enemy; the wall at (3, 7) ends the line
  auto see = [&](int x, int y, bool seen) { map.SetVisible(x, y, 0, seen ? 1 : 0); };

  see(3, 3, true);
  see(3, 5, true);
  EXPECT_FALSE(tank->CanHit(3, 1, 0, 1));  // the friend blocks
  EXPECT_TRUE(tank->CanHit(3, 3, 0, 1));   // from the friend's own cell it does not
  see(3, 3, false);
  EXPECT_TRUE(tank->CanHit(3, 1, 0, 1));   // an unseen friend is passed through
  see(3, 5, false);
  EXPECT_FALSE(tank->CanHit(3, 1, 0, 1));  // nothing seen: the ray reaches the wall
  see(3, 5, true);
  EXPECT_FALSE(tank->CanHit(3, 1, 0, -1));  // the other way: the map edge
  EXPECT_FALSE(tank->CanHit(3, 7, 0, 1));   // starting in a wall
  EXPECT_FALSE(tank->CanHit(3, 1, 0, 0));   // a shell that does not travel, and no enemy at its start

  // The enemy's own view: the green tanks are enemies to it.
  CTank* enemy = m_world.GetTanks()[2].get();
  map.SetVisible(3, 3, 1, 1);
  EXPECT_TRUE(enemy->CanHit(3, 5, 0, -1));
}

TEST(TankDeathTest, TankWithoutWorldOrHeadingStopsTheProgram) {
  EXPECT_DEATH(CTank tank(nullptr), "Assertion failed: m_World, file CTank.cpp");
  // Every trace walks along the heading: one without a heading would never end.
  CGameEngine engine;
  EXPECT_DEATH(engine.GetWorld().AddTank(0, TankState{5, 5, 0, 0, 100}), "Assertion failed: IsHeading");
  CTank* tank = engine.GetWorld().AddTank(0, TankState{5, 5, 1, 0, 100});
  EXPECT_DEATH(tank->SetHeading(1, 1), "Assertion failed: IsHeading");
}
