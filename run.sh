#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it on the bundled sample database.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
bash tools/build.sh
exec build/bin/stavbas-cli "$@"
