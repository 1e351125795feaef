#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/DataFiles.h"
#include "map/BuiltInMap.h"
#include "map/CMap.h"
#include "map/MapTestSupport.h"
#include "support/TempDir.h"

using maptest::CountWalls;
using maptest::GridText;

namespace {

// Writes the bytes as a map file and loads it.
bool LoadFile(CMap& map, const std::string& bytes) {
  TempDir dir;
  return map.Load(dir.Write("map.dat", bytes).c_str());
}

std::string ReadBytes(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string ShippedGrid() {
  CMap map;
  EXPECT_TRUE(map.LoadBuiltIn());
  return GridText(map);
}

// What a new game does with the map file for a team size of ten each.
void LoadForNewGame(CMap& map, const char* path) {
  if (!map.Load(path) || !map.CanHoldGame(10, 10)) map.LoadBuiltIn();
}

}  // namespace

TEST(CMapLoadTest, LongestLineGivesTheWidthAndShortLinesArePaddedWithOpenGround) {
  CMap map;
  ASSERT_TRUE(LoadFile(map, "#\n###\n##\n"));
  EXPECT_EQ(map.GetWidth(), 3u);
  EXPECT_EQ(map.GetHeight(), 3u);
  EXPECT_EQ(GridText(map), "#..\n###\n##.\n");
}

TEST(CMapLoadTest, ThreeLinesOfFiveMakeAFiveByThreeGridWithTheFirstLineOnTop) {
  CMap map;
  ASSERT_TRUE(LoadFile(map, "#####\n#...#\n#####\n"));
  ASSERT_EQ(map.GetWidth(), 5u);
  ASSERT_EQ(map.GetHeight(), 3u);
  for (std::uint32_t x = 0; x < 5; ++x) {
    EXPECT_EQ(map.IsWall(x, 1), x == 0 || x == 4) << x;
    EXPECT_EQ(map.GetTile(x, 1), (x == 0 || x == 4) ? 1u : 0u) << x;
    EXPECT_TRUE(map.IsWall(x, 0));
    EXPECT_TRUE(map.IsWall(x, 2));
  }
  // An uneven file shows which line is which row.
  ASSERT_TRUE(LoadFile(map, "#..\n...\n..#\n"));
  EXPECT_TRUE(map.IsWall(0, 2));
  EXPECT_TRUE(map.IsWall(2, 0));
  EXPECT_EQ(CountWalls(map), 2u);
}

TEST(CMapLoadTest, EveryCharacterButTheHashIsOpenGround) {
  CMap map;
  const std::string row = std::string(" x.#\t") + '\0' + "\xff#\x80@";
  ASSERT_TRUE(LoadFile(map, row + "\n"));
  EXPECT_EQ(map.GetWidth(), row.size());
  EXPECT_EQ(GridText(map), "...#...#..\n");
}

TEST(CMapLoadTest, LineEnds) {
  CMap map;
  ASSERT_TRUE(LoadFile(map, "##\n#."));  // the last line has no line feed and still counts
  EXPECT_EQ(GridText(map), "##\n#.\n");
  ASSERT_TRUE(LoadFile(map, "##\n"));  // a final line feed adds no row
  EXPECT_EQ(map.GetHeight(), 1u);
  ASSERT_TRUE(LoadFile(map, "##\n\n##\n"));  // an empty line is a row of open ground
  EXPECT_EQ(GridText(map), "##\n..\n##\n");

  ASSERT_TRUE(LoadFile(map, "#.#\n.#\n#\n"));
  const std::string withLineFeeds = GridText(map);
  ASSERT_TRUE(LoadFile(map, "#.#\r\n.#\r\n#\r\n"));
  EXPECT_EQ(GridText(map), withLineFeeds);
  EXPECT_EQ(map.GetWidth(), 3u);

  ASSERT_TRUE(LoadFile(map, "#\r#\n"));  // a lone carriage return is a character like any other
  EXPECT_EQ(GridText(map), "#.#\n");
}

TEST(CMapLoadTest, AFileWithoutCellsGivesNoGrid) {
  CMap map;
  EXPECT_FALSE(LoadFile(map, ""));
  EXPECT_EQ(map.GetWidth(), 0u);
  EXPECT_EQ(map.GetHeight(), 0u);
  EXPECT_TRUE(map.IsWallOrOutside(0, 0));
  EXPECT_FALSE(map.CanHoldGame(1, 1));

  EXPECT_FALSE(LoadFile(map, "\n\n\n"));  // three empty rows, no columns
  EXPECT_EQ(map.GetWidth(), 0u);
  EXPECT_EQ(map.GetHeight(), 3u);
  EXPECT_TRUE(map.IsWallOrOutside(0, 0));
}

TEST(CMapLoadTest, AFileThatCannotBeReadLeavesTheMapEmpty) {
  CMap map;
  ASSERT_TRUE(map.LoadBuiltIn());
  TempDir dir;
  EXPECT_FALSE(map.Load(dir.File("missing.dat").c_str()));
  EXPECT_FALSE(map.HasGrid());
  // An empty map has no size either, so nothing walks a grid that is not there.
  EXPECT_EQ(map.GetWidth(), 0u);
  EXPECT_EQ(map.GetHeight(), 0u);
  EXPECT_TRUE(map.IsWallOrOutside(0, 0));

  ASSERT_TRUE(map.LoadBuiltIn());
  EXPECT_FALSE(map.Load(dir.Path().c_str()));  // a folder
  EXPECT_EQ(map.GetWidth(), 0u);
  EXPECT_FALSE(map.Load(nullptr));
}

TEST(CMapLoadTest, LongLinesAreReadInPiecesThatEachMakeARow) {
  CMap map;
  // 3,022 characters and the line feed fill the 3,024-byte buffer: one row.
  ASSERT_TRUE(LoadFile(map, std::string(3022, '#') + "\n"));
  EXPECT_EQ(map.GetWidth(), 3022u);
  EXPECT_EQ(map.GetHeight(), 1u);
  ASSERT_TRUE(LoadFile(map, std::string(3022, '#') + "\r\n"));
  EXPECT_EQ(map.GetHeight(), 1u);

  // One more and the line end is left over: it makes an open row of its own.
  ASSERT_TRUE(LoadFile(map, std::string(3023, '#') + "\n"));
  EXPECT_EQ(map.GetWidth(), 3023u);
  ASSERT_EQ(map.GetHeight(), 2u);
  EXPECT_TRUE(map.IsWall(3022, 1));
  EXPECT_FALSE(map.IsWall(0, 0));

  // Pieces of 3,023 characters, the rest on a row of its own.
  ASSERT_TRUE(LoadFile(map, std::string(3023, '.') + std::string(3024, '#') + "\n"));
  ASSERT_EQ(map.GetHeight(), 3u);
  EXPECT_EQ(map.GetWidth(), 3023u);
  EXPECT_EQ(CountWalls(map), 3024u);
  EXPECT_FALSE(map.IsWall(0, 2));
  EXPECT_TRUE(map.IsWall(3022, 1));
  EXPECT_TRUE(map.IsWall(0, 0));
  EXPECT_FALSE(map.IsWall(1, 0));
}

TEST(CMapLoadTest, NoTeamSeesAnythingAfterALoad) {
  CMap map;
  ASSERT_TRUE(map.LoadBuiltIn());
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) map.SetVisible(3, 4, team, 1);
  ASSERT_TRUE(LoadFile(map, "#####\n#...#\n#...#\n#...#\n#...#\n#...#\n#...#\n#...#\n#####\n"));
  ASSERT_TRUE(map.LoadBuiltIn());
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
      for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
        ASSERT_EQ(map.GetVisible(x, y, team), 0) << x << "," << y;
      }
    }
  }
}

TEST(CMapLoadTest, GridsOfMoreThanAMillionCellsAreRefused) {
  CMap map;
  std::string square;
  for (int row = 0; row < 1000; ++row) square += std::string(1000, row % 2 ? '#' : '.') + "\n";
  ASSERT_TRUE(LoadFile(map, square));
  EXPECT_EQ(map.GetWidth(), 1000u);
  EXPECT_EQ(map.GetHeight(), 1000u);
  EXPECT_EQ(CountWalls(map), 500u * 1000u);

  EXPECT_FALSE(LoadFile(map, square + ".\n"));
  EXPECT_FALSE(map.HasGrid());
  EXPECT_EQ(map.GetWidth(), 0u);
  EXPECT_EQ(map.GetHeight(), 0u);

  // Ten megabytes on one line: pieces of 3,023 cells, far too many of them.
  EXPECT_FALSE(LoadFile(map, std::string(10 * 1024 * 1024, '#')));
  EXPECT_FALSE(map.HasGrid());
  // So are a million and one empty rows.
  EXPECT_FALSE(LoadFile(map, std::string(1000 * 1000 + 1, '\n')));
  EXPECT_EQ(map.GetHeight(), 0u);
}

TEST(CMapLoadTest, BinaryDataLoadsEveryHashAsAWallAndNothingElse) {
  std::mt19937 random(20261207);
  std::string bytes(64 * 1024, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  std::size_t hashes = 0;
  for (char c : bytes) hashes += c == '#' ? 1 : 0;
  CMap map;
  ASSERT_TRUE(LoadFile(map, bytes));
  EXPECT_LE(map.GetWidth(), 3023u);
  EXPECT_EQ(CountWalls(map), hashes);
  EXPECT_FALSE(map.CanHoldGame(1, 1));
}

TEST(CMapLoadTest, TheBuiltInMapIsTheShippedFile) {
  const std::string shipped = ReadBytes(kv::kMapFile);
  ASSERT_FALSE(shipped.empty()) << "tests run from the repository root";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(kv::kBuiltInMap), kv::kBuiltInMapSize), shipped);

  CMap fromFile;
  CMap builtIn;
  ASSERT_TRUE(fromFile.Load(kv::kMapFile));
  ASSERT_TRUE(builtIn.LoadBuiltIn());
  EXPECT_EQ(builtIn.GetWidth(), fromFile.GetWidth());
  EXPECT_EQ(builtIn.GetHeight(), fromFile.GetHeight());
  EXPECT_EQ(GridText(builtIn), GridText(fromFile));
  // The battlefield fits the screen: cells 32 pixels apart from x = 50, the HUD from x = 854.
  EXPECT_LE(50 + 32 * (builtIn.GetWidth() - 1) + 16, 854u);
  EXPECT_LE(50 + 32 * (builtIn.GetHeight() - 1) + 16, 768u);
  for (std::uint32_t green = 1; green <= 10; ++green) {
    for (std::uint32_t blue = 1; blue <= 10; ++blue) {
      EXPECT_TRUE(builtIn.CanHoldGame(green, blue)) << green << " v " << blue;
    }
  }
}

TEST(CMapLoadTest, ANewGameFallsBackOnTheBuiltInMapWhenTheFileCannotHoldIt) {
  const std::string shipped = ShippedGrid();
  std::string borderless = shipped;
  borderless[0] = '.';
  std::string centreWall = shipped;
  CMap probe;
  ASSERT_TRUE(probe.LoadBuiltIn());
  const std::size_t lineLength = probe.GetWidth() + 1;
  const std::size_t centreRow = probe.GetHeight() - 1 - probe.GetHeight() / 2;
  centreWall[centreRow * lineLength + probe.GetWidth() / 2] = '#';
  std::string binary(4096, '\0');
  std::mt19937 random(7);
  for (char& c : binary) c = static_cast<char>(random() & 0xFF);

  const std::vector<std::string> unusable = {
      "",
      binary,
      std::string(10 * 1024 * 1024, '.'),
      borderless,
      centreWall,
      "#####\n#...#\n#####\n",          // too small for the teams
      shipped.substr(0, 5 * lineLength), // cut short
  };
  TempDir dir;
  for (std::size_t i = 0; i < unusable.size(); ++i) {
    CMap map;
    LoadForNewGame(map, dir.Write("map" + std::to_string(i) + ".dat", unusable[i]).c_str());
    EXPECT_EQ(GridText(map), shipped) << "file " << i;
  }
  CMap map;
  LoadForNewGame(map, dir.File("missing.dat").c_str());
  EXPECT_EQ(GridText(map), shipped);

  // A usable map of the player's own is kept: the shipped one with a wall more.
  std::string own = shipped;
  own[2 * lineLength + 5] = '#';
  LoadForNewGame(map, dir.Write("own.dat", own).c_str());
  EXPECT_EQ(GridText(map), own);
}
