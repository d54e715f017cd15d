#!/usr/bin/env python3
"""Packs the icon's pictures into morvane.ico, the icon of the Windows programs.

usage: make_ico.py FOLDER   (reads FOLDER/morvane-N.png, writes FOLDER/morvane.ico)

Each size goes in whole as a PNG, which Windows reads in icons since Vista."""
import struct
import sys
from pathlib import Path

SIZES = (16, 32, 48, 64, 128, 256)


def main(folder: Path) -> None:
    pictures = [(size, (folder / f"morvane-{size}.png").read_bytes()) for size in SIZES]
    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    entries = b""
    for size, data in pictures:
        # A side of 256 is written as 0: the field holds one byte.
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    (folder / "morvane.ico").write_bytes(header + entries + b"".join(d for _, d in pictures))


if __name__ == "__main__":
    main(Path(sys.argv[1]))
