#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
configure_and_build
export QT_QPA_PLATFORM=offscreen
cd "$BUILD"
ctest --output-on-failure --timeout 600 -j 2 "$@"
