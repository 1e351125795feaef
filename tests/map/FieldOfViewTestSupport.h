#pragma once

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "map/CFieldOfView.h"
#include "map/CMap.h"
#include "map/MapTestSupport.h"

// Helpers shared by the field-of-view tests.
namespace maptest {

using Cell = std::pair<int, int>;
using CellSet = std::set<Cell>;

inline constexpr std::uint32_t kRadius = 25;
inline constexpr float kBeam = 181.0f;
inline constexpr int kFacings[4] = {0, 2, 4, 6};

// Unit vector of a facing code.
inline Cell Forward(int direction) {
  switch (direction) {
    case 0: return {1, 0};
    case 2: return {0, -1};
    case 4: return {-1, 0};
    default: return {0, 1};
  }
}

// An open field with the given walls, as a map file would describe it.
inline void LoadField(CMap& map, int width, int height, const CellSet& walls = {}) {
  std::string text;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) text += walls.count({x, y}) ? '#' : '.';
    text += '\n';
  }
  ASSERT_TRUE(LoadText(map, text));
}

inline CellSet Visible(const CMap& map, std::uint32_t team) {
  CellSet cells;
  for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
      if (map.GetVisible(x, y, team)) cells.insert({static_cast<int>(x), static_cast<int>(y)});
    }
  }
  return cells;
}

// What the world does for one tank of team 0, without marking its own cell.
inline CellSet Cast(CMap& map, int x, int y, int direction, float angle = kBeam, std::uint32_t radius = kRadius) {
  CFieldOfView vision;
  vision.SetOpaqueTest(BlocksSight);
  vision.SetRevealAction(RevealForTeam);
  SightTarget target{&map, 0};
  map.ClearVisible();
  vision.Cast(map, &target, x, y, radius, direction, angle);
  return Visible(map, target.team);
}

// Inside the circle of radius r as the column extents draw it: within r of
// the viewer and less than r away along both axes.
inline bool InDisc(int dx, int dy, int r) {
  return dx * dx + dy * dy <= r * r && std::abs(dx) < r && std::abs(dy) < r;
}

// The cells an open field shows a viewer at (x, y) facing `direction` with the
// 181-degree beam: the closed half-plane in front within the circle. The
// narrow scan that owns the line straight to the sides for facings -y and -x
// is never cut by the circle's last column, so that line reaches r cells
// there rather than r - 1.
inline CellSet HalfPlane(int x, int y, int direction, int r, int width, int height) {
  const Cell f = Forward(direction);
  CellSet cells;
  for (int cy = 0; cy < height; ++cy) {
    for (int cx = 0; cx < width; ++cx) {
      const int dx = cx - x;
      const int dy = cy - y;
      if ((dx == 0 && dy == 0) || dx * f.first + dy * f.second < 0) continue;
      const bool sideLine = dx * f.first + dy * f.second == 0;
      const bool longSide = sideLine && (direction == 2 || direction == 4) && std::abs(dx + dy) == r;
      if (InDisc(dx, dy, r) || longSide) cells.insert({cx, cy});
    }
  }
  return cells;
}

}  // namespace maptest
