// The cost of sight: one tank's cast, and the refresh of both teams'
// visibility after a step with twenty tanks on the shipped battlefield.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "map/CFieldOfView.h"
#include "map/CMap.h"

namespace {

// A cast's two functions: walls and the map's edge block sight; a revealed
// cell is counted, as a layer would mark it.
bool BlocksSight(const CMap& map, int x, int y) { return map.IsWallOrOutside(x, y); }

void CountCell(const CMap&, int, int, int, int, void* context) { ++*static_cast<std::uint32_t*>(context); }

struct Tank {
  int x, y;            // its cell
  int heading;         // heading index
  std::uint32_t team;  // 0 Green, 1 Blue
};

// Ten tanks a side where a new game puts them: Green on row 1 facing up, Blue
// on row height - 2 facing down.
std::vector<Tank> StartingTanks(const CMap& map) {
  std::vector<Tank> tanks;
  const int w = static_cast<int>(map.GetWidth());
  const int h = static_cast<int>(map.GetHeight());
  for (int i = 0; i < 10; ++i) tanks.push_back({i + 1, 1, 1, 0});
  for (int i = 0; i < 10; ++i) tanks.push_back({w - i - 2, h - 2, 3, 1});
  return tanks;
}

void SetUpVision(CFieldOfView& vision) {
  vision.SetOpaqueTest(BlocksSight);
  vision.SetRevealAction(CountCell);
}

// One cast of radius 25 and 181 degrees from the centre of the shipped map,
// for each facing (the argument).
void BM_CastRadius25(benchmark::State& state) {
  CMap map;
  map.LoadBuiltIn();
  CFieldOfView vision;
  SetUpVision(vision);
  const int facing = static_cast<int>(state.range(0));
  std::uint32_t revealed = 0;
  const int x = static_cast<int>(map.GetWidth() / 2);
  const int y = static_cast<int>(map.GetHeight() / 2);
  for (auto _ : state) {
    vision.Cast(map, &revealed, x, y, 25, facing, 181.0f);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CastRadius25)->Arg(0)->Arg(2)->Arg(4)->Arg(6);

// One cast of radius 25 over the whole circle on an open field, where nothing
// stops the scan: the most a single cast can cost.
void BM_CastRadius25OpenCircle(benchmark::State& state) {
  CMap map;
  map.Init(61, 61);
  map.Clear();
  CFieldOfView vision;
  SetUpVision(vision);
  std::uint32_t revealed = 0;
  for (auto _ : state) {
    vision.Cast(map, &revealed, 30, 30, 25, 0, 360.0f);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CastRadius25OpenCircle);

// What the match does after every step: clear both teams' sight, then add
// each tank's (from the battlefield's sight table, made before timing).
void BM_RefreshVisibility20Tanks(benchmark::State& state) {
  CMap map;
  map.LoadBuiltIn();
  const std::vector<Tank> tanks = StartingTanks(map);
  map.RevealSight(0, 1, 1, 1);
  for (auto _ : state) {
    map.ClearVisible();
    for (const Tank& tank : tanks) map.RevealSight(tank.team, tank.x, tank.y, tank.heading);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RefreshVisibility20Tanks);

}  // namespace
