#!/usr/bin/env bash
# Plays whole games on the shipped battlefield, GAMES per opponent (default
# 200, seeds 1 to GAMES, team sizes 1 to 10 a side in turn), for each level of
# the computer against each kind of Green player, and prints how they ended:
# the table of the README. The test command plays a smaller sample.
#   scripts/games.sh [GAMES]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
games=${1:-200}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvane_tests >/dev/null
KORVANE_GAMES="$games" SDL_AUDIODRIVER=dummy build/tests/korvane_tests \
  --gtest_filter='GreenPlayers/WholeGameTest.*' | grep -E '^\[ games|FAILED|Failure' 
