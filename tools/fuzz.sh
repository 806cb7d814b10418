#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for a while on its own
# virtual display. Exits non-zero on a crash, a sanitizer report or a broken
# invariant; the input that did it is kept in build/fuzz/findings.
#   tools/fuzz.sh [seconds per target, default 20]
# Corpora grow in build/fuzz/corpus/<target> and are reused by later runs.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_window_messages fuzz_score_text >/dev/null
mkdir -p build/fuzz/findings
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="halt_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
for target in fuzz_window_messages fuzz_score_text; do
  corpus="build/fuzz/corpus/$target"
  mkdir -p "$corpus"
  log="build/fuzz/$target.log"
  status=0
  tools/with-xvfb.sh "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 \
    -artifact_prefix=build/fuzz/findings/ -print_final_stats=1 "$corpus" >"$log" 2>&1 || status=$?
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  echo "$target: ${runs:-?} inputs in ${seconds}s, exit status $status"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    exit 1
  fi
done
