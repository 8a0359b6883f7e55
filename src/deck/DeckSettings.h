// SPDX-License-Identifier: GPL-3.0-or-later
// The part of the user's preferences that the deck's own code reads.
#ifndef MNEMORA_DECK_DECKSETTINGS_H
#define MNEMORA_DECK_DECKSETTINGS_H

/// Sounds, the drawing order, when a card counts as learned, and the backups kept on saving.
/// The program's options record is one of these.
struct DeckSettings
{
    bool PlaySounds = true;
    bool ShuffleCards = true;
    int MinAnswerCount = 2;
    int MinScore = 80;
    int KeepBackups = 10; ///< Backups kept per deck beside it; 0 keeps none.
};

/// The settings the deck reads: the options record once the program has linked it in, the
/// defaults before.
extern const DeckSettings* CurrentDeckSettings;

#endif
