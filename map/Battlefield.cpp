#include "map/Battlefield.h"

#include <cstdlib>

#include "map/CMap.h"

namespace {

constexpr MapCell kSteps[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};

bool Connected(const CMap& map, MapCell from, MapCell to) { return map.AreConnected(from.x, from.y, to.x, to.y); }

bool BesideWall(const CMap& map, MapCell cell) {
  for (const MapCell& step : kSteps) {
    if (map.IsWallOrOutside(cell.x + step.x, cell.y + step.y)) return true;
  }
  return false;
}

}  // namespace

const char* BattlefieldProblem(const CMap& map, std::uint32_t greenTanks, std::uint32_t blueTanks) {
  if (const char* problem = map.HoldGameProblem(greenTanks, blueTanks)) return problem;
  if (map.GetWidth() > CMap::mc_maxShownWidth || map.GetHeight() > CMap::mc_maxShownHeight) {
    return "it is larger than 25 x 22 cells and would not show whole";
  }
  return nullptr;
}

std::string OneSidedProblem(const CMap& map) {
  const struct {
    const char* name;
    MapCell start;
  } teams[] = {{"Green's", map.GetStartCell(0, 0)}, {"Blue's", map.GetStartCell(1, 0)}};
  const struct {
    const char* name;
    MapCell cell;
  } musts[] = {{"the centre cell", map.GetCentre()},
               {"the repair cell top left", map.GetRepairCell(0)},
               {"the repair cell bottom right", map.GetRepairCell(1)}};
  for (const auto& must : musts) {
    for (const auto& team : teams) {
      if (!Connected(map, team.start, must.cell)) return std::string(team.name) + " tanks cannot reach " + must.name;
    }
  }
  // A goal the file marks out of Blue's reach; goals it leaves to the game
  // are derived within reach wherever there is room for them.
  for (std::uint32_t row = 0; row < CMap::mc_goalMarks; ++row) {
    MapCell goal{};
    if (map.GetGoalMark(row, goal) && !Connected(map, teams[1].start, goal)) {
      return "Blue's tanks cannot reach the computer's goal " + std::to_string(row + 1);
    }
  }
  return "";
}

void ResolveGoals(const CMap& map, bool keepWritten, MapCell* goals) {
  const MapCell* written = kGoalTable;
  const MapCell referenceSize = kGoalTableSize;
  const auto w = static_cast<std::int32_t>(map.GetWidth());
  const auto h = static_cast<std::int32_t>(map.GetHeight());
  const MapCell centre = map.GetCentre();
  const MapCell blueStart = map.GetStartCell(1, 0);
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
    if (keepWritten && Connected(map, blueStart, written[row])) continue;
    // Scaled with rounding to the nearest cell; a map without a reachable
    // cell keeps the written cell, which the planner copes with.
    const MapCell target{(written[row].x * 2 * w + referenceSize.x) / (2 * referenceSize.x),
                         (written[row].y * 2 * h + referenceSize.y) / (2 * referenceSize.y)};
    std::int64_t best = -1;
    for (std::int32_t y = 0; y < h; ++y) {
      for (std::int32_t x = 0; x < w; ++x) {
        const MapCell cell{x, y};
        if (!Connected(map, blueStart, cell) || taken(cell, row)) continue;
        const std::int64_t cost = 2 * (std::abs(x - target.x) + std::abs(y - target.y)) + (BesideWall(map, cell) ? 0 : 1);
        if (best < 0 || cost < best) {
          best = cost;
          goals[row] = cell;
        }
      }
    }
  }
}
