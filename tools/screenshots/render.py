#!/usr/bin/env python3
"""Renders screens written by vexamor-screens as PNG pictures of a VGA text console: the
console's 16 colours, a 16-line PSF bitmap font drawn 9 dots wide (line-drawing glyphs fill
the ninth column, as on the VGA), and one 4-bit palette PNG per screen. The output depends
only on the cells and the font, so a screen always gives the same picture.

  render.py FONT[:FONT...] OUT_DIR SCREEN.cells...    writes OUT_DIR/SCREEN.png
  (FONT: a PSF 1 file, gzipped or not; a glyph comes from the first font that has it)
  render.py --compare A.png B.png                     exit 0 when the pixels are the same
"""
import gzip
import struct
import sys
import zlib
from pathlib import Path

# The console's colours in its own order, as the terminal presenter sends them in true colour.
PALETTE = [
    (0, 0, 0), (0, 0, 170), (0, 170, 0), (0, 170, 170),
    (170, 0, 0), (170, 0, 170), (170, 85, 0), (170, 170, 170),
    (85, 85, 85), (85, 85, 255), (85, 255, 85), (85, 255, 255),
    (255, 85, 85), (255, 85, 255), (255, 255, 85), (255, 255, 255),
]
CELL_WIDTH = 9
# Glyphs the console fonts know only by a look-alike's code point.
LOOK_ALIKES = {0x25BA: 0x25B6, 0x25C4: 0x25C0}


def read_psf(path):
    """Glyph rows (one int per row, bit 7 leftmost) by code point, and the glyph height."""
    data = Path(path).read_bytes()
    if data[:2] == b"\x1f\x8b":
        data = gzip.decompress(data)
    if data[:2] == b"\x36\x04":  # PSF 1: 256 or 512 glyphs 8 dots wide, UCS-2 table
        mode, height = data[2], data[3]
        count = 512 if mode & 1 else 256
        glyphs = [data[4 + i * height:4 + (i + 1) * height] for i in range(count)]
        table = data[4 + count * height:]
        codes = struct.unpack("<%dH" % (len(table) // 2), table)
        by_code, index, in_sequence = {}, 0, False
        for code in codes:
            if code == 0xFFFF:
                index, in_sequence = index + 1, False
            elif code == 0xFFFE:
                in_sequence = True
            elif not in_sequence:
                by_code.setdefault(code, glyphs[index])
        return {code: list(rows) for code, rows in by_code.items()}, height
    raise SystemExit("render.py: %s is not a PSF 1 font" % path)


def read_cells(path):
    lines = Path(path).read_text(encoding="ascii").splitlines()
    width, height = (int(n) for n in lines[0].split())
    rows = []
    for line in lines[1:1 + height]:
        row = []
        for item in line.split(" "):
            code, colours = item.split(":")
            row.append((int(code, 16), int(colours[0], 16), int(colours[1], 16), colours.endswith("u")))
        if len(row) != width:
            raise SystemExit("render.py: %s: a row of %d cells, not %d" % (path, len(row), width))
        rows.append(row)
    return width, rows


def read_fonts(paths):
    """The glyphs of several fonts of one height, the first font's glyph winning."""
    font, height = {}, None
    for path in paths.split(":"):
        glyphs, glyph_height = read_psf(path)
        if height not in (None, glyph_height):
            raise SystemExit("render.py: %s is not %d lines high" % (path, height))
        height = glyph_height
        for code, rows in glyphs.items():
            font.setdefault(code, rows)
    return font, height


def cell_pixels(font, height, code, fg, bg, underline):
    """The cell's rows of palette indices, CELL_WIDTH each."""
    rows = font.get(code) or font.get(LOOK_ALIKES.get(code, -1))
    if rows is None:
        raise SystemExit("render.py: no font has the glyph U+%04X" % code)
    line_drawing = 0x2500 <= code <= 0x259F
    pixels = []
    for y, bits in enumerate(rows):
        row = [fg if bits & (0x80 >> x) else bg for x in range(8)]
        row.append(row[7] if line_drawing else bg)
        if underline and y == height - 2:
            row = [fg] * CELL_WIDTH
        pixels.append(row)
    return pixels


def png(width, height, rows):
    """A 4-bit palette PNG of rows of palette indices; no filters, zlib level 9."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for x in range(0, width, 2):
            raw.append(row[x] << 4 | (row[x + 1] if x + 1 < width else 0))
    palette = b"".join(bytes(colour) for colour in PALETTE)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 4, 3, 0, 0, 0)) +
            chunk(b"PLTE", palette) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def render(font, height, cells_path, out_dir):
    width, cells = read_cells(cells_path)
    rows = []
    for row in cells:
        glyphs = [cell_pixels(font, height, *cell) for cell in row]
        for y in range(height):
            rows.append([index for glyph in glyphs for index in glyph[y]])
    out = Path(out_dir) / (Path(cells_path).stem + ".png")
    out.write_bytes(png(width * CELL_WIDTH, len(rows), rows))


def pixels_of(path):
    """Size, palette and unfiltered image data of a PNG that png() wrote."""
    data, chunks, offset = Path(path).read_bytes(), {}, 8
    while offset < len(data):
        (length,), kind = struct.unpack(">I", data[offset:offset + 4]), data[offset + 4:offset + 8]
        chunks[kind] = chunks.get(kind, b"") + data[offset + 8:offset + 8 + length]
        offset += 12 + length
    return chunks.get(b"IHDR"), chunks.get(b"PLTE"), zlib.decompress(chunks.get(b"IDAT", b"x\x9c\x03\x00\x00\x00\x00\x01"))


def main(argv):
    if len(argv) == 3 and argv[0] == "--compare":
        return 0 if pixels_of(argv[1]) == pixels_of(argv[2]) else 1
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    font, height = read_fonts(argv[0])
    for cells_path in argv[2:]:
        render(font, height, cells_path, argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
