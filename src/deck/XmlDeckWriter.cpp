// The XML deck format, encoded straight into a block buffer that goes to the sink when full.
#include "deck/XmlDeckWriter.h"

#include <cstring>

#include "deck/MediaPath.h"

namespace
{
const size_t BlockSize = 1 << 20;

// For ASCII: nullptr = copy as it is, "" = leave out, otherwise the escape text.
const char* AsciiEscape(unsigned c)
{
    switch (c)
    {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\t':
        return "&#x9;";
    case '\n':
        return "&#xA;";
    case '\r':
        return "&#xD;";
    default:
        return c < 0x20 ? "" : nullptr;
    }
}

struct EscapeTable
{
    const char* entry[128];
    EscapeTable()
    {
        for (unsigned c = 0; c < 128; ++c)
            entry[c] = AsciiEscape(c);
    }
};
} // namespace

XmlDeckWriter::XmlDeckWriter(const wxString& deckFolder, Sink sink)
    : m_folder(deckFolder), m_sink(std::move(sink))
{
}

char* XmlDeckWriter::EncodeAttributeValue(char* out, const wxString& text)
{
    static const EscapeTable table;
    const wchar_t* p = text.wc_str();
    const wchar_t* end = p + text.length();
    for (; p < end; ++p)
    {
        const auto c = static_cast<unsigned long>(*p);
        if (c < 0x80)
        {
            const char* escape = table.entry[c];
            if (escape == nullptr)
                *out++ = static_cast<char>(c);
            else
                while (*escape != '\0')
                    *out++ = *escape++;
        }
        else if (c < 0x800)
        {
            *out++ = static_cast<char>(0xC0 | (c >> 6));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        }
        else if (c < 0x10000)
        {
            if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF)
                continue;
            *out++ = static_cast<char>(0xE0 | (c >> 12));
            *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        }
        else if (c <= 0x10FFFF)
        {
            *out++ = static_cast<char>(0xF0 | (c >> 18));
            *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
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
    char* out = Room(nameLength + 4 + value.length() * MaxBytesPerChar);
    *out++ = ' ';
    std::memcpy(out, name, nameLength);
    out += nameLength;
    *out++ = '=';
    *out++ = '"';
    out = EncodeAttributeValue(out, value);
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
        const std::pair<const char*, const wxFileName*> media[] = {
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
