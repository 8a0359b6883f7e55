#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and checks it: dependencies found by dpkg-shlibdeps, exactly the
# installed files, and an install twice then removal that leaves nothing behind (in a private
# dpkg root, so the machine itself stays untouched).
# Usage: package_test.sh <build folder>
set -uo pipefail
build=$(cd "$1" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
check() { # description, command...
    local what=$1; shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

cpack -G DEB -B "$tmp/out" --config "$build/CPackConfig.cmake" >"$tmp/cpack.log" 2>&1 \
    || { cat "$tmp/cpack.log"; exit 1; }
deb=$(ls "$tmp"/out/mnemora_*.deb)
check "one package named mnemora_<version>-<release>_<arch>.deb" test -f "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
echo "     Depends: $depends"
check "its dependencies come from the linked libraries" \
    grep -q 'libwx-gtk3u\|libwx_gtk3u_core\|libwxgtk3' <<<"$depends"
check "it depends on the C++ library by version" grep -q 'libstdc++6 (>= ' <<<"$depends"

# The package holds exactly what an install into /usr puts there.
DESTDIR=$tmp/stage cmake --install "$build" --prefix /usr >/dev/null 2>&1
sort "$build/install_manifest.txt" >"$tmp/manifest"
echo >>"$tmp/manifest"
sed -i '/^$/d' "$tmp/manifest"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's#^\./#/#' | sort >"$tmp/contents"
check "its files are the install manifest" diff "$tmp/manifest" "$tmp/contents"
check "it carries its copyright file" grep -qx /usr/share/doc/mnemora/copyright "$tmp/contents"
check "its maintainer is no placeholder" bash -c '! dpkg-deb -f "$1" Maintainer | grep -q example' - "$deb"

# Install twice and remove in a private root.
root=$tmp/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg_private() {
    dpkg --root="$root" --log=/dev/null --force-not-root --force-depends \
        --force-script-chrootless "$@" >>"$tmp/dpkg.log" 2>&1
}
check "it installs" dpkg_private --install "$deb"
check "it installs again over itself" dpkg_private --install "$deb"
check "the program is in place" test -x "$root/usr/bin/mnemora"
check "it removes" dpkg_private --purge mnemora
left=$(cd "$root" && find . ! -type d ! -path './var/lib/dpkg/*' | head -n 5)
check "nothing is left behind" test -z "$left"
[ -z "$left" ] || echo "     left: $left"
[ "$failures" -eq 0 ] || cat "$tmp/dpkg.log"

echo "$failures failed"
[ "$failures" -eq 0 ]
