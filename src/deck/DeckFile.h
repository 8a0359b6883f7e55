// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing deck files: the XML format and the three older line formats.
#ifndef MNEMORA_DECK_DECKFILE_H
#define MNEMORA_DECK_DECKFILE_H

#include <wx/string.h>

#include <functional>

class wxTextFile;

/// How a load ended, for callers that must not overwrite an unreadable file.
enum class LoadResult
{
    Loaded,       ///< The file was read (its cards, if any, were appended).
    LegacyLoaded, ///< An older-format file was read and the older-version notice shown.
    Missing,      ///< No file of that name exists; nothing was added.
    Unreadable,   ///< The file exists but could not be opened or parsed; nothing was added.
    WrongVersion  ///< An XML deck of another version; the version message was shown.
};

/// Reads the file named by FileName, appends its cards to Cards and recomputes the scores.
LoadResult LoadDeck();
/// Reads the deck file at `path` as LoadDeck reads FileName's: media names resolve against
/// FileName's folder (a backup read back into the deck it was kept for).
LoadResult LoadDeckFrom(const wxString& path);
/// Writes Cards to FileName in the XML format; clears Modified only when the write succeeded.
bool SaveDeck();
/// The XML branch of LoadDeck.
LoadResult ReadXmlDeck();
/// The older-format branch of LoadDeck; the file is already open.
LoadResult ReadLegacyDeck(wxTextFile& file);
/// The writing step of SaveDeck; false when the file on disk was left unchanged.
bool WriteXmlDeck();

/// Shows a deck message (the version message, the older-version notice) to the user.
/// The windowed program installs a message box; without one the text goes to the log.
using DeckMessageHandler = std::function<void(const wxString& message)>;
/// Replaces the handler of deck messages; returns the previous one.
DeckMessageHandler SetDeckMessageHandler(DeckMessageHandler handler);

#endif
