#!/bin/sh
# Builds the libFuzzer target of the member listing (libarchive reading
# untrusted bytes) and of the browser's table of members with clang and
# runs it.
#   archive/fuzz/run.sh [SECONDS] [WORKDIR]
# SECONDS defaults to 60; WORKDIR (default /tmp/members-fuzz) keeps the
# binary, the corpus (seeded with small archives the tools make here) and
# any crash files. Exits non-zero when the fuzzer finds a crash, a leak or a
# failed check.
set -eu
seconds=${1:-60}
work=${2:-${TMPDIR:-/tmp}/members-fuzz}
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/.." && pwd)
cxx=$("$here/../../scripts/fuzz-cxx.sh")

mkdir -p "$work/corpus" "$work/crashes" "$work/seed"
"$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$src" -I"$src/../browser" "$here/fuzz_members.cpp" "$src/members.cpp" "$src/../browser/membertable.cpp" \
  -larchive -o "$work/fuzz_members"

# Seeds: one small tree in each format the tools here make.
printf 'a\n' >"$work/seed/a b"
mkdir -p "$work/seed/dir" && printf 'bb\n' >"$work/seed/dir/c"
(
  cd "$work/seed"
  tar -cf "$work/corpus/t.tar" "a b" dir
  tar -czf "$work/corpus/t.tar.gz" "a b" dir
  tar -cJf "$work/corpus/t.tar.xz" "a b" dir
  if command -v zip >/dev/null 2>&1; then rm -f "$work/corpus/t.zip"; zip -qr "$work/corpus/t.zip" "a b" dir; fi
  if command -v 7zz >/dev/null 2>&1; then rm -f "$work/corpus/t.7z"; 7zz a -bso0 "$work/corpus/t.7z" "a b" dir; fi
)

"$work/fuzz_members" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/crashes/" -print_final_stats=1 "$work/corpus"
