#pragma once

#include <cstdint>

// A cell of the battlefield: column x from the left, row y from the bottom.
struct MapCell {
  std::int32_t x;  // column
  std::int32_t y;  // row
};

inline bool operator==(const MapCell& a, const MapCell& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const MapCell& a, const MapCell& b) { return !(a == b); }
