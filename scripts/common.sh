# Shared by the two README commands: install what is missing, configure, build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${PULSEPANEL_BUILD_DIR:-$ROOT/build}"
SANITIZE_BUILD="${PULSEPANEL_SANITIZE_BUILD_DIR:-$ROOT/build-sanitize}"
PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-serialport-dev qt6-svg-dev
          libjpeg-dev libgtest-dev libgmock-dev libx11-dev libxtst-dev xvfb xauth x11-utils
          clang libclang-rt-14-dev libfuzzer-14-dev
          clang-format socat dpkg-dev man-db desktop-file-utils appstream lintian)

install_missing_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
    fi
}

configure_and_build() {
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD" -j "$(nproc)"
}

# Program, simulator and tests with AddressSanitizer and UndefinedBehaviorSanitizer, at -O1
# with line tables only (quicker to build, stack traces still name file and line); the
# benchmarks are left out.
configure_and_build_sanitized() {
    cmake -S "$ROOT" -B "$SANITIZE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DPULSEPANEL_SANITIZE=ON \
        -DPULSEPANEL_BENCH=OFF >/dev/null
    cmake --build "$SANITIZE_BUILD" -j "$(nproc)"
}

# What the sanitized programs need at run time: leak detection on, every finding fatal,
# and the suppressions for leaks inside system libraries.
export_sanitizer_options() {
    export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1"
    export LSAN_OPTIONS="suppressions=$ROOT/tests/sanitizers/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
}
