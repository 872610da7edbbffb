#!/usr/bin/env python3
"""Makes the launcher's default-settings archive (resource "ZIP" 269), reproducibly.

It holds exactly systemset.ini (the default settings file, kept beside this script) and
uninstall.ico (a 16 x 16 32-bit icon drawn here), both deflated, made by host 0 (MS-DOS) with the
archive attribute and no extra field, with one fixed time. Outputs: uninstall.ico and data.zip.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DOS_TIME = (12 << 11) | (0 << 5) | 0            # 12:00:00
DOS_DATE = ((2026 - 1980) << 9) | (1 << 5) | 1  # 2026-01-01


def draw_uninstall_icon():
    """A dark lacquer tile with a gold rim and a gold cross: the launcher's look, saying 'remove'."""
    size = 16
    pixels = []  # rows top to bottom, BGRA
    for y in range(size):
        row = []
        for x in range(size):
            corner = min(x, size - 1 - x) + min(y, size - 1 - y)
            if corner < 2:
                row.append((0, 0, 0, 0))                     # rounded corners: transparent
            elif x in (0, size - 1) or y in (0, size - 1) or corner == 2:
                row.append((0x60, 0xA8, 0xD8, 0xFF))         # gold rim  (#D8A860)
            elif abs(x - y) <= 1 and 3 <= x <= 12 or abs(x + y - 15) <= 1 and 3 <= x <= 12:
                row.append((0x9D, 0xC2, 0xDA, 0xFF))         # the cross (#DAC29D)
            else:
                shade = 0x20 + y * 2
                row.append((0x10, 0x18, shade + 0x10, 0xFF))  # deep red-brown panel
        pixels.append(row)

    header = struct.pack("<HHH", 0, 1, 1)
    xor = b"".join(bytes(p) for row in reversed(pixels) for p in row)   # bottom-up
    mask = b"".join(
        int("".join("1" if p[3] == 0 else "0" for p in row), 2).to_bytes(2, "big") + b"\0\0"
        for row in reversed(pixels))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return header + entry + image


def build_zip(members):
    local, central = b"", b""
    for name, data in members:
        compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
        packed = compressor.compress(data) + compressor.flush()
        crc = zlib.crc32(data)
        name_bytes = name.encode("ascii")
        offset = len(local)
        local += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, DOS_TIME, DOS_DATE, crc, len(packed),
                             len(data), len(name_bytes), 0) + name_bytes + packed
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 0x0014, 20, 0, 8, DOS_TIME, DOS_DATE, crc,
                               len(packed), len(data), len(name_bytes), 0, 0, 0, 0, 0x20, offset) + name_bytes
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(members), len(members), len(central), len(local), 0)
    return local + central + end


def main():
    settings = open(os.path.join(HERE, "systemset.ini"), "rb").read()
    assert len(settings) == 160 and b"\r\n" in settings and b"\n\n" not in settings, "systemset.ini changed"
    icon = draw_uninstall_icon()
    assert len(icon) == 1150, len(icon)
    open(os.path.join(HERE, "uninstall.ico"), "wb").write(icon)
    open(os.path.join(HERE, "data.zip"), "wb").write(build_zip([("systemset.ini", settings), ("uninstall.ico", icon)]))


if __name__ == "__main__":
    main()
