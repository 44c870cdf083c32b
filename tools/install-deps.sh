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
