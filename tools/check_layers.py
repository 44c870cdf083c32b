#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own.

The folders of src/ are stacked; a file may include headers of its own folder and of the
folders below it, never of one above it or of another folder on the same level. Qt headers
belong to the window program alone, so that everything else stays one Qt-free library.
Prints each offending line and exits 1; exits 0 when the tree is clean.
"""

import pathlib
import re
import sys

# Lowest first. Folders on one level may not include each other.
LAYERS = {
    "base": 0,
    "spreadsheet": 1,
    "database": 2,
    "conditions": 3,
    "output": 4,
    "export": 5,
    "app": 6,
    "cli": 7,
    "app/gui": 7,
}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^Q[A-Za-z]|^Qt[A-Za-z]*/")


def layer_of(relative: str):
    """The layer folder of a path relative to src/ ("app/gui" before "app")."""
    for name in sorted(LAYERS, key=len, reverse=True):
        if relative == name or relative.startswith(name + "/"):
            return name
    return None


def check(src: pathlib.Path) -> list[str]:
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".hpp", ".cpp", ".inc"} or not path.is_file():
            continue
        rel = path.relative_to(src).as_posix()
        own = layer_of(rel)
        if own is None:
            faults.append(f"{rel}: not in any layer folder")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            bracket, target = m.groups()
            where = f"src/{rel}:{number}: {line.strip()}"
            if bracket == "<":
                if own != "app/gui" and QT_HEADER.match(target):
                    faults.append(f"{where}  (Qt outside the window program)")
                continue
            other = layer_of(target)
            if other is None or other == own:
                continue  # a header of the same folder, or not one of ours
            if LAYERS[other] >= LAYERS[own]:
                faults.append(f"{where}  ({own} may not include {other})")
    return faults


def self_test() -> int:
    """The check must find an upward include, a sideways one and Qt in the core."""
    import tempfile

    with tempfile.TemporaryDirectory() as tmp:
        src = pathlib.Path(tmp) / "src"
        files = {
            "base/a.h": '#include "base/b.h"\n#include <string>\n',
            "database/c.cpp": '#include "base/a.h"\n#include "spreadsheet/x.h"\n',
            "output/d.cpp": '#include "app/settings.h"\n',
            "cli/e.cpp": '#include "app/gui/main_window.h"\n',
            "conditions/f.cpp": "#include <QString>\n",
            "app/gui/g.cpp": '#include <QWidget>\n#include "app/settings.h"\n',
        }
        for name, text in files.items():
            (src / name).parent.mkdir(parents=True, exist_ok=True)
            (src / name).write_text(text)
        faults = check(src)
        expected = ["output/d.cpp", "cli/e.cpp", "conditions/f.cpp"]
        found = sorted(f.split(":")[0].removeprefix("src/") for f in faults)
        if found != sorted(expected):
            print("self-test: expected faults in", expected, "but got", faults)
            return 1
    return 0


def main() -> int:
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent
    faults = check(root / "src")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) cross a layer upwards", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
