#!/usr/bin/env bash
# Runs every fuzz target of a libFuzzer build for SECONDS each (default 60), or until RUNS
# inputs when that is set, from a copy of the committed corpus; new crash inputs land in BUILD/crashes/<target>/, to be committed to
# tests/fuzz/corpus/<target>/ once mended.
#   tests/fuzz/run.sh BUILD [SECONDS]
set -euo pipefail
build=$1
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS=suppressions=$here/../lsan.supp
status=0
for program in "$build"/tests/fuzz/fuzz_*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    target=${program##*/fuzz_}
    work=$build/fuzz-corpus/$target
    crashes=$build/crashes/$target
    mkdir -p "$work" "$crashes"
    cp -n "$here/corpus/$target"/* "$work"/ 2>/dev/null || true
    echo "== $target: $seconds s"
    if ! "$program" -max_total_time="$seconds" -runs="${RUNS:--1}" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$crashes/" "$work" 2>"$build/fuzz-$target.log"; then
        status=1
    fi
    grep -E "^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" \
        "$build/fuzz-$target.log" || true
    ls "$crashes"
done
exit $status
