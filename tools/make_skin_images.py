#!/usr/bin/env python3
"""Draws the launcher's skin images and its icon; none are stored in the source tree.

    make_skin_images.py OUT_DIR [ICON.ico]

Writes every image of the table in tools/skin_art/images.py under OUT_DIR (the same layout as
resources/, which the archive packer lays over it) and, when given, the application icon.
Files whose bytes are unchanged are not rewritten, so a rebuild repacks nothing needlessly.
"""

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent / "skin_art"))

from images import ICON_SIZES, IMAGES, emblem  # noqa: E402
from page_images import PAGE_IMAGES  # noqa: E402
from raster import ico_bytes  # noqa: E402


def write_if_changed(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    if path.exists() and path.read_bytes() == data:
        return
    temporary = path.with_name(path.name + ".tmp")
    temporary.write_bytes(data)
    temporary.replace(path)


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__)
    out = pathlib.Path(argv[1])
    for name, draw in sorted({**IMAGES, **PAGE_IMAGES}.items()):
        write_if_changed(out / name, draw().png())
    if len(argv) == 3:
        write_if_changed(pathlib.Path(argv[2]), ico_bytes([(size, emblem(size).png()) for size in ICON_SIZES]))


if __name__ == "__main__":
    main(sys.argv)
