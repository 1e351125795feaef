#include <gtest/gtest.h>

#include <string>

#include "map/CMap.h"
#include "map/MapTestSupport.h"

using maptest::LoadText;

namespace {

// A 3 x 2 map: its layers tell x + y * width apart from y + x * height.
class CMapSmallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_map.Init(3, 2);
    m_map.Clear();
  }
  CMap m_map;  // the map under test
};

}  // namespace

TEST(CMapLayersTest, ANewMapIsEmpty) {
  CMap map;
  EXPECT_EQ(map.GetWidth(), 0u);
  EXPECT_EQ(map.GetHeight(), 0u);
  EXPECT_FALSE(map.HasGrid());
  EXPECT_TRUE(map.IsWallOrOutside(0, 0));
  EXPECT_FALSE(map.CanHoldGame(1, 1));
  map.Clear();  // nothing to clear, nothing breaks
  map.ClearVisible();
}

TEST_F(CMapSmallTest, EachTeamHasItsOwnSightIndexedByRow) {
  m_map.SetVisible(2, 1, 1, 1);
  m_map.SetVisible(1, 0, 0, 1);
  for (std::uint32_t team = 0; team < 2; ++team) {
    for (std::uint32_t y = 0; y < 2; ++y) {
      for (std::uint32_t x = 0; x < 3; ++x) {
        const bool seen = (team == 1 && x == 2 && y == 1) || (team == 0 && x == 1 && y == 0);
        EXPECT_EQ(m_map.GetVisible(x, y, team), seen ? 1 : 0);
        EXPECT_EQ(m_map.Sees(team, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)), seen);
        EXPECT_FALSE(m_map.IsWall(x, y));
      }
    }
  }
  m_map.SetVisible(2, 1, 1, 0);
  EXPECT_EQ(m_map.GetVisible(2, 1, 1), 0);
}

TEST(CMapLayersTest, ClearingSightKeepsTheTilesAndClearKeepsNothing) {
  CMap map;
  ASSERT_TRUE(LoadText(map, "#.\n.#\n"));
  map.SetVisible(0, 0, 0, 1);
  map.SetVisible(0, 0, 1, 1);
  map.ClearVisible();
  EXPECT_EQ(map.GetVisible(0, 0, 0) + map.GetVisible(0, 0, 1), 0);
  EXPECT_TRUE(map.IsWall(0, 1));
  map.SetVisible(0, 0, 0, 1);
  map.Clear();  // tiles too
  EXPECT_FALSE(map.IsWall(0, 1));
  EXPECT_FALSE(map.IsWall(1, 0));
  EXPECT_EQ(map.GetVisible(0, 0, 0), 0);
}

TEST(CMapLayersTest, ACopySharesTheGridAndHasItsOwnSight) {
  CMap map;
  ASSERT_TRUE(LoadText(map, "#..\n...\n"));
  CMap copy(map);
  copy.SetVisible(1, 1, 0, 1);
  EXPECT_EQ(map.GetVisible(1, 1, 0), 0);
  // Loading the original again leaves the copy's grid as it was.
  ASSERT_TRUE(LoadText(map, "...\n...\n"));
  EXPECT_TRUE(copy.IsWall(0, 1));
  EXPECT_FALSE(map.IsWall(0, 1));
  copy = map;
  EXPECT_FALSE(copy.IsWall(0, 1));
  EXPECT_EQ(copy.GetVisible(1, 1, 0), 0);
}

TEST(CMapLayersTest, EveryCellCostsTheSame) {
  CMap map;
  ASSERT_TRUE(LoadText(map, "#.\n"));
  EXPECT_EQ(map.GetCost(0, 0), 1000u);
  EXPECT_EQ(map.GetCost(1, 0), 1000u);
}

TEST(CMapLayersTest, CellsOutsideTheGridCountAsWalls) {
  CMap map;
  ASSERT_TRUE(LoadText(map, "#..\n...\n"));
  EXPECT_TRUE(map.IsWallOrOutside(0, 1));
  EXPECT_FALSE(map.IsWallOrOutside(1, 1));
  EXPECT_FALSE(map.IsWallOrOutside(2, 0));
  EXPECT_TRUE(map.IsWallOrOutside(-1, 0));
  EXPECT_TRUE(map.IsWallOrOutside(0, -1));
  EXPECT_TRUE(map.IsWallOrOutside(3, 0));
  EXPECT_TRUE(map.IsWallOrOutside(0, 2));
  EXPECT_TRUE(map.IsWallOrOutside(-2147483647 - 1, 2147483647));
}

TEST(CMapLayersTest, FreeReleasesTheArraysAndKeepsTheSize) {
  CMap map;
  ASSERT_TRUE(LoadText(map, "...\n...\n"));
  map.Free();
  EXPECT_FALSE(map.HasGrid());
  EXPECT_EQ(map.GetWidth(), 3u);
  EXPECT_EQ(map.GetHeight(), 2u);
  EXPECT_TRUE(map.IsWallOrOutside(1, 1));  // no grid: nothing is open
  EXPECT_FALSE(map.CanHoldGame(0, 0));
  map.Free();  // twice is harmless
  map.Init(2, 2);
  map.Clear();
  EXPECT_FALSE(map.IsWall(1, 1));
}

TEST(CMapLayersTest, CanHoldGameNeedsABorderOpenStartCellsCentreAndRepairCells) {
  // Row 1 and row 3 hold the tanks; the centre (3, 2) and repair cells (1, 3) and (5, 1) are open.
  const std::string base =
      "#######\n"
      "#.....#\n"
      "#.....#\n"
      "#.....#\n"
      "#######\n";
  CMap map;
  ASSERT_TRUE(LoadText(map, base));
  EXPECT_TRUE(map.CanHoldGame(5, 5));
  EXPECT_TRUE(map.CanHoldGame(0, 0));
  EXPECT_FALSE(map.CanHoldGame(6, 1));  // Green's sixth tank would stand on the border
  EXPECT_FALSE(map.CanHoldGame(1, 6));

  auto withCell = [&base](std::size_t row, std::size_t x, char c) {
    std::string text = base;
    text[row * 8 + x] = c;
    return text;
  };
  ASSERT_TRUE(LoadText(map, withCell(2, 3, '#')));  // the centre
  EXPECT_FALSE(map.CanHoldGame(1, 1));
  ASSERT_TRUE(LoadText(map, withCell(1, 1, '#')));  // the repair cell by the top-left corner
  EXPECT_FALSE(map.CanHoldGame(1, 1));
  ASSERT_TRUE(LoadText(map, withCell(3, 5, '#')));  // the repair cell by the bottom-right corner
  EXPECT_FALSE(map.CanHoldGame(1, 1));
  ASSERT_TRUE(LoadText(map, withCell(3, 3, '#')));  // Green's third start cell
  EXPECT_TRUE(map.CanHoldGame(2, 5));
  EXPECT_FALSE(map.CanHoldGame(3, 1));
  ASSERT_TRUE(LoadText(map, withCell(1, 2, '#')));  // Blue's fourth start cell
  EXPECT_TRUE(map.CanHoldGame(5, 3));
  EXPECT_FALSE(map.CanHoldGame(1, 4));
  ASSERT_TRUE(LoadText(map, withCell(0, 6, '.')));  // a gap in the border
  EXPECT_FALSE(map.CanHoldGame(1, 1));
  ASSERT_TRUE(LoadText(map, withCell(2, 0, '.')));
  EXPECT_FALSE(map.CanHoldGame(1, 1));

  // Three rows: both teams start on the one open row and must not meet.
  ASSERT_TRUE(LoadText(map, "#######\n#.....#\n#######\n"));
  EXPECT_TRUE(map.CanHoldGame(2, 2));
  EXPECT_FALSE(map.CanHoldGame(3, 3));
  EXPECT_FALSE(map.CanHoldGame(1, 5));
  ASSERT_TRUE(LoadText(map, "###\n#.#\n###\n"));
  EXPECT_TRUE(map.CanHoldGame(1, 0));
  EXPECT_FALSE(map.CanHoldGame(1, 1));
}

using CMapDeathTest = ::testing::Test;

TEST_F(CMapDeathTest, BadArgumentsStopTheProgramNamingTheCondition) {
  CMap map;
  ASSERT_TRUE(LoadText(map, "...\n...\n"));
  EXPECT_DEATH(map.GetVisible(0, 0, 2), "Assertion failed: team < mc_numTeams, file CMap.cpp");
  EXPECT_DEATH(map.RevealSight(2, 0, 0, 0), "team < mc_numTeams");
  EXPECT_DEATH(map.GetTile(3, 0), "Assertion failed: px < m_width, file CMap.cpp");
  EXPECT_DEATH(map.SetVisible(0, 2, 0, 1), "Assertion failed: py < m_height");
  EXPECT_DEATH(map.IsWall(static_cast<std::uint32_t>(-1), 0), "px < m_width");
  EXPECT_DEATH(map.GetCost(0, 2), "py < m_height");
  EXPECT_DEATH(map.Init(2, 2), "Assertion failed: !m_grid");
  map.Free();
  EXPECT_DEATH(map.GetTile(0, 0), "Assertion failed: m_grid,");
  EXPECT_DEATH(map.GetCost(0, 0), "m_grid,");
  EXPECT_DEATH(map.GetVisible(0, 0, 0), "Assertion failed: m_grid,");
}
