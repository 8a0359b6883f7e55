// SPDX-License-Identifier: GPL-3.0-or-later
// Card text files: two columns (question, answer) separated by a tab or a comma, one card a
// line, as a spreadsheet saves them. Read by Import, written by Export.
#ifndef MNEMORA_DECK_CARDTEXT_H
#define MNEMORA_DECK_CARDTEXT_H

#include <wx/string.h>

#include <cstddef>
#include <string>
#include <vector>

#include "deck/Card.h"

/// The delimiter Import uses for `path`: a comma for the extension "csv" in any case, else a tab.
wxChar ImportDelimiter(const wxString& path);

/// Reads the cards of a card text file held in memory and appends them to `cards`, as
/// ReadCardText does with no media folder. Returns false, adding nothing, for a file it cannot
/// read (see CardTextProblem).
bool ParseCardText(const char* bytes, size_t size, wxChar delimiter, bool ignoreHeaderRow,
                   std::vector<Card>& cards);

/// The bytes of a card text file: per card the question, the delimiter, the answer and the
/// platform line end, in UTF-8 without a byte order mark. A text that would not read back as
/// it stands (holding the delimiter or a line break, or starting with a quote) is written in
/// double quotes with its quotes doubled; every other text is written unchanged.
std::string FormatCardText(const std::vector<Card>& cards, wxChar delimiter);

/// Replaces Cards with the cards of the text file at `path` (delimiter from its extension,
/// pictures and sounds of HTML fields from its folder),
/// recomputes the scores, names the deck after the file with the extension "mnd" and marks it
/// modified. The whole file is read before anything changes: on a file that cannot be read or
/// is no text file it returns false with the deck exactly as it was (the reason goes to the log).
bool ImportTextFile(const wxString& path, bool ignoreHeaderRow);

/// Writes every card of Cards to `path` as a card text file, replacing the file as a whole.
/// False when it could not be written (the reason goes to the log); the file is then as it was.
/// Neither the deck nor its Modified flag change.
bool ExportTextFile(const wxString& path, wxChar delimiter);

#endif
