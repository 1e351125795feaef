// What shows of a shot: its trail, flash and impact, turned the way it flew.
#include <gtest/gtest.h>

#include <vector>

#include "screen/CEffects.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
}  // namespace

namespace {

void ExpectEffect(const CEffect& e, int sprite, float x, float y, float alpha, float fade) {
  EXPECT_EQ(e.m_sprite, sprite);
  EXPECT_FLOAT_EQ(e.m_x, x);
  EXPECT_FLOAT_EQ(e.m_y, y);
  EXPECT_FLOAT_EQ(e.m_alpha, alpha);
  EXPECT_FLOAT_EQ(e.m_fadeTime, fade);
}

}  // namespace

TEST(EffectsTest, ShotTwoCellsLongLeavesOnePuffThenFlashThenImpact) {
  CEffects shot;
  shot.SpawnShot(64.0f, 32.0f, 64.0f, 96.0f);  // 64 px upward
  const std::vector<CEffect>& effects = shot.Get();
  ASSERT_EQ(effects.size(), 3u);
  ExpectEffect(effects[0], 4, 64.0f, 64.0f, 1.0f, 1000.0f);  // trail puff at 32 px
  ExpectEffect(effects[1], 6, 64.0f, 48.0f, 1.0f, 300.0f);   // flash at 16 px
  ExpectEffect(effects[2], 6, 64.0f, 80.0f, 0.7f, 3000.0f);  // impact 16 px before the end
  for (const auto& e : effects) EXPECT_FLOAT_EQ(e.m_angle, static_cast<float>(kPi / 2));
  EXPECT_FALSE(effects[0].m_additive);
  EXPECT_TRUE(effects[1].m_additive);
  EXPECT_FALSE(effects[2].m_additive);
  EXPECT_FLOAT_EQ(effects[1].m_blue, 0.6f);
  EXPECT_FLOAT_EQ(effects[2].m_green, 0.9f);
  EXPECT_FLOAT_EQ(effects[2].m_blue, 0.0f);
  EXPECT_FLOAT_EQ(effects[0].m_red + effects[0].m_green + effects[0].m_blue, 3.0f);
}

TEST(EffectsTest, ShotAnglesShowTheTiltOfHorizontalShots) {
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
    CEffects shot;
    shot.SpawnShot(160.0f, 160.0f, c.toX, c.toY);
    const std::vector<CEffect>& effects = shot.Get();
    ASSERT_EQ(effects.size(), c.puffs + 2) << c.toX << "," << c.toY;
    for (const auto& e : effects) EXPECT_NEAR(e.m_angle, c.angle, c.tolerance) << c.toX << "," << c.toY;
    for (std::size_t i = 0; i < c.puffs; ++i) EXPECT_EQ(effects[i].m_sprite, 4);
  }
}

TEST(EffectsTest, ShotOfNoLengthShowsNothing) {
  CEffects shot;
  shot.SpawnShot(64.0f, 64.0f, 64.0f, 64.0f);
  EXPECT_TRUE(shot.Empty());
}
