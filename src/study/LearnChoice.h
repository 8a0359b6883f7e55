// SPDX-License-Identifier: GPL-3.0-or-later
// The choice behind the learn panel: the weakest cards not yet in play and the count typed in.
#ifndef MNEMORA_STUDY_LEARNCHOICE_H
#define MNEMORA_STUDY_LEARNCHOICE_H

#include <wx/string.h>

#include <vector>

struct Card;

/// The count of weakest cards of cards that are not in active, ordered from the lowest score up;
/// among equal scores the card that comes first in the deck comes first. Fewer when fewer remain.
std::vector<Card*> WeakestCardsNotInPlay(std::vector<Card>& cards, const std::vector<Card*>& active,
                                         int count);

/// The leading decimal number of text (blanks and a sign allowed before the digits); 0 when the
/// text does not start with a number, the nearest int when the number is out of range.
int LeadingNumber(const wxString& text);

/// count limited to 1..remaining; 0 when nothing remains.
int ClampCount(int count, int remaining);

#endif
