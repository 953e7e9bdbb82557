#!/bin/sh
# Member listing benchmark: listing a zip of 10,000 entries with libarchive,
# every member kept (membersbench), against `bsdtar -tf` on the same zip,
# best of several runs each (goal: at most 1.5); and the bytes the records
# of 100,000 members hold (goal: at most 300 per member).
# Usage: bench/members/run.sh BUILD_DIR
set -eu
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
cmake --build "$build" --target membersbench >/dev/null
bench="$build/bench/members/membersbench"
export LC_ALL=C.UTF-8
tmp=$(mktemp -d "${TMPDIR:-/tmp}/members-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT INT TERM

python3 - "$tmp" <<'PY'
import os, sys, tarfile, io, zipfile
tmp = sys.argv[1]
with zipfile.ZipFile(os.path.join(tmp, "10k.zip"), "w") as z:
    for i in range(10000):
        z.writestr("photos/%03d/IMG_%05d.jpg" % (i // 100, i), b"x" * 100)
with tarfile.open(os.path.join(tmp, "100k.tar.gz"), "w:gz") as t:
    for i in range(100000):
        info = tarfile.TarInfo("photos/%04d/IMG_%06d.jpg" % (i // 100, i))
        t.addfile(info, io.BytesIO(b""))
PY

python3 - "$bench" "$tmp/10k.zip" <<'PY'
import subprocess, sys, time
bench, archive = sys.argv[1], sys.argv[2]
def best(words, rounds=9):
    times = []
    for _ in range(rounds):
        start = time.monotonic()
        subprocess.run(words, check=True, stdout=subprocess.DEVNULL)
        times.append(time.monotonic() - start)
    return min(times)
ours, theirs = best([bench, archive]), best(["bsdtar", "-tf", archive])
print("members: listing a 10,000-entry zip, every member kept / bsdtar -tf: %.2f (%.1f ms / %.1f ms)"
      % (ours / theirs, ours * 1000, theirs * 1000))
PY
echo "members: 100,000 members of a tar.gz: $("$bench" "$tmp/100k.tar.gz")"
