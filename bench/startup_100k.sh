#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time with a 100,000-card deck named on the command line, from starting the program under
# Xvfb until its card list shows the deck; the start with no deck is measured alongside as the
# baseline. Usage: bench/startup_100k.sh [build folder] [runs]   (target: at most 1.0 s)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
RUNS=${2:-5}
PROBE=$BUILD/bench/startup_probe
PROGRAM=$BUILD/src/mnemora
DECK=$BUILD/bench/deck_100k.mnd

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$BUILD" "$RUNS"
fi
[ -f "$DECK" ] || "$BUILD/bench/make_big_deck" "$DECK" 100000

# A private settings store, so that the runs neither read nor record the user's own.
export HOME=$(mktemp -d)
export XDG_CONFIG_HOME=$HOME/.config
mkdir -p "$XDG_CONFIG_HOME"
trap 'rm -rf "$HOME"' EXIT
cd "$BUILD"

empty=$("$PROBE" --settle "Untitled - Mnemora" "$PROGRAM")
full=$("$PROBE" --settle "deck_100k.mnd - Mnemora" "$PROGRAM" "$DECK")
# The list counts as showing the deck once half of the text its rows add has been drawn.
threshold=$(( empty + (full - empty) / 2 ))
echo "text pixels: empty list $empty, 100,000-card list $full, threshold $threshold"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
baseline=$(for _ in $(seq "$RUNS"); do "$PROBE" "Untitled - Mnemora" "$empty" "$PROGRAM"; done | median)
deck=$(for _ in $(seq "$RUNS"); do "$PROBE" "deck_100k.mnd - Mnemora" "$threshold" "$PROGRAM" "$DECK"; done | median)
echo "start-up, median of $RUNS: no deck $baseline ms, 100,000-card deck $deck ms"
