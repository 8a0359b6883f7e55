// SPDX-License-Identifier: GPL-3.0-or-later
// Picture and sound names as deck files store them (relative to the deck's folder) and as
// the program keeps them (absolute).
#ifndef MNEMORA_DECK_MEDIAPATH_H
#define MNEMORA_DECK_MEDIAPATH_H

#include <wx/filename.h>
#include <wx/string.h>

/// The absolute folder of a deck file, volume included.
wxString DeckFolder(const wxFileName& deckFile);

/// Turns a stored media name into the absolute name kept in memory: "." and ".." removed,
/// a leading "~" expanded, a relative name taken from `deckFolder`. A name whose file does
/// not exist as written is tried with Windows rules ("pics\four.png" beside the deck); an
/// absolute Windows name ("C:\img\cat.jpg") stays as it is. Empty text gives an empty name.
wxFileName ResolveMediaName(const wxString& stored, const wxString& deckFolder);

/// The text to store for an in-memory media name: relative to `deckFolder` where possible,
/// otherwise the absolute name.
wxString StoredMediaName(const wxFileName& name, const wxString& deckFolder);

/// True for a media name that stays inside the folder it is looked up in: not empty, not "."
/// or "..", and without a separator (either slash) or a NUL.
bool IsPlainMediaName(const wxString& name);

#endif
