#!/usr/bin/env bash
# Builds the benchmarks, writes synthetic databases and times the core on them.
# Usage: bench/run.sh [INSCRIPTIONS]   (default 100000)
set -euo pipefail
cd "$(dirname "$0")/.."
n="${1:-100000}"
bash tools/build.sh >/dev/null
data="build/bench-data"
mkdir -p "$data"
for size in 10000 "$n"; do
  dir="$data/db$size"
  if [ ! -f "$dir/SYNTH.RUN" ]; then
    mkdir -p "$dir"
    python3 tools/make_synthetic_db.py --inscriptions "$size" --out "$dir" --base SYNTH --seed 1
  fi
done

echo "== Opening and signum lookups"
for size in 10000 "$n"; do
  build/bin/bench_open_lookup "$data/db$size/SYNTH" 10000
  echo
done
echo "== For comparison: grep counting the lines of the same files"
time (cat "$data/db$n"/SYNTH.* | grep -c '' >/dev/null)
