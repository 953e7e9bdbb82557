#!/bin/sh
# Makes the README's pictures, doc/*.png, on a phone-shaped X screen (Xvfb)
# with a folder of example files: scripts/screenshots.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target screenshots >/dev/null
# A fixed place, since the dialogs show it.
tmp=${TMPDIR:-/tmp}/arkive-examples
rm -rf "$tmp"
trap 'rm -rf "$tmp"' EXIT
home="$tmp/home"
mkdir -p "$home/Documents" "$home/Music/album" "$home/Photos/holiday" "$home/Downloads"
for i in 01 02 03 04; do head -c 300000 /dev/urandom >"$home/Photos/holiday/img_00$i.jpg"; done
printf 'Milk, bread, coffee\n' >"$home/notes.txt"
printf 'A very long report name\n' >"$home/Quarterly report on the archive manager for phones, final version.txt"
head -c 50000 /dev/urandom >"$home/Music/album/track01.ogg"
tar -czf "$home/music.tar.gz" -C "$home" Music
zip -qr "$home/photos.zip" "$home/Photos"
head -c 20000 "$home/music.tar.gz" >"$home/broken.tar.gz"
xvfb-run -a -s "-screen 0 360x720x24 -nolisten tcp -noreset" \
  env -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 "$build/doc/screenshots" "$home" doc
echo "screenshots: $(ls doc/*.png | tr '\n' ' ')"
