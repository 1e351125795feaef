#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "map/CMap.h"
#include "units/CPathFinder.h"
#include "units/PathCommands.h"

// Helpers shared by the path finding tests. They restate the tank's moves
// independently of the finder: a quarter turn in place costs 1000, a move one
// cell along the heading the entered cell's cost, a move one cell against it
// that cost plus 1000.
namespace pathtest {

inline bool IsInside(const CMap& map, std::int32_t x, std::int32_t y) {
  return map.HasGrid() && x >= 0 && y >= 0 && static_cast<std::uint32_t>(x) < map.GetWidth() &&
         static_cast<std::uint32_t>(y) < map.GetHeight();
}

inline void HeadingStep(std::int32_t heading, std::int32_t& dx, std::int32_t& dy) {
  dx = heading == 0 ? 1 : heading == 2 ? -1 : 0;
  dy = heading == 1 ? 1 : heading == 3 ? -1 : 0;
}

// The cost of going from one state to the next in a single move, or nothing
// when no single move does it (or it enters a cell outside the map).
inline std::optional<std::uint32_t> MoveCost(const CMap& map, const PathNode& from, const PathNode& to) {
  if (!IsInside(map, to.x, to.y)) return std::nullopt;
  if (from.x == to.x && from.y == to.y) {
    const int quarters = ((to.heading - from.heading) % 4 + 4) % 4;
    if (quarters == 1 || quarters == 3) return 1000u;
    return std::nullopt;
  }
  if (from.heading != to.heading) return std::nullopt;
  std::int32_t dx = 0;
  std::int32_t dy = 0;
  HeadingStep(from.heading, dx, dy);
  const std::uint32_t cost = map.GetCost(to.x, to.y);
  if (to.x == from.x + dx && to.y == from.y + dy) return cost;
  if (to.x == from.x - dx && to.y == from.y - dy) return cost + 1000u;
  return std::nullopt;
}

// Carries out the commands on a tank state, the way a tank would.
inline PathNode Apply(PathNode state, Move command) {
  std::int32_t dx = 0;
  std::int32_t dy = 0;
  HeadingStep(state.heading, dx, dy);
  switch (command) {
    case Move::TurnLeft: state.heading = (state.heading + 1) % 4; break;
    case Move::TurnRight: state.heading = (state.heading + 3) % 4; break;
    case Move::Forward: state.x += dx; state.y += dy; break;
    case Move::Back: state.x -= dx; state.y -= dy; break;
    case Move::None: break;
  }
  return state;
}

// Runs a started search to its end; false if it never ends.
inline bool RunToEnd(CPathFinder& finder) {
  for (int calls = 0; finder.IsActive(); ++calls) {
    if (calls > 1000000) return false;
    finder.Update();
  }
  return true;
}

inline std::vector<Move> Commands(std::initializer_list<Move> list) { return list; }

}  // namespace pathtest
