#!/bin/sh
# run.sh BUILD_DIR: tally against `pv -l -q` on the same 1,000,000-line
# tar -vv listing, in the same run; prints the CPU time ratio.
set -eu
cmake --build "$1" --target bench_tally
