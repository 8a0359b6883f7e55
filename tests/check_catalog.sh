#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when the German catalog lacks a text of the program, leaves one untranslated or fuzzy,
# or does not compile.   tests/check_catalog.sh <source folder>
set -eu
cd "$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
find src -name '*.cpp' -o -name '*.h' | sort >"$tmp/files"
xgettext --from-code=UTF-8 --language=C++ --keyword=_ --keyword=wxPLURAL:1,2 \
    --keyword=wxTRANSLATE --files-from="$tmp/files" -o "$tmp/mnemora.pot"
msgfmt --check --statistics -o /dev/null resources/locale/de.po 2>"$tmp/statistics"
cat "$tmp/statistics"
if grep -Eq "fuzzy|untranslated" "$tmp/statistics"; then
    echo "de.po has fuzzy or untranslated messages" >&2
    exit 1
fi
# The program addresses its users as "Sie": no "du", "dich", "dir", "dein..." or "euch" in any
# translation, nor the informal imperatives of the program's verbs.
awk '/^msgid/ { in_str = 0 } /^msgstr/ { in_str = 1 } in_str && /^(msgstr|")/ { print FNR": "$0 }' \
    resources/locale/de.po >"$tmp/translations"
informal='(^|[^[:alpha:]äöüß])([Dd]u|[Dd]ich|[Dd]ir|[Dd]ein[emnrs]?|[Ee]uch|[Ee]uer|[Kk]licke|[Dd]rücke|[Ww]ähle|[Ll]ies|[Gg]eh|[Ss]chalte|[Üü]be|[Ss]age)([^[:alpha:]äöüß]|$)'
if grep -E "$informal" "$tmp/translations"; then
    echo "de.po addresses the user informally (above); use \"Sie\"" >&2
    exit 1
fi
if [ -s "$tmp/mnemora.pot" ]; then
    msgcmp resources/locale/de.po "$tmp/mnemora.pot"
fi
