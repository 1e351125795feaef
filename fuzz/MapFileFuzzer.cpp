// Fuzz target: the map file reader. The bytes are read as a map file from
// memory and, through a scratch file, from disk; both readings must agree
// with each other and with a plain splitting of the text, and every query of
// the map must work on every cell of the result.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "map/CMap.h"

namespace {

// Grids up to this size are checked cell by cell and have their layers exercised.
constexpr std::uint64_t kExercisedCells = 256 * 256;

// The grid the reader should make of the bytes: rows top first, as text.
struct ExpectedGrid {
  std::vector<std::string> rows;  // first line = top row
  std::size_t width = 0;          // longest row
  bool refused = false;           // too many cells: nothing is read
};

ExpectedGrid Expect(const std::uint8_t* data, std::size_t size) {
  ExpectedGrid grid;
  grid.rows = kvfuzz::SplitPieces(data, size, CMap::mc_lineBuffer);
  for (const std::string& row : grid.rows) grid.width = std::max(grid.width, row.size());
  grid.refused = static_cast<std::uint64_t>(std::max<std::size_t>(grid.width, 1)) * grid.rows.size() > CMap::mc_maxCells;
  return grid;
}

bool IsSmall(const CMap& map) {
  return static_cast<std::uint64_t>(map.GetWidth()) * map.GetHeight() <= kExercisedCells;
}

// Visits every cell of a small grid; of a larger one, which the reader makes
// by the same code, only the bottom, middle and top rows and the left,
// middle and right columns, so that large inputs do not slow the runs down.
template <typename Visit>
void ForCheckedCells(const CMap& map, Visit visit) {
  const std::uint32_t w = map.GetWidth();
  const std::uint32_t h = map.GetHeight();
  if (IsSmall(map)) {
    for (std::uint32_t y = 0; y < h; ++y) {
      for (std::uint32_t x = 0; x < w; ++x) visit(x, y);
    }
    return;
  }
  for (std::uint32_t y : {0u, h / 2, h - 1}) {
    for (std::uint32_t x = 0; x < w; ++x) visit(x, y);
  }
  for (std::uint32_t x : {0u, w / 2, w - 1}) {
    for (std::uint32_t y = 0; y < h; ++y) visit(x, y);
  }
}

bool ExpectedWall(const ExpectedGrid& grid, std::uint32_t x, std::uint32_t y) {
  const std::string& row = grid.rows[grid.rows.size() - 1 - y];
  return x < row.size() && row[x] == '#';
}

void CheckGrid(const CMap& map, bool loaded, const ExpectedGrid& grid) {
  if (grid.refused) {
    FUZZ_CHECK(!loaded);
    FUZZ_CHECK(!map.HasGrid());
    FUZZ_CHECK(map.GetWidth() == 0 && map.GetHeight() == 0);
    return;
  }
  FUZZ_CHECK(map.GetWidth() == grid.width);
  FUZZ_CHECK(map.GetHeight() == grid.rows.size());
  FUZZ_CHECK(loaded == (grid.width > 0 && !grid.rows.empty()));
  ForCheckedCells(map, [&](std::uint32_t x, std::uint32_t y) {
    const bool wall = ExpectedWall(grid, x, y);
    FUZZ_CHECK(map.IsWall(x, y) == wall);
    FUZZ_CHECK(map.GetTile(x, y) == (wall ? 1u : 0u));
  });
}

bool SameGrid(const CMap& a, const CMap& b) {
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() || a.HasGrid() != b.HasGrid()) return false;
  bool same = true;
  ForCheckedCells(a, [&](std::uint32_t x, std::uint32_t y) { same = same && a.GetTile(x, y) == b.GetTile(x, y); });
  return same;
}

// Every query and every layer operation on every cell, with what each must give.
void ExerciseLayers(CMap& map) {
  const std::uint32_t w = map.GetWidth();
  const std::uint32_t h = map.GetHeight();
  for (int y = -1; y <= static_cast<int>(h); ++y) {
    for (int x = -1; x <= static_cast<int>(w); ++x) {
      const bool inside = x >= 0 && y >= 0 && x < static_cast<int>(w) && y < static_cast<int>(h);
      const bool wallOrOutside = map.IsWallOrOutside(x, y);
      FUZZ_CHECK(inside ? wallOrOutside == map.IsWall(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y))
                        : wallOrOutside);
    }
  }
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    for (std::uint32_t y = 0; y < h; ++y) {
      for (std::uint32_t x = 0; x < w; ++x) {
        FUZZ_CHECK(map.GetCost(x, y) == CMap::mc_cellCost);
        FUZZ_CHECK(map.GetVisible(x, y, team) == 0);
        // A pattern of its own for every cell and team shows a layer that
        // writes into another cell or team.
        const std::uint32_t mark = x * 7 + y * 13 + team;
        map.SetVisible(x, y, team, static_cast<std::uint8_t>(mark % 3 == 0));
      }
    }
  }
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    for (std::uint32_t y = 0; y < h; ++y) {
      for (std::uint32_t x = 0; x < w; ++x) {
        const std::uint32_t mark = x * 7 + y * 13 + team;
        FUZZ_CHECK(map.GetVisible(x, y, team) == static_cast<std::uint8_t>(mark % 3 == 0));
      }
    }
  }
  map.ClearVisible();
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    for (std::uint32_t y = 0; y < h; ++y) {
      for (std::uint32_t x = 0; x < w; ++x) {
        FUZZ_CHECK(map.GetVisible(x, y, team) == 0);
      }
    }
  }
}

bool IsOpen(const CMap& map, std::int64_t x, std::int64_t y) {
  return x >= 0 && y >= 0 && x < map.GetWidth() && y < map.GetHeight() &&
         !map.IsWall(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
}

// A map that holds a game has its border, open named cells and open start
// cells; one that holds larger teams holds smaller ones too.
void CheckGameFit(const CMap& map) {
  bool previous = true;
  for (std::uint32_t size = 1; size <= 10; ++size) {
    const bool fits = map.CanHoldGame(size, size);
    FUZZ_CHECK(!fits || previous);
    previous = fits;
    if (!fits) continue;
    const std::int64_t w = map.GetWidth();
    const std::int64_t h = map.GetHeight();
    FUZZ_CHECK(kvfuzz::HasClosedBorder(map));
    FUZZ_CHECK(IsOpen(map, w / 2, h / 2) && IsOpen(map, 1, h - 2) && IsOpen(map, w - 2, 1));
    for (std::int64_t i = 0; i < size; ++i) FUZZ_CHECK(IsOpen(map, i + 1, 1) && IsOpen(map, w - 2 - i, h - 2));
    FUZZ_CHECK(map.CanHoldGame(size, 1) && map.CanHoldGame(1, size));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kvfuzz::ScratchFile scratch("map.dat");
  const ExpectedGrid expected = Expect(data, size);

  CMap fromMemory;
  const bool loadedFromMemory = fromMemory.LoadFromMemory(data, size);
  CheckGrid(fromMemory, loadedFromMemory, expected);

  CMap fromFile;
  const bool loadedFromFile = fromFile.Load(scratch.Write(data, size).c_str());
  FUZZ_CHECK(loadedFromFile == loadedFromMemory);
  FUZZ_CHECK(SameGrid(fromFile, fromMemory));

  // A map is loaded again at every new game: a second load over the first
  // gives the same grid.
  const bool reloaded = fromFile.Load(scratch.Path().c_str());
  FUZZ_CHECK(reloaded == loadedFromFile);
  FUZZ_CHECK(SameGrid(fromFile, fromMemory));

  if (fromMemory.HasGrid() && IsSmall(fromMemory)) ExerciseLayers(fromMemory);
  CheckGameFit(fromMemory);
  return 0;
}
