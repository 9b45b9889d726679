#!/usr/bin/env python3
"""Packs a resources folder into the skin archive that launcher.exe embeds.

    pack_resources.py RESOURCES_DIR OUT.zip

Every entry name starts with "resources/" (the folder's own name is not used), folders are
stored and files deflated, in sorted order with a fixed time stamp, so the same folder always
gives the same archive. Text files (.xml, .ini, .json) go in as UTF-8 without a byte-order mark:
a mark is dropped, and a file that is not UTF-8 stops the build.
"""

import pathlib
import sys
import zipfile

TEXT_SUFFIXES = {".xml", ".ini", ".json"}
TIMESTAMP = (2020, 1, 1, 0, 0, 0)
BOM = b"\xef\xbb\xbf"


def entry(name, is_dir):
    info = zipfile.ZipInfo(name, TIMESTAMP)
    info.create_system = 0  # attributes in the DOS form
    info.external_attr = 0x10 if is_dir else 0x20
    info.compress_type = zipfile.ZIP_STORED if is_dir else zipfile.ZIP_DEFLATED
    return info


def content(path):
    data = path.read_bytes()
    if path.suffix.lower() in TEXT_SUFFIXES:
        if data.startswith(BOM):
            data = data[len(BOM):]
        try:
            data.decode("utf-8")
        except UnicodeDecodeError as error:
            sys.exit(f"{path}: not UTF-8 ({error})")
    return data


def pack(folder, out):
    paths = sorted(p for p in folder.rglob("*") if not p.name.startswith("."))
    temporary = out.with_name(out.name + ".tmp")
    with zipfile.ZipFile(temporary, "w") as archive:
        for path in paths:
            name = "resources/" + path.relative_to(folder).as_posix()
            if path.is_dir():
                archive.writestr(entry(name + "/", True), b"")
            else:
                archive.writestr(entry(name, False), content(path))
    temporary.replace(out)


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    folder = pathlib.Path(argv[1])
    if not folder.is_dir():
        sys.exit(f"{folder}: no such folder")
    pack(folder, pathlib.Path(argv[2]))


if __name__ == "__main__":
    main(sys.argv)
