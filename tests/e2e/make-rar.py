#!/usr/bin/env python3
"""make-rar.py {4|5} [--encrypted] ARCHIVE TREE: packs the files and folders
below TREE (names relative to TREE, sorted) into ARCHIVE as a stored RAR 4.x
or RAR 5.0 archive, so that unpacking rar can be tested without RARLAB's
programs. With --encrypted the files are marked as password-protected and
their data are random bytes: no password brings them back.

Integers are little-endian. Names are UTF-8 with forward slashes.

RAR 4.x: blocks of HEAD_CRC u16 (low 16 bits of the CRC32 of the block from
HEAD_TYPE to the end of the header), HEAD_TYPE u8, HEAD_FLAGS u16,
HEAD_SIZE u16 (whole header), then the type's fields:
  marker  52 61 72 21 1a 07 00 ("Rar!\\x1a\\x07\\x00", a fixed block)
  main    type 0x73, flags 0, size 13; RESERVED1 u16 = 0, RESERVED2 u32 = 0
  file    type 0x74, flags 0x8000 (PACK_SIZE follows the header)
          | 0x00e0 folder | 0x0200 name not ASCII (UTF-8 as it has no NUL)
          | 0x0004 encrypted + 0x0400 salt;
          PACK_SIZE u32, UNP_SIZE u32, HOST_OS u8 = 3 (Unix),
          FILE_CRC u32 (CRC32 of the unpacked data, 0 for folders),
          FTIME u32 (DOS local time: sec/2 in bits 0-4, min 5-10,
          hour 11-15, day 16-20, month 21-24, year-1980 25-31),
          UNP_VER u8 = 29, METHOD u8 = 0x30 (store), NAME_SIZE u16,
          ATTR u32 (the Unix mode), NAME, [SALT 8 bytes if encrypted];
          then PACK_SIZE bytes of data
  end     type 0x7b, flags 0x4000, size 7 (c4 3d 7b 00 40 07 00)

RAR 5.0: vint = 7 bits a byte, lowest first, high bit set while more follow.
  signature  52 61 72 21 1a 07 01 00 ("Rar!\\x1a\\x07\\x01\\x00")
  header     CRC32 u32 (of the header from HEADER_SIZE to its end),
             HEADER_SIZE vint (bytes from TYPE to the end of the header),
             TYPE vint, FLAGS vint (0x01 extra area, 0x02 data area,
             0x04 skip if unknown), [EXTRA_SIZE vint], [DATA_SIZE vint],
             the type's fields, the extra area; then DATA_SIZE bytes of data
  main       TYPE 1, FLAGS 0; ARCHIVE_FLAGS vint = 0
  file       TYPE 2, FLAGS 0x02 (+0x01 if encrypted), DATA_SIZE 0 for
             folders (libarchive wants it); FILE_FLAGS vint
             (0x01 folder, 0x02 mtime present, 0x04 CRC32 present),
             UNP_SIZE vint, ATTRIBUTES vint (the Unix mode), MTIME u32
             (Unix time), [DATA_CRC32 u32 (files only)], COMPRESSION vint
             = 0 (version 0, method 0 store), HOST_OS vint = 1 (Unix),
             NAME_SIZE vint, NAME
  encryption extra record (file headers, if encrypted): SIZE vint (bytes
             from RTYPE on), RTYPE vint = 0x01, VERSION vint = 0 (AES-256),
             FLAGS vint = 0x01 (check value present), KDF_COUNT u8 = 15
             (2^15 rounds), SALT 16 bytes, IV 16 bytes, CHECK 8 bytes and
             their checksum, the first 4 bytes of the SHA-256 of CHECK
  end        TYPE 5, FLAGS 0x04; END_FLAGS vint = 0 (1d 77 56 51 03 05 04 00)

Encrypted files hold random bytes of UNP_SIZE rounded up to 16 (the size
of the AES blocks); folders are not marked."""
import hashlib, os, struct, sys, time, zlib


def entries(tree, encrypted):
    """The files and folders below tree, sorted by name: (name as UTF-8, lstat,
    folder or not, stored bytes, CRC32 of the real data, real size)."""
    found = []
    for top, dirs, files in os.walk(tree):
        for name in dirs + files:
            path = os.path.join(top, name)
            folder = os.path.isdir(path) and not os.path.islink(path)
            if not folder and (os.path.islink(path) or not os.path.isfile(path)):
                continue  # only files and folders
            data = b"" if folder else open(path, "rb").read()
            stored = os.urandom((len(data) + 15) // 16 * 16) if encrypted and not folder else data
            found.append((os.path.relpath(path, tree).replace(os.sep, "/").encode(), os.lstat(path), folder,
                          stored, zlib.crc32(data), len(data)))
    return sorted(found, key=lambda entry: entry[0])


def dos_time(t):
    t = time.localtime(max(t, 315532800))
    return ((t.tm_year - 1980) << 25 | t.tm_mon << 21 | t.tm_mday << 16
            | t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec // 2)


def block4(htype, flags, fields):
    """One RAR 4.x block header: CRC, type, flags, size, fields."""
    rest = struct.pack("<BHH", htype, flags, 7 + len(fields)) + fields
    return struct.pack("<H", zlib.crc32(rest) & 0xFFFF) + rest


def rar4(tree, encrypted):
    out = [b"Rar!\x1a\x07\x00", block4(0x73, 0, struct.pack("<HI", 0, 0))]
    for raw, st, folder, data, crc, size in entries(tree, encrypted):
        flags = 0x8000 | (0x00E0 if folder else 0) | (0x0200 if not raw.isascii() else 0)
        salt = b""
        if encrypted and not folder:
            flags |= 0x0004 | 0x0400
            salt = os.urandom(8)
        fields = struct.pack("<IIBIIBBHI", len(data), size, 3, crc,
                             dos_time(st.st_mtime), 29, 0x30, len(raw), st.st_mode)
        out += [block4(0x74, flags, fields + raw + salt), data]
    out.append(block4(0x7B, 0x4000, b""))
    return b"".join(out)


def vint(n):
    b = bytearray()
    while True:
        b.append(n & 0x7F | (0x80 if n > 0x7F else 0))
        n >>= 7
        if not n:
            return bytes(b)


def head5(htype, flags, fields, extra=b"", data_size=None):
    """One RAR 5.0 header: CRC32, size, type, flags, sizes, fields, extra."""
    body = vint(htype) + vint(flags | (0x01 if extra else 0) | (0x02 if data_size is not None else 0))
    if extra:
        body += vint(len(extra))
    if data_size is not None:
        body += vint(data_size)
    body = vint(len(body + fields + extra)) + body + fields + extra
    return struct.pack("<I", zlib.crc32(body)) + body


def crypt_record():
    """The file encryption extra record, with a random salt, IV and check."""
    check = os.urandom(8)
    data = (vint(0x01) + vint(0) + vint(0x01) + bytes([15]) + os.urandom(16)
            + os.urandom(16) + check + hashlib.sha256(check).digest()[:4])
    return vint(len(data)) + data


def rar5(tree, encrypted):
    out = [b"Rar!\x1a\x07\x01\x00", head5(1, 0, vint(0))]
    for raw, st, folder, data, crc, size in entries(tree, encrypted):
        fields = vint(0x03 if folder else 0x06) + vint(size) + vint(st.st_mode)
        fields += struct.pack("<I", int(st.st_mtime) & 0xFFFFFFFF)
        if not folder:
            fields += struct.pack("<I", crc)
        fields += vint(0) + vint(1) + vint(len(raw)) + raw
        extra = crypt_record() if encrypted and not folder else b""
        out += [head5(2, 0, fields, extra, len(data)), data]
    out.append(head5(5, 0x04, vint(0)))
    return b"".join(out)


def main():
    args = sys.argv[1:]
    encrypted = "--encrypted" in args
    args = [a for a in args if a != "--encrypted"]
    if len(args) != 3 or args[0] not in ("4", "5"):
        sys.exit("usage: make-rar.py {4|5} [--encrypted] ARCHIVE TREE")
    version, archive, tree = args
    with open(archive, "wb") as f:
        f.write((rar4 if version == "4" else rar5)(tree, encrypted))


main()
