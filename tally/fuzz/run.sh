#!/bin/sh
# Builds tally's libFuzzer target with clang and runs it.
#   tally/fuzz/run.sh [SECONDS] [WORKDIR]
# SECONDS defaults to 60; WORKDIR (default /tmp/tally-fuzz) keeps the binary,
# the growing corpus (seeded from tests/tally/data) and any crash files.
# Exits non-zero when the fuzzer finds a crash, a leak or a failed check.
set -eu
seconds=${1:-60}
work=${2:-${TMPDIR:-/tmp}/tally-fuzz}
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/.." && pwd)
data=$(cd "$here/../../tests/tally/data" && pwd)
cxx=$("$here/../../scripts/fuzz-cxx.sh")

mkdir -p "$work/corpus" "$work/crashes"
# The plain C++ of tally (all but its two faces' programs and the window)
# and of the format table's library, as CMake builds them.
core=""
for f in "$src"/*.cpp; do
  case $(basename "$f") in
    main.cpp|main_window.cpp|window.cpp|desktopnotice.cpp) ;;
    *) core="$core $f" ;;
  esac
done
formats=""
for f in $(sed -n 's/^  \([a-z]*\.cpp\) .*/\1/p' "$src/../archive/CMakeLists.txt" | sed -n '1,/^zipdirectory.cpp$/p'); do
  formats="$formats $src/../archive/$f"
done
# shellcheck disable=SC2086
"$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$src" -I"$src/../archive" "$here/fuzz_tally.cpp" $core $formats \
  -o "$work/fuzz_tally"

# Seeds: every recording behind a header of each kind with a total of
# 1 MiB (bits 0-1, 4 and 2 of the first byte, see fuzz_tally.cpp; octal),
# and 7z packing (bit 5).
for f in "$data"/*.txt; do
  for flags in 4 5 6 7 24 25 64; do
    { printf "\\$flags\\020\\120\\000\\020\\000\\000"; cat "$f"; } >"$work/corpus/$flags-$(basename "$f")"
  done
done

"$work/fuzz_tally" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/crashes/" -print_final_stats=1 "$work/corpus"
