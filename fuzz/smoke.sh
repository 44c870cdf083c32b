#!/usr/bin/env bash
# Runs every fuzz target for a few seconds (default 10), as many at once as there are cores;
# fails when any of them finds something. Usage: fuzz/smoke.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
bash tools/build-asan.sh >/dev/null
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
targets=$(sed -n 's/^stavbas_fuzz_target(\([a-z_]*\)).*/\1/p' fuzz/CMakeLists.txt)
export seconds logs STAVBAS_FUZZ_BUILT=1
if ! printf '%s\n' $targets | xargs -P "$(nproc)" -I{} sh -c \
    'fuzz/run.sh {} "$seconds" >"$logs/{}.log" 2>&1 || { echo "fuzz target {} found something:"; tail -60 "$logs/{}.log"; exit 1; }'; then
  exit 1
fi
for t in $targets; do
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$t.log")
  echo "fuzz $t: ${runs:-?} inputs, nothing found"
done
