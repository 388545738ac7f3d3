#!/usr/bin/env bash
# Builds the Debian package with CPack into a temporary folder and checks its control
# fields, its files and their modes, and, with lintian installed, that lintian finds no
# error or warning.
#   check-package.sh BUILD_DIR FILE_LIST VERSION
source "$(dirname "${BASH_SOURCE[0]}")/check-common.sh"
out=$scratch

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log"
    exit 1
}
arch=$(dpkg --print-architecture)
deb="$out/pulsepanel_${version}_$arch.deb"
[ -f "$deb" ] || { fail "no $deb"; exit 1; }

dpkg-deb -I "$deb"
for field in "Package: pulsepanel" "Version: $version" "Architecture: $arch" \
    "Section: electronics" "Homepage: https://pulsepanel.example.org"; do
    [ "$(dpkg-deb -f "$deb" "${field%%: *}")" = "${field#*: }" ] || fail "control field $field"
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
# Found by dpkg-shlibdeps in the binaries, never written by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6core6 libqt6widgets6 libqt6serialport6 libjpeg62-turbo; do
    [[ ", $depends" == *", $library "* ]] || fail "Depends lacks $library: $depends"
done

# Files as the install rules put them, programs executable, everything else not.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $1, $2, $6 }' >"$out/contents"
diff -u "$list" <(cut -d' ' -f3 "$out/contents" | sort) || fail "package files differ from $list"
while read -r mode owner path; do
    want=-rw-r--r--
    [[ $path == usr/bin/* ]] && want=-rwxr-xr-x
    [ "$mode $owner" = "$want root/root" ] || fail "$path: $mode $owner"
done <"$out/contents"

if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" >"$out/lintian.log" 2>&1 || fail "lintian: errors or warnings"
    grep -v "running with root privileges" "$out/lintian.log" || true
else
    echo "lintian not installed: package not checked by it"
fi
[ "$failures" -eq 0 ]
