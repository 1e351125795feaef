// The cost of a generated battlefield: the whole text of a map file from a
// seed, goal cells included, for a new seed each time.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "map/MapGenerator.h"

namespace {

void BM_GenerateBattlefield(benchmark::State& state) {
  std::uint32_t seed = 1;
  for (auto _ : state) {
    const std::string text = MapGenerator::Generate(seed);
    benchmark::DoNotOptimize(text.data());
    seed = seed * 1664525u + 1013904223u;
  }
}
BENCHMARK(BM_GenerateBattlefield)->Unit(benchmark::kMillisecond);

}  // namespace
