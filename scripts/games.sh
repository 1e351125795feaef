#!/usr/bin/env bash
# Plays whole games and prints how they ended.
#   scripts/games.sh [GAMES]
# plays GAMES games per opponent (default 200, seeds 1 to GAMES, team sizes 1
# to 10 a side in turn) on the shipped battlefield, for each level of the
# computer against each kind of Green player: the table of the README.
#   scripts/games.sh --players [GAMES]
# plays the players' table: GAMES games (default 20, team sizes 1 to 10 by
# turns) on every shipped battlefield and on 20 generated ones (seeds 1 to
# 20), for each level of the computer against each Green player (random keys,
# the charger, the Normal planner mirrored, the sniper, the centre holder, the
# group and the first Hard level), and prints a row per level and player:
# Blue's share of wins, ties, Green's wins, the median length and whether any
# game reached 300 turns. It takes about nine minutes here, the Hard rows
# most (5 games a battlefield: about three). The test command plays a
# smaller sample of both. KORVANE_TABLE_ROWS="Hard against s" plays only the
# rows whose "level against player" begins so.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
filter='GreenPlayers/WholeGameTest.*'
default=200
if [[ "${1:-}" == "--players" ]]; then
  shift
  filter='PlayerTableTest.*'
  default=20
fi
games=${1:-$default}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvane_tests >/dev/null
KORVANE_GAMES="$games" SDL_AUDIODRIVER=dummy build/tests/korvane_tests \
  --gtest_filter="$filter" | grep -E '^\[ games|^\||FAILED|Failure|^  (Normal|Hard) against'
