#!/usr/bin/env bash
# Installs what is needed, builds the programs and starts the window program on the bundled
# sample database. Without a display it says so and runs the command-line program instead
# (every inscription of the sample database; arguments are passed to it, see --help).
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh >&2
bash tools/build.sh >&2
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/stavbas
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the command-line program stavbas-cli instead." >&2
if [ $# -eq 0 ]; then set -- --all; fi
exec build/bin/stavbas-cli "$@"
