#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "map/CMap.h"
#include "units/CPathFinder.h"
#include "units/PathCommands.h"
#include "units/PathTestSupport.h"

using pathtest::Commands;
using pathtest::RunToEnd;
using C = Move;

namespace {

constexpr std::int32_t kAny = kAnyHeading;

// A finder on one of the path test maps.
class CPathFinderTest : public ::testing::Test {
 protected:
  void Load(const char* name) {
    ASSERT_TRUE(m_map.Load((std::string("tests/maps/") + name).c_str())) << name;
  }
  // Runs a search to its end and returns whether it found a path.
  bool Find(const PathNode& start, const PathNode& goal, bool avoidWalls = true) {
    m_finder.Start(start, goal, avoidWalls);
    EXPECT_TRUE(RunToEnd(m_finder));
    return m_finder.IsFound();
  }

  CMap m_map;                        // the test map
  CPathFinder m_finder{m_map};       // searches it with the game's slicing
};

}  // namespace

TEST_F(CPathFinderTest, GoalOnTheOwnCellWithAnyHeadingIsAOneNodePathWithoutCommands) {
  Load("paths_open.dat");
  EXPECT_TRUE(m_finder.Start({5, 5, 1}, {5, 5, kAny}, true));
  EXPECT_FALSE(m_finder.IsActive());
  ASSERT_TRUE(m_finder.IsFound());
  EXPECT_EQ(m_finder.GetPath(), (std::vector<PathNode>{{5, 5, 1}}));
  EXPECT_EQ(m_finder.GetPathCost(), 0u);
  EXPECT_TRUE(CommandsForPath(m_finder).empty());
}

TEST_F(CPathFinderTest, OneCellBehindIsOneMoveBackNotTwoTurnsAndAMove) {
  Load("paths_open.dat");
  ASSERT_TRUE(Find({5, 5, 1}, {5, 4, kAny}));
  EXPECT_EQ(m_finder.GetPath(), (std::vector<PathNode>{{5, 4, 1}, {5, 5, 1}}));
  EXPECT_EQ(m_finder.GetPathCost(), 2000u);
  EXPECT_EQ(CommandsForPath(m_finder), Commands({C::Back}));
}

TEST_F(CPathFinderTest, ThreeCellsAheadAreThreeMovesForward) {
  Load("paths_open.dat");
  ASSERT_TRUE(Find({5, 5, 1}, {5, 8, kAny}));
  EXPECT_EQ(m_finder.GetPath(), (std::vector<PathNode>{{5, 8, 1}, {5, 7, 1}, {5, 6, 1}, {5, 5, 1}}));
  EXPECT_EQ(m_finder.GetPathCost(), 3000u);
  EXPECT_EQ(CommandsForPath(m_finder), Commands({C::Forward, C::Forward, C::Forward}));
}

TEST_F(CPathFinderTest, ThreeCellsToTheRightFacingRightAreARightTurnThenThreeMoves) {
  Load("paths_open.dat");
  ASSERT_TRUE(Find({5, 5, 1}, {8, 5, 0}));
  EXPECT_EQ(m_finder.GetPathCost(), 4000u);
  EXPECT_EQ(CommandsForPath(m_finder), Commands({C::TurnRight, C::Forward, C::Forward, C::Forward}));
  EXPECT_EQ(m_finder.GetPath().back(), (PathNode{5, 5, 1}));
  EXPECT_EQ(m_finder.GetPath().front(), (PathNode{8, 5, 0}));
}

TEST_F(CPathFinderTest, FacingUpOnTheOwnCellIsOneLeftTurnFromFacingRight) {
  Load("paths_open.dat");
  ASSERT_TRUE(Find({3, 7, 0}, {3, 7, 1}));
  EXPECT_EQ(m_finder.GetPath(), (std::vector<PathNode>{{3, 7, 1}, {3, 7, 0}}));
  EXPECT_EQ(m_finder.GetPathCost(), 1000u);
  EXPECT_EQ(CommandsForPath(m_finder), Commands({C::TurnLeft}));
}

TEST_F(CPathFinderTest, EnclosedGoalIsNotFoundAfterEveryReachableStateAndClearsTheLastPath) {
  Load("paths_enclosed.dat");
  ASSERT_TRUE(Find({1, 1, 1}, {7, 5, kAny}));
  ASSERT_FALSE(CommandsForPath(m_finder).empty());

  EXPECT_FALSE(Find({1, 1, 1}, {4, 3, kAny}));
  EXPECT_FALSE(m_finder.IsActive());
  EXPECT_TRUE(m_finder.GetPath().empty());
  EXPECT_TRUE(CommandsForPath(m_finder).empty());
  // 26 open cells outside the enclosure, four headings each, each expanded once.
  EXPECT_EQ(m_finder.GetExpansions(), 26u * 4u);
}

TEST_F(CPathFinderTest, GoalOnAWallIsReachedOnlyWhenWallsAreNotAvoided) {
  Load("paths_enclosed.dat");
  EXPECT_FALSE(Find({1, 1, 0}, {3, 3, kAny}, true));
  EXPECT_TRUE(m_finder.GetPath().empty());

  ASSERT_TRUE(Find({1, 3, 0}, {4, 3, 0}, false));
  EXPECT_EQ(m_finder.GetPathCost(), 3000u);  // straight through the wall (3, 3)
  EXPECT_EQ(CommandsForPath(m_finder), Commands({C::Forward, C::Forward, C::Forward}));
}

TEST_F(CPathFinderTest, GoalOutsideTheMapIsNeverReached) {
  Load("paths_borderless.dat");
  const PathNode start{2, 2, 0};
  for (const PathNode goal : {PathNode{-1, 2, kAny}, PathNode{6, 2, 0}, PathNode{2, 5, kAny},
                              PathNode{2, -1, 3}, PathNode{INT_MIN, INT_MAX, kAny}}) {
    EXPECT_FALSE(Find(start, goal, false)) << goal.x << "," << goal.y;
    EXPECT_FALSE(Find(start, goal, true)) << goal.x << "," << goal.y;
    // Every state of the 6 x 5 map was tried.
    EXPECT_EQ(m_finder.GetExpansions(), 6u * 5u * 4u);
  }
}

TEST_F(CPathFinderTest, StartOutsideTheMapOnlyMovesIn) {
  Load("paths_borderless.dat");
  ASSERT_TRUE(Find({-1, 2, 0}, {1, 2, kAny}, false));
  EXPECT_EQ(CommandsForPath(m_finder), Commands({C::Forward, C::Forward}));
  // Facing away from the map the way in is a move back.
  ASSERT_TRUE(Find({6, 4, 0}, {5, 3, kAny}, true));
  EXPECT_EQ(CommandsForPath(m_finder).front(), C::Back);
  // Nowhere to go from a cell diagonally off the map.
  EXPECT_FALSE(Find({-1, -1, 0}, {0, 0, kAny}, false));
  EXPECT_EQ(m_finder.GetExpansions(), 1u);
}

TEST_F(CPathFinderTest, MapWithoutGridIsNeverRead) {
  EXPECT_TRUE(Find({0, 0, 1}, {0, 0, kAny}));
  EXPECT_FALSE(Find({0, 0, 1}, {0, 1, kAny}, false));
  Load("paths_open.dat");
  m_map.Free();  // the size stays, the grid goes
  EXPECT_FALSE(Find({5, 5, 1}, {5, 6, kAny}, false));
}

TEST_F(CPathFinderTest, StartWithoutARealHeadingIsRefusedAndChangesNothing) {
  Load("paths_open.dat");
  ASSERT_TRUE(Find({5, 5, 1}, {5, 8, kAny}));
  const std::vector<PathNode> path = m_finder.GetPath();
  for (const std::int32_t heading : {kAny, 5, -1}) {
    EXPECT_FALSE(m_finder.Start({2, 2, heading}, {3, 3, kAny}, true));
    EXPECT_FALSE(m_finder.IsActive());
    EXPECT_TRUE(m_finder.IsFound());
    EXPECT_EQ(m_finder.GetPath(), path);
    EXPECT_FALSE(m_finder.Update());
  }
}

TEST_F(CPathFinderTest, RefusedStartLeavesASearchUnderWayRunning) {
  Load("paths_serpentine.dat");
  ASSERT_FALSE(m_finder.Start({1, 1, 1}, {1, 11, kAny}, true));
  const std::uint64_t expanded = m_finder.GetExpansions();
  EXPECT_FALSE(m_finder.Start({1, 1, kAny}, {2, 1, kAny}, true));
  EXPECT_TRUE(m_finder.IsActive());
  EXPECT_EQ(m_finder.GetExpansions(), expanded);
  ASSERT_TRUE(RunToEnd(m_finder));
  ASSERT_TRUE(m_finder.IsFound());
  EXPECT_EQ(m_finder.GetPath().front().y, 11);
}

TEST_F(CPathFinderTest, NewStartAbandonsTheSearchUnderWay) {
  Load("paths_serpentine.dat");
  ASSERT_FALSE(m_finder.Start({1, 1, 1}, {1, 11, kAny}, true));
  ASSERT_TRUE(m_finder.Start({3, 1, 0}, {5, 1, kAny}, true));
  ASSERT_TRUE(m_finder.IsFound());
  EXPECT_EQ(CommandsForPath(m_finder), Commands({C::Forward, C::Forward}));
  EXPECT_FALSE(m_finder.Update());
}

TEST_F(CPathFinderTest, LongSearchRunsInSlicesOf202ExpansionsAndFindsTheUnslicedPath) {
  Load("paths_serpentine.dat");
  const PathNode start{1, 1, 1};
  const PathNode goal{1, 11, kAny};
  CPathFinder whole(m_map, m_map.GetWidth() * m_map.GetHeight() * 4 + 1);
  ASSERT_TRUE(whole.Start(start, goal, true));
  ASSERT_TRUE(whole.IsFound());

  ASSERT_FALSE(m_finder.Start(start, goal, true));
  EXPECT_TRUE(m_finder.IsActive());
  EXPECT_EQ(m_finder.GetExpansions(), 202u);
  int slices = 1;
  std::uint64_t before = m_finder.GetExpansions();
  while (!m_finder.Update()) {
    ASSERT_TRUE(m_finder.IsActive());
    EXPECT_EQ(m_finder.GetExpansions() - before, 202u);
    before = m_finder.GetExpansions();
    ASSERT_LT(++slices, 100);
  }
  EXPECT_LE(m_finder.GetExpansions() - before, 202u);
  EXPECT_GE(slices, 2);
  EXPECT_FALSE(m_finder.IsActive());
  ASSERT_TRUE(m_finder.IsFound());
  EXPECT_EQ(m_finder.GetPath(), whole.GetPath());
  EXPECT_EQ(m_finder.GetExpansions(), whole.GetExpansions());
  // Along the six rows of the corridor and up the five gaps between them:
  // 108 cells forward and a quarter turn at each of the 11 bends.
  EXPECT_EQ(m_finder.GetPathCost(), whole.GetPathCost());
  EXPECT_EQ(m_finder.GetPathCost(), 108u * 1000u + 11u * 1000u);
}

TEST(CPathFinderDeathTest, FinderThatExpandsNothingIsAProgrammingError) {
  CMap map;
  EXPECT_DEATH(CPathFinder(map, 0), "Assertion failed: expansionsPerUpdate > 0");
}

TEST(PathCommandsTest, TurnsFollowTheChangeOfHeadingIndexAndMovesTheHeading) {
  struct Case {
    PathNode from, to;
    Move expected;
  };
  const Case cases[] = {
      {{4, 4, 0}, {4, 4, 1}, C::TurnLeft},  {{4, 4, 1}, {4, 4, 2}, C::TurnLeft},
      {{4, 4, 2}, {4, 4, 3}, C::TurnLeft},  {{4, 4, 3}, {4, 4, 0}, C::TurnLeft},
      {{4, 4, 0}, {4, 4, 3}, C::TurnRight}, {{4, 4, 3}, {4, 4, 2}, C::TurnRight},
      {{4, 4, 2}, {4, 4, 1}, C::TurnRight}, {{4, 4, 1}, {4, 4, 0}, C::TurnRight},
      {{4, 4, 0}, {5, 4, 0}, C::Forward},   {{4, 4, 0}, {3, 4, 0}, C::Back},
      {{4, 4, 1}, {4, 5, 1}, C::Forward},   {{4, 4, 1}, {4, 3, 1}, C::Back},
      {{4, 4, 2}, {3, 4, 2}, C::Forward},   {{4, 4, 2}, {5, 4, 2}, C::Back},
      {{4, 4, 3}, {4, 3, 3}, C::Forward},   {{4, 4, 3}, {4, 5, 3}, C::Back},
  };
  for (const Case& c : cases) {
    // Paths run from the goal back to the start.
    EXPECT_EQ(CommandsForPath(std::vector<PathNode>{c.to, c.from}), Commands({c.expected}))
        << c.from.heading << " -> " << c.to.heading << " at " << c.to.x << "," << c.to.y;
  }
  EXPECT_TRUE(CommandsForPath(std::vector<PathNode>{}).empty());
  EXPECT_TRUE(CommandsForPath(std::vector<PathNode>{{1, 1, 0}}).empty());
  EXPECT_EQ(CommandsForPath(std::vector<PathNode>{{3, 2, 1}, {3, 1, 1}, {3, 1, 0}, {2, 1, 0}}),
            Commands({C::Forward, C::TurnLeft, C::Forward}));
}

TEST(PathCommandsTest, FinderWithoutAPathGivesNoCommands) {
  CMap map;
  CPathFinder finder(map);
  EXPECT_TRUE(CommandsForPath(finder).empty());
  finder.Start({0, 0, 0}, {1, 0, kAny}, true);
  EXPECT_FALSE(finder.IsFound());
  EXPECT_TRUE(CommandsForPath(finder).empty());
}
