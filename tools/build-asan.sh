#!/usr/bin/env bash
# Configures and builds build-asan/: clang with AddressSanitizer and UndefinedBehaviorSanitizer,
# the test suite and the fuzz targets (fuzz/). Arguments name targets to build (default: all).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -G Ninja \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DSTAVBAS_SANITIZE=ON -DSTAVBAS_FUZZ=ON -DSTAVBAS_BUILD_BENCH=OFF >/dev/null
if [ $# -gt 0 ]; then
  cmake --build build-asan -j "$(nproc)" --target "$@"
else
  cmake --build build-asan -j "$(nproc)"
fi
