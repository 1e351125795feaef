// The cost of sight: one tank's cast, and the refresh of both teams'
// visibility after a step with twenty tanks on the shipped battlefield.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "map/CFieldOfView.h"
#include "map/CMap.h"

namespace {

// The game world's two sight functions.
bool BlocksSight(const CMap& map, int x, int y) { return map.IsWallOrOutside(x, y); }

void RevealForTeam(CMap& map, int x, int y, int, int, void* context) {
  if (x < 0 || y < 0 || static_cast<std::uint32_t>(x) >= map.GetWidth() ||
      static_cast<std::uint32_t>(y) >= map.GetHeight()) {
    return;
  }
  map.SetVisible(x, y, *static_cast<const std::uint32_t*>(context), 1);
}

struct Tank {
  int x, y;            // its cell
  int facing;          // facing code of its heading
  std::uint32_t team;  // 0 Green, 1 Blue
};

// Ten tanks a side where a new game puts them: Green on row 1 facing up, Blue
// on row height - 2 facing down.
std::vector<Tank> StartingTanks(const CMap& map) {
  std::vector<Tank> tanks;
  const int w = static_cast<int>(map.GetWidth());
  const int h = static_cast<int>(map.GetHeight());
  for (int i = 0; i < 10; ++i) tanks.push_back({i + 1, 1, CFieldOfView::mc_facePlusY, 0});
  for (int i = 0; i < 10; ++i) tanks.push_back({w - i - 2, h - 2, CFieldOfView::mc_faceMinusY, 1});
  return tanks;
}

void SetUpVision(CFieldOfView& vision) {
  vision.SetOpaqueTest(BlocksSight);
  vision.SetRevealAction(RevealForTeam);
}

// One cast of radius 25 and 181 degrees from the centre of the shipped map,
// for each facing (the argument).
void BM_CastRadius25(benchmark::State& state) {
  CMap map;
  map.LoadBuiltIn();
  CFieldOfView vision;
  SetUpVision(vision);
  const int facing = static_cast<int>(state.range(0));
  std::uint32_t team = 0;
  const int x = static_cast<int>(map.GetWidth() / 2);
  const int y = static_cast<int>(map.GetHeight() / 2);
  for (auto _ : state) {
    vision.Cast(map, &team, x, y, 25, facing, 181.0f);
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
  std::uint32_t team = 0;
  for (auto _ : state) {
    vision.Cast(map, &team, 30, 30, 25, 0, 360.0f);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CastRadius25OpenCircle);

// What the world does after every step: clear both teams' visibility, then
// for each tank mark its own cell and cast its beam.
void BM_RefreshVisibility20Tanks(benchmark::State& state) {
  CMap map;
  map.LoadBuiltIn();
  CFieldOfView vision;
  SetUpVision(vision);
  std::vector<Tank> tanks = StartingTanks(map);
  for (auto _ : state) {
    map.ClearVisible();
    for (Tank& tank : tanks) {
      map.SetVisible(tank.x, tank.y, tank.team, 1);
      vision.Cast(map, &tank.team, tank.x, tank.y, 25, tank.facing, 181.0f);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RefreshVisibility20Tanks);

}  // namespace
