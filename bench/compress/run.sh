#!/bin/sh
# Compress benchmarks: totalSize against du on 50,000 files in 500 folders,
# and arkive's packing and unpacking lines with tally against the verbose
# archiver alone on a tree of 2,000 files, 200 MB (in memory where /dev/shm
# is there, so that the disk's noise stays out).
# Usage: bench/compress/run.sh BUILD_DIR [REPS]
set -eu
build=$(cd "${1:?usage: run.sh BUILD_DIR [REPS]}" && pwd)
reps=${2:-11}
cmake --build "$build" --target compressbench tally >/dev/null
bench="$build/bench/compress/compressbench"
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
export PATH="$build/arkive/bin:$PATH"
unset DISPLAY WAYLAND_DISPLAY   # tally's text face: the cost of reading, not of a window

base=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
tmp=$(mktemp -d "$base/compress-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT INT TERM

echo "compress: making 50,000 files in 500 folders"
"$bench" tree "$tmp/many" 500 100 64
"$bench" total "$tmp/many" 7 # goal: ratio within 1.5
# Links among them: what the probe is for.
for i in 0 1 2 3 4; do ln -s "$tmp/many/folder$i" "$tmp/many/folder1$i/link"; done
"$bench" probe "$tmp/many" "$tmp" "$reps" # goal: asked at most once per member
rm -rf "$tmp/many"

echo "compress: making 2,000 files, 200 MB"
"$bench" tree "$tmp/big" 20 100 102400
mkdir "$tmp/out"
for format in .tar .zip .tar.gz; do
  "$bench" pipeline "$format" "$tmp/big" "$tmp/out" "$reps"
done
for format in .tar .zip; do
  "$bench" unpack "$format" "$tmp/big" "$tmp/out" "$reps"
done
