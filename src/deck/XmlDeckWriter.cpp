// SPDX-License-Identifier: GPL-3.0-or-later
// The XML deck format, encoded straight into a block buffer that goes to the sink when full.
#include "deck/XmlDeckWriter.h"

#include <cstring>
#include <cwchar>

#if defined(__SSE2__) && WCHAR_MAX > 0xFFFF
#include <emmintrin.h>
#define MNEMORA_NARROW_SSE2 1
#else
#define MNEMORA_NARROW_SSE2 0
#endif

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
#if MNEMORA_NARROW_SSE2
    const __m128i belowPlain = _mm_set1_epi32(0x1F);
    const __m128i abovePlain = _mm_set1_epi32(0x7F);
    const __m128i amp = _mm_set1_epi32('&');
    const __m128i less = _mm_set1_epi32('<');
    const __m128i greater = _mm_set1_epi32('>');
    const __m128i quote = _mm_set1_epi32('"');
    // True when all four characters are printable ASCII that needs no escape.
    auto plain = [&](__m128i c)
    {
        const __m128i inRange =
            _mm_and_si128(_mm_cmpgt_epi32(c, belowPlain), _mm_cmplt_epi32(c, abovePlain));
        const __m128i special =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi32(c, amp), _mm_cmpeq_epi32(c, less)),
                         _mm_or_si128(_mm_cmpeq_epi32(c, greater), _mm_cmpeq_epi32(c, quote)));
        return _mm_movemask_epi8(_mm_andnot_si128(special, inRange)) == 0xFFFF;
    };
#endif
    for (; p < end; ++p)
    {
#if MNEMORA_NARROW_SSE2
        // Runs of plain ASCII go eight characters at a time.
        while (end - p >= 8)
        {
            const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4));
            if (!plain(first) || !plain(second))
                break;
            const __m128i words = _mm_packs_epi32(first, second);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words, words));
            out += 8;
            p += 8;
        }
        if (p == end)
            break;
#endif
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
