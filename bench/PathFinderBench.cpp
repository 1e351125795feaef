// The cost of path finding: a search across the shipped battlefield from
// Green's first start cell to the far corner, run to its end the way the game
// runs it.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "map/CMap.h"
#include "units/CPathFinder.h"

namespace {

// Starts a search and continues it until it ends; returns the states expanded.
std::uint64_t RunSearch(CPathFinder& finder, const PathNode& start, const PathNode& goal, bool avoidWalls) {
  finder.Start(start, goal, avoidWalls);
  while (finder.IsActive()) finder.Update();
  return finder.GetExpansions();
}

// From (1, 1) facing up to (W - 2, H - 2) with any heading, walls avoided.
void BM_PathCornerToCorner(benchmark::State& state) {
  CMap map;
  if (!map.LoadBuiltIn()) {
    state.SkipWithError("no built-in map");
    return;
  }
  CPathFinder finder(map);
  const PathNode start{1, 1, 1};
  const PathNode goal{static_cast<std::int32_t>(map.GetWidth()) - 2,
                      static_cast<std::int32_t>(map.GetHeight()) - 2, kAnyHeading};
  std::uint64_t expansions = 0;
  for (auto _ : state) {
    expansions = RunSearch(finder, start, goal, true);
    benchmark::DoNotOptimize(finder.GetPath().data());
  }
  if (!finder.IsFound()) state.SkipWithError("no path across the map");
  state.counters["expansions"] = static_cast<double>(expansions);
  state.counters["path_nodes"] = static_cast<double>(finder.GetPath().size());
  state.counters["cost"] = static_cast<double>(finder.GetPathCost());
}
BENCHMARK(BM_PathCornerToCorner);

// The worst a search can cost on the shipped map: a goal no state reaches (a
// wall cell, walls avoided), so every reachable state is expanded.
void BM_PathUnreachableGoal(benchmark::State& state) {
  CMap map;
  if (!map.LoadBuiltIn()) {
    state.SkipWithError("no built-in map");
    return;
  }
  CPathFinder finder(map);
  const PathNode start{1, 1, 1};
  const PathNode goal{0, 0, kAnyHeading};
  std::uint64_t expansions = 0;
  for (auto _ : state) {
    expansions = RunSearch(finder, start, goal, true);
    benchmark::DoNotOptimize(finder.IsFound());
  }
  state.counters["expansions"] = static_cast<double>(expansions);
}
BENCHMARK(BM_PathUnreachableGoal);

}  // namespace
