#!/usr/bin/env bash
# Checks that the committed data files are exactly what the generators write:
# regenerates everything into a temporary directory and compares each file
# byte for byte with the repository's copy. Files in Data/ that no generator
# writes are reported too. Exits non-zero, naming each file, on a mismatch.
#
#   tools/check-data.sh [--tools DIR]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

"$root/tools/regenerate-data.sh" "$@" "$scratch"

status=0
checked=0
while IFS= read -r file; do
  checked=$((checked + 1))
  if [ ! -f "$root/$file" ]; then
    echo "not committed: $file"
    status=1
  elif ! cmp -s "$scratch/$file" "$root/$file"; then
    echo "differs from its generator: $file"
    status=1
  fi
done < <(cd "$scratch" && find . -type f | sed 's|^\./||' | sort)

while IFS= read -r file; do
  if [ ! -f "$scratch/$file" ]; then
    echo "no generator writes: $file"
    status=1
  fi
done < <(cd "$root" && find Data -type f | sort)

if [ "$status" -eq 0 ]; then
  echo "all $checked generated files match the committed ones"
fi
exit "$status"
