#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "map/MapCell.h"

class CSightTable;

// The battlefield: a grid of open and wall cells read from a map file, its
// named cells (the centre, the repair cells, the teams' start cells), and for
// each team the layer of cells it sees.
//
// Cell (x, y) has column x from the left and row y from the bottom. The
// accessors take unsigned coordinates and stop the program on a cell outside
// the grid; code that walks from cell to cell asks IsWallOrOutside instead,
// which treats every cell outside the grid as a wall.
//
// A map is a value: copies share the grid, which never changes once loaded
// (loading again makes a new one), and each has its own sight layers, so a
// copy costs little and allocates nothing when assigned over a map of the
// same size.
//
// A map file is user data. A new game loads it and falls back on the
// battlefield compiled into the program when the file is missing, broken or
// too small for the teams:
//   if (!map.Load(kv::kMapFile) || !map.CanHoldGame(greenTanks, blueTanks)) map.LoadBuiltIn();
class CMap {
 public:
  static constexpr std::uint32_t mc_numTeams = 2;
  // Files whose grid would have more cells than this are refused unread.
  static constexpr std::uint64_t mc_maxCells = 1000 * 1000;
  // Bytes read at a time from a map file: longer lines are cut into rows.
  static constexpr std::size_t mc_lineBuffer = 3024;
  // Cost of entering any cell, for the path finder.
  static constexpr std::uint32_t mc_cellCost = 1000;
  // Goal marks '1' to '6' a map file may carry, one per row of the computer's goal table.
  static constexpr std::uint32_t mc_goalMarks = 6;
  // The largest battlefield that shows whole beside the heads-up display.
  static constexpr std::uint32_t mc_maxShownWidth = 25;
  static constexpr std::uint32_t mc_maxShownHeight = 22;
  // The two repair cells, index 0 near the top left and 1 near the bottom right.
  static constexpr std::uint32_t mc_repairCells = 2;

  CMap();
  ~CMap();
  CMap(const CMap& other);
  CMap& operator=(const CMap& other);

  // Sets the size and creates an open grid and both sight layers. The map
  // must hold no grid (a new map, or after Free).
  void Init(std::uint32_t width, std::uint32_t height);
  // Reads a map file: each line is a row, the first line the top row; the
  // longest line gives the width and shorter ones are padded with open ground;
  // '#' is a wall and any other character open ground. A digit '1' to '6'
  // also marks the computer's goal of table row 0 to 5 (the first mark of a
  // row counts). Afterwards no team sees anything. True when the file gave a
  // grid of at least one cell. A file that cannot be opened, or whose grid
  // would exceed mc_maxCells, leaves the map empty (no grid, size 0 x 0).
  bool Load(const char* path);
  // The same from map file text in memory.
  bool LoadFromMemory(const unsigned char* bytes, std::size_t size);
  // Loads the shipped battlefield compiled into the program.
  bool LoadBuiltIn();
  // Releases the grid and the sight layers; the size stays as it was.
  void Free();

  // Every tile to open ground and every team's sight to nothing.
  void Clear();
  // No team sees anything.
  void ClearVisible();

  std::uint32_t GetWidth() const { return m_width; }
  std::uint32_t GetHeight() const { return m_height; }
  bool HasGrid() const { return m_grid != nullptr; }

  // 0 open ground, 1 wall.
  std::uint32_t GetTile(std::uint32_t px, std::uint32_t py) const;
  bool IsWall(std::uint32_t px, std::uint32_t py) const;
  // True for a wall and for any cell outside the grid (or of a map without one).
  bool IsWallOrOutside(int x, int y) const;
  std::uint32_t GetCost(std::uint32_t px, std::uint32_t py) const;
  // True when both cells are open ground and a tank can drive from one to the
  // other round the walls (tanks on the way aside).
  bool AreConnected(int x0, int y0, int x1, int y1) const;

  // The named cells, worked out from the size alone: the centre (width / 2,
  // height / 2), the repair cells (1, height - 2) and (width - 2, 1), and the
  // start cells, Green's on row 1 from column 1 rightwards and Blue's on row
  // height - 2 from column width - 2 leftwards. Any other repair index stops
  // the program.
  MapCell GetCentre() const;
  bool IsCentre(std::int32_t x, std::int32_t y) const;
  MapCell GetRepairCell(std::uint32_t index) const;
  // Only cells of the grid: a map too small to hold a repair cell has none.
  bool IsRepairCell(std::int32_t x, std::int32_t y) const;
  // The cell where the team's tank of that slot (from 0) starts.
  MapCell GetStartCell(std::uint32_t team, std::uint32_t slot) const;

  // Whether the team sees the cell: 1 or 0.
  std::uint8_t GetVisible(std::uint32_t px, std::uint32_t py, std::uint32_t team) const;
  void SetVisible(std::uint32_t px, std::uint32_t py, std::uint32_t team, std::uint8_t flag);
  // Whether the team sees (x, y); false outside the grid.
  bool Sees(std::uint32_t team, std::int32_t x, std::int32_t y) const;
  // Adds to the team's sight what a tank on (x, y) facing heading index
  // `heading` sees: its own cell and its beam (CSightTable). Cells outside
  // the grid are never marked.
  void RevealSight(std::uint32_t team, std::int32_t x, std::int32_t y, std::int32_t heading);

  // Whether a game with these team sizes can be set up on this map: a closed
  // wall border; Green's start cells and Blue's inside the grid, open and not
  // shared; the centre cell and both repair cells open.
  bool CanHoldGame(std::uint32_t greenTanks, std::uint32_t blueTanks) const {
    return HoldGameProblem(greenTanks, blueTanks) == nullptr;
  }
  // The first of those conditions that fails, in words for the player, or
  // null when the map can hold the game.
  const char* HoldGameProblem(std::uint32_t greenTanks, std::uint32_t blueTanks) const;
  // The cell marked for goal table row `row` (0 to 5), if the map file marked one.
  bool GetGoalMark(std::uint32_t row, MapCell& cell) const;

 private:
  struct Grid;

  // Reads the grid from a source of pieces (CLineReader or CMemoryLineReader).
  template <typename Reader>
  bool ReadGrid(Reader& reader);
  // Index of cell (px, py), checked against the size.
  std::size_t CellIndex(std::uint32_t px, std::uint32_t py) const;
  std::size_t CellCount() const { return static_cast<std::size_t>(m_width) * m_height; }
  bool IsOpenCell(std::int64_t x, std::int64_t y) const;
  bool HasClosedBorder() const;
  // Makes the sight layers for the grid's size, nobody seeing anything.
  void ResetSight();
  // The region of an open cell inside the grid, 0 for a wall or outside.
  std::uint32_t RegionOf(int x, int y) const;

  std::shared_ptr<const Grid> m_grid;        // tiles, regions, goal marks and sight table; null: no grid
  std::vector<std::uint64_t> m_visible[mc_numTeams];  // per team, a bit per cell it sees, row-major
  std::uint32_t m_width = 0;                 // number of columns
  std::uint32_t m_height = 0;                // number of rows
};
