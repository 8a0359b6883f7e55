// SPDX-License-Identifier: GPL-3.0-or-later
// The open deck and the study-run selection rules: process-wide state shared by every window.
#ifndef MNEMORA_DECK_MNEMORA_H
#define MNEMORA_DECK_MNEMORA_H

#include <wx/filename.h>

#include <cstdint>
#include <vector>

#include "deck/Card.h"

/// The deck, in file order.
extern std::vector<Card> Cards;
/// The cards in play in the current study run (pointers into Cards).
extern std::vector<Card*> ActiveCards;
/// Index into ActiveCards of the card on show; -1 when none.
extern int CurCard;
/// Index that SelectNextCard returned last.
extern int LastSelectedCard;
/// The deck's file; "Untitled" before any file is opened or saved.
extern wxFileName FileName;
/// The deck has unsaved changes.
extern bool Modified;

/// Recomputes the score of every card from the newest ten answers.
void UpdateScores();
/// Replaces the deck with imported cards (taking them from `cards`): their pictures are
/// loaded, and the deck, unsaved, is named after `source` with the extension "mnd".
void ReplaceDeck(std::vector<Card>& cards, const wxFileName& source);
/// True when every active card has reached the learned thresholds.
bool AllCardsLearned();
/// Selection weight of a card for the shuffled order.
float CardWeight(const Card& card);
/// Index into ActiveCards of the next card (also stored in LastSelectedCard); -1 when none is
/// active.
int SelectNextCard();
/// Next draw in [0, 1) from the shared generator.
double RandomReal();
/// Next unsigned 31-bit draw from the shared generator.
std::uint32_t RandomInt31();
/// Restarts the shared generator from its reference seed (for tests and benchmarks).
void ResetRandom();

#endif
