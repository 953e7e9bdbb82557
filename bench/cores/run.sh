#!/bin/sh
# Every core: arkive's packing lines for 200 MB of mixed data (half random,
# half text) as tar.gz, tar.bz2, tar.xz, tar.lz and tar.zst against tar and
# the single-threaded tool alone (goal: wall time at most 0.55), and against
# the same tools without tally (goal: CPU at most 1.02); unpacking tar.bz2,
# tar.lz and tar.xz made by arkive the same way (goal: at most 0.6); and the
# percent tally shows at a quarter, half and three quarters of the time of
# packing and unpacking one file of 300 MB (goal: within 10 points).
# In memory where /dev/shm is there. Usage: bench/cores/run.sh BUILD_DIR [REPS]
set -eu
build=$(cd "${1:?usage: run.sh BUILD_DIR [REPS]}" && pwd)
reps=${2:-3}
cmake --build "$build" --target corebench tally >/dev/null
bench="$build/bench/cores/corebench"
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
export PATH="$build/arkive/bin:$PATH"
unset DISPLAY WAYLAND_DISPLAY   # tally's text face

base=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
tmp=$(mktemp -d "$base/core-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT INT TERM

echo "cores: nproc $(nproc), load $(cut -d' ' -f1-3 /proc/loadavg); $(xz --version | head -n 1)"
"$bench" tree "$tmp/mixed" 200
mkdir "$tmp/out"
for format in .tar.gz .tar.bz2 .tar.xz .tar.lz .tar.zst; do
  "$bench" pack "$format" "$tmp/mixed" "$tmp/out" "$reps"
done
for format in .tar.bz2 .tar.lz .tar.xz; do
  "$bench" unpack "$format" "$tmp/mixed" "$tmp/out" "$reps"
done
rm -rf "$tmp/mixed" "$tmp/out"/*
head -c 314572800 /dev/urandom >"$tmp/uniform"
"$bench" curve .tar.bz2 "$tmp/uniform" "$tmp/out"
echo "cores: load at the end $(cut -d' ' -f1-3 /proc/loadavg)"
