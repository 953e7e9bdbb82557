#!/bin/sh
# Prints the clang++ that the fuzz targets are built with: $FUZZ_CXX, or the
# first of clang++ and clang++-14 on PATH. Exits 2 when there is none.
set -eu
if [ -n "${FUZZ_CXX:-}" ]; then
  echo "$FUZZ_CXX"
  exit 0
fi
for c in clang++ clang++-14; do
  if command -v "$c" >/dev/null 2>&1; then
    echo "$c"
    exit 0
  fi
done
echo "fuzz: clang++ not found (apt-get install clang libclang-rt-14-dev)" >&2
exit 2
