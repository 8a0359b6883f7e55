// SPDX-License-Identifier: GPL-3.0-or-later
// The XML deck format, encoded straight into a block buffer that goes to the sink when full.
#include "deck/XmlDeckWriter.h"

#include <cstring>

#include "deck/MediaPath.h"
#include "deck/TextEncoding.h"

namespace
{
const size_t BlockSize = 1 << 20;
const size_t MaxBytesPerChar = 6; // "&quot;"
} // namespace

XmlDeckWriter::XmlDeckWriter(const wxString& deckFolder, Sink sink)
    : m_folder(deckFolder), m_sink(std::move(sink))
{
}

char* XmlDeckWriter::Room(size_t bytes)
{
    if (m_used + bytes > m_capacity)
    {
        if (m_used >= BlockSize / 2)
            Flush();
        if (m_used + bytes > m_capacity)
        {
            const size_t capacity = m_used + bytes > BlockSize ? m_used + bytes : BlockSize;
            std::unique_ptr<char[]> data(new char[capacity]);
            if (m_used > 0)
                std::memcpy(data.get(), m_data.get(), m_used);
            m_data = std::move(data);
            m_capacity = capacity;
        }
    }
    return m_data.get() + m_used;
}

void XmlDeckWriter::Append(const char* text)
{
    const size_t length = std::strlen(text);
    std::memcpy(Room(length), text, length);
    m_used += length;
}

void XmlDeckWriter::Attribute(const char* name, const wxString& value)
{
    const size_t nameLength = std::strlen(name);
    char* out = Room(nameLength + 4 + value.length() * MaxBytesPerChar + Utf8Slack);
    *out++ = ' ';
    std::memcpy(out, name, nameLength);
    out += nameLength;
    *out++ = '=';
    *out++ = '"';
    out = EncodeUtf8(out, value, Utf8Rule::XmlAttribute);
    *out++ = '"';
    m_used = out - m_data.get();
}

bool XmlDeckWriter::Flush()
{
    if (m_used > 0 && !m_failed)
        m_failed = !m_sink(m_data.get(), m_used);
    m_used = 0;
    return !m_failed;
}

bool XmlDeckWriter::Write(const std::vector<Card>& cards)
{
    m_used = 0;
    m_failed = false;
    Append("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\"");
    if (cards.empty())
    {
        Append("/>\n");
        return Flush();
    }
    Append(">\n");
    for (const Card& card : cards)
    {
        Append("  <Card");
        Attribute("Question", card.Question);
        Attribute("Answer", card.Answer);
        Attribute("History", card.History);
        const std::pair<const char*, const MediaFile*> media[] = {
            {"QuestionPicture", &card.QuestionPicture},
            {"AnswerPicture", &card.AnswerPicture},
            {"QuestionSound", &card.QuestionSound},
            {"AnswerSound", &card.AnswerSound}};
        for (const auto& [name, file] : media)
        {
            if (file->IsOk() && !file->GetFullPath().empty())
                Attribute(name, StoredMediaName(*file, m_folder));
        }
        Append("/>\n");
        if (m_failed)
            return false;
    }
    Append("</Mnemoras>\n");
    return Flush();
}
