#!/usr/bin/env python3
"""hostile.py ARCHIVE SCENARIO OUTSIDE: writes an archive (tar, tar.gz or
zip, by ARCHIVE's name) whose members try to reach the folder
OUTSIDE, which lies beside the output folder."""
import io, sys, tarfile, time, zipfile

archive, scenario, outside = sys.argv[1:4]

# Each scenario: members as (name, kind, data or link target).
SCENARIOS = {
    "dotdot": [("../evil", "file", b"x")],
    "absolute": [(outside + "/evil", "file", b"x")],
    "link then write": [("link", "symlink", outside), ("link/evil", "file", b"x")],
    "hard link outside": [("hard", "hardlink", outside + "/target")],
    "planted link": [("link", "symlink", outside)],
    "planted relative link": [("link", "symlink", "../outside")],
    "write through planted link": [("link/evil", "file", b"x")],
    "folder": [("dir/file", "file", b"x")],
    "link over folder": [("dir", "symlink", outside)],
    "write into folder": [("dir/evil", "file", b"x")],
    # Folders that shut their owner out once tar gives them their modes.
    "closed folders": [(".", "folder", 0o300), ("docs", "folder", 0o600), ("docs/a", "file", b"x")],
}

members = SCENARIOS[scenario]
if archive.endswith(".zip"):
    with zipfile.ZipFile(archive, "w") as z:
        for name, kind, data in members:
            info = zipfile.ZipInfo(name, time.localtime()[:6])
            info.create_system = 3
            info.external_attr = (0o120777 if kind == "symlink" else 0o100644) << 16
            z.writestr(info, data)
else:
    with tarfile.open(archive, "w:gz" if archive.endswith(".gz") else "w", format=tarfile.GNU_FORMAT) as tar:
        for name, kind, data in members:
            info = tarfile.TarInfo(name)
            info.mtime = time.time()
            if kind == "file":
                info.size = len(data)
            elif kind == "folder":
                info.type, info.mode = tarfile.DIRTYPE, data
            else:
                info.type = tarfile.SYMTYPE if kind == "symlink" else tarfile.LNKTYPE
                info.linkname = data
            tar.addfile(info, io.BytesIO(data) if kind == "file" else None)
