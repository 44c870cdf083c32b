#!/usr/bin/env bash
# Runs one fuzz target for a time: fuzz/run.sh TARGET SECONDS [libFuzzer options...]
# Builds build-asan/ first (tools/build-asan.sh). The committed seeds in fuzz/corpus/TARGET are
# only read; the corpus grows in build-asan/fuzz/TARGET, and an input that makes the target
# fail (crash, sanitizer report, leak, time-out) is kept in build-asan/fuzz/TARGET-findings/.
# The exit status is libFuzzer's: 0 when nothing was found.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  echo "usage: fuzz/run.sh TARGET SECONDS [libFuzzer options...]" >&2
  echo "targets: $(sed -n 's/^stavbas_fuzz_target(\([a-z_]*\)).*/\1/p' fuzz/CMakeLists.txt | tr '\n' ' ')" >&2
  exit 2
fi
target=$1
seconds=$2
shift 2
# fuzz/smoke.sh builds once for all the targets it runs at the same time.
[ -n "${STAVBAS_FUZZ_BUILT:-}" ] || bash tools/build-asan.sh "fuzz_$target" >/dev/null
work="build-asan/fuzz/$target"
findings="build-asan/fuzz/$target-findings"
mkdir -p "$work" "$findings"
options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
         -artifact_prefix="$findings/")
case $target in
  condition_code | word_search) options+=(-dict=fuzz/dict/codes.dict) ;;
  format_code) options+=(-dict=fuzz/dict/format.dict) ;;
  settings_file) options+=(-dict=fuzz/dict/settings.dict) ;;
  opening_rule) options+=(-dict=fuzz/dict/opening.dict) ;;
esac
# Full stacks through glib for the target that reads compound documents, so that the leak
# suppression (lsan.supp) can see the library's frame; the fast unwinder elsewhere.
unwind=1
[ "$target" = xls_file ] && unwind=0
export ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=$unwind"
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
exec "build-asan/bin/fuzz_$target" "${options[@]}" "$@" "$work" "fuzz/corpus/$target"
