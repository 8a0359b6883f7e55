// SPDX-License-Identifier: GPL-3.0-or-later
// Text-to-byte conversion for the files the program writes: UTF-8, ASCII runs sixteen at a time.
#ifndef MNEMORA_DECK_TEXTENCODING_H
#define MNEMORA_DECK_TEXTENCODING_H

#include <wx/string.h>

#include <cstddef>

/// What the encoder does with the characters a file cannot carry as they are.
enum class Utf8Rule
{
    /// Card text: ASCII as it is; values that are no Unicode scalar (unpaired surrogates,
    /// values past U+10FFFF) become U+FFFD, so the file is always valid UTF-8.
    Text,
    /// An XML attribute value: & < > " as entities, tab, line feed and carriage return as
    /// character references. Characters XML cannot carry (other control characters, values
    /// that are no Unicode scalar, U+FFFE, U+FFFF) are left out, so the file stays valid XML.
    XmlAttribute
};

/// How far past its returned end EncodeUtf8 may store.
constexpr size_t Utf8Slack = 16;

/// Writes `text` at `out` as UTF-8 under `rule` and returns the new end. `out` needs room for
/// four bytes a character (six in an attribute value: "&quot;") and Utf8Slack more.
char* EncodeUtf8(char* out, const wxString& text, Utf8Rule rule);

#endif
