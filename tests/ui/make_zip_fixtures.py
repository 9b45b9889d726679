#!/usr/bin/env python3
"""Writes the zip reader's fixture archives into the folder given as the only argument.

tree/ holds the files the archives were made from, so the test compares unpacked items with
them. Archives come from the system zip tool and from Python's zipfile: stored and deflated
items, data descriptors, a maximal comment, bytes before the archive (with and without the
offsets adjusted), encrypted items, stored names that need cleaning.
"""

import io
import os
import random
import shutil
import subprocess
import sys
import zipfile

TREE_FILES = {
    "resources/lang/en.ini": lambda rng: "".join(
        f"STRING_TEXT_{i}=Text number {i}\r\n" for i in range(80)).encode(),
    # Hex lines deflate to about half, so the compressed data spans several input blocks.
    "resources/themes/default/main/skin.xml": lambda rng: "".join(
        "<Control name=\"%032x\"/>\n" % rng.getrandbits(128) for _ in range(1500)).encode(),
    # Incompressible: the zip tool stores it.
    "resources/images/raw.bin": lambda rng: bytes(rng.getrandbits(8) for _ in range(20000)),
    "resources/readonly.txt": lambda rng: b"read only\n",
    # One match: inflate takes in all of its input while most of the output is still to come.
    "resources/repeated.txt": lambda rng: b"=" * 25,
    "resources/lang/\u00dcn\u00efcode-\u540d\u524d.txt": lambda rng: "\u540d\u524d\n".encode(),
}
MODIFIED = 1600000000  # seconds since 1970, kept by the zip tool's extended timestamps
ACCESSED = 1500000000
PREFIX = b"MZ" + bytes(range(256)) * 4  # stands in for an executable stub before the archive


class Unseekable(io.RawIOBase):
    """A write-only stream without tell or seek: zipfile then writes data descriptors."""

    def __init__(self, sink):
        self.sink = sink

    def writable(self):
        return True

    def write(self, data):
        return self.sink.write(data)


def make_tree(tree):
    rng = random.Random(20240611)
    for name, content in TREE_FILES.items():
        path = os.path.join(tree, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(content(rng))
        os.utime(path, (ACCESSED, MODIFIED))
    os.chmod(os.path.join(tree, "resources/readonly.txt"), 0o444)


def zip_tool(folder, *args):
    """Runs zip in folder; its standard output is returned (the archive when it streams)."""
    env = dict(os.environ, LC_ALL="C.UTF-8")
    return subprocess.run(["zip", "-q", *args], cwd=folder, env=env, stdout=subprocess.PIPE,
                          check=True).stdout


def read(tree, name):
    with open(os.path.join(tree, name), "rb") as f:
        return f.read()


def python_archive(target, names, tree, streamed=False):
    sink = open(target, "wb")
    with sink, zipfile.ZipFile(Unseekable(sink) if streamed else sink, "w") as archive:
        for name in names:
            info = zipfile.ZipInfo(name, date_time=(2021, 5, 6, 7, 8, 10))
            # The incompressible file stored, the rest deflated.
            info.compress_type = zipfile.ZIP_STORED if name.endswith(".bin") else zipfile.ZIP_DEFLATED
            archive.writestr(info, read(tree, name))


def main(out):
    shutil.rmtree(out, ignore_errors=True)
    tree = os.path.join(out, "tree")
    make_tree(tree)
    names = list(TREE_FILES)
    fixture = lambda name: os.path.join(out, name)

    zip_tool(tree, "-r", fixture("tool.zip"), "resources")
    with open(fixture("tool_streamed.zip"), "wb") as f:  # written to a pipe: data descriptors
        f.write(zip_tool(tree, "-fz-", "-r", "-", "resources"))
    zip_tool(tree, "-P", "secret", fixture("tool_encrypted.zip"), names[0], "resources/images/raw.bin")

    python_archive(fixture("python.zip"), names, tree)
    python_archive(fixture("python_streamed.zip"), names, tree, streamed=True)

    with zipfile.ZipFile(fixture("python_comment.zip"), "w") as archive:
        archive.writestr(names[0], read(tree, names[0]))
        archive.comment = b"#" * 65535
    zipfile.ZipFile(fixture("empty.zip"), "w").close()

    # Names the reader cleans: drive letters, leading separators, climbing out of the folder.
    with zipfile.ZipFile(fixture("python_names.zip"), "w") as archive:
        for stored in ["C:D:/x/a.txt", "//b.txt", "x/../../c.txt", "x\\..\\y/..\\d.txt", "e/f.txt"]:
            info = zipfile.ZipInfo(stored, date_time=(2021, 5, 6, 7, 8, 10))
            info.create_system = 0  # MS-DOS attributes: read-only and hidden
            info.external_attr = 0x03
            archive.writestr(info, stored)

    # A small archive that the test damages byte by byte: one stored and one deflated item.
    with zipfile.ZipFile(fixture("small.zip"), "w") as archive:
        archive.writestr("stored.txt", b"stored bytes, copied as they are\n" * 3, zipfile.ZIP_STORED)
        archive.writestr("deflated.txt", b"deflated bytes go through inflate\n" * 20, zipfile.ZIP_DEFLATED)

    # Bytes before the archive: as concatenated (offsets count from the archive's start) and
    # after the zip tool adjusted the offsets (they count from the file's start).
    with open(fixture("tool.zip"), "rb") as f:
        archive = f.read()
    for name in ("prefixed.zip", "prefixed_adjusted.zip"):
        with open(fixture(name), "wb") as f:
            f.write(PREFIX + archive)
    zip_tool(out, "-A", "prefixed_adjusted.zip")


if __name__ == "__main__":
    main(sys.argv[1])
