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
cxx=${FUZZ_CXX:-}
if [ -z "$cxx" ]; then
  for c in clang++ clang++-14; do
    if command -v "$c" >/dev/null 2>&1; then cxx=$c; break; fi
  done
fi
[ -n "$cxx" ] || { echo "run.sh: clang++ not found (apt-get install clang libclang-rt-14-dev)" >&2; exit 2; }

mkdir -p "$work/corpus" "$work/crashes"
"$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$src" "$here/fuzz_tally.cpp" \
  "$src/finisher.cpp" "$src/linereader.cpp" "$src/options.cpp" "$src/parsers.cpp" "$src/records.cpp" \
  "$src/session.cpp" "$src/textutil.cpp" "$src/treebytes.cpp" \
  -o "$work/fuzz_tally"

# Seeds: every recording behind a header that names its kind (see the
# layout in fuzz_tally.cpp), with and without a total.
seed() { # seed NAME HEADER-PRINTF FILE
  { printf "$2"; cat "$3"; } > "$work/corpus/seed-$1"
}
for f in "$data"/*.txt; do
  b=$(basename "$f" .txt)
  case "$b" in
    tar-*create*) seed "$b" '\004\020\120\000\020\000\000' "$f" ;;
    tar-*) seed "$b" '\000\007\050\000\000\000\000' "$f" ;;
    zip-*) seed "$b" '\105\377\120\000\020\000\000' "$f" ;;
    unrar-*) seed "$b" '\003\005\120\000\000\000\000' "$f" ;;
    unzip-*) seed "$b" '\006\003\030\015\000\000\000' "$f" ;;
    *) seed "$b" '\000\001\120\000\000\000\000' "$f" ;;
  esac
done

"$work/fuzz_tally" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/crashes/" -print_final_stats=1 "$work/corpus"
