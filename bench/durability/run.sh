#!/bin/sh
# Durability benchmark: what the sync costs that tally runs before it says
# an unpacking is done. Unpacks 2,000 files of 2,000 bytes with tar and
# measures it with and without a sync of the output's file system
# (syncfs, as tally calls it), alternating, on the disk of BUILD_DIR and on
# a vfat image where the kernel can loop-mount one.
# Prints the median ratio (with / without) and the noise.
# Usage: bench/durability/run.sh BUILD_DIR [ROUNDS]
set -eu
build=$(cd "${1:?usage: run.sh BUILD_DIR [ROUNDS]}" && pwd)
rounds=${2:-11}
work=$(mktemp -d "$build/durability.XXXXXX")
trap 'umount "$work/card" 2>/dev/null || true; rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8

python3 - "$work" <<'PY'
import os, sys, tarfile, io
work = sys.argv[1]
with tarfile.open(os.path.join(work, "files.tar"), "w") as tar:
    for i in range(2000):
        data = os.urandom(2000)
        info = tarfile.TarInfo("files/f%04d" % i)
        info.size = len(data)
        tar.addfile(info, io.BytesIO(data))
PY

measure() {   # FOLDER LABEL
  python3 - "$work/files.tar" "$1" "$2" "$rounds" <<'PY'
import os, shutil, statistics, subprocess, sys, time
archive, folder, label, rounds = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
def once(sync):
    out = os.path.join(folder, "out")
    shutil.rmtree(out, ignore_errors=True)
    os.mkdir(out)
    os.sync()
    start = time.monotonic()
    # fusefat implements neither chown nor chmod: both sides leave them out
    subprocess.run(["tar", "xf", archive, "--no-same-owner", "--no-same-permissions", "-C", out], check=True)
    if sync:
        fd = os.open(out, os.O_RDONLY)
        try:
            os.syncfs(fd) if hasattr(os, "syncfs") else subprocess.run(["sync", "-f", out], check=True)
        finally:
            os.close(fd)
    return time.monotonic() - start
ratios = []
for r in range(rounds):
    order = (False, True) if r % 2 == 0 else (True, False)
    t = {s: once(s) for s in order}
    ratios.append(t[True] / t[False])
q = statistics.quantiles(ratios, n=4)
print("%s: unpacking 2,000 files with the sync / without: %.3f (noise ±%.3f, %d rounds)"
      % (label, statistics.median(ratios), (q[2] - q[0]) / 2, rounds))
PY
}

measure "$work" "$(stat -f -c %T "$work") (the build's disk)"
mkdir "$work/card"
# fusefat is no stand-in here: it takes minutes for what the kernel's vfat
# does in a second.
if command -v mkfs.vfat >/dev/null 2>&1 && truncate -s 64M "$work/card.img" && mkfs.vfat "$work/card.img" >/dev/null \
   && mount -o loop "$work/card.img" "$work/card" 2>/dev/null; then
  measure "$work/card" "vfat image"
else
  echo "vfat image: skipped (the kernel has no vfat driver for a loop mount, or this is no root)"
fi
