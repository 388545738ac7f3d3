# Shared by the release checks: arguments, a scratch folder removed at exit, and fail(),
# which counts failures for the summary at the end.
set -euo pipefail
build=$1 list=$2 version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
