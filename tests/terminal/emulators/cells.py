#!/usr/bin/env python3
"""Whether a terminal shows the game's screen, from a picture of its window or a tmux pane.

  cells.py picture SHOT.ppm [--frame-rgb R,G,B]   a screenshot (binary PPM)
  cells.py pane CAPTURE [--frame-rgb R,G,B]       tmux capture-pane -p -e output

Checked at given cells (1-based column, row of the 80 x 25 screen): the frame's corners and
divider in the frame colour (red), the ship in yellow, the side panel's text in its grey and
a blank panel cell blank; in a pane also the glyphs, and no faint or bold text. With
--frame-rgb the frame's colour must be exactly that one: which colour mode the game chose.
Prints what is wrong, one line each, and exits 1; exits 0 when everything is there.
"""
import re
import sys
from collections import Counter

FRAME = {(1, 1): "╔", (80, 1): "╗", (1, 25): "╚", (80, 25): "╝", (50, 1): "╦", (50, 10): "╠",
         (50, 12): "║", (50, 25): "╩", (80, 10): "╣"}
SHIP = (25, 23)
TEXTS = [(52, 6, "Vidas: 3"), (52, 14, "[A] - Tiro Normal da Nave")]
BLANK = (70, 7)


def colour_class(rgb):
    r, g, b = rgb
    if r >= 100 and g <= 0.45 * r and b <= 0.45 * r:
        return "red"
    if r >= 150 and g >= 150 and b <= 0.6 * min(r, g) and 0.75 <= r / g <= 1.33:
        return "yellow"
    if max(rgb) >= 60 and max(rgb) - min(rgb) <= 30:
        return "grey"
    return None


# --- pictures ------------------------------------------------------------------------------

def read_ppm(path):
    data = open(path, "rb").read()
    fields, at = [], 0
    while len(fields) < 4:
        match = re.compile(rb"\s*(#[^\n]*\n|\S+)").match(data, at)
        at = match.end()
        if not match.group(1).startswith(b"#"):
            fields.append(match.group(1))
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[at + 1:at + 1 + width * height * 3]
    return width, height, pixels


class Picture:
    def __init__(self, path):
        self.width, self.height, self.pixels = read_ppm(path)

    def rgb(self, x, y):
        i = 3 * (y * self.width + x)
        return self.pixels[i], self.pixels[i + 1], self.pixels[i + 2]

    def box(self, x0, y0, x1, y1):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                yield self.rgb(x, y)


def find_frame(picture):
    """The outermost red lines: full-width rows and full-height columns of the frame."""
    w = picture.width
    red = [colour_class(picture.rgb(i % w, i // w)) == "red" for i in range(w * picture.height)]
    rows = [sum(red[y * w:(y + 1) * w]) for y in range(picture.height)]
    columns = [sum(red[x::w]) for x in range(w)]
    if max(rows) < 80 or max(columns) < 25:
        return None
    lines = [y for y, n in enumerate(rows) if n >= max(rows) / 2]
    bars = [x for x, n in enumerate(columns) if n >= max(columns) / 2]
    return bars[0], lines[0], bars[-1], lines[-1]


def check_picture(path, frame_rgb):
    picture = Picture(path)
    found = find_frame(picture)
    if found is None:
        return ["no red frame in the picture"]
    left, top, right, bottom = found
    cw, ch = (right - left) / 79, (bottom - top) / 24
    if cw < 4 or ch < cw:
        return [f"the frame's cells are {cw:.1f} x {ch:.1f} pixels"]

    def cell(column, row):
        cx, cy = left + (column - 1) * cw, top + (row - 1) * ch
        return list(picture.box(round(cx - 0.4 * cw), round(cy - 0.4 * ch), round(cx + 0.4 * cw), round(cy + 0.4 * ch)))

    background = Counter(picture.box(left, top, right, bottom)).most_common(1)[0][0]

    def ink(pixels):
        return [p for p in pixels if max(abs(a - b) for a, b in zip(p, background)) > 60]

    wrong, frame_reds = [], set()
    for (column, row) in FRAME:
        reds = [p for p in cell(column, row) if colour_class(p) == "red"]
        frame_reds.update(reds)
        if len(reds) < 3:
            wrong.append(f"frame cell ({column}, {row}) is not red")
    # Smoothed edges only blend the colour towards the black background: the brightest red
    # pixel is the colour itself.
    brightest = max(frame_reds, key=sum, default=None)
    if frame_rgb and brightest != frame_rgb:
        wrong.append(f"frame colour {brightest}, expected {frame_rgb}")
    if len([p for p in cell(*SHIP) if colour_class(p) == "yellow"]) < 3:
        wrong.append(f"the ship's cell {SHIP} is not yellow")
    for column, row, text in TEXTS:
        for i, char in enumerate(text):
            if char == " ":
                continue
            marks = ink(cell(column + i, row))
            if len(marks) < 2 or Counter(map(colour_class, marks)).most_common(1)[0][0] != "grey":
                wrong.append(f"no grey '{char}' at ({column + i}, {row})")
    if ink(cell(*BLANK)):
        wrong.append(f"the blank cell {BLANK} shows something")
    return wrong


# --- tmux panes ----------------------------------------------------------------------------

def palette(index):
    base = [(0, 0, 0), (205, 0, 0), (0, 205, 0), (205, 205, 0), (0, 0, 238), (205, 0, 205), (0, 205, 205),
            (229, 229, 229), (127, 127, 127), (255, 0, 0), (0, 255, 0), (255, 255, 0), (92, 92, 255),
            (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    if index < 16:
        return base[index]
    if index >= 232:
        return (8 + 10 * (index - 232),) * 3
    levels = [0, 95, 135, 175, 215, 255]
    i = index - 16
    return levels[i // 36], levels[i // 6 % 6], levels[i % 6]


def apply_sgr(state, params):
    values = [int(p) if p else 0 for p in params.split(";")]
    i = 0
    while i < len(values):
        v = values[i]
        if v == 0:
            state.update(fg=None, bold=False, faint=False)
        elif v in (1, 2):
            state["bold" if v == 1 else "faint"] = True
        elif v == 22:
            state.update(bold=False, faint=False)
        elif 30 <= v <= 37 or 90 <= v <= 97:
            state["fg"] = palette(v - 30 if v < 90 else v - 82)
        elif v == 39:
            state["fg"] = None
        elif v in (38, 48):
            colour = palette(values[i + 2]) if values[i + 1] == 5 else tuple(values[i + 2:i + 5])
            if v == 38:
                state["fg"] = colour
            i += 2 if values[i + 1] == 5 else 4
        i += 1


def pane_cells(path):
    """Each row of the capture as a list of (glyph, foreground RGB or None, bold, faint)."""
    rows, state = [], {"fg": None, "bold": False, "faint": False}
    for line in open(path, encoding="utf-8").read().split("\n"):
        cells = []
        for match in re.finditer(r"\x1b\[([0-9;]*)m|\x1b[^m]*?[A-Za-z]|(.)", line):
            if match.group(2) is not None:
                cells.append((match.group(2), state["fg"], state["bold"], state["faint"]))
            elif match.group(0).endswith("m"):
                apply_sgr(state, match.group(1))
        rows.append(cells)
    return rows


def check_pane(path, frame_rgb):
    rows = pane_cells(path)

    def cell(column, row):
        line = rows[row - 1] if row - 1 < len(rows) else []
        return line[column - 1] if column - 1 < len(line) else (" ", None, False, False)

    wrong, frame_colours = [], set()
    for (column, row), glyph in FRAME.items():
        shown, fg, _, _ = cell(column, row)
        if shown != glyph or fg is None or colour_class(fg) != "red":
            wrong.append(f"frame cell ({column}, {row}) shows '{shown}' in {fg}")
        frame_colours.add(fg)
    if frame_rgb and frame_colours != {frame_rgb}:
        wrong.append(f"frame colours {sorted(frame_colours, key=str)}, expected {frame_rgb}")
    shown, fg, _, _ = cell(*SHIP)
    if shown != "±" or fg is None or colour_class(fg) != "yellow":
        wrong.append(f"the ship's cell {SHIP} shows '{shown}' in {fg}")
    for column, row, text in TEXTS:
        cells = [cell(column + i, row) for i in range(len(text))]
        if "".join(c[0] for c in cells) != text:
            wrong.append(f"'{''.join(c[0] for c in cells)}' at ({column}, {row}), expected '{text}'")
        for glyph, fg, bold, faint in cells:
            if glyph != " " and (fg is None or colour_class(fg) != "grey" or bold or faint):
                wrong.append(f"'{glyph}' in the panel's text at row {row} is {fg}{' bold' * bold}{' faint' * faint}")
                break
    return wrong


def main(argv):
    if len(argv) not in (3, 5) or argv[1] not in ("picture", "pane") or (len(argv) == 5 and argv[3] != "--frame-rgb"):
        sys.exit(__doc__)
    frame_rgb = tuple(int(v) for v in argv[4].split(",")) if len(argv) == 5 else None
    wrong = (check_picture if argv[1] == "picture" else check_pane)(argv[2], frame_rgb)
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
