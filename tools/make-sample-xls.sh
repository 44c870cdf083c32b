#!/usr/bin/env bash
# Remakes data/STAVBAS.XLS, the sample database's information spreadsheet, from the sample's
# information file: tools/inf_to_fods.py writes data/xls-source/STAVBAS.fods (one column per info
# code in the file's own order, every cell a text cell), and LibreOffice saves it as an Excel 97
# workbook. Converting the workbook back gives STAVBAS.INF byte for byte (a test checks it).
# Needs LibreOffice (libreoffice-calc-nogui); the result is committed, nothing in the build runs
# this script.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v soffice >/dev/null || { echo "missing soffice (LibreOffice)" >&2; exit 1; }
python3 tools/inf_to_fods.py data/STAVBAS.INF data/xls-source/STAVBAS.fods
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
soffice "-env:UserInstallation=file://$work/profile" --headless \
  --convert-to 'xls:MS Excel 97' --outdir "$work" data/xls-source/STAVBAS.fods >/dev/null 2>&1
[ -s "$work/STAVBAS.xls" ] || { echo "LibreOffice did not write the workbook" >&2; exit 1; }
mv "$work/STAVBAS.xls" data/STAVBAS.XLS
# The information file stays the newer of the two, so that opening the sample does not
# convert it again.
touch data/STAVBAS.INF
ls -l data/STAVBAS.XLS
