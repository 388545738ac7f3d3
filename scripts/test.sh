#!/usr/bin/env bash
# Installs what is missing, then: the normal build and every test under CTest; the same
# with AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize/); a short pass of
# every fuzz target (build-fuzz/). Extra arguments go to both ctest runs. Stops at the
# first phase that fails and prints the time each phase took.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
FUZZ_SECONDS="${PULSEPANEL_FUZZ_SECONDS:-5}"
export QT_QPA_PLATFORM=offscreen

phase_times=()
timed() {
    local name="$1" start=$SECONDS
    shift
    "$@"
    phase_times+=("$(printf '%-22s %4d s' "$name" $((SECONDS - start)))")
}

run_ctest() {
    (cd "$1" && shift && ctest --output-on-failure --timeout 900 -j 2 "$@")
}

install_missing_packages
timed "build" configure_and_build
timed "tests" run_ctest "$BUILD" "$@"
timed "sanitized build" configure_and_build_sanitized
export_sanitizer_options
timed "sanitized tests" run_ctest "$SANITIZE_BUILD" "$@"
timed "fuzz pass (${FUZZ_SECONDS} s each)" bash "$ROOT/scripts/fuzz.sh" "$FUZZ_SECONDS"

printf '%s\n' "${phase_times[@]}"
echo "total                  $SECONDS s"
