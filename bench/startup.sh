#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time of the program as a whole process under Xvfb: from launch to its main window
# mapped, with an empty deck and a fresh configuration. Prints the median of many runs beside the
# same measurement for a bare toolkit frame (bench/startup_baseline.cpp), built on the fly.
#   bench/startup.sh [build folder] [runs]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
RUNS=${2:-30}
PROGRAM=$BUILD/src/mnemora
[ -x "$PROGRAM" ] || { echo "no program at $PROGRAM (build first)" >&2; exit 1; }

WORK=$(mktemp -d)
XVFB_PID=
cleanup() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

g++ -O2 "$ROOT/bench/startup_baseline.cpp" $(wx-config --cxxflags --libs core,base) \
    -o "$WORK/baseline"

for n in $(seq 90 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    sleep 0.5
    if kill -0 "$XVFB_PID" 2>/dev/null; then export DISPLAY=":$n"; break; fi
    XVFB_PID=
done
[ -n "$XVFB_PID" ] || { echo "cannot start Xvfb" >&2; exit 1; }

# Milliseconds from launch until a visible window with the given title exists.
time_to_window() { # title, command...
    local title=$1; shift
    rm -rf "$WORK/config" && mkdir -p "$WORK/config"
    local start end pid
    start=$(date +%s%N)
    XDG_CONFIG_HOME=$WORK/config "$@" >"$WORK/output.txt" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "$1 ended before showing its window:" >&2
            cat "$WORK/output.txt" >&2
            exit 1
        fi
        sleep 0.005
    done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    echo $(( (end - start) / 1000000 ))
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One unmeasured run each warms the file cache.
cd "$BUILD"
time_to_window '^Untitled - Mnemora$' "$PROGRAM" >/dev/null
time_to_window '^Baseline - Frame$' "$WORK/baseline" >/dev/null
: >"$WORK/program.txt"; : >"$WORK/baseline.txt"
for _ in $(seq "$RUNS"); do
    time_to_window '^Untitled - Mnemora$' "$PROGRAM" >>"$WORK/program.txt"
    time_to_window '^Baseline - Frame$' "$WORK/baseline" >>"$WORK/baseline.txt"
done
printf 'runs: %d (alternating)\n' "$RUNS"
printf 'mnemora   median %s ms  (min %s, max %s)\n' "$(median <"$WORK/program.txt")" \
    "$(sort -n "$WORK/program.txt" | head -1)" "$(sort -n "$WORK/program.txt" | tail -1)"
printf 'baseline  median %s ms  (min %s, max %s)\n' "$(median <"$WORK/baseline.txt")" \
    "$(sort -n "$WORK/baseline.txt" | head -1)" "$(sort -n "$WORK/baseline.txt" | tail -1)"
