#!/usr/bin/env bash
# Installs the build with prefix /usr into a temporary DESTDIR and checks every file, the
# installed programs' command lines, the manual pages and, with their tools installed,
# the desktop entry and the AppStream metainfo.
#   check-install.sh BUILD_DIR FILE_LIST VERSION
source "$(dirname "${BASH_SOURCE[0]}")/check-common.sh"
stage=$scratch

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
diff -u "$list" <(cd "$stage" && find . ! -type d | sed 's|^\./||' | sort) ||
    fail "installed files differ from $list"

# --help and --version must not need a display: the xcb platform without one would abort.
# A refused option exits before any window, so it gets the offscreen platform.
mkdir -m 700 "$stage/run"
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$stage/run" QT_QPA_PLATFORM=xcb)
offscreen=(env XDG_RUNTIME_DIR="$stage/run" QT_QPA_PLATFORM=offscreen)
bin="$stage/usr/bin"
# expect STATUS LINE COMMAND...: the exit status, and the first line of standard output
# (status 0) or of standard error, which must go on with the usage for status 2.
expect() {
    local status=$1 first=$2 got out what
    shift 2
    what="$*"
    what=${what#*"$bin"/}
    got=0
    out=$(timeout 20 "$@" 2>"$stage/err") || got=$?
    [ "$got" -eq 0 ] || out=$(cat "$stage/err")
    [ "$got" -eq "$status" ] || fail "$what: exit status $got, not $status"
    [ "$(head -n 1 <<<"$out")" = "$first" ] || fail "$what: first line '$(head -n 1 <<<"$out")'"
    if [ "$status" -eq 2 ] && [[ "$(sed -n 2p <<<"$out")" != "Usage: "* ]]; then
        fail "$what: no usage after the error"
    fi
}
expect 0 "pulsepanel $version" "${no_display[@]}" "$bin/pulsepanel" --version
expect 0 "pulsepanel $version" "${no_display[@]}" "$bin/pulsepanel" -LOG -v
expect 0 "Usage: $bin/pulsepanel [options]" "${no_display[@]}" "$bin/pulsepanel" --help
expect 2 "pulsepanel: Unknown option 'colour'." "${offscreen[@]}" "$bin/pulsepanel" --colour
expect 2 "pulsepanel: Unexpected argument 'extra'." "${offscreen[@]}" "$bin/pulsepanel" /LOG -log extra
expect 0 "pulsesim $version" "$bin/pulsesim" --version
expect 0 "pulsectl $version" "$bin/pulsectl" --version
expect 2 "pulsectl: unknown option --colour" "$bin/pulsectl" --colour

# Manual pages: no warnings from man, and every long option of --help documented.
for program in pulsepanel pulsesim pulsectl; do
    page="$stage/usr/share/man/man1/$program.1.gz"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
    for option in $("$bin/$program" --help | grep -oE -- '--[a-z-]+' | sort -u); do
        zcat "$page" | grep -qF -- "${option//-/\\-}" || fail "$program.1 does not name $option"
    done
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$stage"/usr/share/applications/*.desktop || fail "desktop entry"
else
    echo "desktop-file-validate not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.xml || fail "metainfo"
else
    echo "appstreamcli not installed: metainfo not validated"
fi
[ "$failures" -eq 0 ]
