#!/usr/bin/env python3
"""Draws the pictures that the stats viewer and the HTML report share.

- body.png, 173 x 271: the body map's base picture. A figure facing the viewer (the
  player's left on the picture's right), cut into the 11 body areas of the reports. Each
  area is one closed region of a single colour around its anchor, fenced by outline pixels
  of another colour, so that a flood fill from the anchor shades exactly that area. No
  antialiasing: a blended pixel would stop the fill.
- blueflag.png, redflag.png, ggrayflag.png (played for both teams), grayflag.png (no
  team): 20 x 20 flag icons with transparent corners, antialiased by supersampling.
- the same pictures drawn at twice the detail for high-density screens, each named with
  "@2x" before its extension (body@2x.png, 346 x 542): the same shapes sampled twice as
  finely, with outlines as wide as at 1x, so that a flood fill from an anchor scaled by 2
  still shades exactly its area.

The drawing is plain arithmetic and writes the PNG files itself (standard library only),
so running this again gives the same bytes. It checks the body picture's regions before
writing: every area must hold its anchor and the anchor shifted as the report shifts it,
and no other anchor.

Usage: make_pictures.py [OUTPUT_FOLDER]   (default: the folder of this script)
"""

import math
import pathlib
import struct
import sys
import zlib

WIDTH, HEIGHT = 173, 271
CENTRE = 88  # the figure is symmetric about this column

BACKGROUND = (8, 8, 8)
OUTLINE = (143, 163, 184)

# Area index (the reports' order), anchor, and the area's own tone.
AREAS = [
    ("Head", (85, 60), (58, 71, 86)),
    ("Torso", (85, 90), (47, 59, 73)),
    ("Left Arm", (108, 100), (52, 65, 79)),
    ("Right Arm", (64, 100), (52, 65, 79)),
    ("Waist", (88, 127), (40, 51, 64)),
    ("Left Leg", (108, 170), (43, 54, 67)),
    ("Right Leg", (66, 170), (43, 54, 67)),
    ("Left Hand", (109, 134), (58, 71, 86)),
    ("Right Hand", (63, 134), (58, 71, 86)),
    ("Left Foot", (110, 207), (34, 43, 53)),
    ("Right Foot", (65, 208), (34, 43, 53)),
]
REPORT_SHIFT = (4, -8)


def mirrored(points):
    """The same outline on the other side of the figure."""
    return [(2 * CENTRE - x, y) for x, y in points]


def inside_polygon(points, x, y):
    """Even-odd rule for the pixel at (x, y)."""
    inside = False
    n = len(points)
    for i in range(n):
        x1, y1 = points[i]
        x2, y2 = points[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            cross = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if x < cross:
                inside = not inside
    return inside


def polygon(points):
    return lambda x, y: inside_polygon(points, x, y)


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


# The player's left side is drawn on the picture's right; the right side mirrors it.
LEFT_ARM = [(107, 78), (109, 75), (113, 74), (117, 76), (120, 82), (123, 100), (124, 116),
            (120, 120), (108, 120), (105, 116), (106, 96)]
LEFT_HAND = (112, 130, 7.5, 9.5)
LEFT_LEG = [(89, 147), (110, 147), (118, 171), (122, 195), (104, 195), (96, 171)]
LEFT_FOOT = [(103, 197), (122, 197), (128, 205), (131, 212), (127, 214), (103, 214)]

SHAPES = [
    union(ellipse(CENTRE, 53, 13, 15.5), polygon([(82, 66), (94, 66), (94, 73), (82, 73)])),
    polygon([(74, 74), (102, 74), (105, 76), (106, 80), (104, 96), (101, 113), (75, 113),
             (72, 96), (70, 80), (71, 76)]),
    polygon(LEFT_ARM),
    polygon(mirrored(LEFT_ARM)),
    polygon([(75, 114), (101, 114), (103, 124), (104, 136), (102, 146), (74, 146),
             (72, 136), (73, 124)]),
    polygon(LEFT_LEG),
    polygon(mirrored(LEFT_LEG)),
    ellipse(*LEFT_HAND),
    ellipse(2 * CENTRE - LEFT_HAND[0], *LEFT_HAND[1:]),
    polygon(LEFT_FOOT),
    polygon(mirrored(LEFT_FOOT)),
]


def label_areas(scale):
    """Area index of every pixel, -1 for the background. At scale 2 each picture pixel
    covers half a unit of the shapes' coordinates."""
    width, height = WIDTH * scale, HEIGHT * scale
    offset = (scale - 1) / (2 * scale)  # the centre of a fine pixel within its unit
    labels = [[-1] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            sx, sy = x / scale - offset, y / scale - offset
            for area, shape in enumerate(SHAPES):
                if shape(sx, sy):
                    labels[y][x] = area
                    break
    return labels


def is_outline(labels, x, y, reach):
    """A pixel of an area within `reach` pixels of anything else, diagonals included."""
    area = labels[y][x]
    height, width = len(labels), len(labels[0])
    for dy in range(-reach, reach + 1):
        for dx in range(-reach, reach + 1):
            nx, ny = x + dx, y + dy
            if not (0 <= nx < width and 0 <= ny < height) or labels[ny][nx] != area:
                return True
    return False


def floor_shadow(x, y):
    """A faint ellipse under the feet, so the figure stands somewhere."""
    d = ((x - CENTRE) / 58.0) ** 2 + ((y - 216) / 6.0) ** 2
    return d <= 1.0, d


def draw_body(scale=1):
    labels = label_areas(scale)
    pixels = [[BACKGROUND] * (WIDTH * scale) for _ in range(HEIGHT * scale)]
    for y in range(HEIGHT * scale):
        for x in range(WIDTH * scale):
            area = labels[y][x]
            if area >= 0:
                pixels[y][x] = OUTLINE if is_outline(labels, x, y, scale) else AREAS[area][2]
            else:
                under, d = floor_shadow(x / scale, y / scale)
                if under:
                    level = round(8 + 10 * (1.0 - d))
                    pixels[y][x] = (level, level + 2, level + 5)
    return pixels


def region(pixels, start):
    """The 4-connected pixels of start's colour, as a flood fill finds them."""
    colour = pixels[start[1]][start[0]]
    height, width = len(pixels), len(pixels[0])
    seen = {start}
    todo = [start]
    while todo:
        x, y = todo.pop()
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if (0 <= nx < width and 0 <= ny < height and (nx, ny) not in seen
                    and pixels[ny][nx] == colour):
                seen.add((nx, ny))
                todo.append((nx, ny))
    return seen


def check_regions(pixels, scale=1):
    """At 2x the viewer fills from the anchors scaled by 2; the report draws at 1x only."""
    anchors = [(x * scale, y * scale) for _, (x, y), _ in AREAS]
    shifted = ([(x + REPORT_SHIFT[0], y + REPORT_SHIFT[1]) for x, y in anchors] if scale == 1
               else anchors)
    width, height = len(pixels[0]), len(pixels)
    for index, (name, _, tone) in enumerate(AREAS):
        anchor = anchors[index]
        if pixels[anchor[1]][anchor[0]] != tone:
            sys.exit(f"{name}: the anchor {anchor} is not inside the area")
        found = region(pixels, anchor)
        if shifted[index] not in found:
            sys.exit(f"{name}: the shifted anchor {shifted[index]} is outside the area")
        for other in range(len(AREAS)):
            if other != index and (anchors[other] in found or shifted[other] in found):
                sys.exit(f"{name}: the area reaches the anchor of {AREAS[other][0]}")
        if any(x in (0, width - 1) or y in (0, height - 1) for x, y in found):
            sys.exit(f"{name}: the area is not closed")


def wave_top(x):
    return 3.2 + 1.3 * math.sin((x - 5.5) / 12.5 * 2 * math.pi)


def flag_pixel(colour, x, y):
    """Colour and coverage of one point of a flag icon, or None outside it."""
    if 3.6 <= x <= 5.2 and 1.6 <= y <= 19.0:  # the pole
        return (200, 200, 206), 1.0
    if (x - 4.4) ** 2 + (y - 1.7) ** 2 <= 1.6:  # its knob
        return (226, 226, 232), 1.0
    if 5.2 <= x <= 18.2:
        top = wave_top(x)
        bottom = top + 9.6
        if top <= y <= bottom:
            # Light on the crests of the wave, shade in its troughs, a darker hem.
            light = 0.88 + 0.22 * math.cos((x - 5.5) / 12.5 * 2 * math.pi + 1.2)
            edge = min(y - top, bottom - y, 18.2 - x)
            if edge < 0.9:
                light *= 0.62
            return tuple(min(255, round(c * light)) for c in colour), 1.0
    return None


def draw_flag(colour, scale=1, size=20, samples=4):
    """RGBA rows, supersampled samples x samples per pixel."""
    rows = []
    for py in range(size * scale):
        row = []
        for px in range(size * scale):
            total = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    hit = flag_pixel(colour, (px + (sx + 0.5) / samples) / scale,
                                     (py + (sy + 0.5) / samples) / scale)
                    if hit:
                        covered += 1
                        for i in range(3):
                            total[i] += hit[0][i]
            if covered:
                row.append(tuple(round(t / covered) for t in total) +
                           (round(255 * covered / samples ** 2),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def write_png(path, rows, alpha):
    """8-bit RGB or RGBA, no filter, maximum compression."""
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for pixel in row:
            raw.extend(pixel[:4] if alpha else pixel[:3])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
           chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
    path.write_bytes(png)


FLAGS = {
    "blueflag": (0x00, 0x53, 0xA6),
    "redflag": (0x9F, 0x00, 0x00),
    "ggrayflag": (0xE4, 0xE6, 0xEA),
    "grayflag": (0x6C, 0x6F, 0x75),
}


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).parent
    for scale, suffix in ((1, ""), (2, "@2x")):
        body = draw_body(scale)
        check_regions(body, scale)
        write_png(out / f"body{suffix}.png", body, alpha=False)
        for name, colour in FLAGS.items():
            write_png(out / f"{name}{suffix}.png", draw_flag(colour, scale), alpha=True)


if __name__ == "__main__":
    main()
