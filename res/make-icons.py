#!/usr/bin/env python3
"""Draws the file list's icons (RGBA PNG) with the standard library only: the
four device icons, an icon per archive family (22x22) and the mark drawn over
the icon of a symbolic link (10x10).

Run it in this folder to make chr.png, blk.png, fifo.png, sock.png, tar.png,
zip.png, 7z.png, rar.png and link.png again.
"""
import struct
import zlib

SIZE = 22

# 22x22 pictures: '#' outline, 'o' fill, '.' transparent; drawn on a tile.
GLYPHS = {
    # a character device: a stream of characters on a terminal
    "chr": ["..........",
            ".##..##...",
            "#...#..#..",
            "#...####..",
            "#...#..#..",
            ".##.#..#..",
            "..........",
            "##.##.##..",
            ".........."],
    # a block device: a stack of blocks
    "blk": ["..........",
            "####.####.",
            "#oo#.#oo#.",
            "####.####.",
            "..........",
            "####.####.",
            "#oo#.#oo#.",
            "####.####.",
            ".........."],
    # a named pipe: a pipe with its flow
    "fifo": ["..........",
             "..........",
             "#########.",
             "o.o.o.o.o.",
             ".o.o.o.o.o",
             "#########.",
             "..........",
             "..........",
             ".........."],
    # a socket: a plug with two prongs
    "sock": ["..#...#...",
             "..#...#...",
             "#########.",
             "#ooooooo#.",
             "#ooooooo#.",
             ".#ooooo#..",
             "..#####...",
             "....#.....",
             "....#....."],
}

TILES = {"chr": (0x3b, 0x6e, 0xa5), "blk": (0x6b, 0x4c, 0x9a),
         "fifo": (0x2e, 0x8b, 0x57), "sock": (0xb5, 0x5a, 0x1e)}


def picture(name):
    tile = TILES[name]
    glyph = GLYPHS[name]
    pixels = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    for y in range(1, SIZE - 1):
        for x in range(1, SIZE - 1):
            edge = x in (1, SIZE - 2) or y in (1, SIZE - 2)
            corner = (x in (1, SIZE - 2)) and (y in (1, SIZE - 2))
            if corner:
                continue
            shade = 0.6 if edge else 1.0
            pixels[y][x] = tuple(int(c * shade) for c in tile) + (255,)
    # each glyph cell is 2x2 pixels, the glyph centred on the tile
    top, left = 2, 1
    for gy, row in enumerate(glyph):
        for gx, cell in enumerate(row):
            colour = {"#": (255, 255, 255, 255), "o": (220, 220, 220, 255)}.get(cell)
            if not colour:
                continue
            for dy in range(2):
                for dx in range(2):
                    pixels[top + gy * 2 + dy][left + gx * 2 + dx] = colour
    return pixels


# Archives: a box with a band across its lid and the family's name in a
# 3x5 pixel font, white on the box.
LETTERS = {
    "T": ["###", ".#.", ".#.", ".#.", ".#."],
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "R": ["##.", "#.#", "##.", "#.#", "#.#"],
    "Z": ["###", "..#", ".#.", "#..", "###"],
    "I": ["###", ".#.", ".#.", ".#.", "###"],
    "P": ["##.", "#.#", "##.", "#..", "#.."],
    "7": ["###", "..#", ".#.", ".#.", ".#."],
}
ARCHIVES = {"tar": ("TAR", (0x8a, 0x55, 0x20)), "zip": ("ZIP", (0x2e, 0x6b, 0x3a)),
            "7z": ("7Z", (0x34, 0x4a, 0x8c)), "rar": ("RAR", (0x7a, 0x2e, 0x6a))}


def archive(name):
    label, box = ARCHIVES[name]
    pixels = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    for y in range(2, SIZE - 1):
        for x in range(1, SIZE - 1):
            edge = x in (1, SIZE - 2) or y in (2, SIZE - 2)
            lid = y in (7, 8)
            shade = 0.6 if edge or lid else 1.0
            pixels[y][x] = tuple(int(c * shade) for c in box) + (255,)
    for y in range(2, 7):   # the band over the lid
        for x in (10, 11):
            pixels[y][x] = (235, 225, 200, 255)
    width = len(label) * 4 - 1
    left = (SIZE - width) // 2
    for i, letter in enumerate(label):
        for gy, row in enumerate(LETTERS[letter]):
            for gx, cell in enumerate(row):
                if cell == "#":
                    pixels[11 + gy][left + i * 4 + gx] = (255, 255, 255, 255)
    return pixels


# A link: an arrow out of a white square with a dark frame.
LINK = ["##########",
        "#........#",
        "#...####.#",
        "#.....##.#",
        "#....#.#.#",
        "#...#..#.#",
        "#..#.....#",
        "#.#......#",
        "#........#",
        "##########"]


def link():
    colours = {"#": (0x20, 0x20, 0x20, 255), ".": (255, 255, 255, 255)}
    return [[colours[cell] for cell in row] for row in LINK]


def png(pixels):
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


PICTURES = {name: picture(name) for name in GLYPHS}
PICTURES.update({name: archive(name) for name in ARCHIVES})
PICTURES["link"] = link()
for name, pixels in PICTURES.items():
    with open(name + ".png", "wb") as out:
        out.write(png(pixels))
