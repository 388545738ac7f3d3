#!/usr/bin/env python3
"""Draws the program's artwork into assets/: the two brand banners (620 x 72 PNG),
the animated pulse picture (57 x 41 GIF) and the program icon (64 x 64 PNG); and into
dist/icons/ the icon at the other sizes of the desktop's icon theme, plus a scalable SVG.

Plain python3 standard library only, so that the pictures can be regenerated on any
build machine: `python3 scripts/make_artwork.py`.
"""
import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(ROOT, "assets")
ICONS = os.path.join(ROOT, "dist", "icons")
ICON_SIZES = (16, 22, 24, 32, 48, 128, 256)  # 64 is assets/pulsepanel.png

# The icon's colours: the face from its centre to its edge, the two rules, the pulse train.
ICON_CENTRE = (40, 80, 190)
ICON_DARK = (12, 24, 80)
ICON_RULE = (200, 210, 240)
ICON_TRACE = (90, 230, 120)
ICON_FADE = 45.0  # distance from the centre, on the 64-unit grid, where the face is darkest

# 5 x 7 capital letters, one string of five bits per row.
GLYPHS = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "&": ["01100", "10010", "10100", "01000", "10101", "10010", "01101"],
    "/": ["00001", "00010", "00010", "00100", "01000", "01000", "10000"],
    " ": ["00000"] * 7,
}


class Canvas:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, w, h, colour):
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                self.put(x, y, colour)

    def text(self, x, y, text, scale, colour):
        for ch in text:
            rows = GLYPHS[ch]
            for gy, row in enumerate(rows):
                for gx, bit in enumerate(row):
                    if bit == "1":
                        self.rect(x + gx * scale, y + gy * scale, scale, scale, colour)
            x += 6 * scale
        return x

    def pulse_train(self, x0, x1, base, top, period, duty, phase, thick, colour):
        """A square pulse train from x0 to x1 between the lines base and top."""
        prev = None
        for x in range(x0, x1):
            high = ((x - x0 + phase) % period) < duty
            y = top if high else base
            if prev is not None and prev != y:
                for yy in range(min(prev, y), max(prev, y) + 1):
                    self.rect(x, yy, thick, 1, colour)
            self.rect(x, y, 1, thick, colour)
            prev = y


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def write_png(path, canvas):
    raw = bytearray()
    for row in canvas.pixels:
        raw.append(0)
        for r, g, b in row:
            raw += bytes((r, g, b))

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def lzw_encode(indices, min_size):
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    out = bytearray()
    acc = nbits = 0

    def emit(code, size):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def fresh():
        return {bytes([i]): i for i in range(clear)}, eoi + 1, min_size + 1

    table, next_code, size = fresh()
    emit(clear, size)
    word = b""
    for index in indices:
        extended = word + bytes([index])
        if extended in table:
            word = extended
            continue
        emit(table[word], size)
        table[extended] = next_code
        next_code += 1
        if next_code > (1 << size) and size < 12:
            size += 1
        if next_code >= 4095:
            emit(clear, size)
            table, next_code, size = fresh()
        word = bytes([index])
    emit(table[word], size)
    emit(eoi, size)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def write_gif(path, frames, palette, delay_cs):
    """frames: lists of rows of palette indices; palette: up to 16 RGB triples."""
    height, width = len(frames[0]), len(frames[0][0])
    palette = list(palette) + [(0, 0, 0)] * (16 - len(palette))
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0xF3, 0, 0)  # global table of 16 colours
    for rgb in palette:
        data += bytes(rgb)
    data += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop for ever
    for frame in frames:
        data += b"\x21\xF9\x04\x00" + struct.pack("<H", delay_cs) + b"\x00\x00"
        data += b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0)
        min_size = 4
        data.append(min_size)
        encoded = lzw_encode([i for row in frame for i in row], min_size)
        for k in range(0, len(encoded), 255):
            block = encoded[k:k + 255]
            data.append(len(block))
            data += block
        data.append(0)
    data.append(0x3B)
    with open(path, "wb") as f:
        f.write(data)


def banner(path, company, dark, light, accent):
    c = Canvas(620, 72, dark)
    for y in range(72):
        for x in range(620):
            c.pixels[y][x] = mix(dark, light, (x / 619.0) * 0.8 + (y / 71.0) * 0.2)
    c.rect(0, 0, 620, 2, accent)
    c.rect(0, 70, 620, 2, accent)
    c.text(14, 12, company, 3, (255, 255, 255))
    c.text(16, 44, "PULSE & DELAY GENERATORS", 2, mix(accent, (255, 255, 255), 0.4))
    # a pulse train fading out towards the run button at the right
    c.pulse_train(322, 446, 60, 42, 28, 11, 0, 2, accent)
    write_png(path, c)


def pulse_frames():
    palette = [(236, 236, 236), (20, 40, 120), (0, 170, 60), (160, 160, 160)]
    frames = []
    for step in range(12):
        c = Canvas(57, 41, 0)
        for x in range(0, 57, 8):
            for y in range(2, 39):
                c.put(x, y, 3)  # graticule
        c.rect(0, 0, 57, 1, 1)
        c.rect(0, 40, 57, 1, 1)
        c.pulse_train(2, 55, 32, 8, 18, 7, step * 3, 2, 2)
        frames.append(c.pixels)
    return frames, palette


def icon(path, size=64):
    """The icon drawn at `size` pixels; at 64 every unit of the grid is one pixel."""
    s = size / 64.0

    def px(units):
        return int(units * s + 0.5)

    c = Canvas(size, size, ICON_DARK)
    for y in range(size):
        for x in range(size):
            d = math.hypot(x / s - 32, y / s - 32)
            c.pixels[y][x] = mix(ICON_CENTRE, ICON_DARK, min(d / ICON_FADE, 1.0))
    rule = max(1, px(2))
    c.rect(px(4), px(4), px(60) - px(4), rule, ICON_RULE)
    c.rect(px(4), px(58), px(60) - px(4), rule, ICON_RULE)
    c.pulse_train(px(6), px(58), px(46), px(16), px(24), px(10), 0, max(1, px(4)), ICON_TRACE)
    write_png(path, c)


def icon_svg(path):
    """The same icon as vector art. A 4-unit stroke is centred 2 units inside the pixel
    trace, which runs high over x 6-16 and 30-40 and low over 16-30 and 40-54."""
    def hexa(rgb):
        return "#%02x%02x%02x" % rgb

    svg = f"""<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <defs>
    <radialGradient id="face" gradientUnits="userSpaceOnUse" cx="32" cy="32" r="{ICON_FADE:g}">
      <stop offset="0" stop-color="{hexa(ICON_CENTRE)}"/>
      <stop offset="1" stop-color="{hexa(ICON_DARK)}"/>
    </radialGradient>
  </defs>
  <rect width="64" height="64" fill="url(#face)"/>
  <path d="M4 4h56v2H4zM4 58h56v2H4z" fill="{hexa(ICON_RULE)}"/>
  <path d="M6 18H18V48H32V18H42V48H56V18H58" fill="none" stroke="{hexa(ICON_TRACE)}"
        stroke-width="4"/>
</svg>
"""
    with open(path, "w") as f:
        f.write(svg)


def main():
    os.makedirs(ASSETS, exist_ok=True)
    banner(os.path.join(ASSETS, "vk_banner.png"), "ORVANE SELKRIN",
           (8, 28, 96), (40, 110, 210), (120, 200, 255))
    banner(os.path.join(ASSETS, "htx_banner.png"), "HALVORN TREVAXIS",
           (60, 12, 16), (150, 50, 40), (255, 190, 90))
    frames, palette = pulse_frames()
    write_gif(os.path.join(ASSETS, "pulse.gif"), frames, palette, 8)
    icon(os.path.join(ASSETS, "pulsepanel.png"))
    os.makedirs(ICONS, exist_ok=True)
    for size in ICON_SIZES:
        icon(os.path.join(ICONS, "pulsepanel-%d.png" % size), size)
    icon_svg(os.path.join(ICONS, "pulsepanel.svg"))


if __name__ == "__main__":
    main()
