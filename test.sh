#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
bash tools/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"
