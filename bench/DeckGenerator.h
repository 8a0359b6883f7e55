// SPDX-License-Identifier: GPL-3.0-or-later
// A deterministic, realistic deck for the speed measurements.
#ifndef MNEMORA_BENCH_DECKGENERATOR_H
#define MNEMORA_BENCH_DECKGENERATOR_H

#include <wx/string.h>

#include <vector>

#include "deck/Card.h"

/// Builds `count` cards from a fixed seed: questions and answers of 20 to 120 characters with
/// some markup, line breaks and non-ASCII letters, histories of 0 to 40 answers. Every call
/// with the same count gives the same cards.
std::vector<Card> GenerateCards(int count);

/// Writes `count` generated cards as a deck file at `path`; false when the write failed.
bool WriteGeneratedDeck(const wxString& path, int count);

#endif
