// What every battlefield promises: the shipped ones, the generated ones and
// goal cells derived for maps the goal table was not written for.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/DataFiles.h"
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

// The goal cells the computer is sent to: each reached from Blue's start,
// none on the centre, a repair cell or another goal, some on either flank.
::testing::AssertionResult GoalsAreWellPlaced(const CMap& map) {
  const auto w = static_cast<std::int32_t>(map.GetWidth());
  const auto h = static_cast<std::int32_t>(map.GetHeight());
  MapCell goals[kGoalRows - 1];
  ResolveGoals(map, true, goals);
  std::vector<MapCell> taken = {{w / 2, h / 2}, {1, h - 2}, {w - 2, 1}};
  int flanks[2] = {};  // goals left and right of the centre
  for (const MapCell& goal : goals) {
    if (!Reaches(map, goal) || std::find(taken.begin(), taken.end(), goal) != taken.end()) {
      return ::testing::AssertionFailure() << "goal (" << goal.x << ", " << goal.y << ") out of reach or taken";
    }
    taken.push_back(goal);
    ++flanks[goal.x < w / 2 ? 0 : 1];
  }
  if (!flanks[0] || !flanks[1]) return ::testing::AssertionFailure() << "the goals keep to one flank";
  return ::testing::AssertionSuccess();
}

// Ten tanks a side, a picture that shows whole, the same battlefield for
// both sides, every start cell reaching the centre and both repair cells,
// well placed goals; with `marked`, every goal row marked in the file.
::testing::AssertionResult KeepsPromises(const CMap& map, bool marked) {
  if (const char* problem = BattlefieldProblem(map, 10, 10)) return ::testing::AssertionFailure() << problem;
  if (const std::string oneSided = OneSidedProblem(map); !oneSided.empty()) {
    return ::testing::AssertionFailure() << oneSided;
  }
  const auto w = static_cast<std::int32_t>(map.GetWidth());
  const auto h = static_cast<std::int32_t>(map.GetHeight());
  for (std::int32_t y = 0; y < h; ++y) {
    for (std::int32_t x = 0; x < w; ++x) {
      if (map.IsWall(x, y) != map.IsWall(w - 1 - x, h - 1 - y)) {
        return ::testing::AssertionFailure() << "(" << x << ", " << y << ") differs from its turned twin";
      }
    }
  }
  for (std::uint32_t row = 0; row + 1 < kGoalRows; ++row) {
    MapCell mark{};
    if (marked && !map.GetGoalMark(row, mark)) return ::testing::AssertionFailure() << "goal row " << row << " unmarked";
  }
  // Reaching is mutual: every start cell reached from Blue's first one
  // reaches whatever that one reaches.
  std::vector<MapCell> musts = {{w / 2, h / 2}, {1, h - 2}, {w - 2, 1}};
  for (std::int32_t i = 0; i < 10; ++i) musts.insert(musts.end(), {MapCell{i + 1, 1}, MapCell{w - 2 - i, h - 2}});
  for (const MapCell& must : musts) {
    if (!Reaches(map, must)) {
      return ::testing::AssertionFailure() << "Blue's start cannot reach (" << must.x << ", " << must.y << ")";
    }
  }
  return GoalsAreWellPlaced(map);
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
  for (std::size_t i = 0; i + 1 < list.GetCount(); ++i, list.Step(1)) {
    SCOPED_TRACE(list.GetFile());
    CMap map;
    ASSERT_TRUE(map.Load(list.GetFile().c_str()));
    // The default carries no marks: the goal table was written for it and
    // its cells must stay as written.
    const bool isDefault = i == 0;
    EXPECT_TRUE(KeepsPromises(map, !isDefault));
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
    const std::uint32_t share = WallShareInside(map);
    ASSERT_GE(share, MapGenerator::mc_minWallPercent) << "seed " << seed << "\n" << text;
    ASSERT_LE(share, MapGenerator::mc_maxWallPercent) << "seed " << seed << "\n" << text;
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

TEST(BattlefieldTest, GoalMarksAreTheFirstDigitOneToSixOfEachRowAndForgottenOnReload) {
  CMap map;
  // Rows 0 and 5 marked ('7' and '0' mark nothing, a second '1' changes nothing).
  ASSERT_TRUE(LoadText(map, "#######\n#.6.70#\n#.1..1#\n#######\n"));
  const MapCell none{-1, -1};
  const MapCell expected[CMap::mc_goalMarks] = {{2, 1}, none, none, none, none, {2, 2}};
  for (std::uint32_t row = 0; row < CMap::mc_goalMarks; ++row) {
    MapCell cell = none;
    EXPECT_EQ(map.GetGoalMark(row, cell), expected[row] != none) << row;
    EXPECT_EQ(cell, expected[row]) << row;
  }
  ASSERT_TRUE(LoadText(map, "###\n#.#\n###\n"));
  MapCell cell{};
  EXPECT_FALSE(map.GetGoalMark(0, cell));
}

TEST(BattlefieldTest, MapsTheGoalTableDoesNotFitGetWellPlacedGoals) {
  for (const char* file : {"tests/maps/world_arena.dat", "tests/maps/ai_innerwall.dat", "tests/maps/world_narrow.dat"}) {
    CMap map;
    ASSERT_TRUE(map.Load(file)) << file;
    EXPECT_TRUE(GoalsAreWellPlaced(map)) << file;
  }
}
