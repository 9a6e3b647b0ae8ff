#!/usr/bin/env bash
# Time from process start to the first shown frame, and peak memory, of the window and of
# the baseline, as medians of RUNS runs each (default 15), on the offscreen platform. With
# SHEETS set, the window starts over a vra.ini of that many sheets, spread over five tabs;
# with PROP_MB set, over a damaged vra.prop of twice that many megabytes.
#   bench/startup.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
runs=${RUNS:-15}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
folder=$build/program
if [ -n "${SHEETS:-}${PROP_MB:-}" ]; then
    folder=$(mktemp -d)
    trap 'rm -rf "$folder"' EXIT
    cp -r "$build/program/." "$folder/"
fi
if [ -n "${SHEETS:-}" ]; then
    {
        printf '[ANTRAG]\r\nTabs=5\r\n'
        for tab in 1 2 3 4 5; do
            printf '[TAB%d]\r\n' "$tab"
            for ((k = 1; k <= SHEETS / 5; ++k)); do printf 'Formblatt.%d=Blatt %d.%d\r\n' "$k" "$tab" "$k"; done
        done
    } > "$folder/vra.ini"
fi
if [ -n "${PROP_MB:-}" ]; then
    # A damaged state file: its first line alone that many megabytes, then junk as long.
    {
        printf 'mn1='
        head -c "$((PROP_MB << 20))" /dev/zero | tr '\0' x
        printf '\r\n'
        head -c "$((PROP_MB << 20))" /dev/zero
    } > "$folder/vra.prop"
fi

measure() {
    local times=() memory=()
    for _ in $(seq "$runs"); do
        local start end kb
        start=$(date +%s%N)
        read -r end kb < <("$build/bench/bench_startup" "$@" 2>/dev/null)
        times+=($(( (end - start) / 1000 )))
        memory+=("$kb")
    done
    local t m
    t=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
    m=$(printf '%s\n' "${memory[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
    echo "$t $m"
}

read -r vra_us vra_kb < <(measure vra "$folder")
read -r base_us base_kb < <(measure baseline)
awk -v vt="$vra_us" -v vm="$vra_kb" -v bt="$base_us" -v bm="$base_kb" 'BEGIN {
    printf "window:   %6.1f ms to first frame, %6d kB peak\n", vt / 1000, vm
    printf "baseline: %6.1f ms to first frame, %6d kB peak\n", bt / 1000, bm
    printf "ratio:    %6.2f time, %6.2f memory\n", vt / bt, vm / bm
}'
