#!/usr/bin/env python3
"""Draws Daywise's pictures and writes them in the formats their users need.

The activity icons (16 x 16 GIF) go to html/, the view-bar button bitmap, the program icons
and the window icon to resources/icons/. Every picture is a few shapes, sampled 8 x 8 times
per pixel so that edges stay smooth at 16 pixels. Only the standard library is used; run it
again after changing a shape and commit what it writes. With --hicolor FOLDER it draws the
program icon for the desktop's icon theme instead, as the build does.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
HTML = os.path.join(HERE, "..", "..", "html")
SAMPLES = 8

CALL_BLUE = (37, 99, 235)
MEETING_GREEN = (5, 150, 105)
TODO_PURPLE = (124, 58, 237)
ACCENT = (194, 65, 12)
INK = (31, 41, 51)
WHITE = (255, 255, 255)
GREY = (203, 210, 217)


# Shapes: functions of a point in a 16-unit square, true inside.

def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return x0 <= x <= x1 and y0 <= y <= y1 and dx * dx + dy * dy <= r * r
    return inside


def capsule(ax, ay, bx, by, r):
    def inside(x, y):
        vx, vy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
        px, py = ax + t * vx - x, ay + t * vy - y
        return px * px + py * py <= r * r
    return inside


def arc(cx, cy, r, width, start, end):
    """A stroke along a circle from angle start to end, in degrees, y pointing down."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return abs(d - r) <= width / 2 and (a - start) % 360 <= (end - start) % 360
    return inside


def polygon(*points):
    def inside(x, y):
        hit = False
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                hit = not hit
        return hit
    return inside


def below(shape, limit):
    return lambda x, y: y <= limit and shape(x, y)


# Pictures: layers of (shape, colour), painted in order.

def handset(colour):
    """A receiver: a curved handle with the ear and mouth pieces turned inwards."""
    cx, cy, r = 12.5, 3.5, 8.0

    def point(angle, radius):
        a = math.radians(angle)
        return cx + radius * math.cos(a), cy + radius * math.sin(a)

    return [
        (arc(cx, cy, r, 1.6, 95, 175), colour),
        (capsule(*point(175, r), *point(178, r - 2.8), 1.55), colour),
        (capsule(*point(95, r), *point(92, r - 2.8), 1.55), colour),
    ]


def call():
    return [(circle(8, 8, 7.6), CALL_BLUE)] + handset(WHITE)


def meeting():
    return [
        (round_rect(0.4, 0.4, 15.6, 15.6, 3.2), MEETING_GREEN),
        (circle(5.4, 5.6, 2.0), WHITE),
        (below(circle(5.4, 12.6, 3.6), 13.4), WHITE),
        (circle(10.8, 6.4, 2.2), MEETING_GREEN),
        (circle(10.8, 6.4, 1.8), WHITE),
        (below(circle(10.8, 13.4, 4.0), 13.4), MEETING_GREEN),
        (below(circle(10.8, 13.4, 3.6), 13.4), WHITE),
    ]


def todo():
    return [
        (round_rect(0.6, 0.6, 15.4, 15.4, 2.6), TODO_PURPLE),
        (round_rect(2.3, 2.3, 13.7, 13.7, 1.4), WHITE),
        (capsule(4.4, 8.2, 6.9, 10.8, 1.25), TODO_PURPLE),
        (capsule(6.9, 10.8, 11.8, 4.9, 1.25), TODO_PURPLE),
    ]


def recurring(picture):
    """The same picture with a round arrow on a white disc in the lower right corner."""
    cx, cy, r = 11.6, 11.6, 2.6
    return picture + [
        (circle(cx, cy, 4.4), WHITE),
        (arc(cx, cy, r, 1.5, 300, 200), INK),
        (polygon((cx - r - 1.9, cy - 0.9), (cx - r + 1.9, cy - 0.9), (cx - r, cy + 1.4)), INK),
    ]


def program():
    """A calendar leaf: a coloured band with two rings above a grid of days, one marked."""
    layers = [
        (round_rect(1.0, 2.0, 15.0, 15.2, 2.0), INK),
        (round_rect(1.9, 2.9, 14.1, 14.3, 1.3), WHITE),
        (round_rect(1.9, 2.9, 14.1, 6.4, 1.3), ACCENT),
        (capsule(5.0, 1.0, 5.0, 3.8, 0.8), INK),
        (capsule(11.0, 1.0, 11.0, 3.8, 0.8), INK),
    ]
    for row, y in enumerate((8.0, 11.0)):
        for col, x in enumerate((3.4, 6.8, 10.2)):
            colour = ACCENT if (row, col) == (1, 1) else GREY
            layers.append((round_rect(x, y, x + 2.4, y + 2.0, 0.5), colour))
    return layers


# Rendering: straight RGBA, 0-255.

def render(layers, size, samples=SAMPLES):
    scale = 16.0 / size
    pixels = []
    for py in range(size):
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour = None
                    for shape, fill in layers:
                        if shape(x, y):
                            colour = fill
                    if colour:
                        r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
            n = samples * samples
            if a:
                pixels.append((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                pixels.append((0, 0, 0, 0))
    return pixels


def on_white(pixel):
    r, g, b, a = pixel
    return tuple(round((c * a + 255 * (255 - a)) / 255) for c in (r, g, b))


# Formats.

def gif(pixels, size):
    """GIF89a with one transparent colour; edges are blended with white paper."""
    palette, indices = [(255, 255, 255)], []
    for pixel in pixels:
        if pixel[3] < 24:
            indices.append(0)
            continue
        colour = tuple(c & 0xFC for c in on_white(pixel))
        if colour not in palette:
            palette.append(colour)
        indices.append(palette.index(colour))
    assert len(palette) <= 256
    palette += [(0, 0, 0)] * (256 - len(palette))
    out = bytearray(b"GIF89a" + struct.pack("<HHBBB", size, size, 0xF7, 0, 0))
    out += b"".join(bytes(c) for c in palette)
    out += b"\x21\xf9\x04\x01\x00\x00\x00\x00"
    out += b"\x2c" + struct.pack("<HHHHB", 0, 0, size, size, 0)
    out += b"\x08" + sub_blocks(lzw_uncompressed(indices))
    return bytes(out) + b"\x3b"


def lzw_uncompressed(indices):
    """One 9-bit code per pixel, clearing the table before it would widen the codes."""
    clear, end = 256, 257
    codes = []
    for i, index in enumerate(indices):
        if i % 250 == 0:
            codes.append(clear)
        codes.append(index)
    codes.append(end)
    bits, count, out = 0, 0, bytearray()
    for code in codes:
        bits |= code << count
        count += 9
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        out.append(bits & 0xFF)
    return bytes(out)


def sub_blocks(data):
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255]
                      for i in range(0, len(data), 255))
    return blocks + b"\x00"


def bmp24(pixels, size):
    rows = []
    for y in reversed(range(size)):
        row = b"".join(bytes(reversed(on_white(p))) for p in pixels[y * size:(y + 1) * size])
        rows.append(row + b"\x00" * ((4 - len(row) % 4) % 4))
    data = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 54) + header + data


def ico_image(pixels, size):
    colour = b"".join(
        bytes((p[2], p[1], p[0], p[3])) for y in reversed(range(size))
        for p in pixels[y * size:(y + 1) * size])
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_row)
        for x in range(size):
            if pixels[y * size + x][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def ico(images):
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return bytes(out) + b"".join(data for _, data in images)


def png(pixels, size):
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in pixels[y * size:(y + 1) * size])
                   for y in range(size))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def hicolor(folder):
    """The program icon at the desktop's sizes, as SIZExSIZE/apps/daywise.png under folder.
    Large sizes need fewer samples per pixel to stay smooth, and take seconds, not minutes."""
    leaf = program()
    for size in (16, 32, 48, 64, 128, 256):
        apps = os.path.join(folder, "%dx%d" % (size, size), "apps")
        os.makedirs(apps, exist_ok=True)
        pixels = render(leaf, size, max(2, min(SAMPLES, 128 // size)))
        write(apps, "daywise.png", png(pixels, size))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--hicolor":
        hicolor(sys.argv[2])
        return
    for name, picture in (("call", call()), ("meeting", meeting()), ("todo", todo())):
        write(HTML, name + ".gif", gif(render(picture, 16), 16))
        write(HTML, "r" + name + ".gif", gif(render(recurring(picture), 16), 16))
    leaf = program()
    sizes = {size: render(leaf, size) for size in (16, 32, 48, 128)}
    write(HERE, "daywise.ico", ico([(s, ico_image(sizes[s], s)) for s in (16, 32, 48)]))
    write(HERE, "daywise32.ico", ico([(32, ico_image(sizes[32], 32))]))
    write(HERE, "Daywise.bmp", bmp24(sizes[32], 32))
    write(HERE, "daywise.png", png(sizes[128], 128))


if __name__ == "__main__":
    main()
