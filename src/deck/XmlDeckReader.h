// SPDX-License-Identifier: GPL-3.0-or-later
// Streams a deck file in the XML format through expat and builds its cards.
#ifndef MNEMORA_DECK_XMLDECKREADER_H
#define MNEMORA_DECK_XMLDECKREADER_H

#include <wx/filename.h>
#include <wx/string.h>

#include <functional>
#include <vector>

#include "deck/Card.h"

/// Reads the XML deck format: every element child of the root becomes one card, whatever its
/// name; comments, text, processing instructions and deeper elements are skipped. Attribute
/// values arrive as XML defines them (entities and character references replaced, literal
/// line breaks and tabs turned into blanks).
class XmlDeckReader
{
public:
    /// How a parse ended.
    enum class Outcome
    {
        Read,          ///< Well-formed, Version 1: the cards were built.
        NotWellFormed, ///< The parser rejected the document; see GetError.
        WrongVersion,  ///< Well-formed, but the root's Version is not 1: no cards.
        ReadFailed,    ///< The file could not be read (the toolkit reported why).
        OutOfMemory    ///< The deck does not fit into memory: no cards.
    };

    /// Turns a stored, non-empty media name into the name kept in memory.
    using MediaResolver = std::function<wxFileName(const wxString& stored)>;

    /// Media names go through `resolver`.
    explicit XmlDeckReader(MediaResolver resolver);

    /// Parses the file at `path`; on Read the cards are appended to `cards`, otherwise
    /// `cards` is left as it was.
    Outcome ReadFile(const wxString& path, std::vector<Card>& cards);

    /// Indices into the cards of the last Read outcome that name a picture.
    const std::vector<size_t>& GetCardsWithPictures() const { return m_withPictures; }
    /// The parser's message for the last NotWellFormed outcome (untranslated, from expat).
    const wxString& GetError() const { return m_error; }
    /// The line the parser stopped on for the last NotWellFormed outcome.
    int GetErrorLine() const { return m_errorLine; }

    /// Reads a Version text as a decimal integer: leading blanks skipped, an optional sign,
    /// digits up to the first non-digit; no number gives 0. Saturates instead of overflowing.
    static long ParseVersion(const char* text);
    /// Counts the start tags ("<" not followed by "!", "?" or "/") in a chunk; `afterLess`
    /// carries a "<" at the end of one chunk over to the next.
    static size_t CountStartTags(const char* data, size_t size, bool& afterLess);

private:
    struct Parse;
    /// Hands the cards of a finished parse over to `cards`.
    Outcome Finish(Parse& parse, std::vector<Card>& loaded, std::vector<Card>& cards);

    MediaResolver m_resolver;
    std::vector<size_t> m_withPictures;
    wxString m_error;
    int m_errorLine = 0;
};

#endif
