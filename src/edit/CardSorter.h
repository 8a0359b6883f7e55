// SPDX-License-Identifier: GPL-3.0-or-later
// Orders the deck by one column of the card list.
#ifndef MNEMORA_EDIT_CARDSORTER_H
#define MNEMORA_EDIT_CARDSORTER_H

#include <vector>

#include "deck/Card.h"

/// Comparison object for sorting cards by a card list column, ascending.
class CardSorter
{
public:
    /// column: 0 question text, 1 answer text, 2 score.
    explicit CardSorter(int column) : Column(column) {}

    /// True when card a comes before card b. Texts compare case-sensitively by code point.
    bool operator()(const Card& a, const Card& b) const;

    /// Sorts cards in place by this column. Cards with equal keys keep no particular order.
    void Sort(std::vector<Card>& cards) const;

    int Column; ///< 0, 1 or 2.
};

#endif
