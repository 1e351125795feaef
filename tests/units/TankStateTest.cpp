#include <gtest/gtest.h>

#include "units/TankState.h"

TEST(TankStateTest, DefaultStandsOnTheFirstCellFacingUpUnhurt) {
  const TankState state;
  EXPECT_EQ(state.x, 0);
  EXPECT_EQ(state.y, 0);
  EXPECT_EQ(state.dx, 0);
  EXPECT_EQ(state.dy, 1);
  EXPECT_EQ(state.hp, 100);
}

TEST(TankStateTest, AdvanceAndRetreatFollowTheHeading) {
  TankState state{3, 4, -1, 0, 100};
  state.Advance();
  EXPECT_EQ(state.x, 2);
  EXPECT_EQ(state.y, 4);
  state.Retreat();
  state.Retreat();
  EXPECT_EQ(state.x, 4);
  EXPECT_EQ(state.y, 4);
  EXPECT_EQ(state.dx, -1);
}

TEST(TankStateTest, RightTurnsGoClockwiseAndLeftUndoesThem) {
  TankState state{0, 0, 1, 0, 100};
  const int clockwise[4][2] = {{0, -1}, {-1, 0}, {0, 1}, {1, 0}};
  for (const auto& next : clockwise) {
    const int index = HeadingIndex(state.dx, state.dy);
    state.Turn(true);
    EXPECT_EQ(state.dx, next[0]);
    EXPECT_EQ(state.dy, next[1]);
    EXPECT_EQ(HeadingIndex(state.dx, state.dy), (index + 3) % 4);  // right: index one lower
    state.Turn(false);
    EXPECT_EQ(HeadingIndex(state.dx, state.dy), index);
    state.Turn(true);
  }
  EXPECT_EQ(state.dx, 1);  // four right turns: back where it started
  EXPECT_EQ(state.dy, 0);
}

TEST(TankStateTest, EachHeadingHasItsAngleIndexAndFacingCode) {
  struct Row {
    int dx, dy, angle, index, facing;
  };
  const Row rows[] = {{1, 0, 0, 0, 0}, {0, 1, 90, 1, 6}, {-1, 0, 180, 2, 4}, {0, -1, -90, 3, 2}};
  for (const Row& row : rows) {
    TankState state{0, 0, row.dx, row.dy, 100};
    EXPECT_EQ(state.Angle(), row.angle) << row.dx << "," << row.dy;
    EXPECT_EQ(HeadingIndex(row.dx, row.dy), row.index);
    EXPECT_EQ(FacingCode(row.dx, row.dy), row.facing);
    const HeadingVector back = HeadingFromIndex(row.index);
    EXPECT_EQ(back.dx, row.dx);
    EXPECT_EQ(back.dy, row.dy);
  }
}

TEST(TankStateDeathTest, AnyHeadingHasNoVector) {
  EXPECT_DEATH(HeadingFromIndex(kAnyHeading), "Assertion failed: index >= 0 && index < kAnyHeading");
  EXPECT_DEATH(HeadingFromIndex(-1), "Assertion failed");
}
