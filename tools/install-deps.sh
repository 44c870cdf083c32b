#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Stavbas need.
# Does nothing when they are all present already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libshp-dev libgsf-1-dev
  libgtest-dev libgmock-dev
  python3 python3-xlrd
  xvfb xauth
  # ---- sanitizer build and fuzz targets (tools/build-asan.sh, fuzz/) ----
  clang-14 libclang-rt-14-dev libfuzzer-14-dev llvm-14
  # ---- end of sanitizer build and fuzz targets ----
  # outside readers that the tests check written files against
  unrtf
  # ---- benchmarks (bench/speed.py): timing, and the reference tools the runs are set against ----
  hyperfine ripgrep
  # ---- end of benchmarks ----
)
# The command-line program's option parser, and the outside programs that the export tests
# check the written files with: PROJ for the coordinates, GDAL for the shapefile, KML and GPX,
# gpsbabel for the GPX, xmllint for well-formed XML and a headless Chromium for the map page.
packages+=(
  libcli11-dev
  proj-bin gdal-bin gpsbabel libxml2-utils chromium
)
packages+=(
  # The window program: Qt's translation tools (lupdate, lrelease and their CMake package), the
  # SVG icon engine, Qt's own Swedish texts for its standard dialogs, and what packaging checks
  # and draws the icons with.
  qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools libqt6svg6 qt6-translations-l10n
  librsvg2-bin desktop-file-utils appstream dpkg-dev
)
packages+=(
  # Printing: the window tests print the output window to a PDF file and read its pages and
  # text back with poppler's pdfinfo and pdftotext.
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq || echo "apt-get update failed; trying with the package lists at hand" >&2
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
