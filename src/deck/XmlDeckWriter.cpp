// The XML deck format, written directly into a byte buffer.
#include "deck/XmlDeckWriter.h"

#include "deck/MediaPath.h"

namespace
{
const size_t BlockSize = 1 << 20;

// For ASCII: 0 = copy, 1 = leave out, otherwise the escape text.
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

void XmlDeckWriter::AppendAttributeValue(std::string& out, const wxString& text)
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
                out.push_back(static_cast<char>(c));
            else
                out.append(escape);
        }
        else if (c < 0x800)
        {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
        else if (c < 0x10000)
        {
            if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF)
                continue;
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
        else if (c <= 0x10FFFF)
        {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
}

void XmlDeckWriter::Attribute(const char* name, const wxString& value)
{
    m_buffer.push_back(' ');
    m_buffer.append(name);
    m_buffer.append("=\"");
    AppendAttributeValue(m_buffer, value);
    m_buffer.push_back('"');
}

bool XmlDeckWriter::Flush()
{
    const bool ok = m_buffer.empty() || m_sink(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return ok;
}

bool XmlDeckWriter::Write(const std::vector<Card>& cards)
{
    m_buffer.clear();
    m_buffer.reserve(BlockSize + 64 * 1024);
    m_buffer.append("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\"");
    if (cards.empty())
    {
        m_buffer.append("/>\n");
        return Flush();
    }
    m_buffer.append(">\n");
    for (const Card& card : cards)
    {
        m_buffer.append("  <Card");
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
        m_buffer.append("/>\n");
        if (m_buffer.size() >= BlockSize && !Flush())
            return false;
    }
    m_buffer.append("</Mnemoras>\n");
    return Flush();
}
