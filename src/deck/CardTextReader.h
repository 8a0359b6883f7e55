// SPDX-License-Identifier: GPL-3.0-or-later
// Reading card text files: the two columns of a spreadsheet's CSV, tab-separated or "Unicode
// text" export, and of Anki's plain-text export with its header lines and HTML fields.
#ifndef MNEMORA_DECK_CARDTEXTREADER_H
#define MNEMORA_DECK_CARDTEXTREADER_H

#include <wx/string.h>

#include <cstddef>
#include <vector>

#include "deck/Card.h"

/// What a card text file is read with besides its bytes.
struct CardTextSettings
{
    wxChar Delimiter = '\t';      ///< The file's delimiter unless a "#separator" line sets one.
    bool IgnoreHeaderRow = false; ///< Skip the first row after any "#" header lines.
    wxString MediaFolder;         ///< Where pictures and sounds of HTML fields lie; empty for none.
};

/// Why a card text file was not read.
enum class CardTextProblem
{
    None,
    NotText,          ///< Bytes holding a NUL character, which no text file does.
    Utf16WithoutMark, ///< UTF-16 text without a byte order mark: its byte order is unknown.
    Utf16OddLength,   ///< UTF-16 text that ends inside a character.
    EmptySeparator,   ///< A "#separator:" line without a value.
    UnknownSeparator  ///< A "#separator:" line with a value that is no separator.
};

/// The outcome of reading a card text file.
struct CardTextResult
{
    CardTextProblem Problem = CardTextProblem::None;
    bool UnclosedQuote = false; ///< The last field's quote never closed; it ran to the end.
};

/// Reads the cards of a card text file held in memory and appends them to `cards`.
/// The text is UTF-16 after its byte order mark, otherwise UTF-8 (a byte order mark skipped)
/// when the whole file is valid UTF-8, and Windows-1252 when not. Lines end at LF, CR LF or CR.
/// Leading lines "#key:value" are settings (separator, html, columns, and the notetype, deck,
/// tags and guid columns, which are skipped). A field that starts with a double quote runs to
/// its closing quote, "" standing for one quote; others are taken as they stand. Without
/// header lines a tab delimiter joins runs of tabs and skips leading ones, as before. The first
/// two columns are the question and the answer; a row with neither gives no card. On a problem
/// nothing is added.
CardTextResult ReadCardText(const char* bytes, size_t size, const CardTextSettings& settings,
                            std::vector<Card>& cards);

#endif
