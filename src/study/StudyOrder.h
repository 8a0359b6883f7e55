// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which a study run shows its cards: drawing without near repeats and the quiz
// shuffle.
#ifndef MNEMORA_STUDY_STUDYORDER_H
#define MNEMORA_STUDY_STUDYORDER_H

#include <vector>

struct Card;
class CardWeightCache;

/// Draws the next ActiveCards index as SelectNextCard does, drawing again while the result
/// repeats the card just shown (3 or more active cards) or the one before it (4 or more).
int SelectCardWithoutRepeat(CardWeightCache& weights, int previousCard, int cardBeforePrevious);

/// Shuffles cards by repeated draw-and-remove: each step takes the card at RandomInt31() modulo
/// the number of cards left, keeping the rest in order.
void ShuffleByDrawAndRemove(std::vector<Card*>& cards);

#endif
