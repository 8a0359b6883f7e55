// SPDX-License-Identifier: GPL-3.0-or-later
// Anki deck packages (.apkg): a zip archive holding an SQLite collection of notes and the
// media files, read into cards with their pictures and sounds.
#ifndef MNEMORA_DECK_ANKIPACKAGE_H
#define MNEMORA_DECK_ANKIPACKAGE_H

#include <wx/string.h>

#include <vector>

#include "deck/Card.h"

/// Reads the notes of the package at `path` into `cards`, one card a note in the order the
/// notes were created: the first field is the question and the second the answer, both
/// converted from HTML. The newest collection is read (collection.anki21b, unpacked with zstd,
/// else collection.anki21, else collection.anki2), from a temporary copy that is never written.
/// The pictures and sounds the cards use are written into `mediaFolder`, which is made when
/// needed; a file there of the same name and other content is kept and the new one takes a
/// free name. False with `problem` set, and no file left behind, when the package cannot be read.
bool ReadAnkiPackage(const wxString& path, const wxString& mediaFolder, std::vector<Card>& cards,
                     wxString& problem);

/// Replaces Cards with the cards of the package at `path`, its media written into the folder
/// "<package name> media" beside it; recomputes the scores, names the deck after the package
/// with the extension "mnd" and marks it modified. The whole package is read before anything
/// changes: on failure it returns false with the deck exactly as it was (the reason goes to
/// the log).
bool ImportAnkiPackage(const wxString& path);

#endif
