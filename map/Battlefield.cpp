#include "map/Battlefield.h"

#include <cstdlib>

#include "map/CMap.h"

namespace {

constexpr MapCell kSteps[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};

std::size_t IndexOf(const CMap& map, MapCell cell) {
  return static_cast<std::size_t>(cell.x) + static_cast<std::size_t>(cell.y) * map.GetWidth();
}

bool Reached(const CMap& map, const std::vector<std::uint8_t>& reached, MapCell cell) {
  return !map.IsWallOrOutside(cell.x, cell.y) && reached[IndexOf(map, cell)] != 0;
}

bool BesideWall(const CMap& map, MapCell cell) {
  for (const MapCell& step : kSteps) {
    if (map.IsWallOrOutside(cell.x + step.x, cell.y + step.y)) return true;
  }
  return false;
}

}  // namespace

void FloodOpenCells(const CMap& map, MapCell from, std::vector<std::uint8_t>& reached) {
  reached.assign(static_cast<std::size_t>(map.GetWidth()) * map.GetHeight(), 0);
  if (map.IsWallOrOutside(from.x, from.y)) return;
  std::vector<MapCell> open{from};
  reached[IndexOf(map, from)] = 1;
  while (!open.empty()) {
    const MapCell cell = open.back();
    open.pop_back();
    for (const MapCell& step : kSteps) {
      const MapCell next{cell.x + step.x, cell.y + step.y};
      if (map.IsWallOrOutside(next.x, next.y) || reached[IndexOf(map, next)]) continue;
      reached[IndexOf(map, next)] = 1;
      open.push_back(next);
    }
  }
}

const char* BattlefieldProblem(const CMap& map, std::uint32_t greenTanks, std::uint32_t blueTanks) {
  if (const char* problem = map.HoldGameProblem(greenTanks, blueTanks)) return problem;
  if (map.GetWidth() > CMap::mc_maxShownWidth || map.GetHeight() > CMap::mc_maxShownHeight) {
    return "it is larger than 25 x 22 cells and would not show whole";
  }
  const auto w = static_cast<std::int32_t>(map.GetWidth());
  const auto h = static_cast<std::int32_t>(map.GetHeight());
  const MapCell centre{w / 2, h / 2};
  std::vector<std::uint8_t> reached;
  FloodOpenCells(map, MapCell{1, 1}, reached);
  if (!Reached(map, reached, centre)) return "Green's tanks cannot reach the centre cell";
  FloodOpenCells(map, MapCell{w - 2, h - 2}, reached);
  if (!Reached(map, reached, centre)) return "Blue's tanks cannot reach the centre cell";
  return nullptr;
}

void ResolveGoals(const CMap& map, bool keepWritten, MapCell* goals) {
  const MapCell* written = kGoalTable;
  const MapCell referenceSize = kGoalTableSize;
  const auto w = static_cast<std::int32_t>(map.GetWidth());
  const auto h = static_cast<std::int32_t>(map.GetHeight());
  const MapCell centre{w / 2, h / 2};
  std::vector<std::uint8_t> reached;
  FloodOpenCells(map, MapCell{w - 2, h - 2}, reached);
  auto taken = [&](MapCell cell, std::uint32_t before) {
    if (cell == centre) return true;
    for (std::uint32_t i = 0; i < before; ++i) {
      if (goals[i] == cell) return true;
    }
    return false;
  };
  for (std::uint32_t row = 0; row + 1 < kGoalRows; ++row) {
    if (map.GetGoalMark(row, goals[row])) continue;
    goals[row] = written[row];
    if (keepWritten && Reached(map, reached, written[row])) continue;
    // Scaled with rounding to the nearest cell; a map without a reachable
    // cell keeps the written cell, which the planner copes with.
    const MapCell target{(written[row].x * 2 * w + referenceSize.x) / (2 * referenceSize.x),
                         (written[row].y * 2 * h + referenceSize.y) / (2 * referenceSize.y)};
    std::int64_t best = -1;
    for (std::int32_t y = 0; y < h; ++y) {
      for (std::int32_t x = 0; x < w; ++x) {
        const MapCell cell{x, y};
        if (!Reached(map, reached, cell) || taken(cell, row)) continue;
        const std::int64_t cost = 2 * (std::abs(x - target.x) + std::abs(y - target.y)) + (BesideWall(map, cell) ? 0 : 1);
        if (best < 0 || cost < best) {
          best = cost;
          goals[row] = cell;
        }
      }
    }
  }
}
