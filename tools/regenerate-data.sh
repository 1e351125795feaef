#!/usr/bin/env bash
# Regenerates every data file of the game: the battlefield, the sprite images
# and their list, the sounds and their list, the window icon and the font.
#
#   tools/regenerate-data.sh [--tools DIR] [OUTDIR]
#
# OUTDIR defaults to the repository root. The generator programs are taken
# from DIR, else from $KORVANE_TOOLS_DIR, else from build/tools; this script
# builds nothing itself (cmake --build build builds them).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
tools_dir="${KORVANE_TOOLS_DIR:-$root/build/tools}"
if [ "${1:-}" = "--tools" ]; then
  [ $# -ge 2 ] || { echo "usage: $0 [--tools DIR] [OUTDIR]" >&2; exit 2; }
  tools_dir="$2"
  shift 2
fi
[ $# -le 1 ] || { echo "usage: $0 [--tools DIR] [OUTDIR]" >&2; exit 2; }
out="${1:-$root}"

for tool in kv_mapgen kv_spritegen kv_soundgen kv_icongen; do
  if [ ! -x "$tools_dir/$tool" ]; then
    echo "$0: $tools_dir/$tool not found; build the tools first (cmake --build build)" >&2
    exit 1
  fi
done

mkdir -p "$out"
"$tools_dir/kv_mapgen" "$out"
"$tools_dir/kv_spritegen" "$out"
"$tools_dir/kv_soundgen" "$out"
"$tools_dir/kv_icongen" "$out"
"$root/tools/font/make-font.sh" "$out"
