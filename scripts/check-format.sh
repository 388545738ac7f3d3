#!/usr/bin/env bash
# Fails, naming file and line, when a C++ file of the tree is not as clang-format leaves it
# with the .clang-format at the root. Fix with `clang-format -i FILES`. Run by
# scripts/test.sh as the CTest test "format"; CLANG_FORMAT picks another binary.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(find src sim tests bench -name '*.cpp' -o -name '*.h' -o -name '*.h.in' | sort)
"${CLANG_FORMAT:-clang-format}" --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format asks"
