// The planner's aggression and its rating of a position.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "ai/PlanScoring.h"

namespace {

TEST(PlanAggressionTest, FollowsHitPointsUntilTheCentreIsNearlyWon) {
  EXPECT_EQ(PlanAggression(100, 0), 0.9f);
  // 30 x 0.9f lies a little below 27: so does f below 0.27.
  EXPECT_EQ(PlanAggression(30, 0), std::nextafter(0.27f, 0.0f));
  EXPECT_EQ(PlanAggression(50, 4), 0.45f);
  // From five turn ends on the centre, every tank fights at full aggression.
  EXPECT_EQ(PlanAggression(30, 5), 0.9f);
  EXPECT_EQ(PlanAggression(1, 9), 0.9f);
}

// f is hit points x 0.9f / 100 rounded once: no float lies nearer the true
// quotient, which long double holds to well below a float's spacing.
TEST(PlanAggressionTest, IsTheNearestFloatForEveryHitPointValue) {
  for (std::int32_t hitPoints = 1; hitPoints <= 100; ++hitPoints) {
    const long double exact = static_cast<long double>(hitPoints) * 0.9f / 100.0L;
    const float f = PlanAggression(hitPoints, 0);
    const long double error = std::fabs(f - exact);
    EXPECT_LE(error, std::fabs(std::nextafter(f, 0.0f) - exact)) << hitPoints;
    EXPECT_LE(error, std::fabs(std::nextafter(f, 1.0f) - exact)) << hitPoints;
  }
}

TEST(PlanScoreTest, RatesPositionsAsTheGameAlwaysHas) {
  const float healthy = PlanAggression(100, 0);
  // One rounding of vuln x f + threat term: 83, where rounding each product
  // on its own would give 84.
  EXPECT_EQ(PlanScore(100, 100, 4, healthy), 83);
  EXPECT_EQ(PlanScore(0, 100, 4, healthy), 94);
  EXPECT_EQ(PlanScore(0, 100, 3, healthy), 93);
  EXPECT_EQ(PlanScore(100, 0, 4, healthy), -6);
  // A damaged tank fears the same cell more than it values it.
  EXPECT_EQ(PlanScore(100, 100, 4, PlanAggression(30, 0)), -42);
  // The ends of the worked plans.
  EXPECT_EQ(PlanScore(75, 150, 0, healthy), 127);
  EXPECT_EQ(PlanScore(50, 250, 0, healthy), 220);
  // Open ground counts only the time left, and a move back may overdraw it.
  EXPECT_EQ(PlanScore(0, 0, 4, healthy), 4);
  EXPECT_EQ(PlanScore(0, 0, -1, healthy), -1);
  // 4 + (1 - 2^-22) lies halfway between two floats: the sum is truncated
  // as it is, not after rounding up to 5.
  EXPECT_EQ(PlanScore(8, 2, 4, healthy), 4);
}

// Layers that wrapped around hold values no real position has: the rating
// stays a number of the right sign instead of overflowing.
TEST(PlanScoreTest, HugeLayerValuesStayInRange) {
  const float healthy = PlanAggression(100, 0);
  EXPECT_EQ(PlanScore(0, std::numeric_limits<std::uint32_t>::max(), 4, healthy),
            std::numeric_limits<std::int32_t>::max());
  // 0x80000000 is the most negative threat when read as a signed number: it
  // counts as a gain, and 0xFFFFFFFF as a threat of -1.
  EXPECT_GT(PlanScore(0x80000000u, 0, 4, healthy), 100000000);
  EXPECT_EQ(PlanScore(0xFFFFFFFFu, 0, 4, 0.0f), 5);
}

}  // namespace
