#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs Mnemora into a temporary prefix and uses it as a desktop would: the deck file type by
# name and by content, the default program for it, a start from the menu entry with an awkward
# path, the German texts found from the prefix, and an install that removes without a trace.
# Usage: desktop_install_test.sh <build folder>; runs under its own virtual display.
set -uo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# -noreset: the display stays usable between one program ending and the next starting.
if [ -z "${MNEMORA_UNDER_XVFB:-}" ]; then
    exec env MNEMORA_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

tmp=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$tmp"
}
trap cleanup EXIT
failures=0
check() { # description, command...
    local what=$1; shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
same() { [ "$1" = "$2" ] || { echo "     got '$1', expected '$2'"; return 1; }; }
differs() { [ "$1" != "$2" ] || { echo "     got '$1'"; return 1; }; }

app=org.mnemora.Mnemora
type=application/x-mnemora-deck
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 \
    || { cat "$tmp/install.log"; exit 1; }
mkdir -p "$tmp/home" "$tmp/data" "$tmp/config" "$tmp/empty"
export HOME=$tmp/home XDG_DATA_HOME=$tmp/data XDG_CONFIG_HOME=$tmp/config
export XDG_DATA_DIRS=$prefix/share:/usr/share XDG_CURRENT_DESKTOP=GNOME
export PATH=$prefix/bin:$PATH LC_ALL=C.UTF-8
unset LANGUAGE

# The file type: by name, by content when renamed, and never for what only looks alike.
sample=$here/../resources/sample/capitals.mnd
cp "$sample" "$tmp/deck.mnd"
cp "$sample" "$tmp/renamed-deck"
printf '<?xml version="1.0" encoding="utf-8"?>\r\n<Mnemoras Version="1">\r\n</Mnemoras>\r\n' >"$tmp/crlf-deck"
printf '<?xml version="1.0"?>\n<notes>the Mnemoras root is not here</notes>\n' >"$tmp/other-xml"
printf 'notes about <Mnemoras> without a declaration\n' >"$tmp/plain-text"
printf 'not a deck\n' >"$tmp/.mnd"
cp "$tmp/.mnd" "$tmp/not-a-deck"
query() { xdg-mime query filetype "$1" 2>/dev/null; }
check "a deck named *.mnd is a deck" same "$(query "$tmp/deck.mnd")" $type
check "a renamed deck is recognised by its start" same "$(query "$tmp/renamed-deck")" $type
check "a deck with CR LF line ends is recognised" same "$(query "$tmp/crlf-deck")" $type
check "other XML is not claimed" differs "$(query "$tmp/other-xml")" $type
check "text naming the root is not claimed" differs "$(query "$tmp/plain-text")" $type
check "a non-deck .mnd is not claimed by its content" differs "$(query "$tmp/not-a-deck")" $type
check "a file named .mnd goes by its name" same "$(query "$tmp/.mnd")" $type

check "the menu entry opens decks by default" \
    same "$(xdg-mime query default $type 2>/dev/null)" $app.desktop
check "the desktop's launcher agrees" \
    same "$(gio mime $type 2>/dev/null | sed -n '1s/.*: //p')" $app.desktop

# Wait for a visible window of process $1 whose title matches $2; prints its id.
window_of() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
shows_window() { window_of "$@" >/dev/null; }
# The process running the program installed in the prefix, started through the PATH.
installed_pid() {
    local candidate
    for candidate in $(pgrep -x mnemora); do
        [ "$(readlink "/proc/$candidate/exe")" = "$prefix/bin/mnemora" ] && echo "$candidate"
    done | tail -n 1
}

# The menu entry starts the installed program on a deck whose path has blanks and umlauts.
folder=$(printf '%s/St\303\244dte und L\303\244nder' "$tmp")
deck=$(printf '%s/Erdkunde \303\234bung.mnd' "$folder")
mkdir -p "$folder" && cp "$sample" "$deck"
gio launch "$prefix/share/applications/$app.desktop" "$deck" 2>"$tmp/launch.log"
pid=
for _ in $(seq 50); do pid=$(installed_pid); [ -n "$pid" ] && break; sleep 0.1; done
[ -n "$pid" ] && pids+=("$pid")
title=$(printf '^Erdkunde \303\234bung\\.mnd - Mnemora$')
check "the menu entry starts the installed program" test -n "$pid"
check "it opens the deck with blanks and umlauts in its path" shows_window "${pid:-none}" "$title"
check "the deck is remembered under its full path" \
    grep -qxF "file1=$deck" "$tmp/config/Mnemora.conf"
[ -n "$pid" ] && kill "$pid"

# Started outside the build folder with a German environment, the program takes its texts from
# the prefix's catalog: the Help menu's About box has its German title.
(cd "$tmp/empty" && exec env LC_ALL=de_DE.UTF-8 "$prefix/bin/mnemora") &
pid=$!
pids+=("$pid")
german=no
if main=$(window_of "$pid" ' - Mnemora$'); then
    for _ in 1 2 3 4 5; do
        xdotool windowfocus --sync "$main" key --clearmodifiers Escape alt+h 2>/dev/null
        sleep 0.3
        xdotool key b 2>/dev/null
        if window_of "$pid" "$(printf '^\303\234ber Mnemora$')" >/dev/null; then german=yes; break; fi
    done
fi
check "the installed program finds its German catalog" same $german yes
kill "$pid" 2>/dev/null

# Installing twice and removing what the manifest lists leaves nothing behind.
stage=$tmp/stage
for _ in 1 2; do
    DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null 2>&1
done
while IFS= read -r file || [ -n "$file" ]; do rm -f "$stage$file"; done <"$build/install_manifest.txt"
check "install twice, remove: no file left" same "$(find "$stage" ! -type d | head -n 5)" ""

echo "$failures failed"
[ "$failures" -eq 0 ]
