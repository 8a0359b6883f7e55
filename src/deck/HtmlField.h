// SPDX-License-Identifier: GPL-3.0-or-later
// Note fields written as HTML (Anki's text exports and packages) turned into card sides: the
// card markup for bold, italic and underline, line breaks, plain characters, and the first
// picture and sound named in the field.
#ifndef MNEMORA_DECK_HTMLFIELD_H
#define MNEMORA_DECK_HTMLFIELD_H

#include <wx/string.h>

#include <functional>

/// A card side made from an HTML field.
struct HtmlSide
{
    wxString Text;    ///< The field's text with the card markup.
    wxString Picture; ///< The `src` of the first `<img>` whose file exists, as written; or empty.
    wxString Sound;   ///< The name in the first `[sound:...]` whose file exists; or empty.
};

/// Converts one HTML field. `<b>`/`<strong>` become "**", `<i>`/`<em>` "//", `<u>` "__";
/// `<br>`, `</div>` and `</p>` end a line; entities are decoded; other tags are dropped with
/// their text kept; cloze markup keeps its text. `exists` tells whether a media name is
/// available; the first available picture and sound are taken out of the text.
HtmlSide ConvertHtmlField(const wxString& html, const std::function<bool(const wxString&)>& exists);

/// Decodes one character entity at `text[pos]` ('&'); on success sets `c` and the length taken.
bool DecodeHtmlEntity(const wxString& text, size_t pos, wxUniChar& c, size_t& length);

#endif
