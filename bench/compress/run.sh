#!/bin/sh
# Compress benchmarks: totalSize against du on 50,000 files in 500 folders,
# and the OK pipeline with tally against the bare archiver on a 200 MB tree.
# Usage: bench/compress/run.sh BUILD_DIR
set -eu
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
cmake --build "$build" --target compressbench tally >/dev/null
bench="$build/bench/compress/compressbench"
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
export PATH="$PATH:$build/arkive/bin"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/compress-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT INT TERM

echo "compress: making 50,000 files in 500 folders"
"$bench" tree "$tmp/many" 500 100 64
"$bench" total "$tmp/many" 7 # goal: ratio within 1.5
rm -rf "$tmp/many"

echo "compress: making a 200 MB tree"
"$bench" tree "$tmp/big" 20 100 102400
mkdir "$tmp/out"
for format in .tar .tar.gz .zip; do
  "$bench" pipeline "$format" "$tmp/big" "$tmp/out" 3 # goal: ratio within 1.02
done
