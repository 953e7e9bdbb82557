#!/bin/sh
# check-install.sh BUILD_DIR: `cmake --install` lays out the whole program
# folder under a prefix, and the installed program runs from there.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

for path in arkive bin/tally res/chr.png res/blk.png res/fifo.png res/sock.png \
            i18n/arkiveui_de.qm; do
  [ -f "$prefix/$path" ] || { echo "missing from the install: $path" >&2; exit 1; }
done
for folder in plugin lib; do
  [ -d "$prefix/$folder" ] || { echo "missing folder: $folder" >&2; exit 1; }
done

# A bad option ends with status 0 at once.
"$prefix/arkive" -x 2>/dev/null
# The installed tally reads a listing and reports it done.
printf -- '-rw-r--r-- root/root 5 2026-01-01 00:00 a.txt\n' \
  | QT_QPA_PLATFORM=offscreen "$prefix/bin/tally" --text -t tar 2>/dev/null
echo "install layout ok"
