#!/usr/bin/env python3
"""Draws the program's pictures into res/: the toolbar strip, the tab icons, the
panels' close button, the save-changes picture, the about-box logo and the
program icon.

Standard library only. Shapes are vector outlines filled with supersampled
coverage; bitmaps are 24-bit with magenta (255, 0, 255) for transparent pixels
(edge pixels are blended towards a light grey face colour), the icon is 32-bit
with alpha. The generated files are committed, so the build needs no Python.

    python3 scripts/make_images.py
"""
import math
import os
import struct

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
KEY = (255, 0, 255)
FACE = (228, 226, 222)  # what edge pixels fade into


# ---------------------------------------------------------------- shapes
# A shape is (inside(x, y) -> bool, bounding box (x0, y0, x1, y1)).

def rect(x0, y0, x1, y1):
    return (lambda x, y: x0 <= x < x1 and y0 <= y < y1), (x0, y0, x1, y1)


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside, (x0, y0, x1, y1)


def circle(cx, cy, r):
    return (lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r), (cx - r, cy - r, cx + r, cy + r)


def ring(cx, cy, r_out, r_in):
    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        return r_in * r_in <= d <= r_out * r_out
    return inside, (cx - r_out, cy - r_out, cx + r_out, cy + r_out)


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside, (min(xs), min(ys), max(xs), max(ys))


def _segment_distance2(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    px, py = ax + t * dx, ay + t * dy
    return (x - px) ** 2 + (y - py) ** 2


def stroke(points, width, closed=False):
    """A polyline of the given width with round joins and ends."""
    segments = list(zip(points, points[1:] + (points[:1] if closed else [])))
    r2 = (width / 2) ** 2
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    h = width / 2

    def inside(x, y):
        return any(_segment_distance2(x, y, a[0], a[1], b[0], b[1]) <= r2 for a, b in segments)
    return inside, (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h)


def arc_points(cx, cy, r, a0, a1, steps=24):
    """Points along a circle from angle a0 to a1 (degrees, 0 = right, 90 = up)."""
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy - r * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]


def star(cx, cy, r_out, r_in, points=4):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.pi * i / points - math.pi / 2
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts)


# ---------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, w, h, samples=5):
        self.w, self.h, self.n = w, h, samples
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * w for _ in range(h)]  # straight RGBA, 0..1 alpha
        self.transforms = [(0.0, 0.0, 1.0)]

    def push(self, dx, dy, scale):
        ox, oy, s = self.transforms[-1]
        self.transforms.append((ox + dx * s, oy + dy * s, s * scale))

    def pop(self):
        self.transforms.pop()

    def fill(self, shape, colour, alpha=1.0):
        """colour: (r, g, b) or a function (x, y) -> (r, g, b) in shape units."""
        inside, (bx0, by0, bx1, by1) = shape
        ox, oy, s = self.transforms[-1]
        n = self.n
        x_lo = max(0, int(math.floor(ox + bx0 * s)))
        x_hi = min(self.w, int(math.ceil(ox + bx1 * s)) + 1)
        y_lo = max(0, int(math.floor(oy + by0 * s)))
        y_hi = min(self.h, int(math.ceil(oy + by1 * s)) + 1)
        for py in range(y_lo, y_hi):
            for px in range(x_lo, x_hi):
                hits = 0
                for sy in range(n):
                    y = ((py + (sy + 0.5) / n) - oy) / s
                    for sx in range(n):
                        x = ((px + (sx + 0.5) / n) - ox) / s
                        if inside(x, y):
                            hits += 1
                if hits == 0:
                    continue
                a = alpha * hits / (n * n)
                c = colour(((px + 0.5) - ox) / s, ((py + 0.5) - oy) / s) if callable(colour) else colour
                self._over(px, py, c, a)

    def _over(self, x, y, c, a):
        r, g, b, da = self.px[y][x]
        out_a = a + da * (1 - a)
        if out_a <= 0:
            return
        mix = lambda s, d: (s * a + d * da * (1 - a)) / out_a
        self.px[y][x] = (mix(c[0], r), mix(c[1], g), mix(c[2], b), out_a)

def vertical(top, bottom, y0, y1):
    def colour(x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))
    return colour


def radial(inner, outer, cx, cy, r):
    def colour(x, y):
        t = min(1.0, math.hypot(x - cx, y - cy) / r)
        return tuple(inner[i] + (outer[i] - inner[i]) * t for i in range(3))
    return colour


# ---------------------------------------------------------------- file formats

def keyed_rgb(canvas):
    """Rows of (r, g, b) bytes, top first; transparent pixels in the key colour."""
    rows = []
    for y in range(canvas.h):
        row = []
        for x in range(canvas.w):
            r, g, b, a = canvas.px[y][x]
            if a < 0.1:
                row.append(KEY)
            else:
                row.append(tuple(int(round(c * a + f * (1 - a))) for c, f in zip((r, g, b), FACE)))
        rows.append(row)
    return rows


def bmp24(rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            pixels += bytes((b, g, r))
        pixels += b"\0" * (stride - w * 3)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header)) + header + pixels


def ico(canvases):
    images = []
    for c in canvases:
        xor = bytearray()
        mask = bytearray()
        mask_stride = ((c.w + 31) // 32) * 4
        for y in reversed(range(c.h)):
            bits = bytearray(mask_stride)
            for x in range(c.w):
                r, g, b, a = c.px[y][x]
                xor += bytes((int(round(b)), int(round(g)), int(round(r)), int(round(a * 255))))
                if a < 0.5:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((c, header + xor + mask))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, data in images:
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)


# ---------------------------------------------------------------- drawing parts

INK = (70, 70, 78)
PAPER = (255, 255, 255)
BLUE = (38, 102, 196)
DARK_BLUE = (22, 58, 128)
RED = (206, 44, 44)
GREEN = (40, 150, 70)
YELLOW = (250, 206, 84)
DARK_YELLOW = (170, 120, 24)


def page(c, x0, y0, x1, y1, fold=3.0, fill=PAPER, line=INK):
    outline = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    c.fill(polygon(outline), line)
    inner = [(x0 + 1, y0 + 1), (x1 - fold - 0.4, y0 + 1), (x1 - 1, y0 + fold + 0.4), (x1 - 1, y1 - 1), (x0 + 1, y1 - 1)]
    c.fill(polygon(inner), fill)
    c.fill(polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), line)
    corner = [(x1 - fold + 1, y0 + 1.6), (x1 - fold + 1, y0 + fold - 1), (x1 - 1.6, y0 + fold - 1)]
    c.fill(polygon(corner), (214, 214, 220))


def text_lines(c, x0, y, widths, colours, step=2.0, thickness=1.0):
    for w, colour in zip(widths, colours):
        c.fill(rect(x0, y, x0 + w, y + thickness), colour)
        y += step


def floppy(c):
    c.fill(rounded(1, 1, 15, 15, 1.5), DARK_BLUE)
    c.fill(rounded(2, 2, 14, 14, 1.0), BLUE)
    c.fill(rect(4, 2, 12, 6.5), (226, 230, 236))
    c.fill(rect(9, 3, 11, 5.5), DARK_BLUE)
    c.fill(rect(3.5, 8.5, 12.5, 14), PAPER)
    text_lines(c, 5, 10, [6, 5], [(150, 160, 180)] * 2)


def magnifier(c, cx, cy, r, handle_to, lens_width=1.6):
    c.fill(circle(cx, cy, r), (214, 234, 252), 0.9)
    c.fill(ring(cx, cy, r, r - lens_width), INK)
    d = r / math.sqrt(2)
    c.fill(stroke([(cx + d, cy + d), handle_to], 2.6), (120, 76, 40))


def curved_arrow(c, mirror):
    """A hooked arrow: head pointing left (right when mirrored), tail bending down."""
    def fx(x):
        return 16 - x if mirror else x
    tail = [(5.0, 6.0), (9.0, 6.0)] + arc_points(9.0, 9.8, 3.8, 90, -90, 16)[1:] + [(6.5, 13.6)]
    c.fill(stroke([(fx(x), y) for x, y in tail], 2.3), BLUE)
    head = [(0.6, 6.0), (6.4, 1.2), (6.4, 10.8)]
    c.fill(polygon([(fx(x), y) for x, y in head]), BLUE)


def window_frame(c, pane):
    c.fill(rect(1, 2, 15, 14), INK)
    c.fill(rect(2, 5, 14, 13), PAPER)
    c.fill(rect(2, 3, 14, 5), (90, 140, 215))
    c.fill(rect(*pane), (118, 170, 232))


def question_mark(c, cx, cy, size, colour, width):
    """A question mark whose bowl has radius size around (cx, cy)."""
    pts = arc_points(cx, cy, size, 165, -60, 20)
    foot = (cx, cy + size * 1.45)
    c.fill(stroke(pts + [(cx + size * 0.05, cy + size * 0.95), foot], width), colour)
    c.fill(circle(cx, cy + size * 2.25, width * 0.62), colour)


# ---------------------------------------------------------------- toolbar images (16 x 16)

def icon_new(c):
    page(c, 3, 1, 13.5, 15, fold=4)
    c.fill(star(3.4, 3.8, 4.0, 1.3), DARK_YELLOW)
    c.fill(star(3.4, 3.8, 3.0, 0.9), YELLOW)


def icon_open(c):
    c.fill(polygon([(0.5, 3), (5.5, 3), (7, 4.5), (13.5, 4.5), (13.5, 14), (0.5, 14)]), DARK_YELLOW)
    c.fill(polygon([(1.5, 4), (5, 4), (6.5, 5.5), (12.5, 5.5), (12.5, 13), (1.5, 13)]), (232, 180, 60))
    c.fill(polygon([(3.2, 7), (15.8, 7), (13.2, 14), (0.5, 14)]), DARK_YELLOW)
    c.fill(polygon([(4, 8), (14.4, 8), (12.5, 13), (1.9, 13)]), YELLOW)


def icon_save(c):
    floppy(c)


def icon_save_all(c):
    c.push(4, 0, 0.75)
    floppy(c)
    c.pop()
    c.push(0, 4, 0.75)
    floppy(c)
    c.pop()


def icon_print(c):
    c.fill(rect(3.5, 0.5, 12.5, 7), INK)
    c.fill(rect(4.5, 1.5, 11.5, 7), PAPER)
    c.fill(rounded(0.5, 5.5, 15.5, 12.5, 1.5), INK)
    c.fill(rounded(1.5, 6.5, 14.5, 11.5, 1.0), vertical((214, 216, 222), (168, 170, 178), 6.5, 11.5))
    c.fill(circle(12.5, 8.3, 0.9), GREEN)
    c.fill(rect(3.5, 10, 12.5, 15.5), INK)
    c.fill(rect(4.5, 10, 11.5, 14.5), PAPER)
    text_lines(c, 5.5, 11.2, [5, 4], [(140, 140, 150)] * 2)


def icon_cut(c):
    steel = (110, 114, 126)
    c.fill(stroke([(5.6, 10.2), (11.2, 1)], 1.7), steel)
    c.fill(stroke([(10.4, 10.2), (4.8, 1)], 1.7), steel)
    for cx in (4.2, 11.8):
        c.fill(ring(cx, 12.2, 2.9, 1.5), RED)
    c.fill(circle(8, 7.6, 0.8), INK)


def icon_copy(c):
    page(c, 1, 1, 10, 11, fold=3)
    text_lines(c, 3, 4.5, [4, 5], [BLUE, (150, 150, 160)])
    page(c, 6, 5, 15, 15.5, fold=3)
    text_lines(c, 8, 8.5, [4, 5, 3], [BLUE, (150, 150, 160), GREEN])


def icon_paste(c):
    c.fill(rounded(1.5, 2, 12.5, 15.5, 1.2), (120, 80, 30))
    c.fill(rounded(2.5, 3, 11.5, 14.5, 0.8), (196, 146, 74))
    c.fill(rounded(4.5, 0.5, 9.5, 4.5, 1.0), INK)
    c.fill(rect(5.5, 1.5, 8.5, 3.5), (200, 204, 212))
    page(c, 7, 6, 15.5, 15.5, fold=2.5)
    text_lines(c, 9, 9.5, [4, 4.5, 3], [BLUE, (150, 150, 160), GREEN])


def icon_delete(c):
    c.fill(stroke([(3.5, 3.5), (12.5, 12.5)], 3.0), RED)
    c.fill(stroke([(12.5, 3.5), (3.5, 12.5)], 3.0), RED)


def icon_undo(c):
    curved_arrow(c, mirror=False)


def icon_redo(c):
    curved_arrow(c, mirror=True)


def icon_find(c):
    magnifier(c, 6.5, 6.5, 5.0, (14.2, 14.2))


def icon_replace(c):
    magnifier(c, 5.5, 5.5, 4.3, (10.8, 10.8), lens_width=1.4)
    c.push(-0.8, -0.8, 1.0)
    pencil = [(8.6, 13.9), (14.1, 8.4), (15.6, 9.9), (10.1, 15.4)]
    c.fill(polygon(pencil), (230, 160, 40))
    c.fill(polygon([(8.6, 13.9), (10.1, 15.4), (7.4, 16.0)]), INK)
    c.fill(polygon([(14.1, 8.4), (15.0, 7.5), (16.5, 9.0), (15.6, 9.9)]), RED)
    c.pop()


def icon_work_folder(c):
    window_frame(c, (2, 5, 6.5, 13))


def icon_status_folder(c):
    window_frame(c, (2, 9.5, 14, 13))


def icon_help(c):
    c.fill(circle(8, 8, 7.5), DARK_BLUE)
    c.fill(circle(8, 8, 6.6), radial((120, 176, 240), BLUE, 6, 5.5, 8))
    question_mark(c, 8, 5.8, 2.3, PAPER, 1.9)


TOOLBAR = [icon_new, icon_open, icon_save, icon_save_all, icon_print, icon_cut, icon_copy, icon_paste,
           icon_delete, icon_undo, icon_redo, icon_find, icon_replace, icon_work_folder, icon_status_folder,
           icon_help]


# ---------------------------------------------------------------- tab icons (16 x 16)

def source_page(c, badge):
    page(c, 2, 0.5, 13, 15.5, fold=3.5)
    text_lines(c, 4, 4, [5, 6, 4, 6, 3], [BLUE, INK, INK, GREEN, BLUE])
    if badge:
        c.fill(rounded(8.5, 9.5, 16, 16, 1.2), badge[1])
        c.fill(rounded(9.5, 10.5, 15, 15, 0.8), badge[0])


def tab_basic(c):
    source_page(c, (BLUE, DARK_BLUE))


def tab_include(c):
    source_page(c, ((240, 150, 40), (160, 90, 10)))


def tab_text(c):
    page(c, 2, 0.5, 13, 15.5, fold=3.5)
    text_lines(c, 4, 4, [6, 5, 6, 4, 6], [(150, 150, 160)] * 5)


# ---------------------------------------------------------------- tree images (16 x 16)
# One strip for the keyword tree, the completion list and the procedure list:
# 0 book (catalogue root, system keyword, procedure-list root), 1 folder
# (category), 2 statement or function (also a procedure), 3 reserved word or
# data type, 4 spare, 5 folder of data types, 6 folder of constants, 7 constant.

def book(c, cover, spine):
    c.fill(rounded(2.5, 1.5, 14, 14.5, 1.2), spine)
    c.fill(rounded(4, 1.5, 14, 13, 1.0), cover)
    c.fill(rect(4, 13, 14, 14.5), PAPER)
    c.fill(rect(6, 4, 12, 5.2), PAPER, 0.8)
    c.fill(rect(6, 6.5, 11, 7.5), PAPER, 0.6)


def folder(c, body, mark=None):
    c.fill(rounded(1, 3, 7, 6, 0.8), DARK_YELLOW)
    c.fill(rounded(1, 4.5, 15, 14, 1.0), DARK_YELLOW)
    c.fill(rounded(1.8, 5.5, 14.2, 13.2, 0.8), body)
    if mark:
        c.fill(circle(11.5, 10.5, 3.0), mark)


def tree_root(c):
    book(c, BLUE, DARK_BLUE)


def tree_category(c):
    folder(c, YELLOW)


def tree_entry(c):
    # A blue diamond: a keyword of the language, not a box to tick.
    c.fill(polygon([(8, 1.5), (14.5, 8), (8, 14.5), (1.5, 8)]), DARK_BLUE)
    c.fill(polygon([(8, 3.2), (12.8, 8), (8, 12.8), (3.2, 8)]), (60, 120, 210))
    c.fill(polygon([(8, 4.5), (10, 6.5), (8, 8), (6, 6.5)]), PAPER, 0.6)


def tree_type(c):
    c.fill(rounded(2, 2, 14, 14, 2), (150, 60, 170))
    c.fill(rect(5, 5, 11, 6.6), PAPER)
    c.fill(rect(7.2, 5, 8.8, 12), PAPER)


def tree_spare(c):
    c.fill(circle(8, 8, 5), INK)


def tree_type_folder(c):
    folder(c, YELLOW, (150, 60, 170))


def tree_constant_folder(c):
    folder(c, YELLOW, GREEN)


def tree_constant(c):
    c.fill(rounded(2, 2, 14, 14, 2), GREEN)
    c.fill(ring(8, 8, 3.6, 2.0), PAPER)


TREE = [tree_root, tree_category, tree_entry, tree_type, tree_spare, tree_type_folder, tree_constant_folder,
        tree_constant]


# ---------------------------------------------------------------- pictures

def panel_close(c):
    c.fill(stroke([(2.6, 2.6), (8.4, 8.4)], 1.5), (60, 60, 66))
    c.fill(stroke([(8.4, 2.6), (2.6, 8.4)], 1.5), (60, 60, 66))


def question_picture(c):
    cx, cy, r = 32, 28, 25
    c.fill(circle(cx + 1.5, cy + 2, r), (0, 0, 0), 0.18)  # soft shadow
    c.fill(circle(cx, cy, r), DARK_BLUE)
    c.fill(circle(cx, cy, r - 1.5), radial((136, 190, 250), (30, 88, 184), cx - 8, cy - 10, r * 1.5))
    c.fill(rounded(cx - 14, cy - 22, cx + 10, cy - 12, 5), PAPER, 0.25)  # highlight
    question_mark(c, cx, cy - 7, 8, PAPER, 6.2)


def logo(c, w, h, detail=True):
    """Page of coloured code with a quill across it, drawn into a w x h box."""
    s = min(w / 72.0, h / 69.0)
    c.push(round((w - 72 * s) / 2), round((h - 69 * s) / 2), s)
    page(c, 6, 4, 50, 64, fold=11, line=(90, 96, 110))
    if detail:
        widths = [18, 26, 14, 30, 22, 12, 26, 18]
        colours = [BLUE, INK, (160, 0, 160), GREEN, BLUE, RED, INK, GREEN]
        for i, (wd, col) in enumerate(zip(widths, colours)):
            indent = 0 if i in (0, 4, 7) else 5
            c.fill(rect(12 + indent, 17 + i * 5, 12 + indent + wd, 20 + i * 5), col)
    else:
        for i, col in enumerate([BLUE, INK, GREEN, INK]):
            c.fill(rect(12, 18 + i * 10, 36 - (i % 2) * 8, 23 + i * 10), col)
    # The quill: a vane along a curved spine from the nib (bottom left) up to the right.
    def spine(t):
        return (20 + 50 * t + 4 * math.sin(math.pi * t), 64 - 62 * t + 3 * math.sin(math.pi * t))
    left, right = [], []
    for i in range(41):
        t = 0.22 + 0.78 * i / 40
        x, y = spine(t)
        x2, y2 = spine(min(1.0, t + 0.01))
        dx, dy = x2 - x, y2 - y
        n = math.hypot(dx, dy) or 1
        nx, ny = -dy / n, dx / n
        u = (t - 0.22) / 0.78
        width = 11 * math.sin(math.pi * min(1.0, u * 1.15)) ** 0.7
        # Two notches where the barbs part.
        left_cut = 1 - 0.55 * max(0.0, 1 - abs(u - 0.42) / 0.05)
        right_cut = 1 - 0.6 * max(0.0, 1 - abs(u - 0.66) / 0.05)
        left.append((x + nx * width * 1.1 * left_cut, y + ny * width * 1.1 * left_cut))
        right.append((x - nx * width * 0.75 * right_cut, y - ny * width * 0.75 * right_cut))
    vane = left + right[::-1]
    c.fill(polygon(vane), (40, 56, 150))
    c.fill(polygon(vane), vertical((150, 190, 255), (70, 100, 210), 4, 60), 0.85)
    c.fill(stroke([spine(0.14 + 0.86 * i / 20) for i in range(21)], 2.0), (30, 36, 90))
    nib = [spine(0.0), spine(0.16)]
    c.fill(stroke(nib, 3.0), (40, 40, 46))
    c.fill(circle(*spine(0.0), 1.6), (20, 20, 24))
    c.pop()


# ---------------------------------------------------------------- output

def strip(draws, size):
    c = Canvas(size * len(draws), size)
    for i, draw in enumerate(draws):
        c.push(i * size, 0, 1.0)
        draw(c)
        c.pop()
    return c


def picture(draw, w, h, samples=4):
    c = Canvas(w, h, samples)
    draw(c)
    return c


def write(name, data):
    with open(os.path.join(RES, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(RES, exist_ok=True)
    write("toolbar.bmp", bmp24(keyed_rgb(strip(TOOLBAR, 16))))
    write("tab_icons.bmp", bmp24(keyed_rgb(strip([tab_basic, tab_include, tab_text], 16))))
    write("tree_images.bmp", bmp24(keyed_rgb(strip(TREE, 16))))
    write("panel_close.bmp", bmp24(keyed_rgb(picture(panel_close, 11, 11, 6))))
    write("question.bmp", bmp24(keyed_rgb(picture(question_picture, 64, 56))))
    write("logo.bmp", bmp24(keyed_rgb(picture(lambda c: logo(c, 72, 69), 72, 69))))
    icons = [picture(lambda c, n=n: logo(c, n, n, detail=n >= 32), n, n, 5 if n <= 16 else 4) for n in (16, 32, 48)]
    write("quillet.ico", ico(icons))


if __name__ == "__main__":
    main()
