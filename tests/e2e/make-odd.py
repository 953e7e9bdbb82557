#!/usr/bin/env python3
"""make-odd.py FOLDER: makes in FOLDER one archive for each oddity that other
programs write and that the unpacking programs warn about, so that tally's
verdict on them can be tested. Each holds a folder top/ with one or two small
text files (top/a.txt "alpha", top/b.txt "bravo", fixed modes, owner root,
mtime 2023-11-14 22:13:20 UTC), and the oddity:

  pax-xattr.tar        bsdtar pax headers (paxr: no atime/ctime, so the same
                       bytes each time) for the user xattrs of the files:
                       LIBARCHIVE.xattr.user.test, SCHILY.xattr.user.test
  pax-unknown.tar      pax keywords SCHILY.acl.access, SUN.holesdata,
                       ARKIVE.unknown; top/b.txt dated 1969-01-01
  leading-slash.tar    GNU tar -P: /top/, /top/a.txt, /top/b.txt
  dotdot.tar           ../evil.txt and top/../../evil2.txt beside top/
  lone-zero.tar        one zero block at the end instead of two, no padding
  empty-name.tar       a folder with an empty name before top/
  unknown-type.tar     top/b.txt of type 'A'
  trailing.tar.gz      garbage after the gzip stream
  trailing.tar.bz2     garbage after the bzip2 stream
  trailing.tar.lzo     garbage after the lzop stream
  selfextracting.zip   a 4 KiB stub before the zip, offsets fixed by zip -A
  padded.zip           the same without zip -A
  backslash.zip        MS-DOS names top\\a.txt, top\\b.txt
  overlap.zip          a second central entry for top/a.txt's local header
                       (before top/b.txt's)
  deferred-symlink.zip the symlink top/link -> a.txt, then a file top/link
  unicode-bad.zip      top/a.txt with a Unicode Path extra field (0x7075)
                       for top/ä.txt whose CRC of the header name is wrong

Prints nothing on success."""
import base64, io, os, struct, subprocess, sys, tarfile, tempfile, warnings, zipfile, zlib

A, B = b"alpha\n", b"bravo\n"
MTIME = 1700000000                      # 2023-11-14 22:13:20 UTC
DATE = (2023, 11, 14, 22, 13, 20)
DOS_DATE = (DATE[0] - 1980) << 9 | DATE[1] << 5 | DATE[2]
DOS_TIME = DATE[3] << 11 | DATE[4] << 5 | DATE[5] // 2
ENV = dict(os.environ, LC_ALL="C.UTF-8", TZ="UTC")
GARBAGE = b"these bytes are no part of the archive\n" * 3
STUB = b"#!/bin/sh\necho 'a stub in front of a zip'\nexit 1\n".ljust(4096, b"\0")


def run(words, cwd=None, data=None):
    done = subprocess.run(words, cwd=cwd, input=data, env=ENV, capture_output=True)
    if done.returncode != 0:
        sys.exit("make-odd.py: %s: status %d: %s" % (" ".join(words), done.returncode,
                                                      done.stderr.decode(errors="replace").strip()))
    return done.stdout


def tree(tmp):
    """tmp/top with a.txt and b.txt, the names to pack in order."""
    names = ["top", "top/a.txt", "top/b.txt"]
    os.mkdir(os.path.join(tmp, "top"), 0o755)
    write(tmp, names[1], A)
    write(tmp, names[2], B)
    for name, mode in zip(names, (0o755, 0o644, 0o644)):
        os.chmod(os.path.join(tmp, name), mode)
        os.utime(os.path.join(tmp, name), (MTIME, MTIME))
    return names


def member(name, data=None, mtime=MTIME, kind=None, pax=None):
    """A tarfile member owned by root: a folder when data is None."""
    info = tarfile.TarInfo(name)
    info.mtime, info.uid, info.gid, info.uname, info.gname = mtime, 0, 0, "root", "root"
    if data is None:
        info.type, info.mode = tarfile.DIRTYPE, 0o755
    else:
        info.type, info.mode, info.size = kind or tarfile.REGTYPE, 0o644, len(data)
    info.pax_headers = pax or {}
    return info, data


TOP = [member("top/"), member("top/a.txt", A), member("top/b.txt", B)]


def tar_bytes(members, form=tarfile.GNU_FORMAT):
    buf = io.BytesIO()
    with tarfile.open(fileobj=buf, mode="w", format=form) as tar:
        for info, data in members:
            tar.addfile(info, io.BytesIO(data) if data is not None else None)
    return buf.getvalue()


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def pax_xattr(folder, tmp):
    names = tree(tmp)
    try:
        os.setxattr(os.path.join(tmp, "top/a.txt"), "user.test", b"alpha attribute")
        os.setxattr(os.path.join(tmp, "top/b.txt"), "user.test", b"bravo attribute")
    except OSError:
        def pax(value):     # the headers bsdtar writes for the xattr
            return {"LIBARCHIVE.xattr.user.test": base64.b64encode(value).decode().rstrip("="),
                    "SCHILY.xattr.user.test": value.decode()}
        write(folder, "pax-xattr.tar", tar_bytes(
            [member("top/"), member("top/a.txt", A, pax=pax(b"alpha attribute")),
             member("top/b.txt", B, pax=pax(b"bravo attribute"))], tarfile.PAX_FORMAT))
        return
    run(["bsdtar", "--format", "paxr", "--uid", "0", "--gid", "0", "--uname", "root", "--gname", "root",
         "-n", "-cf", os.path.join(folder, "pax-xattr.tar"), "-C", tmp] + names)


def pax_unknown(folder, tmp):
    odd = {"SCHILY.acl.access": "user::rw-,group::r--,other::r--", "SUN.holesdata": " 0 6",
           "ARKIVE.unknown": "a keyword no program knows"}
    write(folder, "pax-unknown.tar", tar_bytes(
        [member("top/"), member("top/a.txt", A, pax=odd), member("top/b.txt", B, mtime=-86400 * 365)],
        tarfile.PAX_FORMAT))


def leading_slash(folder, tmp):
    names = tree(tmp)
    run(["tar", "-P", "--format=gnu", "--owner=root:0", "--group=root:0", "--mtime=@%d" % MTIME,
         "--no-recursion", "--transform=s,^,/,S", "-cf", os.path.join(folder, "leading-slash.tar"),
         "-C", tmp] + names)


def dotdot(folder, tmp):
    write(folder, "dotdot.tar", tar_bytes(
        TOP + [member("../evil.txt", b"evil\n"), member("top/../../evil2.txt", b"evil\n")]))


def lone_zero(folder, tmp):
    end = sum(512 + (len(d) + 511) // 512 * 512 if d is not None else 512 for _, d in TOP)
    write(folder, "lone-zero.tar", tar_bytes(TOP)[:end + 512])


def ustar_header(name, kind, size=0, mode=0o644):
    """A ustar header block written by hand (tarfile gives "" the name "/")."""
    head = struct.pack("100s8s8s8s12s12s8s1s100s6s2s32s32s8s8s155s12x", name, b"%07o" % mode,
                       b"0000000", b"0000000", b"%011o" % size, b"%011o" % MTIME, b" " * 8, kind,
                       b"", b"ustar", b"00", b"root", b"root", b"", b"", b"")
    return head[:148] + b"%06o\0 " % sum(head) + head[156:]


def empty_name(folder, tmp):
    write(folder, "empty-name.tar", ustar_header(b"", b"5", mode=0o755) + tar_bytes(TOP))


def unknown_type(folder, tmp):
    write(folder, "unknown-type.tar",
          tar_bytes([member("top/"), member("top/a.txt", A), member("top/b.txt", B, kind=b"A")]))


def trailing(folder, tmp):
    write(tmp, "trailing.tar", tar_bytes(TOP))
    os.utime(os.path.join(tmp, "trailing.tar"), (MTIME, MTIME))   # lzop keeps name and time
    for ending, words in ((".gz", ["gzip", "-9", "-n", "-c"]), (".bz2", ["bzip2", "-9", "-c"]),
                          (".lzo", ["lzop", "-c"])):
        write(folder, "trailing.tar" + ending, run(words + ["trailing.tar"], cwd=tmp) + GARBAGE)


def selfextracting(folder, tmp):
    run(["zip", "-X", "-q", "plain.zip"] + tree(tmp), cwd=tmp)      # without extra fields
    plain = open(os.path.join(tmp, "plain.zip"), "rb").read()
    write(folder, "padded.zip", STUB + plain)
    write(folder, "selfextracting.zip", STUB + plain)
    run(["zip", "-A", "-q", os.path.join(folder, "selfextracting.zip")])


def zip_info(name, system=3, mode=0o100644):
    info = zipfile.ZipInfo(name, DATE)
    info.create_system = system
    info.external_attr = mode << 16 if system == 3 else 0x20   # MS-DOS: the archive bit
    return info


def backslash(folder, tmp):
    with zipfile.ZipFile(os.path.join(folder, "backslash.zip"), "w") as z:
        for name, data in (("top\\a.txt", A), ("top\\b.txt", B)):
            info = zip_info("x", system=0)
            info.filename = name
            z.writestr(info, data)


def overlap(folder, tmp):
    """Stored entries written by hand: local headers, central directory, end."""
    local, central, offsets = b"", [], {}
    for name, data in ((b"top/a.txt", A), (b"top/b.txt", B)):
        offsets[name] = len(local)
        fields = struct.pack("<HHHHHIIIHH", 10, 0, 0, DOS_TIME, DOS_DATE, zlib.crc32(data),
                             len(data), len(data), len(name), 0)
        local += b"PK\3\4" + fields + name + data
        central.append(b"PK\1\2" + struct.pack("<H", 0x031E) + fields + struct.pack(
            "<HHHII", 0, 0, 0, 0o100644 << 16, offsets[name]) + name)
    central.insert(1, central[0])          # top/a.txt again, at the same offset
    cd = b"".join(central)
    end = b"PK\5\6" + struct.pack("<HHHHIIH", 0, 0, len(central), len(central), len(cd), len(local), 0)
    write(folder, "overlap.zip", local + cd + end)


def deferred_symlink(folder, tmp):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")      # zipfile warns of the duplicate name
        with zipfile.ZipFile(os.path.join(folder, "deferred-symlink.zip"), "w") as z:
            z.writestr(zip_info("top/a.txt"), A)
            z.writestr(zip_info("top/link", mode=0o120777), b"a.txt")
            z.writestr(zip_info("top/link"), b"a regular file\n")


def unicode_bad(folder, tmp):
    utf8 = "top/ä.txt".encode()
    info = zip_info("top/a.txt")
    info.extra = struct.pack("<HHBI", 0x7075, 5 + len(utf8), 1, zlib.crc32(b"top/a.txt") ^ 1) + utf8
    with zipfile.ZipFile(os.path.join(folder, "unicode-bad.zip"), "w") as z:
        z.writestr(info, A)
        z.writestr(zip_info("top/b.txt"), B)


CASES = [pax_xattr, pax_unknown, leading_slash, dotdot, lone_zero, empty_name, unknown_type, trailing,
         selfextracting, backslash, overlap, deferred_symlink, unicode_bad]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-odd.py FOLDER")
    folder = os.path.abspath(sys.argv[1])
    os.makedirs(folder, exist_ok=True)
    for case in CASES:
        with tempfile.TemporaryDirectory() as tmp:
            case(folder, tmp)


main()
