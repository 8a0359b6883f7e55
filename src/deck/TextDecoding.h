// SPDX-License-Identifier: GPL-3.0-or-later
// Byte-to-text conversions for deck files: UTF-8 from the XML parser and the 8-bit lines of
// older decks, which are UTF-8 when valid and Windows-1252 otherwise.
#ifndef MNEMORA_DECK_TEXTDECODING_H
#define MNEMORA_DECK_TEXTDECODING_H

#include <wx/string.h>

#include <cstddef>

class wxTextFile;

/// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
/// U+10FFFF).
bool IsValidUtf8(const char* bytes, size_t length);

/// Decodes UTF-8 that is known to be valid (as the XML parser delivers it) into `text`.
/// Malformed bytes still decode safely, each to U+FFFD.
void DecodeUtf8(const char* bytes, size_t length, wxString& text);

/// Decodes Windows-1252 bytes into `text`; every byte maps to one character.
void DecodeWindows1252(const char* bytes, size_t length, wxString& text);

/// Decodes one line of an older deck: as UTF-8 when valid, otherwise as Windows-1252.
wxString DecodeLegacyLine(const char* bytes, size_t length);

/// Splits the bytes of an older deck into lines (ending at CR, LF or CR LF), decodes each with
/// DecodeLegacyLine and appends them to `file`. A leading UTF-8 byte order mark is skipped.
void AddLegacyLines(const char* bytes, size_t length, wxTextFile& file);

#endif
