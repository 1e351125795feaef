#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from the repository
# root, which is the game's working directory. Arguments go to the game
# (for example -fullscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvane
exec ./build/korvane "$@"
