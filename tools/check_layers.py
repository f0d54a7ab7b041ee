#!/usr/bin/env python3
"""The floors of src/, bottom up, and what may include what.

A file includes nothing from a floor above its own; below the window's
layer (gui/) nothing includes Qt, except the Qt platform services in
platform/qt/. Prints every include that breaks this and exits 1 when there
is one.
"""
import pathlib
import re
import sys

FLOORS = ["platform", "data", "wizard", "result", "output", "admin", "gui", "app"]
INCLUDE = re.compile(r'\s*#\s*include\s*[<"]([^>"]+)[>"]')


def breaks(source_root):
    for path in sorted(source_root.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        relative = path.relative_to(source_root)
        floor = relative.parts[0]
        if floor not in FLOORS:
            continue
        qt_allowed = FLOORS.index(floor) >= FLOORS.index("gui") or relative.parts[:2] == (
            "platform",
            "qt",
        )
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            included = match.group(1)
            top = included.split("/")[0]
            if top in FLOORS and FLOORS.index(top) > FLOORS.index(floor):
                yield f"src/{relative}:{number}: {included} is a floor above {floor}/"
            elif not qt_allowed and (included.startswith("Q") or included.startswith("platform/qt/")):
                yield f"src/{relative}:{number}: {included} is Qt, below gui/"


def main():
    root = pathlib.Path(__file__).resolve().parent.parent / "src"
    found = list(breaks(root))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
