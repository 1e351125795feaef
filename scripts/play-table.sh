#!/usr/bin/env bash
# Plays the table of games on every battlefield (docs/measurements.md): 20 games
# against each Green player on every shipped battlefield and on each of 200
# generated ones (seeds 1 to 200), team sizes 1 to 10 by turns, and prints a
# row per battlefield: games, Blue's wins and the median turns against a Green
# pressing random keys, then against a Green charging the centre. Fails when
# Blue wins less than 95 % or 40 % of them, or a game does not end within 300
# turns. Takes a few minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvane_tests >/dev/null
SDL_AUDIODRIVER=dummy build/tests/korvane_tests --gtest_also_run_disabled_tests \
  --gtest_filter='BattlefieldGamesTest.DISABLED_WholeTable' | grep -E '^\||Failure|FAILED|PASSED' -A1
