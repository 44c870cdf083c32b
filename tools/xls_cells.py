#!/usr/bin/env python3
"""Prints every cell of a workbook's first worksheet, one line each:
row<TAB>col<TAB>kind<TAB>value, rows and columns counted from 0.

kind is text, number (dates too, as their serial number), error (value such as #DIV/0!)
or bool (TRUE or FALSE); empty and blank cells are left out. Text is UTF-8 with tabs,
line breaks and backslashes escaped as \\t, \\n, \\r and \\\\. Numbers are printed with
repr(), which reads back to the same double.

Used as an independent check of the program's own reader (needs python3-xlrd, 1.2).
Exit status 2 with a message on standard error when xlrd cannot read the file."""

import sys

import xlrd


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t")
            .replace("\n", "\\n").replace("\r", "\\r"))


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: xls_cells.py FILE.xls\n")
        return 2
    try:
        book = xlrd.open_workbook(sys.argv[1], on_demand=True)
        sheet = book.sheet_by_index(0)
    except Exception as e:  # xlrd raises several kinds for unreadable files
        sys.stderr.write("xlrd: %s\n" % e)
        return 2
    out = sys.stdout
    for row in range(sheet.nrows):
        for col in range(sheet.ncols):
            cell = sheet.cell(row, col)
            if cell.ctype == xlrd.XL_CELL_TEXT:
                kind, value = "text", escape(cell.value)
            elif cell.ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_DATE):
                kind, value = "number", repr(float(cell.value))
            elif cell.ctype == xlrd.XL_CELL_ERROR:
                kind, value = "error", xlrd.error_text_from_code.get(cell.value, "?")
            elif cell.ctype == xlrd.XL_CELL_BOOLEAN:
                kind, value = "bool", "TRUE" if cell.value else "FALSE"
            else:
                continue
            out.write("%d\t%d\t%s\t%s\n" % (row, col, kind, value))
    return 0


if __name__ == "__main__":
    sys.exit(main())
