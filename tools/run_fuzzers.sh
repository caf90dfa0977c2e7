#!/usr/bin/env bash
# Runs fuzz targets side by side for a bounded time, each over a fresh copy of its seed corpus
# (the committed seeds stay as they are). Fails when any target finds a crash, a hang, a leak,
# a sanitizer report or a broken check; the input that did it is kept in its artifacts folder.
# Usage: tools/run_fuzzers.sh BUILD_DIR SECONDS TARGET...
set -uo pipefail
build=$(cd "$1" && pwd)
seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
# A small quarantine keeps the memory flat over a million runs; use-after-free is still caught.
export ASAN_OPTIONS="quarantine_size_mb=64:malloc_context_size=20:detect_leaks=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

declare -A pids
for t in "$@"; do
  work=$build/fuzz-run/$t
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "$root/fuzz/corpus/$t/." "$work/corpus/" -r
  "$build/fuzz/$t" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
    -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus" >"$work/log" 2>&1 &
  pids[$t]=$!
done

failed=0
for t in "$@"; do
  work=$build/fuzz-run/$t
  if wait "${pids[$t]}"; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | grep -o '[0-9]*$')
    echo "$t: no findings in ${seconds} s (${runs:-?} runs)"
  else
    failed=1
    echo "$t: FOUND A FAULT; last lines of $work/log:"
    tail -n 60 "$work/log" | sed 's/^/    /'
    echo "    input kept in: $(ls -d "$work"/artifacts/* 2>/dev/null | tr '\n' ' ')"
    echo "    (copy it into fuzz/corpus/$t/ so it stays a regression seed)"
  fi
done
exit $failed
