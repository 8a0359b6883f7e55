#!/bin/sh
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
if [ -s "$tmp/mnemora.pot" ]; then
    msgcmp resources/locale/de.po "$tmp/mnemora.pot"
fi
