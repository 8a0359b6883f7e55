#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the desktop files with the desktop's own validators: the menu entry, the software-centre
# description, the file-type definition, and that they name each other and the screenshots.
# Usage: desktop_files_test.sh <source folder> <build folder>
set -uo pipefail
source=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
app=org.mnemora.Mnemora
entry=$source/resources/desktop/$app.desktop
mime=$source/resources/desktop/$app.mime.xml
metainfo=$build/desktop/$app.metainfo.xml
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
check() { # description, command...
    local what=$1; shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
quiet() { # runs a command that must succeed and print nothing
    local out
    out=$("$@" 2>&1) && [ -z "$out" ] || { echo "$out"; return 1; }
}
key() { sed -n "s/^$1=//p" "$entry"; }

check "desktop-file-validate accepts the menu entry" quiet desktop-file-validate "$entry"
check "appstreamcli accepts the description, also pedantic" \
    appstreamcli validate --pedantic --no-net "$metainfo"
xpath() { xmllint --xpath "string(//$1)" "$metainfo"; }
check "the description gives the licence" test "$(xpath project_license)" = GPL-3.0-or-later
check "its own licence is a free one for metadata" grep -qxE 'FSFAP|CC0-1.0' <<<"$(xpath metadata_license)"
check "no placeholder address is left" \
    bash -c '! grep -rq "example\.org" "$1/resources/desktop" "$2"' - "$source" "$metainfo"
check "COPYING is the GPL version 3 as Debian ships it" \
    cmp -s "$source/COPYING" /usr/share/common-licenses/GPL-3
copyright=$source/resources/desktop/copyright
check "the copyright file is in the machine-readable format" \
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright"
check "it puts every file under the GPL version 3 or later" \
    grep -Pzq 'Files: \*\nCopyright: [^\n]+\nLicense: GPL-3.0-or-later\n' "$copyright"
unlicensed=$(cd "$source" && grep -rLs --include='*.cpp' --include='*.h' --include='*.sh' \
    'SPDX-License-Identifier: GPL-3.0-or-later' src tests bench fuzz)
check "every source file names its licence" test -z "$unlicensed"
[ -z "$unlicensed" ] || echo "     without it: $unlicensed"
check "xmllint accepts the file-type definition" quiet xmllint --noout "$mime"
mkdir -p "$tmp/mime/packages" && cp "$mime" "$tmp/mime/packages/$app.xml"
check "update-mime-database reads it without a complaint" \
    quiet env XDG_DATA_DIRS="$tmp" update-mime-database "$tmp/mime"
type=$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$mime")
check "the entry lists the deck type" test "$(key MimeType)" = "$type;"
check "the entry opens one file given to it" test "$(key Exec)" = "mnemora %f"
check "the entry is an education program" grep -qx 'Categories=Education;.*' "$entry"
check "the entry has a German name and comment" \
    test -n "$(key 'Name\[de\]')" -a -n "$(key 'Comment\[de\]')"
check "the entry's icon is the installed one" test "$(key Icon)" = $app
check "the description launches the entry" \
    grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo"

# The description names exactly the screenshots that the script makes, where they are published.
named=$(sed -n 's#.*<image>.*/\([^/]*\.png\)</image>.*#\1#p' "$metainfo" | sort)
present=$(cd "$source/docs/screenshots" 2>/dev/null && ls -1 ./*.png 2>/dev/null | sed 's#^\./##' | sort)
check "the description names every screenshot or none" test -z "$named" -o "$named" = "$present"
readme_shows() {
    local png
    for png in "$@"; do grep -q "docs/screenshots/$png" "$source/README.md" || return 1; done
}
# shellcheck disable=SC2086 # one word per file name
check "the README shows every screenshot" readme_shows $present

echo "$failures failed"
[ "$failures" -eq 0 ]
