#!/bin/sh
# The list inside an archive: a zip of 10,000 entries entered in the file
# list until its listing ended, rows shown (membersbench), against
# `bsdtar -tf` on the same zip, best of several runs each (goal: at most
# 1.5); and the heap that 100,000 members held add (goal: at most 300 bytes
# per member).
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
# The same members at the top: every one a row of the list.
with tarfile.open(os.path.join(tmp, "100k-flat.tar.gz"), "w:gz") as t:
    for i in range(100000):
        t.addfile(tarfile.TarInfo("IMG_%06d.jpg" % i), io.BytesIO(b""))
PY

python3 - "$bench" "$tmp/10k.zip" <<'PY'
import re, subprocess, sys, time
bench, archive = sys.argv[1], sys.argv[2]
rounds = 9
ours = float(re.search(r"best ([0-9.]+) ms", subprocess.run([bench, archive, str(rounds)], check=True,
                                                              capture_output=True, text=True).stdout).group(1)) / 1000
times = []
for _ in range(rounds):
    start = time.monotonic()
    subprocess.run(["bsdtar", "-tf", archive], check=True, stdout=subprocess.DEVNULL)
    times.append(time.monotonic() - start)
theirs = min(times)
print("members: a 10,000-entry zip shown in the list / bsdtar -tf: %.2f (%.1f ms / %.1f ms)"
      % (ours / theirs, ours * 1000, theirs * 1000))
PY
echo "members: 100,000 members of a tar.gz in 1,000 folders: $("$bench" "$tmp/100k.tar.gz" 1 2>/dev/null | head -1)"
echo "members: 100,000 members of a tar.gz at its top, each a row: $("$bench" "$tmp/100k-flat.tar.gz" 1 2>/dev/null | head -1)"
