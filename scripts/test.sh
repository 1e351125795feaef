#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit
# and end-to-end tests in the normal build, then again in the sanitizer build
# (AddressSanitizer and UndefinedBehaviorSanitizer), then the fuzz targets
# (fuzz/run.sh). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
jobs=$(nproc)

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON -DKORVANE_BENCHMARKS=OFF >/dev/null
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== fuzzing (libFuzzer with ASan and UBSan: seed corpora replayed, each target fuzzed for 30 s)"
./fuzz/run.sh 30
