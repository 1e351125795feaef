#!/usr/bin/env bash
# Makes the README's screenshots: the end-to-end screen tests play the real
# game on a private X server and save what the player sees into docs/; the
# battlefields' pictures are drawn from their files into docs/battlefields/.
# Usage: docs/make-screenshots.sh [build directory, default: build]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
KORVANE_SCREENSHOT_DIR="$root/docs" "$build/tests/e2e/korvane_e2e_tests" \
  --gtest_filter='ScreenE2ETest.TheStartScreen*:ScreenE2ETest.TenAgainstTen*:ScreenE2ETest.TwoTurns*:ScreenE2ETest.APlannedShot*:ScreenE2ETest.AFinishedGame*'
# The battlefields' pictures, drawn from their files.
"$build/tools/kv_mappictures" "$root"
ls -l "$root/docs/start-screen.png" "$root/docs/battle-screen.png" "$root/docs/after-a-turn.png" "$root/docs/planning.png" \
  "$root/docs/game-over.png" \
  "$root/docs/battlefields"
