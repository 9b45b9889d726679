"""Writes the patch that turns one file into another: python3 tools/patchgen <old> <new> <patch>

The patch is written whole or not at all (a temporary file beside it, then a rename). Exit code
0 on success, 2 on bad arguments or files too large for the format (2 GiB or more).
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from matcher import make_triples  # noqa: E402
from patch_format import MAX_VALUE, encode_patch, wrap_container  # noqa: E402


def make_patch(old, new):
    triples, diff, extra = make_triples(old, new)
    return wrap_container(encode_patch(triples, diff, extra, len(new)))


def main(argv):
    if len(argv) != 4:
        print(__doc__.strip().splitlines()[0], file=sys.stderr)
        return 2
    with open(argv[1], "rb") as f:
        old = f.read()
    with open(argv[2], "rb") as f:
        new = f.read()
    if len(old) > MAX_VALUE or len(new) > MAX_VALUE:
        print("patchgen: files of 2 GiB or more cannot be patched", file=sys.stderr)
        return 2
    patch = make_patch(old, new)
    tmp = argv[3] + ".tmp"
    with open(tmp, "wb") as f:
        f.write(patch)
    os.replace(tmp, argv[3])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
