#pragma once

#include <cstdint>
#include <string>

#include "map/CMap.h"

// Helpers shared by the map and field-of-view tests.
namespace maptest {

inline bool LoadText(CMap& map, const std::string& text) {
  return map.LoadFromMemory(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

// The grid as it would be written to a map file: top row first, '#' and '.'.
inline std::string GridText(const CMap& map) {
  std::string text;
  for (std::uint32_t row = map.GetHeight(); row-- > 0;) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) text += map.IsWall(x, row) ? '#' : '.';
    text += '\n';
  }
  return text;
}

inline std::size_t CountWalls(const CMap& map) {
  std::size_t walls = 0;
  for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) walls += map.IsWall(x, y) ? 1 : 0;
  }
  return walls;
}

// Where a cast marks what it reveals: the map and the team that sees.
struct SightTarget {
  CMap* map;           // the map whose sight layer is marked
  std::uint32_t team;  // whose layer
};

// The game's two sight functions: a cell outside the grid or a wall blocks
// sight; revealing a cell inside the grid marks it seen in the SightTarget
// the context points to.
inline bool BlocksSight(const CMap& map, int x, int y) {
  return x < 0 || y < 0 || static_cast<std::uint32_t>(x) >= map.GetWidth() ||
         static_cast<std::uint32_t>(y) >= map.GetHeight() || map.IsWall(x, y);
}

inline void RevealForTeam(const CMap& map, int x, int y, int, int, void* context) {
  if (x < 0 || y < 0 || static_cast<std::uint32_t>(x) >= map.GetWidth() ||
      static_cast<std::uint32_t>(y) >= map.GetHeight()) {
    return;
  }
  const SightTarget& target = *static_cast<const SightTarget*>(context);
  target.map->SetVisible(x, y, target.team, 1);
}

}  // namespace maptest
