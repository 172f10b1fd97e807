#!/usr/bin/env python3
"""Draws the tool's own simple icons (flat shapes) as PNG files into resources/Images."""
import math, os, struct, zlib

OUT = os.path.join(os.path.dirname(__file__), '..', 'resources', 'Images')

def png(path, w, h, pixel):
    rows = b''.join(b'\x00' + b''.join(bytes(pixel(x, y)) for x in range(w)) for y in range(h))
    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    data = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)) \
        + chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(data)
    return data

CLEAR = (0, 0, 0, 0)

def disc(color, ring=None):
    def p(x, y, n=16):
        d = math.hypot(x - 7.5, y - 7.5)
        if d <= 5.5: return color
        if ring and d <= 7: return ring
        return CLEAR
    return p

def triangle(color):
    def p(x, y):
        if y < 2 or y > 14: return CLEAR
        half = (y - 2) * 0.55
        if abs(x - 7.5) <= half:
            if 6.5 <= x <= 8.5 and (5 <= y <= 10 or y == 12): return (0, 0, 0, 255)
            return color
        return CLEAR
    return p

def arrow(color, right=True):
    def p(x, y):
        xx = x if right else 15 - x
        if 6 <= y <= 9 and 1 <= xx <= 9: return color
        if 9 <= xx <= 14 and abs(y - 7.5) <= (14 - xx): return color
        return CLEAR
    return p

def page(color, fold=True):
    def p(x, y):
        if 3 <= x <= 12 and 1 <= y <= 14:
            if x in (3, 12) or y in (1, 14): return (60, 60, 60, 255)
            if fold and x >= 10 and y <= 3: return CLEAR
            if y in (5, 8, 11) and 5 <= x <= 10: return color
            return (255, 255, 255, 255)
        return CLEAR
    return p

def rect_icon(fill, border):
    def p(x, y):
        if 1 <= x <= 14 and 2 <= y <= 13:
            if x in (1, 14) or y in (2, 13): return border
            return fill
        return CLEAR
    return p

def buoy(x, y, w=32):
    s = w / 32.0
    cx, cy = 16 * s, 16 * s
    if math.hypot(x - cx, y - cy) <= 15 * s:
        if abs(x - cx) <= 3 * s and 5 * s <= y <= 22 * s: return (200, 30, 30, 255)
        if abs(y - 22 * s) <= 2 * s and abs(x - cx) <= 9 * s: return (40, 40, 40, 255)
        if y <= 6 * s and abs(x - cx) <= 5 * s: return (250, 210, 40, 255)
        return (20, 70, 140, 255)
    return CLEAR

def dims(floating):
    def p(x, y):
        # a hull seen from above with the reference point, framed by the A/B/C/D marks
        if floating:
            if math.hypot(x - 24, y - 24) <= 14 and math.hypot(x - 24, y - 24) >= 12: return (20, 70, 140, 255)
        else:
            if 10 <= x <= 38 and 14 <= y <= 34 and (x in (10, 38) or y in (14, 34)): return (20, 70, 140, 255)
        if math.hypot(x - 20, y - 22) <= 2: return (200, 30, 30, 255)
        if y == 42 and 6 <= x <= 42: return (60, 60, 60, 255)
        if x == 44 and 6 <= y <= 42: return (60, 60, 60, 255)
        return CLEAR
    return p

os.makedirs(OUT, exist_ok=True)
png(os.path.join(OUT, 'TabEdited.png'), 16, 16, disc((240, 180, 20, 255)))
png(os.path.join(OUT, 'TabNotSynced.png'), 16, 16, disc((150, 150, 150, 255)))
png(os.path.join(OUT, 'TabSyncing.png'), 16, 16, disc((40, 110, 220, 255)))
png(os.path.join(OUT, 'TabSynced.png'), 16, 16, disc((30, 170, 60, 255)))
png(os.path.join(OUT, 'messagebox_warning.png'), 16, 16, triangle((250, 200, 30, 255)))
png(os.path.join(OUT, 'AtoNtoPC.png'), 16, 16, arrow((30, 130, 200, 255), right=False))
png(os.path.join(OUT, 'PCtoAtoN.png'), 16, 16, arrow((30, 170, 60, 255), right=True))
png(os.path.join(OUT, 'GoLtrHS.png'), 16, 16, arrow((30, 170, 60, 255), right=True))
png(os.path.join(OUT, 'DocumentHS.png'), 16, 16, page((120, 120, 120, 255)))
png(os.path.join(OUT, 'OpenFile.png'), 16, 16, rect_icon((240, 200, 90, 255), (150, 110, 30, 255)))
png(os.path.join(OUT, 'saveHS.png'), 16, 16, rect_icon((70, 90, 160, 255), (30, 40, 90, 255)))
png(os.path.join(OUT, 'PauseHS.png'), 16, 16,
    lambda x, y: (60, 60, 60, 255) if 3 <= y <= 12 and (4 <= x <= 6 or 9 <= x <= 11) else CLEAR)
png(os.path.join(OUT, 'SmallFixedDimensions.png'), 48, 48, dims(False))
png(os.path.join(OUT, 'SmallFloatingDimensions.png'), 48, 48, dims(True))
icon = png(os.path.join(OUT, 'Kelvane.png'), 32, 32, buoy)
# An .ico holding the same image as an embedded PNG.
with open(os.path.join(OUT, 'Kelvane.ico'), 'wb') as f:
    f.write(struct.pack('<HHH', 0, 1, 1))
    f.write(struct.pack('<BBBBHHII', 32, 32, 0, 0, 1, 32, len(icon), 22))
    f.write(icon)
