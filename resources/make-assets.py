#!/usr/bin/env python3
"""Writes the program's own assets: the bell icon (32 x 32, 16 colours, as XPM for the
window and as PNG for the desktop's menu and log-on entries) and the default alarm
melody, the public-domain "Ode to Joy", as a Standard MIDI File.
Run it from this folder; the outputs are kept in the repository."""
import struct
import zlib

# ---- icon -------------------------------------------------------------------
COLOURS = {
    ' ': 'None',
    '.': '#000000',   # outline
    'o': '#806000',   # bell shade
    'O': '#E0B000',   # bell
    '+': '#FFF080',   # highlight
    '@': '#800080',   # clapper
    '#': '#C000C0',   # ringing lines
    'w': '#FFFFFF',
}


def bell_half_width(y):
    # The bell's flank: narrow at the shoulder, flaring towards the rim.
    if y < 6:
        return 0
    if y <= 8:
        return 4 + (y - 6)
    if y <= 18:
        return 6 + (y - 8) // 3
    if y <= 22:
        return 9 + (y - 18)
    return 0


def icon_rows():
    rows = [[' '] * 32 for _ in range(32)]
    cx = 16
    # handle loop
    for x in range(14, 18):
        rows[3][x] = '.'
    for y in range(3, 6):
        rows[y][13] = '.'
        rows[y][18] = '.'
    for x in range(14, 18):
        rows[5][x] = 'O'
    # body
    for y in range(6, 23):
        w = bell_half_width(y)
        for x in range(cx - w, cx + w):
            rows[y][x] = 'O'
        rows[y][cx - w - 1] = '.'
        rows[y][cx + w] = '.'
        for x in range(cx + w - 3, cx + w):
            rows[y][x] = 'o'
        if 8 <= y <= 18:
            rows[y][cx - w + 1] = '+'
            rows[y][cx - w + 2] = '+'
    for x in range(cx - 7, cx + 7):
        rows[6][x] = '.' if abs(x - cx + 0.5) > 4 else rows[6][x]
    # rim
    for y in (23, 24):
        for x in range(cx - 14, cx + 14):
            rows[y][x] = 'o' if y == 24 else 'O'
        rows[y][cx - 15] = '.'
        rows[y][cx + 14] = '.'
    for x in range(cx - 15, cx + 15):
        rows[25][x] = '.'
    # clapper
    for y in range(26, 30):
        for x in range(cx - 2, cx + 2):
            rows[y][x] = '@'
    rows[26][cx - 2] = rows[26][cx + 1] = ' '
    rows[29][cx - 2] = rows[29][cx + 1] = ' '
    rows[27][cx - 1] = 'w'
    # ringing lines on both sides
    for i, (y, x) in enumerate([(8, 3), (9, 2), (10, 1), (13, 2), (14, 1), (15, 0)]):
        rows[y][x] = '#'
        rows[y][31 - x] = '#'
    return [''.join(r) for r in rows]


def write_icon(path):
    lines = ['/* XPM */', 'static const char *chimewright[] = {',
             '"32 32 %d 1",' % len(COLOURS)]
    lines += ['"%s c %s",' % (k, v) for k, v in COLOURS.items()]
    rows = icon_rows()
    lines += ['"%s"%s' % (r, ',' if i < len(rows) - 1 else '') for i, r in enumerate(rows)]
    lines.append('};')
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')


def write_png(path):
    # The same picture, 8-bit RGBA, each row led by filter type 0.
    def rgba(key):
        value = COLOURS[key]
        return bytes(4) if value == 'None' else bytes.fromhex(value[1:]) + b'\xff'
    raw = b''.join(b'\0' + b''.join(rgba(k) for k in row) for row in icon_rows())

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))
    png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 32, 32, 8, 6, 0, 0, 0)) +
           chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(png)


# ---- melody -----------------------------------------------------------------
TPQ = 480
C, D, E, F, G = 60, 62, 64, 65, 67
q, h, dq, e = TPQ, 2 * TPQ, 3 * TPQ // 2, TPQ // 2
PHRASE_A = [(E, q), (E, q), (F, q), (G, q), (G, q), (F, q), (E, q), (D, q),
            (C, q), (C, q), (D, q), (E, q)]
MELODY = (PHRASE_A + [(E, dq), (D, e), (D, h)] +
          PHRASE_A + [(D, dq), (C, e), (C, h)])


def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, (n & 0x7F) | 0x80)
        n >>= 7
    return bytes(out)


def write_melody(path):
    track = bytearray()
    track += vlq(0) + b'\xFF\x51\x03' + (500000).to_bytes(3, 'big')  # 120 beats a minute
    track += vlq(0) + b'\xC0' + bytes([14])                          # tubular bells
    for note, length in MELODY:
        track += vlq(0) + bytes([0x90, note, 110])
        track += vlq(length - 20) + bytes([0x80, note, 0])
        track += vlq(20) + bytes([0x90, note, 0])                    # a short breath
    track += vlq(TPQ) + b'\xFF\x2F\x00'
    data = (b'MThd' + struct.pack('>IHHH', 6, 0, 1, TPQ) +
            b'MTrk' + struct.pack('>I', len(track)) + track)
    with open(path, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    write_icon('chimewright.xpm')
    write_png('chimewright.png')
    write_melody('odetojoy.mid')
