#!/usr/bin/env bash
# Makes the screenshots in docs/screenshots: the real program on the sample deck under its own
# virtual display, driven with the keyboard as a user would, each window captured on its own.
#   tools/screenshots.sh [build folder]     (default: build; the program must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=$(cd "${1:-build}" && pwd)
# -noreset: the display stays usable between one program ending and the next starting.
if [ -z "${MNEMORA_SCREENSHOT_DISPLAY:-}" ]; then
    exec env MNEMORA_SCREENSHOT_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$BUILD"
fi

PROGRAM=$BUILD/src/mnemora
OUT=$ROOT/docs/screenshots
WORK=$(mktemp -d)
PID=
stop_program() { if [ -n "$PID" ]; then kill "$PID" 2>/dev/null || true; wait "$PID" 2>/dev/null || true; PID=; fi; }
trap 'stop_program; rm -rf "$WORK"' EXIT
mkdir -p "$OUT"
# The sample deck is copied, so that answering cards changes nothing in the sources.
cp -r "$ROOT/resources/sample" "$WORK/deck"
export LC_ALL=C.UTF-8 XDG_CONFIG_HOME=$WORK/config
unset LANGUAGE

# A window of the running program whose title matches $1, waited for; prints its id.
window() {
    timeout 20 xdotool search --all --sync --onlyvisible --pid "$PID" --name "$1" | head -n 1 \
        || { echo "screenshots: no window titled $1 appeared" >&2; exit 1; }
}
# Lets the program finish drawing after a key: its windows have no other sign of being done.
settle() { sleep "${1:-0.6}"; }
keys() { xdotool key --clearmodifiers "$@"; settle; }
shoot() { # window id, file name
    settle
    import -window "$1" "$WORK/shot.png"
    convert "$WORK/shot.png" -strip "$OUT/$2.png"
    echo "docs/screenshots/$2.png"
}
# Starts the program on the deck in a study mode (0 learn, 2 quiz), silent and with the timer,
# in English from the C locale; MAIN is its main window, placed at the screen's corner.
start() {
    stop_program
    rm -rf "$XDG_CONFIG_HOME" && mkdir -p "$XDG_CONFIG_HOME"
    printf 'StudyMode=%s\nPlaySounds=0\nShowTimer=1\n' "$1" >"$XDG_CONFIG_HOME/Mnemora.conf"
    (cd "$WORK" && exec "$PROGRAM" "$WORK/deck/capitals.mnd") &
    PID=$!
    MAIN=$(window '^capitals\.mnd\*? - Mnemora$')
    xdotool windowsize --sync "$MAIN" 800 600 windowmove --sync "$MAIN" 0 0 windowfocus --sync "$MAIN"
    settle 1
}
# From the card list (focus in the list): Tab past New Card to Study and press it.
study() { keys Tab Tab space; }
# Clicks the last button of the bottom row, at the window's lower right corner.
last_button() {
    local WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$MAIN" | grep -E '^(WIDTH|HEIGHT)=')"
    xdotool mousemove --window "$MAIN" $((WIDTH - 30)) $((HEIGHT - 20)) click 1
    settle
}

start 0
shoot "$MAIN" card-list
study
shoot "$MAIN" learn
last_button
shoot "$MAIN" study-question
keys space
shoot "$MAIN" study-answer

start 2
study
# Answer the whole quiz: Show Answer, then Correct, with every third card wrong.
for ((card = 1; card <= 200; card++)); do
    xdotool key space
    settle 0.2
    if ((card % 3 == 0)); then xdotool key Tab space; else xdotool key space; fi
    settle 0.2
    if [ -n "$(xdotool search --all --onlyvisible --pid "$PID" --name '^Quiz Results$')" ]; then
        break
    fi
done
RESULTS=$(window '^Quiz Results$')
shoot "$RESULTS" quiz-results
keys Escape

start 0
# The card editor on the second card: select it in the list and open it.
keys Down Return
shoot "$MAIN" card-editor
stop_program

# A step whose key did not arrive leaves the window as it was: say so.
previous=
for png in card-list learn study-question study-answer card-editor; do
    sum=$(md5sum <"$OUT/$png.png")
    [ "$sum" != "$previous" ] || echo "screenshots: $png.png looks like the one before it" >&2
    previous=$sum
done

# The back page of the alignment sheet, whole and one ruler close up, from the PDF export that
# the print tests write (the test program must be built).
MNEMORA_KEEP_ALIGNMENT_PDF=$WORK/alignment.pdf MNEMORA_SOURCE_DIR=$ROOT \
    "$BUILD/tests/test_print" --gtest_filter='DoubleSidedTest.AlignmentSheet*' >/dev/null
pdftoppm -r 50 -f 2 -l 2 -singlefile -png "$WORK/alignment.pdf" "$WORK/page"
pdftoppm -r 600 -f 2 -l 2 -x 1230 -y 850 -W 420 -H 400 -singlefile -png "$WORK/alignment.pdf" \
    "$WORK/ruler"
convert "$WORK/page.png" -bordercolor '#888' -border 1 -size 20x1 xc:white "$WORK/ruler.png" \
    -background white -gravity center +append -strip "$OUT/alignment-sheet.png"
echo docs/screenshots/alignment-sheet.png
