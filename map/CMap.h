#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "map/CTeamLayers.h"
#include "map/MapCell.h"

// The battlefield: a grid of open and wall cells read from a map file, and for
// each team three layers of the same size: what the team sees, how much enemy
// fire reaches each cell (threat) and how good each cell is for attacking
// (vulnerability).
//
// Cell (x, y) has column x from the left and row y from the bottom; every
// array is row-major, cell (x, y) at x + y * width. The accessors take
// unsigned coordinates and stop the program on a cell outside the grid; code
// that walks from cell to cell asks IsWallOrOutside instead, which treats
// every cell outside the grid as a wall.
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

  CMap() = default;
  CMap(const CMap&) = delete;
  CMap& operator=(const CMap&) = delete;

  // Sets the size and creates the tile grid and every team layer. The map
  // must hold no grid (a new map, or after Free).
  void Init(std::uint32_t width, std::uint32_t height);
  // Reads a map file: each line is a row, the first line the top row; the
  // longest line gives the width and shorter ones are padded with open ground;
  // '#' is a wall and any other character open ground. A digit '1' to '6'
  // also marks the computer's goal of table row 0 to 5 (the first mark of a
  // row counts). Afterwards every layer
  // is 0. True when the file gave a grid of at least one cell. A file that
  // cannot be opened, or whose grid would exceed mc_maxCells, leaves the map
  // empty (no arrays, size 0 x 0).
  bool Load(const char* path);
  // The same from map file text in memory.
  bool LoadFromMemory(const unsigned char* bytes, std::size_t size);
  // Loads the shipped battlefield compiled into the program.
  bool LoadBuiltIn();
  // Releases the grid and all layers; the size stays as it was.
  void Free();

  // Every tile to open ground and every layer of both teams to 0.
  void Clear();
  void ClearVisible();
  void ClearThreat();
  void ClearVuln();

  std::uint32_t GetWidth() const { return m_width; }
  std::uint32_t GetHeight() const { return m_height; }
  bool HasGrid() const { return m_tiles != nullptr; }

  // 0 open ground, 1 wall.
  std::uint32_t GetTile(std::uint32_t px, std::uint32_t py) const;
  bool IsWall(std::uint32_t px, std::uint32_t py) const;
  // True for a wall and for any cell outside the grid (or of a map without one).
  bool IsWallOrOutside(int x, int y) const;
  std::uint32_t GetCost(std::uint32_t px, std::uint32_t py) const;
  // True when both cells are open ground and a tank can drive from one to the
  // other round the walls (tanks on the way aside).
  bool AreConnected(int x0, int y0, int x1, int y1) const;

  std::uint8_t GetVisible(std::uint32_t px, std::uint32_t py, std::uint32_t team) const;
  void SetVisible(std::uint32_t px, std::uint32_t py, std::uint32_t team, std::uint8_t flag);
  std::uint32_t GetThreat(std::uint32_t px, std::uint32_t py, std::uint32_t team) const;
  // Adds to the threat, wrapping around on overflow.
  void AddThreat(std::uint32_t px, std::uint32_t py, std::uint32_t team, std::uint32_t amount);
  std::uint32_t GetVuln(std::uint32_t px, std::uint32_t py, std::uint32_t team) const;
  // Raises the vulnerability to the value if the value is greater; never lowers it.
  void RaiseVuln(std::uint32_t px, std::uint32_t py, std::uint32_t team, std::uint32_t value);

  // Whether a game with these team sizes can be set up on this map: a closed
  // wall border; Green's start cells (1, 1) to (greenTanks, 1) and Blue's
  // (width - 2, height - 2) leftwards inside the grid, open and not shared;
  // the centre cell and both repair cells open.
  bool CanHoldGame(std::uint32_t greenTanks, std::uint32_t blueTanks) const {
    return HoldGameProblem(greenTanks, blueTanks) == nullptr;
  }
  // The first of those conditions that fails, in words for the player, or
  // null when the map can hold the game.
  const char* HoldGameProblem(std::uint32_t greenTanks, std::uint32_t blueTanks) const;
  // The cell marked for goal table row `row` (0 to 5), if the map file marked one.
  bool GetGoalMark(std::uint32_t row, MapCell& cell) const;

  // Draws every cell's tile sprite centred on (32x, 32y) of the current frame,
  // the whole grid as one batch.
  void Draw() const;
  // Covers every cell the team does not see with half-transparent black.
  void DrawVisibility(std::uint32_t team) const;

 private:
  // Reads the grid from a source of pieces (CLineReader or CMemoryLineReader).
  template <typename Reader>
  bool ReadGrid(Reader& reader);
  // Index of cell (px, py), checked against the size.
  std::size_t CellIndex(std::uint32_t px, std::uint32_t py) const;
  std::size_t CellCount() const { return static_cast<std::size_t>(m_width) * m_height; }
  bool IsOpenCell(std::int64_t x, std::int64_t y) const;
  bool HasClosedBorder() const;
  // Numbers the areas of open ground a tank can drive within, for
  // AreConnected; called whenever the tiles change.
  void LabelRegions();
  // The region of an open cell inside the grid, 0 for a wall or outside.
  std::uint32_t RegionOf(int x, int y) const;

  std::unique_ptr<std::uint32_t[]> m_tiles;            // tile code of every cell, or null
  std::unique_ptr<std::uint32_t[]> m_region;           // region of every open cell (1 up), 0 on walls
  CTeamLayers<std::uint8_t, mc_numTeams> m_visible;    // 1 where the team sees the cell
  CTeamLayers<std::uint32_t, mc_numTeams> m_threat;    // enemy fire reaching the cell
  CTeamLayers<std::uint32_t, mc_numTeams> m_vuln;      // attack value of the cell
  std::uint32_t m_width = 0;                           // number of columns
  std::uint32_t m_height = 0;                          // number of rows
  MapCell m_goalMark[mc_goalMarks] = {};               // the cell marked for each goal row
  bool m_hasGoalMark[mc_goalMarks] = {};               // whether the file marked that row
};
