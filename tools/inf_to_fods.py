#!/usr/bin/env python3
"""Writes an information file (.INF) as a flat OpenDocument spreadsheet (.fods).

Usage: inf_to_fods.py INF FODS

Column 0 holds the signums, then one column per info code that the file uses, in the order of
the codes' header entries and titled with the spreadsheet titles the program maps to them.
Every cell is a text cell, with blanks kept, so that a workbook saved from the sheet converts
back to the same information file.
"""

import sys
from xml.sax.saxutils import escape

# Info code -> column title, as the program maps spreadsheet titles to codes.
TITLES = {
    "P": "PLATS", "S": "SOCKEN", "T": "HÄRAD", "K": "KOMMUN", "Q": "PLACERING",
    "X": "KOORDINATER", "U": "URSPR. PLATS?", "Y": "NUV. KOORD.",
    "N": "SOCKENKOD/FORNLÄMNINGSNR.", "B": "RUNTYPER", "C": "KORSFORM",
    "D": "PERIOD/DATERING", "G": "STILGRUPPERING", "R": "RISTARE", "I": "MATERIALTYP",
    "A": "MATERIAL", "L": "FÖREMÅL", "E": "ALTERNATIVT SIGNUM", "O": "ÖVRIGT",
    "F": "REFERENS", "H": "BILDLÄNK",
}


def text_cell(value):
    # Runs of blanks and a blank at either end need <text:s/> to survive.
    out, i = [], 0
    while i < len(value):
        if value[i] == " ":
            j = i
            while j < len(value) and value[j] == " ":
                j += 1
            n = j - i
            at_edge = i == 0 or j == len(value)
            if n == 1 and not at_edge:
                out.append(" ")
            else:
                out.append('<text:s text:c="%d"/>' % n if n > 1 else "<text:s/>")
            i = j
        else:
            j = i
            while j < len(value) and value[j] != " ":
                j += 1
            out.append(escape(value[i:j]))
            i = j
    return ('<table:table-cell office:value-type="string"><text:p>%s</text:p>'
            "</table:table-cell>" % "".join(out))


def main():
    inf_path, fods_path = sys.argv[1:3]
    with open(inf_path, encoding="cp1252", newline="") as f:
        lines = f.read().split("\r\n")
    codes, rows = [], []
    for line in lines:
        if not line:
            continue
        if line.startswith("!/I "):
            for entry in line[4:].split(";"):
                entry = entry.strip()
                if entry and entry[0].upper() in TITLES and entry[0].upper() not in codes:
                    codes.append(entry[0].upper())
            continue
        if line.startswith("!"):
            continue
        blanks, cut = 0, len(line)
        for k, c in enumerate(line):
            if c == " ":
                blanks += 1
                if blanks == 3:
                    cut = k + 1
                    break
        signum, rest = line[:cut], line[cut:]
        fields = {}
        k = 0
        while k < len(rest):
            mark = rest[k]
            if ord(mark) < 32:
                end = rest.index(mark, k + 1)
                fields[chr(ord(mark) + 64)] = rest[k + 1:end]
                k = end + 1
            else:
                k += 1
        rows.append([signum] + [fields.get(c, "") for c in codes])

    header = ["SIGNUM"] + [TITLES[c] for c in codes]
    body = []
    for row in [header] + rows:
        cells = "".join(text_cell(v) if v else "<table:table-cell/>" for v in row)
        body.append("    <table:table-row>%s</table:table-row>\n" % cells)
    with open(fods_path, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                "<!-- Made by tools/make-sample-xls.sh from data/STAVBAS.INF. -->\n"
                '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"'
                ' xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"'
                ' xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"'
                ' office:version="1.2"'
                ' office:mimetype="application/vnd.oasis.opendocument.spreadsheet">\n'
                " <office:body>\n  <office:spreadsheet>\n"
                '   <table:table table:name="Information">\n')
        f.writelines(body)
        f.write("   </table:table>\n  </office:spreadsheet>\n </office:body>\n</office:document>\n")


if __name__ == "__main__":
    main()
