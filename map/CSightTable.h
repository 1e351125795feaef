#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CMap;

// What a tank sees: its own cell and a beam of mc_angle degrees and
// mc_radius cells centred on its heading, walls and the map's edge blocking
// (CFieldOfView casts it). The table holds the answer for every cell of a
// battlefield and each of the four headings, worked out once, so that a
// team's sight after a step is a few bitwise ORs a tank rather than a cast.
class CSightTable {
 public:
  static constexpr std::uint32_t mc_radius = 25;
  static constexpr float mc_angle = 181.0f;
  // Battlefields with more cells cast every time instead: the table grows
  // with the square of the cells.
  static constexpr std::size_t mc_maxCells = 1024;

  // Casts from every cell of the map, which must hold a grid of at most
  // mc_maxCells cells.
  explicit CSightTable(const CMap& map);

  // The cells seen from (x, y), a cell of the grid, facing heading index 0 to 3.
  const std::uint64_t* Seen(std::int32_t x, std::int32_t y, std::int32_t heading) const;

  // Marks in `bits` (a bit per cell of the map, row-major) what a viewer on
  // (x, y) facing heading index `heading` sees, by casting; cells outside the
  // grid are never marked.
  static void Cast(const CMap& map, std::int32_t x, std::int32_t y, std::int32_t heading, std::uint64_t* bits);

 private:
  std::uint32_t m_width;               // the battlefield's columns
  std::size_t m_words;                 // words of one answer
  std::vector<std::uint64_t> m_seen;   // per cell and heading (cell * 4 + heading), one answer
};
