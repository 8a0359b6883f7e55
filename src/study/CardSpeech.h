// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says for a card: its texts without markup, and its pictures and sounds.
#ifndef MNEMORA_STUDY_CARDSPEECH_H
#define MNEMORA_STUDY_CARDSPEECH_H

#include <wx/string.h>

struct Card;

/// One side of the card as spoken: its text without markup (line breaks kept), then "picture"
/// and "sound" where the side has them, separated by line breaks.
wxString SpokenSide(const Card& card, bool answerSide);

/// The card as a card display shows it: the upper side (the answer when swapped), then the
/// lower side once the answer shows. Empty without a card.
wxString SpokenCard(const Card* card, bool answerShown, bool swapped);

/// The same with each side headed by its name, "Question: ..." and "Answer: ...".
wxString SpokenCardWithHeadings(const Card* card, bool answerShown, bool swapped);

#endif
