#!/usr/bin/env python3
"""Fails when a Swedish text of the program has no English.

Two sources of texts: the window program's captions, hints and dialog texts, which lupdate
extracts from src/app/gui into Qt Linguist files, and the core's message table
(src/base/strings_sv.inc with its English counterpart strings_en.inc).

Usage: check_translations.py SOURCE_DIR LUPDATE
Runs lupdate over the sources into a copy of translations/stavbas_en.ts, so that a text added in
the code but not yet in the committed file counts as untranslated too, then lists every message
without a finished, non-empty translation and every message name the English table lacks.
"""

import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def untranslated_captions(source: pathlib.Path, lupdate: str) -> list[str]:
    committed = source / "translations" / "stavbas_en.ts"
    with tempfile.TemporaryDirectory() as tmp:
        fresh = pathlib.Path(tmp) / "stavbas_en.ts"
        shutil.copy(committed, fresh)
        subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none",
                        str(source / "src" / "app" / "gui"), "-ts", str(fresh)],
                       check=True, stdout=subprocess.DEVNULL)
        faults = []
        for context in ET.parse(fresh).getroot().iter("context"):
            name = context.findtext("name")
            for message in context.iter("message"):
                translation = message.find("translation")
                kind = translation.get("type") if translation is not None else "missing"
                if kind in ("vanished", "obsolete"):
                    continue
                if kind == "unfinished" or not (translation.text or "").strip():
                    faults.append(f"{name}: {message.findtext('source')!r}")
        return faults


def untranslated_messages(source: pathlib.Path) -> list[str]:
    entry = re.compile(r"^STAVBAS_STR\((\w+),", re.M)
    base = source / "src" / "base"
    swedish = entry.findall((base / "strings_sv.inc").read_text(encoding="utf-8"))
    english = set(entry.findall((base / "strings_en.inc").read_text(encoding="utf-8")))
    return [f"message {name}" for name in swedish if name not in english]


def self_test(lupdate: str) -> int:
    """The check finds a text without English: a fake tree with one such caption and message."""
    with tempfile.TemporaryDirectory() as tmp:
        root = pathlib.Path(tmp)
        (root / "src" / "app" / "gui").mkdir(parents=True)
        (root / "src" / "base").mkdir(parents=True)
        (root / "translations").mkdir()
        (root / "src" / "app" / "gui" / "w.cpp").write_text(
            '#include <QObject>\nclass W : public QObject { Q_OBJECT\n'
            ' void f() { tr("Stäng"); tr("Öppna"); } };\n', encoding="utf-8")
        (root / "translations" / "stavbas_en.ts").write_text(
            '<?xml version="1.0" encoding="utf-8"?><!DOCTYPE TS><TS version="2.1" language="en">'
            '<context><name>W</name><message><source>Stäng</source>'
            '<translation>Close</translation></message></context></TS>', encoding="utf-8")
        (root / "src" / "base" / "strings_sv.inc").write_text(
            'STAVBAS_STR(A, "a")\nSTAVBAS_STR(B, "b")\n', encoding="utf-8")
        (root / "src" / "base" / "strings_en.inc").write_text('STAVBAS_STR(A, "a")\n',
                                                              encoding="utf-8")
        faults = untranslated_captions(root, lupdate) + untranslated_messages(root)
        expected = ["W: 'Öppna'", "message B"]
        if faults != expected:
            print(f"self-test: expected {expected}, found {faults}")
            return 1
    return 0


def main() -> int:
    if len(sys.argv) == 3 and sys.argv[1] == "--self-test":
        return self_test(sys.argv[2])
    source, lupdate = pathlib.Path(sys.argv[1]), sys.argv[2]
    faults = untranslated_captions(source, lupdate) + untranslated_messages(source)
    for f in faults:
        print(f"no English for {f}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
