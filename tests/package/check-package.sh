#!/usr/bin/env bash
# Makes the Debian package from a build folder and checks it: the libraries
# it needs declared, every file in its place, the menu entry valid, the icons
# PNG pictures of their size, the man page there, and the program finding its
# data beside itself. Building the program alone, as the play command does,
# makes everything the install takes from the build folder.
#
#   tests/package/check-package.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$1
source=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
fail() { echo "$*"; status=1; }

# The play command (scripts/play.sh) builds the program alone; `cmake
# --install` right after it fails unless that made every file the install
# takes from the build folder (the icons, the man page).
if [ -f "$build/build.ninja" ]; then
  made=$(ninja -C "$build" -t commands korvane)
  for file in $(grep '^ *file(INSTALL ' "$build/cmake_install.cmake" | grep -o "FILES \"$build/[^\"]*\"" |
                cut -d'"' -f2 | sort -u); do
    [ "$file" = "$build/korvane" ] && continue
    grep -qF "${file#"$build"/}" <<<"$made" || fail "building korvane does not make $file, which the install takes"
  done
fi

if ! cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
deb=$(ls "$out"/korvane_*_*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | awk '{print $1}')
for library in libsdl1.2debian libsdl-image1.2 libsdl-mixer1.2 libfreetype6 libgl1 libstdc++6; do
  grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "not in the games section"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(./usr/bin/korvane ./usr/share/korvane/KVIcon.bmp ./usr/share/applications/korvane.desktop
  ./usr/share/icons/hicolor/32x32/apps/korvane.png ./usr/share/icons/hicolor/128x128/apps/korvane.png
  ./usr/share/man/man6/korvane.6.gz)
for file in $(cd "$source" && ls Data); do expected+=("./usr/share/korvane/Data/$file"); done
for file in "${expected[@]}"; do
  grep -qxF "$file" <<<"$contents" || fail "missing from the package: $file"
done

dpkg-deb -x "$deb" "$out/root"
desktop-file-validate "$out/root/usr/share/applications/korvane.desktop" || fail "the menu entry is not valid"
for size in 32 128; do
  file "$out/root/usr/share/icons/hicolor/${size}x${size}/apps/korvane.png" | grep -q "PNG image data, $size x $size" ||
    fail "the ${size} x ${size} icon is not a PNG of that size"
done
zcat "$out/root/usr/share/man/man6/korvane.6.gz" | grep -q '^\.TH KORVANE 6' || fail "no man page"

# Started from elsewhere, the program lists the data folder beside it.
help=$(cd "$out" && ./root/usr/bin/korvane --help) || fail "--help failed"
grep -qF "$out/root/usr/share/korvane" <<<"$help" || fail "--help does not list the data beside the program: $help"
exit $status
