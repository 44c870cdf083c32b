#!/usr/bin/env bash
# Remakes the spreadsheet fixtures in tests/fixtures/xls from the sources in its source/ folder,
# with real spreadsheet programs:
#   LibreOffice (libreoffice-calc-nogui, libreoffice-writer-nogui, python3-uno) writes the
#     Excel 97 workbooks (stream "Workbook"), the encrypted one and the Word document;
#   Gnumeric's ssconvert (gnumeric) writes the Excel 5 workbook (stream "Book"), since
#     LibreOffice only reads that format, and a second Excel 97 writer's take on the long texts.
# The fixtures are committed; nothing in the build or the tests runs this script.
set -euo pipefail
cd "$(dirname "$0")/../tests/fixtures/xls"

for tool in soffice ssconvert /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
profile="file://$work/profile"

# The long-text source: many distinct short texts push the shared string table past one
# record, and texts of 9000 one-byte and 5000 two-byte characters must be split across
# CONTINUE records. Each long text is "<0>piece<1>piece..." cut to its length; the tests
# rebuild it the same way.
/usr/bin/python3 - source/longtext.fods <<'PY'
import sys
from xml.sax.saxutils import escape

def long_text(length, piece):
    out, k = [], 0
    while sum(map(len, out)) < length:
        out.append("<%d>%s" % (k, piece))
        k += 1
    return "".join(out)[:length]

rows = [("SIGNUM", "ÖVRIGT")]
for i in range(1, 101):
    rows.append(("U %d " % (9500 + i), "Rad %d: kort anteckning om stenen, åäö ÅÄÖ ü" % i))
rows.append(("U 9800 ", long_text(9000, "åäöü ")))
rows.append(("U 9801 ", long_text(5000, "€åäö ")))
rows.append(("U 9802 ", "slut"))

cells = []
for a, b in rows:
    cells.append('    <table:table-row>\n'
                 '     <table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>\n'
                 '     <table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>\n'
                 '    </table:table-row>\n' % (escape(a), escape(b)))
with open(sys.argv[1], "w", encoding="utf-8") as f:
    f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<!-- Made by tools/make-xls-fixtures.sh; source of longtext97.xls and longtext_gnumeric97.xls. -->\n'
            '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"'
            ' xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"'
            ' xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"'
            ' office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">\n'
            ' <office:body>\n  <office:spreadsheet>\n   <table:table table:name="Texter">\n')
    f.writelines(cells)
    f.write('   </table:table>\n  </office:spreadsheet>\n </office:body>\n</office:document>\n')
PY

convert() {  # source, filter, target
  soffice "-env:UserInstallation=$profile" --headless --convert-to "$2" --outdir "$work" "$1" >/dev/null 2>&1
  local out="$work/$(basename "${1%.*}").${2%%:*}"
  [ -s "$out" ] || { echo "LibreOffice did not write $3" >&2; exit 1; }
  [ "$out" -ef "$3" ] || mv "$out" "$3"
}

convert source/info.fods 'xls:MS Excel 97' info97.xls
convert source/longtext.fods 'xls:MS Excel 97' longtext97.xls
convert source/notworkbook.fodt 'doc:MS Word 97' notworkbook.doc

# Gnumeric takes the workbook's code page from its source: an ODS gives Windows-1252 (an
# .xls from LibreOffice would give UTF-16 text, which Excel 5 files do not hold).
convert source/info.fods ods "$work/info.ods"
convert source/longtext.fods ods "$work/longtext.ods"
ssconvert -T Gnumeric_Excel:excel_biff7 "$work/info.ods" info95.xls >/dev/null 2>&1
ssconvert -T Gnumeric_Excel:excel_dsf "$work/info.ods" info_dual.xls >/dev/null 2>&1
ssconvert -T Gnumeric_Excel:excel_biff8 "$work/longtext.ods" longtext_gnumeric97.xls >/dev/null 2>&1

# A password-protected copy, saved through LibreOffice's UNO interface (the command-line
# conversion has no password option).
/usr/bin/python3 - source/info.fods encrypted97.xls hemligt "$profile" <<'PY'
import os, subprocess, sys, time
import uno
from com.sun.star.beans import PropertyValue

def prop(name, value):
    p = PropertyValue()
    p.Name, p.Value = name, value
    return p

src, dst, password, profile = sys.argv[1:5]
pipe = "stavbasfixtures%d" % os.getpid()
office = subprocess.Popen(["soffice", "-env:UserInstallation=" + profile, "--headless",
                           "--invisible", "--norestore", "--accept=pipe,name=%s;urp;" % pipe])
local = uno.getComponentContext()
resolver = local.ServiceManager.createInstanceWithContext(
    "com.sun.star.bridge.UnoUrlResolver", local)
for _ in range(150):
    try:
        remote = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
        break
    except Exception:
        time.sleep(0.2)
else:
    office.kill()
    sys.exit("LibreOffice did not answer")
desktop = remote.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", remote)
doc = desktop.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(src)), "_blank", 0,
                                   (prop("Hidden", True),))
doc.storeToURL(uno.systemPathToFileUrl(os.path.abspath(dst)),
               (prop("FilterName", "MS Excel 97"), prop("Password", password)))
doc.close(True)
try:
    desktop.terminate()
except Exception:
    pass  # the bridge closes as the office ends
office.wait(timeout=60)
PY

ls -l ./*.xls ./*.doc
