#!/usr/bin/env python3
"""Draws the application icon: a yellow lightning bolt on a dark calculator.

Writes, beside the resource script:
  res/icon/tarquel.ico      the icon as a file (for the release and for viewing)
  res/icon/image30001.bin   the icon image (RT_ICON 30001): 32 x 32, 256 colours, 2216 bytes
  res/icon/group1.bin       the icon group (RT_GROUP_ICON 1) that points at image 30001
Run it again after changing the picture; the output is the same on every run.
"""
import os
import struct

SIZE = 32
IMAGE_ID = 30001

# Palette indices: the picture uses a handful; the rest of the 256 stay black.
PALETTE = {
    0: (0, 0, 0),          # transparent area (masked) and outlines
    1: (58, 62, 70),       # calculator body
    2: (96, 102, 112),     # body highlight
    3: (170, 205, 160),    # display
    4: (120, 150, 110),    # display edge
    5: (200, 200, 200),    # keys
    6: (255, 214, 0),      # bolt
    7: (255, 245, 150),    # bolt highlight
    8: (150, 110, 0),      # bolt outline
}

def draw():
    pixels = [[None] * SIZE for _ in range(SIZE)]  # None: transparent
    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                pixels[y][x] = colour
    # The calculator: body with a lighter rim, a display and three rows of keys.
    rect(5, 2, 27, 31, 0)
    rect(6, 3, 26, 30, 1)
    rect(6, 3, 26, 4, 2)
    rect(6, 3, 7, 30, 2)
    rect(8, 5, 24, 11, 4)
    rect(9, 6, 23, 10, 3)
    for row in range(3):
        for col in range(4):
            x, y = 8 + col * 4, 14 + row * 5
            rect(x, y, x + 3, y + 3, 5)
    # The bolt: a polygon, filled by a point-in-polygon test at pixel centres.
    bolt = [(19, 1), (9, 17), (15, 17), (11, 31), (24, 12), (17, 12), (22, 1)]
    def inside(px, py):
        hit = False
        for (x0, y0), (x1, y1) in zip(bolt, bolt[1:] + bolt[:1]):
            if (y0 > py) != (y1 > py) and px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
                hit = not hit
        return hit
    for y in range(SIZE):
        for x in range(SIZE):
            if inside(x + 0.5, y + 0.5):
                edge = not all(inside(x + 0.5 + dx, y + 0.5 + dy)
                               for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)))
                lit = not inside(x - 1.5, y + 0.5)  # a bright band along the left side
                pixels[y][x] = 8 if edge else 7 if lit else 6
    return pixels

def icon_image(pixels):
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b''.join(struct.pack('<BBBB', *reversed(PALETTE.get(i, (0, 0, 0))), 0) for i in range(256))
    colour = b''
    mask = b''
    for y in reversed(range(SIZE)):  # bottom-up rows
        row = pixels[y]
        colour += bytes(c if c is not None else 0 for c in row)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += struct.pack('>I', bits)
    image = header + palette + colour + mask
    assert len(image) == 2216, len(image)
    return image

def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res', 'icon')
    image = icon_image(draw())
    entry = struct.pack('<BBBBHHI', SIZE, SIZE, 0, 0, 1, 8, len(image))
    with open(os.path.join(out, 'image30001.bin'), 'wb') as f:
        f.write(image)
    with open(os.path.join(out, 'group1.bin'), 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, 1) + entry + struct.pack('<H', IMAGE_ID))
    with open(os.path.join(out, 'tarquel.ico'), 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, 1) + entry + struct.pack('<I', 6 + 16) + image)

if __name__ == '__main__':
    main()
