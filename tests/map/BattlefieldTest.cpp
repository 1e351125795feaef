// What every battlefield promises: the shipped ones, the generated ones and
// goal cells derived for maps the goal table was not written for.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "engine/DataFiles.h"
#include "map/Battlefield.h"
#include "map/CBattlefieldList.h"
#include "map/MapGenerator.h"
#include "map/MapTestSupport.h"

using maptest::LoadText;

namespace {

// Blue's first start cell reaches the cell round the walls.
bool Reaches(const CMap& map, MapCell cell) {
  const auto w = static_cast<std::int32_t>(map.GetWidth());
  const auto h = static_cast<std::int32_t>(map.GetHeight());
  return map.AreConnected(w - 2, h - 2, cell.x, cell.y);
}

// Ten tanks a side, a picture that shows whole, the same battlefield for
// both sides, every start cell reaching the centre, both repair cells and
// every goal cell; with `marked`, every goal row marked in the file.
::testing::AssertionResult KeepsPromises(const CMap& map, bool marked) {
  if (const char* problem = BattlefieldProblem(map, 10, 10)) return ::testing::AssertionFailure() << problem;
  const auto w = static_cast<std::int32_t>(map.GetWidth());
  const auto h = static_cast<std::int32_t>(map.GetHeight());
  for (std::int32_t y = 0; y < h; ++y) {
    for (std::int32_t x = 0; x < w; ++x) {
      if (map.IsWall(x, y) != map.IsWall(w - 1 - x, h - 1 - y)) {
        return ::testing::AssertionFailure() << "(" << x << ", " << y << ") differs from its turned twin";
      }
    }
  }
  MapCell goals[kGoalRows - 1];
  ResolveGoals(map, true, goals);
  std::vector<MapCell> musts = {{w / 2, h / 2}, {1, h - 2}, {w - 2, 1}};
  for (std::uint32_t row = 0; row + 1 < kGoalRows; ++row) {
    MapCell mark{};
    if (marked && !map.GetGoalMark(row, mark)) return ::testing::AssertionFailure() << "goal row " << row << " unmarked";
    musts.push_back(goals[row]);
  }
  // Reaching is mutual: every start cell reached from Blue's first one
  // reaches whatever that one reaches.
  for (std::int32_t i = 0; i < 10; ++i) musts.insert(musts.end(), {MapCell{i + 1, 1}, MapCell{w - 2 - i, h - 2}});
  for (const MapCell& must : musts) {
    if (!Reaches(map, must)) {
      return ::testing::AssertionFailure() << "Blue's start cannot reach (" << must.x << ", " << must.y << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

std::uint32_t WallShareInside(const CMap& map) {
  const std::uint32_t inside = (map.GetWidth() - 2) * (map.GetHeight() - 2);
  const auto border = static_cast<std::uint32_t>(2 * (map.GetWidth() + map.GetHeight()) - 4);
  return static_cast<std::uint32_t>((maptest::CountWalls(map) - border) * 100 / inside);
}

}  // namespace

TEST(BattlefieldTest, EveryShippedBattlefieldKeepsItsPromises) {
  CBattlefieldList list;
  list.Load(kv::kMapListFile, kv::kDataFolder, kv::kMapFile);
  ASSERT_GE(list.GetCount(), 8u);  // the default, six more at least, the generated one
  EXPECT_EQ(list.GetFile(), kv::kMapFile);
  std::set<std::string> names;
  for (std::size_t i = 0; i + 1 < list.GetCount(); ++i, list.Step(1)) {
    SCOPED_TRACE(list.GetFile());
    CMap map;
    ASSERT_TRUE(map.Load(list.GetFile().c_str()));
    // The default carries no marks: the goal table was written for it and
    // its cells must stay as written.
    const bool isDefault = i == 0;
    EXPECT_TRUE(KeepsPromises(map, !isDefault));
    EXPECT_TRUE(names.insert(list.GetName()).second) << list.GetName();
    EXPECT_NE(list.GetName(), "Default");
    if (!isDefault) continue;
    MapCell goals[kGoalRows - 1];
    ResolveGoals(map, true, goals);
    for (std::uint32_t row = 0; row + 1 < kGoalRows; ++row) EXPECT_EQ(goals[row], kGoalTable[row]) << row;
  }
}

TEST(BattlefieldTest, GeneratedBattlefieldsKeepTheirPromisesForEverySeed) {
  // The sanitizer build, unoptimised and about fifty times slower here, runs
  // a fiftieth of the seeds: the same checks.
#if defined(__SANITIZE_ADDRESS__)
  constexpr std::uint32_t kSeeds = 200;
#else
  constexpr std::uint32_t kSeeds = 10000;
#endif
  std::set<std::string> distinct;
  for (std::uint32_t i = 0; i < kSeeds; ++i) {
    const std::uint32_t seed = i * 2654435761u;  // spread over the whole range
    const std::string text = MapGenerator::Generate(seed);
    CMap map;
    ASSERT_TRUE(LoadText(map, text));
    ASSERT_TRUE(KeepsPromises(map, true)) << "seed " << seed << "\n" << text;
    ASSERT_GE(map.GetWidth(), MapGenerator::mc_minWidth) << seed;
    ASSERT_GE(map.GetHeight(), MapGenerator::mc_minHeight) << seed;
    const std::uint32_t share = WallShareInside(map);
    ASSERT_GE(share, MapGenerator::mc_minWallPercent) << "seed " << seed << "\n" << text;
    ASSERT_LE(share, MapGenerator::mc_maxWallPercent) << "seed " << seed << "\n" << text;
    for (std::uint32_t row = 0; row + 1 < kGoalRows; ++row) {
      MapCell goal{};
      map.GetGoalMark(row, goal);
      ASSERT_NE(goal, (MapCell{static_cast<std::int32_t>(map.GetWidth() / 2), static_cast<std::int32_t>(map.GetHeight() / 2)}));
    }
    if (i < 100) {
      ASSERT_EQ(text, MapGenerator::Generate(seed)) << "seed " << seed;
      distinct.insert(text);
    }
  }
  EXPECT_EQ(distinct.size(), 100u);
}

TEST(BattlefieldTest, GeneratedBattlefieldsAreTheSameOnEveryMachine) {
  // A fingerprint (FNV-1a) of the first battlefields: a change of compiler,
  // platform or library that changed what a seed gives would change it.
  std::uint32_t hash = 2166136261u;
  for (std::uint32_t seed = 0; seed < 50; ++seed) {
    for (const char c : MapGenerator::Generate(seed)) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  }
  EXPECT_EQ(hash, 3835534799u);
}

TEST(BattlefieldTest, GoalMarksDigitsOneToSixAsOpenGround) {
  struct Case {
    const char* text;
    std::vector<int> marked;  // rows marked
    MapCell cell;             // where row 0 (or the first marked row) is
  };
  const Case cases[] = {
      {"#####\n#1.2#\n#####\n", {0, 1}, {1, 1}},
      {"#####\n#.6.#\n#.1.#\n#####\n", {0, 5}, {2, 1}},
      {"#####\n#170#\n#1..#\n#####\n", {0}, {1, 2}},  // 7 and 0 mark nothing; the first mark of a row counts
  };
  for (const Case& c : cases) {
    CMap map;
    ASSERT_TRUE(LoadText(map, c.text));
    for (std::uint32_t row = 0; row < CMap::mc_goalMarks; ++row) {
      MapCell cell{-1, -1};
      const bool expected = std::find(c.marked.begin(), c.marked.end(), static_cast<int>(row)) != c.marked.end();
      EXPECT_EQ(map.GetGoalMark(row, cell), expected) << c.text << row;
      if (expected) {
        EXPECT_FALSE(map.IsWall(cell.x, cell.y)) << c.text << row;
      }
      if (static_cast<int>(row) == c.marked.front()) {
        EXPECT_EQ(cell, c.cell) << c.text;
      }
    }
    // A reload without marks forgets the old ones.
    ASSERT_TRUE(LoadText(map, "###\n#.#\n###\n"));
    MapCell cell{};
    EXPECT_FALSE(map.GetGoalMark(static_cast<std::uint32_t>(c.marked.front()), cell));
  }
}

TEST(BattlefieldTest, GoalsOfMapsTheTableDoesNotFitAreReachableDistinctCellsAroundTheCentre) {
  const char* const files[] = {"tests/maps/world_arena.dat", "tests/maps/ai_innerwall.dat", "tests/maps/world_narrow.dat"};
  for (const char* file : files) {
    CMap map;
    ASSERT_TRUE(map.Load(file)) << file;
    MapCell goals[kGoalRows - 1];
    ResolveGoals(map, true, goals);
    const auto w = static_cast<std::int32_t>(map.GetWidth());
    const auto h = static_cast<std::int32_t>(map.GetHeight());
    int left = 0, right = 0;
    for (std::uint32_t row = 0; row + 1 < kGoalRows; ++row) {
      EXPECT_TRUE(Reaches(map, goals[row])) << file << " row " << row;
      EXPECT_NE(goals[row], (MapCell{w / 2, h / 2})) << file;
      for (std::uint32_t other = 0; other < row; ++other) EXPECT_NE(goals[row], goals[other]) << file << row;
      (goals[row].x < w / 2 ? left : right) += 1;
    }
    // Both flanks, as the table's rows lie on both sides of the centre.
    EXPECT_GT(left, 0) << file;
    EXPECT_GT(right, 0) << file;
  }
}
