// SPDX-License-Identifier: GPL-3.0-or-later
// Exchanging two cards without copying their texts.
#ifndef MNEMORA_EDIT_CARDSWAP_H
#define MNEMORA_EDIT_CARDSWAP_H

struct Card;

/// Exchanges the contents of two cards. The toolkit's strings cannot be moved, so a plain swap
/// copies every text three times; this swaps them in place.
void SwapCards(Card& a, Card& b);

#endif
