#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CI: builds the fuzz targets with clang in build-fuzz and runs each for 60 seconds on its seed
# corpus (MNEMORA_FUZZ_SECONDS changes the time): the deck-file readers, the card text files of
# Import and Export, then Anki packages, whose seed packages are built first. New inputs go to
# build-fuzz/corpus, build-fuzz/corpus-text and build-fuzz/corpus-apkg.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=$ROOT/build-fuzz

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMNEMORA_FUZZ=ON -DMNEMORA_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target fuzz_deck fuzz_card_text fuzz_anki_package \
    make_package_seeds
mkdir -p "$BUILD/corpus" "$BUILD/corpus-text" "$BUILD/corpus-apkg" "$BUILD/seeds-apkg"
echo "== Fuzzing the deck readers for ${MNEMORA_FUZZ_SECONDS:-60} seconds"
"$BUILD/fuzz/fuzz_deck" -max_total_time="${MNEMORA_FUZZ_SECONDS:-60}" -timeout=20 \
    -rss_limit_mb=2048 -dict="$ROOT/fuzz/deck.dict" -print_final_stats=1 \
    "$BUILD/corpus" "$ROOT/fuzz/corpus"
echo "== Fuzzing the card text files for ${MNEMORA_FUZZ_SECONDS:-60} seconds"
"$BUILD/fuzz/fuzz_card_text" -max_total_time="${MNEMORA_FUZZ_SECONDS:-60}" -timeout=20 \
    -rss_limit_mb=2048 -dict="$ROOT/fuzz/card_text.dict" -print_final_stats=1 \
    "$BUILD/corpus-text" "$ROOT/fuzz/corpus-text"
echo "== Fuzzing Anki packages for ${MNEMORA_FUZZ_SECONDS:-60} seconds"
"$BUILD/fuzz/make_package_seeds" "$BUILD/seeds-apkg"
"$BUILD/fuzz/fuzz_anki_package" -max_total_time="${MNEMORA_FUZZ_SECONDS:-60}" -timeout=20 \
    -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
    "$BUILD/corpus-apkg" "$BUILD/seeds-apkg"
