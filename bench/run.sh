#!/usr/bin/env bash
# Builds the benchmarks, writes synthetic databases and times the core on them.
# Usage: bench/run.sh [INSCRIPTIONS]   (default 100000)
set -euo pipefail
cd "$(dirname "$0")/.."
n="${1:-100000}"
bash tools/build.sh >/dev/null
data="build/bench-data"
mkdir -p "$data"
for size in 10000 14000 "$n"; do
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

echo "== Information spreadsheet of 14000 rows"
xls="$data/db14000/SYNTH.XLS"
if [ ! -f "$xls" ] && command -v soffice >/dev/null; then
  work=$(mktemp -d)
  python3 tools/inf_to_fods.py "$data/db14000/SYNTH.INF" "$work/SYNTH.fods"
  soffice "-env:UserInstallation=file://$work/profile" --headless \
    --convert-to 'xls:MS Excel 97' --outdir "$work" "$work/SYNTH.fods" >/dev/null 2>&1
  mv "$work/SYNTH.xls" "$xls"
  rm -rf "$work"
fi
if [ -f "$xls" ]; then
  build/bin/bench_info_check "$data/db14000/SYNTH"
else
  echo "(no LibreOffice to write the spreadsheet; skipped)"
fi
echo

echo "== Data-file check"
for size in 10000 "$n"; do
  build/bin/bench_info_check "$data/db$size/SYNTH"
  echo
done

echo "== Word search over every word position"
build/bin/bench_word_search "$data/db$n/SYNTH"
echo

echo "== Display runs of the command-line program over every inscription, output to /dev/null"
cli() {
  local label="$1"; shift
  local t0 t1
  t0=$(date +%s.%N)
  build/bin/stavbas-cli --database "$data/db$n/SYNTH" --all "$@" >/dev/null 2>&1 || true
  t1=$(date +%s.%N)
  echo "$label" "$t0" "$t1" | awk -v n="$n" '{ s = $(NF) - $(NF-1); $(NF) = ""; $(NF-1) = "";
    printf "%-44s %6.2f s %9.0f inscriptions/s\n", $0, s, n / s }'
}
rm -f "$data/db$n/SYNTH.\$AD"
build/bin/stavbas-cli --database "$data/db$n/SYNTH" --files >/dev/null 2>&1  # index built once
cli "text format"                      --format '>.$ RUN NFS FVN'
cli "text format, word search RUN:stain" --format '>.$ RUN NFS FVN' --search 'RUN:stain'
cli "attestation format"               --format "$(printf '\xc3\x9f')\$ RUN NFS FVN"
cli "attestation format, word search"  --format "$(printf '\xc3\x9f')\$ RUN NFS FVN" --search 'RUN:stain'
echo

echo "== Streaming all runs of the command-line program: resident memory, output to /dev/null"
for size in 10000 "$n"; do
  python3 - "build/bin/stavbas-cli" "$data/db$size/SYNTH" "$size" <<'PY'
import resource, subprocess, sys, time
cli, base, size = sys.argv[1:]
t0 = time.time()
with open("/dev/null", "wb") as out:
    subprocess.run([cli, "--database", base, "--all"], stdout=out, stderr=subprocess.DEVNULL)
rss = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(f"--all over {size:>6} inscriptions: {time.time() - t0:6.2f} s, max resident {rss / 1024:.1f} MB")
PY
done
echo

echo "== Exports of every inscription, each next to the display run alone"
build/bin/bench_export_run "$data/db$n/SYNTH" "$data/exports"
echo

echo "== For comparison: grep over the same files"
# (grep's output goes to a file: with /dev/null it may stop at the first match.)
echo "counting the lines of every file:"
time (cat "$data/db$n"/SYNTH.* | grep -c '' >"$data/grep.out")
echo "lines holding 'stain' in the runic text:"
time (grep -c stain "$data/db$n/SYNTH.RUN" >"$data/grep.out")

echo "== An all run without pauses in the window program and in stavbas-cli"
for base in build/bin/STAVBAS "$data/db10000/SYNTH"; do
  build/bin/stavbas-cli --database "$base" --files >/dev/null 2>&1  # the index, once
  build/bin/bench_gui_all_run "$base" 3
  start=$(date +%s%N)
  build/bin/stavbas-cli --database "$base" --all >/dev/null 2>&1 || true
  echo "stavbas-cli --all: $(( ($(date +%s%N) - start) / 1000000 )) ms"
  echo
done
