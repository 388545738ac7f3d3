#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang and runs each for the given number
# of seconds (default 60), starting from its seed corpus in the repository (which is only
# read: new inputs go to a scratch folder). Prints executions and findings per target;
# findings (crash-, timeout-, leak-, oom- files) land in <fuzz build>/findings/<target>/
# and make the exit status 1.
#
#   bash scripts/fuzz.sh [seconds per target]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SECONDS_PER_TARGET="${1:-60}"
FUZZ_BUILD="${PULSEPANEL_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
TARGETS=(identity replies terminator spinedit files portmap)

install_missing_packages
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPULSEPANEL_FUZZ=ON >/dev/null
cmake --build "$FUZZ_BUILD" -j "$(nproc)" --target fuzzers

SCRATCH="$(mktemp -d -t pulsepanel-fuzz.XXXXXX)"
trap 'rm -rf "$SCRATCH"' EXIT
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$ROOT/tests/sanitizers/lsan.supp:print_suppressions=0"
total=0
printf '%-12s %14s %9s\n' target executions findings
for target in "${TARGETS[@]}"; do
    findings="$FUZZ_BUILD/findings/$target"
    rm -rf "$findings"
    mkdir -p "$findings" "$SCRATCH/$target"
    log="$FUZZ_BUILD/findings/$target.log"
    "$FUZZ_BUILD/tests/fuzz/fuzz_$target" -max_total_time="$SECONDS_PER_TARGET" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
        "$SCRATCH/$target" "$ROOT/tests/fuzz/corpus/$target" >"$log" 2>&1 || true
    executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    count="$(find "$findings" -type f | wc -l)"
    total=$((total + count))
    printf '%-12s %14s %9s\n' "$target" "${executions:-?}" "$count"
    if [ "$count" -gt 0 ] || [ -z "$executions" ]; then
        echo "  see $log" >&2
        [ -n "$executions" ] || total=$((total + 1))
    fi
done
[ "$total" -eq 0 ]
