#!/usr/bin/env bash
# The layers of the code: every folder includes only from the folders below
# it, and the rules (core, map, units, world, ai) include no SDL, OpenGL or
# FreeType; above core, the match and its planners read no files and no
# clock. Prints every include that breaks this and exits 1, or prints nothing
# and exits 0. Run from anywhere; checks the source tree it lies in.
set -euo pipefail
cd "$(dirname "$0")/../.."

# Each folder and the folders of ours it may include (besides its own).
declare -A may=(
  [core]=""
  [gfx]="core"
  [audio]="core"
  [map]="core"
  [units]="core map"
  [world]="core map units"
  [ai]="core map units world"
  [record]="core map units world ai"
  [screen]="core map units world ai record gfx audio"
  [app]="core map units world ai record gfx audio screen"
)
rules="core map units world ai"
# What the match and its planners must not reach for: files, the clock.
no_io='<(fstream|chrono|ctime|cstdio|thread|filesystem)>|"core/(AtomicFile|CAsyncFileWriter|CLineReader|DataFolder|ProgramClock|UserFolders)\.h"'

status=0
for folder in "${!may[@]}"; do
  [ -d "$folder" ] || { echo "$folder/: missing"; status=1; continue; }
  while IFS= read -r line; do
    file=${line%%:*}
    rest=${line#*:}
    number=${rest%%:*}
    include=${rest#*:}
    where="$file:$number: $include"
    if [[ $include =~ \#include\ \"([a-z]+)/ ]]; then
      to=${BASH_REMATCH[1]}
      if [ "$to" != "$folder" ] && [[ " ${may[$folder]} " != *" $to "* ]]; then
        echo "$where: $folder/ may not include $to/"
        status=1
      fi
    fi
    if [[ " $rules " == *" $folder "* ]] && [[ $include =~ \<(SDL|GL/|ft2build|freetype) ]]; then
      echo "$where: the rules include no SDL, OpenGL or FreeType"
      status=1
    fi
    if [[ " world units ai " == *" $folder "* ]] && [[ $include =~ $no_io ]]; then
      echo "$where: the match and its planners read no files and no clock"
      status=1
    fi
  done < <(grep -Hn '^[[:space:]]*#[[:space:]]*include' "$folder"/*.h "$folder"/*.cpp "$folder"/*.h.in 2>/dev/null || true)
done
exit $status
