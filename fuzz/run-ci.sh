#!/usr/bin/env bash
# CI: builds the deck-file fuzz target with clang in build-fuzz and runs it for 60 seconds on
# the seed corpus (MNEMORA_FUZZ_SECONDS changes the time). New inputs go to build-fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=$ROOT/build-fuzz

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMNEMORA_FUZZ=ON -DMNEMORA_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target fuzz_deck
mkdir -p "$BUILD/corpus"
echo "== Fuzzing the deck readers for ${MNEMORA_FUZZ_SECONDS:-60} seconds"
"$BUILD/fuzz/fuzz_deck" -max_total_time="${MNEMORA_FUZZ_SECONDS:-60}" -timeout=20 \
    -rss_limit_mb=2048 -dict="$ROOT/fuzz/deck.dict" -print_final_stats=1 \
    "$BUILD/corpus" "$ROOT/fuzz/corpus"
