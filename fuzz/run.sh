#!/usr/bin/env bash
# Builds the fuzz targets (clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz, replays each target's seed corpus
# from fuzz/corpus, then fuzzes each target for SECONDS (default 30).
# New inputs go to build-fuzz/corpus, never into the repository. Exits
# non-zero when an input crashes, hangs or leaks; the input is then kept in
# build-fuzz/artifacts/<target>/ for a regression test.
#   fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-30}
build=$root/build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZERS=ON \
  -DKORVANE_TESTS=OFF -DKORVANE_BENCHMARKS=OFF >/dev/null
targets=(map_file sprite_list sound_list battle record)
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

# Longest input per target: room for maps with more cells than the reader
# takes and for lists with lines longer than their buffers; the battle's
# maps stay small, since every input is checked by exhaustive searches.
declare -A max_len=([map_file]=8192 [sprite_list]=8192 [sound_list]=4096 [battle]=2048 [record]=8192)

for target in "${targets[@]}"; do
  program=$build/fuzz/fuzz_$target
  seeds=$root/fuzz/corpus/$target
  found=$build/corpus/$target
  artifacts=$build/artifacts/$target
  mkdir -p "$found" "$artifacts"
  options=(-max_len="${max_len[$target]}" -timeout=10 -artifact_prefix="$artifacts/" -print_final_stats=1)
  [ -f "$root/fuzz/$target.dict" ] && options+=(-dict="$root/fuzz/$target.dict")

  echo "== fuzz $target: replay of $(ls "$seeds" | wc -l) seeds"
  "$program" "${options[@]}" -runs=0 "$seeds" </dev/null 2>"$build/$target-replay.log" ||
    { cat "$build/$target-replay.log"; exit 1; }
  echo "== fuzz $target: ${seconds} s"
  "$program" "${options[@]}" -max_total_time="$seconds" "$found" "$seeds" </dev/null 2>"$build/$target.log" ||
    { tail -n 80 "$build/$target.log"; exit 1; }
  grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$build/$target.log" | sed 's/^/   /'
done
