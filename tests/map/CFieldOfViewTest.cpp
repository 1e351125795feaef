#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "map/CFieldOfView.h"
#include "map/CMap.h"
#include "map/FieldOfViewTestSupport.h"
#include "map/MapTestSupport.h"

using namespace maptest;

namespace {

struct RevealCall {
  int x, y, d, s;
};

void Record(const CMap&, int x, int y, int d, int s, void* context) {
  static_cast<std::vector<RevealCall>*>(context)->push_back({x, y, d, s});
}

std::vector<RevealCall> RecordCast(CMap& map, int x, int y, int direction, float angle) {
  CFieldOfView vision;
  vision.SetOpaqueTest(BlocksSight);
  vision.SetRevealAction(Record);
  std::vector<RevealCall> calls;
  vision.Cast(map, &calls, x, y, kRadius, direction, angle);
  return calls;
}

}  // namespace

TEST(CFieldOfViewTest, OpenFieldShowsTheClosedHalfPlaneInFrontForEveryFacing) {
  CMap map;
  LoadField(map, 61, 61);
  for (int direction : kFacings) {
    EXPECT_EQ(Cast(map, 30, 30, direction), HalfPlane(30, 30, direction, kRadius, 61, 61)) << direction;
  }
  // Facing +x in particular.
  const CellSet seen = Cast(map, 30, 30, 0);
  for (Cell cell : {Cell{31, 30}, Cell{31, 31}, Cell{31, 29}, Cell{30, 31}, Cell{30, 29}, Cell{54, 30}}) {
    EXPECT_TRUE(seen.count(cell)) << cell.first << "," << cell.second;
  }
  EXPECT_FALSE(seen.count({29, 30}));  // behind
  EXPECT_FALSE(seen.count({55, 30}));  // the circle's last column is never shown
  EXPECT_FALSE(seen.count({30, 30}));  // the viewer's own cell is the world's to show
}

TEST(CFieldOfViewTest, EveryCellIsRevealedOnceWithItsOctantDistances) {
  CMap map;
  LoadField(map, 61, 61, {{33, 31}, {28, 27}, {30, 36}});
  for (int direction : kFacings) {
    for (float angle : {kBeam, 90.0f, 270.0f, 360.0f}) {
      std::map<Cell, int> times;
      for (const RevealCall& call : RecordCast(map, 30, 30, direction, angle)) {
        const int dx = std::abs(call.x - 30);
        const int dy = std::abs(call.y - 30);
        EXPECT_EQ(call.d, std::max(dx, dy));
        EXPECT_EQ(call.s, std::min(dx, dy));
        ++times[{call.x, call.y}];
      }
      for (const auto& entry : times) {
        EXPECT_EQ(entry.second, 1) << entry.first.first << "," << entry.first.second << " facing " << direction
                                   << " angle " << angle;
      }
    }
  }
}

TEST(CFieldOfViewTest, AWallIsShownAndHidesWhatLiesBehindIt) {
  CMap map;
  LoadField(map, 61, 61, {{31, 30}});
  const CellSet seen = Cast(map, 30, 30, 0);
  EXPECT_TRUE(seen.count({31, 30}));
  EXPECT_FALSE(seen.count({32, 30}));
  EXPECT_FALSE(seen.count({40, 30}));
  EXPECT_TRUE(seen.count({32, 32}));
  EXPECT_TRUE(seen.count({32, 28}));

  // A blocker on the line straight to the side ends that line.
  LoadField(map, 61, 61, {{33, 30}});
  const CellSet down = Cast(map, 30, 30, 2);
  EXPECT_TRUE(down.count({32, 30}));
  EXPECT_TRUE(down.count({33, 30}));
  EXPECT_FALSE(down.count({34, 30}));
  EXPECT_TRUE(down.count({5, 30}));  // the other side reaches the full radius
}

TEST(CFieldOfViewTest, CellsOutsideTheGridBlockAndAreNeverMarked) {
  CMap map;
  LoadField(map, 12, 9);  // no border at all
  for (int direction : kFacings) {
    for (Cell viewer : {Cell{0, 0}, Cell{11, 8}, Cell{0, 4}, Cell{6, 0}}) {
      EXPECT_EQ(Cast(map, viewer.first, viewer.second, direction),
                HalfPlane(viewer.first, viewer.second, direction, kRadius, 12, 9))
          << viewer.first << "," << viewer.second << " facing " << direction;
    }
  }
  // The first ring of cells outside the grid blocks every line of sight, so no
  // cell beyond it is ever handed to the reveal action.
  for (int direction : kFacings) {
    for (Cell viewer : {Cell{0, 4}, Cell{1, 4}, Cell{1, 1}, Cell{10, 7}, Cell{5, 8}}) {
      for (float angle : {kBeam, 360.0f}) {
        for (const RevealCall& call : RecordCast(map, viewer.first, viewer.second, direction, angle)) {
          EXPECT_TRUE(call.x >= -1 && call.x <= 12 && call.y >= -1 && call.y <= 9)
              << call.x << "," << call.y << " from " << viewer.first << "," << viewer.second;
        }
      }
    }
  }
}

TEST(CFieldOfViewTest, BeamWidths) {
  CMap map;
  LoadField(map, 61, 61);
  // 90 degrees: the two octants either side of the centre line, diagonals included.
  CellSet wedge;
  for (int dx = 1; dx < 25; ++dx) {
    for (int dy = -dx; dy <= dx; ++dy) {
      if (InDisc(dx, dy, kRadius)) wedge.insert({30 + dx, 30 + dy});
    }
  }
  EXPECT_EQ(Cast(map, 30, 30, 0, 90.0f), wedge);

  // Exactly 180 degrees leaves out the line to the sides for facings -y and -x.
  for (int direction : {2, 4}) {
    const CellSet half = Cast(map, 30, 30, direction, 180.0f);
    const Cell side = Forward((direction + 2) % 8);
    EXPECT_FALSE(half.count({30 + side.first, 30 + side.second})) << direction;
    EXPECT_FALSE(half.count({30 - side.first, 30 - side.second})) << direction;
    EXPECT_TRUE(Cast(map, 30, 30, direction, 181.0f).count({30 + side.first, 30 + side.second})) << direction;
  }

  // The whole circle, without the viewer.
  CellSet circle;
  for (int dx = -25; dx <= 25; ++dx) {
    for (int dy = -25; dy <= 25; ++dy) {
      if ((dx || dy) && InDisc(dx, dy, kRadius)) circle.insert({30 + dx, 30 + dy});
    }
  }
  for (int direction : kFacings) {
    EXPECT_EQ(Cast(map, 30, 30, direction, 360.0f), circle);
    EXPECT_EQ(Cast(map, 30, 30, direction, 1000.0f), circle);
  }

  // No beam at all.
  EXPECT_TRUE(Cast(map, 30, 30, 0, 0.0f).empty());
  EXPECT_TRUE(Cast(map, 30, 30, 6, -90.0f).empty());
  EXPECT_TRUE(Cast(map, 30, 30, 6, std::numeric_limits<float>::quiet_NaN()).empty());
  EXPECT_TRUE(Cast(map, 30, 30, 6, 181.0f, 0).empty());
  // Radius 2 shows the neighbours in front only.
  EXPECT_EQ(Cast(map, 30, 30, 6, 181.0f, 2), (CellSet{{29, 30}, {31, 30}, {29, 31}, {30, 31}, {31, 31}}));
}

TEST(CFieldOfViewTest, ColumnExtentsFollowTheCircle) {
  CFieldOfView vision;
  const std::uint32_t expected[27] = {25, 24, 24, 24, 24, 24, 24, 24, 23, 23, 22, 22, 21, 21,
                                      20, 20, 19, 18, 17, 16, 15, 13, 11, 9,  7,  0,  0};
  for (std::uint32_t k = 0; k < 27; ++k) EXPECT_EQ(vision.ColumnExtent(25, k), expected[k]) << k;
  EXPECT_EQ(vision.ColumnExtent(25, 1000), 0u);
  // A smaller and a larger radius later keep the tables built before.
  EXPECT_EQ(vision.ColumnExtent(3, 0), 3u);
  EXPECT_EQ(vision.ColumnExtent(3, 2), 2u);  // floor(sqrt(5))
  EXPECT_EQ(vision.ColumnExtent(40, 24), 32u);
  for (std::uint32_t k = 0; k < 27; ++k) EXPECT_EQ(vision.ColumnExtent(25, k), expected[k]) << k;
  EXPECT_EQ(vision.ColumnExtent(1, 0), 1u);
  EXPECT_EQ(vision.ColumnExtent(1, 1), 0u);
  EXPECT_EQ(vision.ColumnExtent(0, 0), 0u);
}

using CFieldOfViewDeathTest = ::testing::Test;

TEST_F(CFieldOfViewDeathTest, CastingWithoutFunctionsOrWithAnUnknownFacingStopsTheProgram) {
  CMap map;
  LoadField(map, 5, 5);
  CFieldOfView vision;
  SightTarget team{&map, 0};
  EXPECT_DEATH(vision.Cast(map, &team, 2, 2, 25, 0, 181.0f), "m_blocksSight");
  vision.SetOpaqueTest(BlocksSight);
  EXPECT_DEATH(vision.Cast(map, &team, 2, 2, 25, 0, 181.0f), "m_reveal");
  vision.SetRevealAction(RevealForTeam);
  EXPECT_DEATH(vision.Cast(map, &team, 2, 2, 25, 1, 181.0f), "direction");
  EXPECT_DEATH(vision.Cast(map, &team, 2, 2, 25, 8, 181.0f), "direction");
}

// A field whose walls lie symmetrically about a line through the viewer must
// be seen symmetrically: in particular a wall on the diagonal shadows both
// sides of the diagonal alike, although only one of the two octants there
// reveals the diagonal's cells.
TEST(CFieldOfViewTest, SymmetricWallsCastSymmetricShadows) {
  constexpr int v = 30;
  auto mirrorDiagonal = [](Cell c) { return Cell{v + (c.second - v), v + (c.first - v)}; };
  auto mirrorVertical = [](Cell c) { return Cell{2 * v - c.first, c.second}; };
  auto mirrorHorizontal = [](Cell c) { return Cell{c.first, 2 * v - c.second}; };
  auto symmetric = [](const CellSet& cells, auto mirror) {
    for (const Cell& c : cells) {
      if (!cells.count(mirror(c))) return false;
    }
    return true;
  };
  CMap map;
  LoadField(map, 61, 61, {{31, 31}});
  const CellSet seen = Cast(map, v, v, 0, 360.0f);
  EXPECT_TRUE(symmetric(seen, mirrorDiagonal));
  EXPECT_TRUE(seen.count({31, 32}));  // past the wall's corner
  EXPECT_TRUE(seen.count({32, 31}));
  EXPECT_FALSE(seen.count({32, 33}));  // in its shadow, on either side of the diagonal
  EXPECT_FALSE(seen.count({33, 32}));
  EXPECT_FALSE(seen.count({32, 32}));

  std::uint32_t seed = 99;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 20; ++round) {
    CellSet walls;
    for (int i = 0; i < 150; ++i) {
      const Cell c{v - 20 + static_cast<int>(next() % 41), v - 20 + static_cast<int>(next() % 41)};
      if (c == Cell{v, v}) continue;
      walls.insert(c);
      walls.insert(mirrorDiagonal(c));
      walls.insert(mirrorVertical(c));
      walls.insert(mirrorHorizontal(c));
      walls.insert(mirrorVertical(mirrorHorizontal(c)));
      walls.insert(mirrorDiagonal(mirrorVertical(c)));
      walls.insert(mirrorDiagonal(mirrorHorizontal(c)));
      walls.insert(mirrorDiagonal(mirrorVertical(mirrorHorizontal(c))));
    }
    LoadField(map, 61, 61, walls);
    EXPECT_TRUE(symmetric(Cast(map, v, v, 0, 360.0f), mirrorDiagonal)) << round;
    EXPECT_TRUE(symmetric(Cast(map, v, v, 6, 360.0f), mirrorVertical)) << round;
    for (int direction : {2, 6}) EXPECT_TRUE(symmetric(Cast(map, v, v, direction), mirrorVertical)) << round;
    for (int direction : {0, 4}) EXPECT_TRUE(symmetric(Cast(map, v, v, direction), mirrorHorizontal)) << round;
  }
}
