#pragma once

#include <cstdint>
#include <string>

// Battlefields made from a 32-bit seed. The same seed gives the same
// battlefield on every machine: the generator draws from its own integer
// generator and uses no floating point. Every battlefield it makes
//  - is mc_minWidth to 25 columns by mc_minHeight to 22 rows, inside a closed wall border;
//  - is the same turned half a circle about its centre;
//  - keeps both start rows (rows 1 and height - 2, which hold the repair
//    cells) and the centre cell open, with room for ten tanks a side;
//  - has every open cell reachable from every other;
//  - has mc_minWallPercent to mc_maxWallPercent of the cells inside its border as walls;
//  - marks the computer's six goal cells ('1' to '6'), derived from its goal
//    table as for any unmarked battlefield (see ResolveGoals).
struct MapGenerator {
  static constexpr std::uint32_t mc_minWidth = 17;
  static constexpr std::uint32_t mc_minHeight = 14;
  static constexpr std::uint32_t mc_minWallPercent = 8;
  static constexpr std::uint32_t mc_maxWallPercent = 22;

  // The battlefield of the seed as the text of a map file.
  static std::string Generate(std::uint32_t seed);
};
