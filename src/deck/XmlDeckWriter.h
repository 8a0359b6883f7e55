// SPDX-License-Identifier: GPL-3.0-or-later
// Writes cards in the XML deck format, escaping every value so that it reads back unchanged.
#ifndef MNEMORA_DECK_XMLDECKWRITER_H
#define MNEMORA_DECK_XMLDECKWRITER_H

#include <wx/string.h>

#include <functional>
#include <memory>
#include <vector>

#include "deck/Card.h"

/// Produces the UTF-8 bytes of a deck file: the declaration line, the root `Mnemoras` with
/// `Version` "1", and one `Card` element per card with Question, Answer, History and then the
/// media names that are set, each relative to the deck's folder. Bytes go to a sink in blocks.
class XmlDeckWriter
{
public:
    /// Receives the next block of bytes; returns false to stop the write.
    using Sink = std::function<bool(const char* data, size_t size)>;

    /// Media names are written relative to `deckFolder`.
    XmlDeckWriter(const wxString& deckFolder, Sink sink);

    /// Writes the whole deck; false when the sink refused a block.
    bool Write(const std::vector<Card>& cards);

private:
    char* Room(size_t bytes);
    void Append(const char* text);
    void Attribute(const char* name, const wxString& value);
    bool Flush();

    wxString m_folder;
    Sink m_sink;
    std::unique_ptr<char[]> m_data;
    size_t m_used = 0;
    size_t m_capacity = 0;
    bool m_failed = false;
};

#endif
