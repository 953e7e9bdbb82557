#!/bin/sh
# Prints the size of the tests against the product code: non-blank,
# non-comment lines (cloc) of C++, shell and Python in tests/ and
# tally/fuzz/, against C++ in app/ browser/ archive/ platform/ tally/
# (without tally/fuzz/). The aim is at most 0.35.
set -eu
cd "$(dirname "$0")/.."
lines() {
  cloc --quiet --csv "$@" | awk -F, '$2 ~ /^(C\+\+|C\/C\+\+ Header|Bourne Shell|Bourne Again Shell|Python)$/ {s += $5} END {print s + 0}'
}
code=$(lines app browser archive platform tally --exclude-dir=fuzz)
tests=$(lines tests tally/fuzz)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "test size: %d test lines against %d lines of code: %.2f (aim: at most 0.35)\n", t, c, t / c }'
