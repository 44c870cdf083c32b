#!/usr/bin/env bash
# Installs what is needed, builds the program and runs it on the bundled sample database.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh >&2
bash tools/build.sh >&2
# Until the window program exists, the command-line program shows every inscription of the
# sample database; any arguments are passed to it instead (see --help).
if [ $# -eq 0 ]; then set -- --all; fi
exec build/bin/stavbas-cli "$@"
