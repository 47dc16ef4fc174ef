#!/usr/bin/env python3
"""Writes the Windows icon MAINICON (src/app/win32/tarnvale.ico): the
program's own icon, as drawn by tarnvale-icons, at 40 x 40 pixels in the 16
colours of the standard palette (4 bits per pixel) with a transparency mask.

Usage: make-windows-icon.py ICON.svg|ICON.png OUTPUT.ico
ImageMagick's convert renders the source at 40 x 40 (RGBA); each pixel then
takes the nearest colour of the palette, and pixels less than half opaque
become transparent."""
import struct
import subprocess
import sys

SIZE = 40
# The 16 colours of the standard (VGA) palette, in their usual order.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest(r, g, b):
    return min(range(16), key=lambda i: (PALETTE[i][0] - r) ** 2 + (PALETTE[i][1] - g) ** 2 +
               (PALETTE[i][2] - b) ** 2)


def rows_padded(bits_per_row):
    """Bytes per row of a DIB: whole 32-bit words."""
    return (bits_per_row + 31) // 32 * 4


def icon_bytes(rgba):
    xor_row = rows_padded(SIZE * 4)
    and_row = rows_padded(SIZE)
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # DIBs are stored bottom-up
        line = bytearray(xor_row)
        bits = bytearray(and_row)
        for x in range(SIZE):
            r, g, b, a = rgba[(y * SIZE + x) * 4:(y * SIZE + x) * 4 + 4]
            index = nearest(r, g, b) if a >= 128 else 0
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    return directory + image


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    rgba = subprocess.run(['convert', '-background', 'none', sys.argv[1], '-resize', f'{SIZE}x{SIZE}!',
                           '-depth', '8', 'rgba:-'], check=True, capture_output=True).stdout
    if len(rgba) != SIZE * SIZE * 4:
        print(f'make-windows-icon: {sys.argv[1]} gave {len(rgba)} bytes, not {SIZE * SIZE * 4}', file=sys.stderr)
        return 1
    with open(sys.argv[2], 'wb') as f:
        f.write(icon_bytes(rgba))
    return 0


if __name__ == '__main__':
    sys.exit(main())
