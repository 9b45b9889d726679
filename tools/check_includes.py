#!/usr/bin/env python3
"""Checks that every project #include of the layer folders points one way:

    base <- app <- download <- update <- ui <- windows, browser

A file may include its own layer and the layers below it; windows may also include browser (the
main window hosts the web view). The composition root, the entry point that wires the layers
together, may include every layer. Prints each violation as file:line and exits 1 when there is
one; run from anywhere: the source root is found from this file.
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[1]

RANK = {"base": 0, "app": 1, "download": 2, "update": 3, "ui": 4, "windows": 5, "browser": 5}
# Same-rank layers a layer may include besides its own.
SIBLINGS = {"windows": {"browser"}}
COMPOSITION_ROOT = "app/launcher_main.cpp"

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(relative_path):
    """The layer a '/'-separated path belongs to, or None outside the layer folders."""
    top = relative_path.split("/", 1)[0]
    return top if top in RANK else None


def may_include(source_layer, target_layer):
    if target_layer == source_layer or target_layer in SIBLINGS.get(source_layer, ()):
        return True
    return RANK[target_layer] < RANK[source_layer]


def violations(root):
    """(file, line number, included path) for every include that points up or sideways."""
    found = []
    for layer in sorted(set(RANK)):
        folder = root / layer
        if not folder.is_dir():
            continue
        for path in sorted(folder.rglob("*")):
            if path.suffix not in (".h", ".cpp") or not path.is_file():
                continue
            relative = path.relative_to(root).as_posix()
            if relative == COMPOSITION_ROOT:
                continue
            lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = layer_of(match.group(1))
                if target is not None and not may_include(layer, target):
                    found.append((relative, number, match.group(1)))
    return found


def main(argv):
    root = pathlib.Path(argv[1]).resolve() if len(argv) > 1 else ROOT
    found = violations(root)
    for relative, number, included in found:
        print(f"{relative}:{number}: includes {included}, which its layer may not reach "
              f"(order: base <- app <- download <- update <- ui <- windows/browser)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
