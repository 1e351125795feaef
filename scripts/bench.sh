#!/usr/bin/env bash
# Builds the benchmarks and runs every one of them on a private Xvfb server
# (tests/with-xvfb.sh), from the repository root, REPETITIONS times each
# (default 5); prints the machine and the median of each figure. Ratios and
# allocation counts are counters of the benchmark that measured them.
#   scripts/bench.sh [REPETITIONS]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
repetitions=${1:-5}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvane_bench >/dev/null

echo "Machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Medians of $repetitions repetitions:"
output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
SDL_AUDIODRIVER=dummy ./tests/with-xvfb.sh build/bench/korvane_bench \
  --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_display_aggregates_only=true >"$output" 2>&1 || status=$?
# The median rows, the table's head, and any benchmark that could not run.
grep -E '^Benchmark|^-{20,}|_median|ERROR' "$output" || true
if [ "$status" -ne 0 ]; then
  cat "$output"
  exit "$status"
fi
