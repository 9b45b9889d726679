"""The launcher's patch file: an 8-byte container header (unpacked size U, packed size P, both
unsigned 32-bit little-endian), then a zlib stream of the inflated patch:

    "BSDIFN40", C, D, N (numbers, 8 bytes each), control block (C bytes of (x, y, z) triples),
    diff block (D bytes), extra block (to the end)

A number is its magnitude in bytes 0-3 (little-endian) with the sign in bit 7 of byte 7.
"""

import struct
import zlib

MAGIC = b"BSDIFN40"
# Sizes and positions are signed 32-bit in the applier.
MAX_VALUE = 2**31 - 1


def encode_number(value):
    if abs(value) > MAX_VALUE:
        raise ValueError(f"{value} does not fit a patch number")
    sign = 0x80 if value < 0 else 0
    return struct.pack("<I3xB", abs(value), sign)


def encode_patch(triples, diff, extra, new_size):
    """The inflated patch of the triples (x, y, z) and their blocks."""
    control = b"".join(encode_number(x) + encode_number(y) + encode_number(z) for x, y, z in triples)
    header = MAGIC + encode_number(len(control)) + encode_number(len(diff)) + encode_number(new_size)
    return b"".join((header, control, diff, extra))


def wrap_container(inflated, level=6):
    """The patch file: container header and the zlib stream of the inflated patch."""
    packed = zlib.compress(inflated, level)
    if len(inflated) > MAX_VALUE or len(packed) > MAX_VALUE:
        raise ValueError("patch too large")
    return struct.pack("<II", len(inflated), len(packed)) + packed
