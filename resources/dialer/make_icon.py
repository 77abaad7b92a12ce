#!/usr/bin/env python3
"""Draws the Tovalink program icon and writes it as a Windows .ico file.

The picture is a blue globe with a light grid and a telephone handset in
front of it: dial-up access to the Internet. It is drawn from geometric
shapes with 8 x 8 supersampling and stored in the classic bitmap (not PNG)
icon format that Windows 95 reads: 32 x 32 and 16 x 16, each once in 16
colours (flat colours of the standard VGA palette, red handset) and once in
256 colours (shaded, orange handset), with a 1-bit transparency mask. The
output is the same on every run.

Run it from anywhere; it writes tovalink.ico next to itself:
    python3 make_icon.py [output.ico]
"""
import math
import os
import struct
import sys

SUPERSAMPLE = 8

# Colours (r, g, b) of the 256-colour pictures
OCEAN_LIGHT = (110, 185, 255)
OCEAN_DARK = (8, 48, 150)
GRID = (190, 230, 255)
GLOBE_EDGE = (6, 28, 92)
HANDSET_LIGHT = (255, 150, 60)
HANDSET_DARK = (200, 60, 10)
HANDSET_EDGE = (90, 20, 0)

# The 16-colour pictures use flat colours of the standard VGA palette only.
FLAT_OCEAN = (0, 0, 255)
FLAT_SHADOW = (0, 0, 128)
FLAT_GRID = (0, 255, 255)
FLAT_HANDSET = (255, 0, 0)
FLAT_HANDSET_EDGE = (128, 0, 0)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def rotate(x, y, angle):
    c, s = math.cos(angle), math.sin(angle)
    return x * c - y * s, x * s + y * c


def rounded_box_distance(x, y, half_w, half_h, radius):
    """Signed distance from (x, y) to a rounded box centred at the origin."""
    qx = abs(x) - (half_w - radius)
    qy = abs(y) - (half_h - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    inside = min(max(qx, qy), 0.0)
    return outside + inside - radius


class Scene:
    """The picture in unit coordinates: (0, 0) top left, (1, 1) bottom right.
    flat: draw with the few solid colours of the 16-colour palette."""

    def __init__(self, size, flat):
        self.size = size
        self.flat = flat
        self.small = size <= 16
        self.globe_cx, self.globe_cy, self.globe_r = 0.43, 0.43, 0.41
        # Line widths in unit coordinates: about one pixel at either size.
        self.edge = 1.05 / size
        self.grid = (1.1 if flat or self.small else 0.8) / size

    def globe(self, x, y):
        dx = (x - self.globe_cx) / self.globe_r
        dy = (y - self.globe_cy) / self.globe_r
        d = math.hypot(dx, dy)
        if d > 1.0:
            return None
        if d > 1.0 - self.edge / self.globe_r:
            return FLAT_SHADOW if self.flat else GLOBE_EDGE
        # Light from the upper left: a highlight fading to deep blue.
        light = math.hypot(dx + 0.45, dy + 0.45) / 1.6
        if self.flat:
            if light > 0.78:
                colour = FLAT_SHADOW
            else:
                colour = FLAT_OCEAN
            grid_colour = FLAT_GRID
        else:
            colour = mix(OCEAN_LIGHT, OCEAN_DARK, light)
            grid_colour = mix(colour, GRID, 0.85)
        # Grid: parallels and meridians of a sphere seen from the front.
        half = self.grid / self.globe_r / 2
        lines = (-0.55, 0.0, 0.55) if not self.small else (0.0,)
        for lat in lines:
            if abs(dy - lat) < half:
                return grid_colour
        width = math.sqrt(max(0.0, 1.0 - dy * dy))
        for lon in lines:
            # A meridian at sin(longitude) = k projects to x = k * sqrt(1 - y^2).
            if abs(dx - lon * width) < half:
                return grid_colour
        return colour

    def handset(self, x, y):
        """Telephone handset lying diagonally across the lower right, its
        handle bowed towards the globe and its cups facing away from it."""
        cx, cy = (0.64, 0.66)
        scale = 0.31 if not self.small else 0.36
        # Into handset space: the handle runs along the x axis, the cups
        # point towards +y.
        hx, hy = rotate((x - cx) / scale, (y - cy) / scale, math.radians(40))
        edge = self.edge / scale
        # The handle: part of a thick ring whose centre lies below it.
        ring_cy, ring_mid = 1.25, 1.30
        ring_half = 0.16 if not self.small else 0.22
        cup_w, cup_h = (0.30, 0.34) if not self.small else (0.34, 0.38)
        handle = abs(math.hypot(hx, hy - ring_cy) - ring_mid) - ring_half
        if abs(math.atan2(hx, ring_cy - hy)) > math.radians(30):
            handle = 1.0
        # The ear and mouth pieces at both ends of the handle.
        cups = 1.0
        for side in (-1, 1):
            a = math.radians(30) * side
            px = math.sin(a) * ring_mid
            py = ring_cy - math.cos(a) * ring_mid
            lx, ly = rotate(hx - px, hy - py, -a)
            cups = min(cups, rounded_box_distance(lx, ly - 0.22, cup_w, cup_h, 0.16))
        dist = min(handle, cups)
        if dist > 0:
            return None
        if dist > -edge:
            return FLAT_HANDSET_EDGE if self.flat else HANDSET_EDGE
        if self.flat:
            return FLAT_HANDSET
        return mix(HANDSET_LIGHT, HANDSET_DARK, (hy + 0.5) / 1.2)

    def sample(self, x, y):
        colour = self.handset(x, y)
        if colour is not None:
            return colour
        return self.globe(x, y)


def render(size, flat):
    """Returns rows of (r, g, b, coverage) pixels, top row first. A smooth
    picture averages the samples of a pixel; a flat one takes the colour
    that most of its samples have, so no in-between colours arise."""
    scene = Scene(size, flat)
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            samples = []
            for sy in range(n):
                for sx in range(n):
                    c = scene.sample((px + (sx + 0.5) / n) / size,
                                     (py + (sy + 0.5) / n) / size)
                    if c is not None:
                        samples.append(c)
            coverage = len(samples) / (n * n)
            if not samples:
                row.append((0, 0, 0, 0.0))
            elif flat:
                counts = {}
                for c in samples:
                    counts[c] = counts.get(c, 0) + 1
                c = max(counts, key=counts.get)
                row.append((c[0], c[1], c[2], coverage))
            else:
                row.append((sum(c[0] for c in samples) / len(samples),
                            sum(c[1] for c in samples) / len(samples),
                            sum(c[2] for c in samples) / len(samples), coverage))
        rows.append(row)
    return rows


VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def nearest(palette, colour):
    best, best_d = 0, None
    for i, p in enumerate(palette):
        d = ((p[0] - colour[0]) * 0.30) ** 2 + ((p[1] - colour[1]) * 0.59) ** 2 \
            + ((p[2] - colour[2]) * 0.11) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def opaque(pixel):
    return pixel[3] >= 0.5


def build_palette(images):
    """A 256-colour palette for the given pictures: their colours grouped
    by 5 bits per channel, each group as its average colour, the 255 most
    used groups after black. Pixels of a dropped group take the nearest."""
    colours = {}
    for rows in images:
        for row in rows:
            for p in row:
                if opaque(p):
                    key = (int(round(p[0])), int(round(p[1])), int(round(p[2])))
                    colours[key] = colours.get(key, 0) + 1
    # Quantise to 5 bits per channel first; then keep the most frequent.
    buckets = {}
    for (r, g, b), count in colours.items():
        key = (r >> 3, g >> 3, b >> 3)
        acc = buckets.setdefault(key, [0, 0, 0, 0])
        acc[0] += r * count
        acc[1] += g * count
        acc[2] += b * count
        acc[3] += count
    entries = sorted(buckets.values(), key=lambda a: -a[3])
    palette = [(0, 0, 0)]
    for acc in entries[:255]:
        palette.append((int(acc[0] / acc[3]), int(acc[1] / acc[3]), int(acc[2] / acc[3])))
    while len(palette) < 256:
        palette.append((0, 0, 0))
    return palette


def palette_index(palette, rows):
    """Maps each opaque pixel to its nearest palette entry."""
    return [[nearest(palette, p) if opaque(p) else 0 for p in row] for row in rows]


def icon_image(rows, palette, bpp):
    """One icon image: BITMAPINFOHEADER, colour table, XOR bits, AND mask."""
    size = len(rows)
    colours = 1 << bpp
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0,
                         0, 0, 0, colours, 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette[:colours])
    index = palette_index(palette[:colours], rows)
    xor_stride = ((size * bpp + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):          # bottom-up rows
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x in range(size):
            i = index[y][x]
            if bpp == 8:
                line[x] = i
            else:
                line[x // 2] |= i << (4 if x % 2 == 0 else 0)
            if not opaque(rows[y][x]):
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    return header + table + bytes(xor) + bytes(mask)


def build_icon():
    flat = {size: render(size, True) for size in (32, 16)}
    smooth = {size: render(size, False) for size in (32, 16)}
    palette256 = build_palette(smooth.values())
    images = []
    for size in (32, 16):
        images.append((size, 4, icon_image(flat[size], VGA_PALETTE, 4)))
    for size in (32, 16):
        images.append((size, 8, icon_image(smooth[size], palette256, 8)))
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    data = b''
    for size, bpp, blob in images:
        entries += struct.pack('<BBBBHHII', size, size, 16 if bpp == 4 else 0, 0,
                               1, bpp, len(blob), offset + len(data))
        data += blob
    return directory + entries + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, 'tovalink.ico')
    with open(target, 'wb') as f:
        f.write(build_icon())


if __name__ == '__main__':
    main()
