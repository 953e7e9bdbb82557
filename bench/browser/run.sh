#!/bin/sh
# File list benchmark: FileView::setDir on folders of 10,000 and 100,000
# entries against `ls -l` on the same folders, best of several runs each.
# A ratio below 1 means the list is faster than ls -l (the goal: at most 1).
# Usage: bench/browser/run.sh BUILD_DIR
set -eu
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
cmake --build "$build" --target fileviewbench >/dev/null
bench="$build/bench/browser/fileviewbench"
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen

tmp=$(mktemp -d "${TMPDIR:-/tmp}/browser-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT INT TERM

for count in 10000 100000; do
  echo "browser: making $count entries"
  "$bench" make "$tmp/d$count" "$count"
  "$bench" list "$tmp/d$count" 5 2>/dev/null | grep entries
done
