#!/usr/bin/env bash
# Writes the game's font "Data/ACKNOWTT.TTF" and its licence
# "Data/ACKNOWTT-LICENSE.txt" into OUTDIR.
#
#   tools/font/make-font.sh OUTDIR
#
# The font is Open Sans Bold from Debian's fonts-open-sans package (Apache
# License 2.0), cut down to Latin-1 (U+0020-U+007E, U+00A0-U+00FF) with the
# fontTools subsetter so the game's glyph atlas stays small. The game draws
# no kerning and no ligatures, so the layout tables are left out. The
# subsetter keeps the source's timestamps, so the output is the same bytes
# on every run.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
out="$1/Data"
source_font=/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf
copyright=/usr/share/doc/fonts-open-sans/copyright
apache=/usr/share/common-licenses/Apache-2.0
for f in "$source_font" "$copyright" "$apache"; do
  if [ ! -r "$f" ]; then
    echo "$0: $f is missing (scripts/install-deps.sh installs fonts-open-sans)" >&2
    exit 1
  fi
done
if ! command -v pyftsubset >/dev/null; then
  echo "$0: pyftsubset is missing (scripts/install-deps.sh installs fonttools)" >&2
  exit 1
fi

mkdir -p "$out"
pyftsubset "$source_font" \
  --unicodes=U+0020-007E,U+00A0-00FF \
  --layout-features= \
  --no-recalc-timestamp \
  --output-file="$out/ACKNOWTT.TTF"

{
  cat <<'TEXT'
Data/ACKNOWTT.TTF is Open Sans Bold (OpenSans-Bold.ttf) from the Debian package
fonts-open-sans, cut down by tools/font/make-font.sh with the fontTools
subsetter to the characters U+0020-U+007E and U+00A0-U+00FF, without its
OpenType layout tables. It is otherwise unchanged and keeps its own name.

Open Sans is licensed under the Apache License, Version 2.0. The package's
copyright file and the full licence text follow.

======================================================================
debian/copyright of fonts-open-sans
======================================================================
TEXT
  cat "$copyright"
  cat <<'TEXT'

======================================================================
Apache License, Version 2.0
======================================================================
TEXT
  cat "$apache"
} >"$out/ACKNOWTT-LICENSE.txt"
