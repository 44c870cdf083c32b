#!/usr/bin/env bash
# Starts the window program under Xvfb, performs a word search and an all run in Swedish and in
# English, and saves screenshots into the folder given (default: build/screenshots). First the
# real program is started to catch its start-up with the splash screen.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
mkdir -p "$out"
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
  build/bin/stavbas & pid=\$!
  sleep 1.5; import -window root '$out/0-start-splash.png'
  kill \$pid
  build/bin/stavbas_screenshots '$out'
"
ls "$out"
