#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <cmath>

#include "units/UnitsTestSupport.h"
#include "world/CEffect.h"

using unitstest::SoundBoard;
using unitstest::TankWorldTest;

using GameWorldServicesTest = TankWorldTest;

namespace {
constexpr double kPi = 3.14159265358979323846;
}

TEST_F(GameWorldServicesTest, AddedTanksTakeTeamSlotsInCreationOrder) {
  CTank* green = Put(0, 1, 1, 0, 1);
  CTank* blue = Put(1, 10, 8, 0, -1, 60);
  CTank* green2 = Put(0, 2, 1, 0, 1);
  ASSERT_EQ(m_world.GetTanks().size(), 3u);
  EXPECT_EQ(m_world.GetTanks()[1].get(), blue);
  EXPECT_EQ(m_world.GetTeamTanks(0), (CGameWorld::TeamSlots{green, green2}));
  EXPECT_EQ(m_world.GetTeamTanks(1), (CGameWorld::TeamSlots{blue}));
  EXPECT_EQ(m_world.GetAliveCount(0), 2);
  EXPECT_EQ(m_world.GetAliveCount(1), 1);
  EXPECT_EQ(blue->GetTeam(), 1);
  EXPECT_EQ(blue->GetHitPoints(), 60);
  EXPECT_EQ(blue->GetState().dy, -1);
  EXPECT_EQ(blue->GetWorld(), &m_world);
  EXPECT_EQ(blue->GetDelay(), 0);
  EXPECT_FALSE(blue->IsSelected());
  EXPECT_FALSE(blue->WasHitFromBehind());
  EXPECT_TRUE(blue->GetCommands().empty());
}

TEST_F(GameWorldServicesTest, TankLookupsTellTeamsApart) {
  Put(0, 4, 4, 0, 1);
  Put(1, 6, 6, 0, 1);
  EXPECT_TRUE(m_world.IsTankAt(4, 4, CTank::mc_noTeam));
  EXPECT_FALSE(m_world.IsTankAt(4, 4, 0));  // only tanks of the other team
  EXPECT_TRUE(m_world.IsTankAt(4, 4, 1));
  EXPECT_TRUE(m_world.IsTankAt(6, 6, 0));
  EXPECT_FALSE(m_world.IsTankAt(4, 6, CTank::mc_noTeam));
  EXPECT_FALSE(m_world.IsTankAt(-1, 4, CTank::mc_noTeam));
}

TEST_F(GameWorldServicesTest, HitGoesToTheFirstTankOnTheCellOnly) {
  CTank* first = Put(0, 4, 4, 0, 1);
  CTank* second = Put(1, 4, 4, 0, 1);
  m_world.HitTankAt(4, 4, -90.0f);  // head-on
  EXPECT_EQ(first->GetHitPoints(), 90);
  EXPECT_EQ(second->GetHitPoints(), 100);
  m_world.HitTankAt(5, 4, -90.0f);  // nobody there
  EXPECT_EQ(first->GetHitPoints(), 90);
  EXPECT_EQ(second->GetHitPoints(), 100);
}

TEST_F(GameWorldServicesTest, RepairCellsAndCentreFollowTheMapSize) {
  EXPECT_TRUE(m_world.IsRepairCell(1, 8));
  EXPECT_TRUE(m_world.IsRepairCell(10, 1));
  EXPECT_FALSE(m_world.IsRepairCell(1, 1));
  EXPECT_FALSE(m_world.IsRepairCell(10, 8));
  EXPECT_FALSE(m_world.IsRepairCell(8, 1));
  const PathNode centre = m_world.GetCentreGoal();
  EXPECT_EQ(centre.x, 6);
  EXPECT_EQ(centre.y, 5);
  EXPECT_EQ(centre.heading, kAnyHeading);

  CGameEngine engine;  // a world whose map never loaded has no repair cell
  for (int v : {-2, -1, 0, 1}) {
    EXPECT_FALSE(engine.GetWorld().IsRepairCell(1, v));
    EXPECT_FALSE(engine.GetWorld().IsRepairCell(v, 1));
  }
}

namespace {

void ExpectEffect(const CEffect& e, int sprite, float x, float y, float alpha, float fade) {
  EXPECT_EQ(e.m_sprite, sprite);
  EXPECT_FLOAT_EQ(e.m_x, x);
  EXPECT_FLOAT_EQ(e.m_y, y);
  EXPECT_FLOAT_EQ(e.m_alpha, alpha);
  EXPECT_FLOAT_EQ(e.m_fadeTime, fade);
}

}  // namespace

TEST_F(GameWorldServicesTest, ShotTwoCellsLongLeavesOnePuffThenFlashThenImpact) {
  m_world.SpawnShotEffects(64.0f, 32.0f, 64.0f, 96.0f);  // 64 px upward
  const auto& effects = m_world.GetEffects();
  ASSERT_EQ(effects.size(), 3u);
  ExpectEffect(*effects[0], 4, 64.0f, 64.0f, 1.0f, 1000.0f);  // trail puff at 32 px
  ExpectEffect(*effects[1], 6, 64.0f, 48.0f, 1.0f, 300.0f);   // flash at 16 px
  ExpectEffect(*effects[2], 6, 64.0f, 80.0f, 0.7f, 3000.0f);  // impact 16 px before the end
  for (const auto& e : effects) EXPECT_FLOAT_EQ(e->m_angle, static_cast<float>(kPi / 2));
  EXPECT_FALSE(effects[0]->m_additive);
  EXPECT_TRUE(effects[1]->m_additive);
  EXPECT_FALSE(effects[2]->m_additive);
  EXPECT_FLOAT_EQ(effects[1]->m_blue, 0.6f);
  EXPECT_FLOAT_EQ(effects[2]->m_green, 0.9f);
  EXPECT_FLOAT_EQ(effects[2]->m_blue, 0.0f);
  EXPECT_FLOAT_EQ(effects[0]->m_red + effects[0]->m_green + effects[0]->m_blue, 3.0f);
}

TEST_F(GameWorldServicesTest, ShotAnglesShowTheTiltOfHorizontalShots) {
  struct Case {
    float toX, toY, angle, tolerance;
    std::size_t puffs;
  };
  // From (160, 160): up, down, right and left; the lengths set the puff count.
  const Case cases[] = {
      {160.0f, 192.0f, static_cast<float>(kPi / 2), 1e-6f, 0},      // one cell: no puff
      {160.0f, 32.0f, static_cast<float>(3 * kPi / 2), 1e-6f, 3},    // 128 px: 32, 64, 96
      {256.0f, 160.0f, 6.2250f, 5e-4f, 2},                            // 96 px: 32, 64
      {0.0f, 160.0f, 3.1998f, 5e-4f, 4},                              // 160 px
  };
  for (const Case& c : cases) {
    CGameEngine engine;
    CGameWorld& world = engine.GetWorld();
    world.SpawnShotEffects(160.0f, 160.0f, c.toX, c.toY);
    const auto& effects = world.GetEffects();
    ASSERT_EQ(effects.size(), c.puffs + 2) << c.toX << "," << c.toY;
    for (const auto& e : effects) EXPECT_NEAR(e->m_angle, c.angle, c.tolerance) << c.toX << "," << c.toY;
    for (std::size_t i = 0; i < c.puffs; ++i) EXPECT_EQ(effects[i]->m_sprite, 4);
  }
}

TEST_F(GameWorldServicesTest, ShotOfNoLengthShowsNothing) {
  m_world.SpawnShotEffects(64.0f, 64.0f, 64.0f, 64.0f);
  EXPECT_TRUE(m_world.GetEffects().empty());
}

TEST_F(GameWorldServicesTest, EngineSoundStartsOnceAndFadesOnStop) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  m_world.StartEngineSound();
  const int channel = m_world.GetEngineChannel();
  ASSERT_GE(channel, 0);
  EXPECT_TRUE(m_world.IsEnginePlaying());
  m_world.StartEngineSound();
  EXPECT_EQ(m_world.GetEngineChannel(), channel);
  EXPECT_EQ(sounds.Playing(kSoundEngine), 1);

  m_world.StopEngineSound();
  EXPECT_FALSE(m_world.IsEnginePlaying());
  EXPECT_EQ(Mix_FadingChannel(channel), MIX_FADING_OUT);
  m_world.StopEngineSound();  // not playing: nothing more happens
  EXPECT_FALSE(m_world.IsEnginePlaying());
}

TEST_F(GameWorldServicesTest, StoppingAnEngineSoundThatNeverPlayedFadesNoOtherSound) {
  SoundBoard sounds(kSoundEngine);  // the table ends before the engine sound
  ASSERT_TRUE(sounds.Ready());
  PlaySound(kSoundGreenShot);
  ASSERT_EQ(sounds.Playing(kSoundGreenShot), 1);
  m_world.StartEngineSound();
  EXPECT_TRUE(m_world.IsEnginePlaying());
  EXPECT_EQ(m_world.GetEngineChannel(), -1);
  m_world.StopEngineSound();
  EXPECT_FALSE(m_world.IsEnginePlaying());
  for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
    EXPECT_EQ(Mix_FadingChannel(channel), MIX_NO_FADING) << channel;
  }
}

TEST(GameWorldDeathTest, TankOfNoTeamStopsTheProgram) {
  CGameEngine engine;
  EXPECT_DEATH(engine.GetWorld().AddTank(2, TankState{}), "Assertion failed: team < mc_numTeams, file CGameWorld.cpp");
}
