// SPDX-License-Identifier: GPL-3.0-or-later
// Byte-to-text conversions for deck files.
#include "deck/TextDecoding.h"

#include <wx/textfile.h>

#include <vector>

#include "deck/Sse2.h"

namespace
{
// Windows-1252 bytes 0x80-0x9F; the five unassigned ones keep their own value, as Windows does.
const wchar_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Length of the UTF-8 sequence starting at `p` (at most `left` bytes), or 0 when malformed.
// `code` receives the decoded value.
size_t Utf8Sequence(const unsigned char* p, size_t left, wchar_t& code)
{
    const unsigned char lead = p[0];
    size_t length;
    unsigned long value;
    unsigned long minimum;
    if (lead < 0x80)
    {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF)
    {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    }
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    }
    else
        return 0;
    if (left < length)
        return 0;
    for (size_t i = 1; i < length; ++i)
    {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (p[i] & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    code = static_cast<wchar_t>(value);
    return length;
}

std::vector<wchar_t>& Scratch(size_t size)
{
    thread_local std::vector<wchar_t> scratch;
    if (scratch.size() < size)
        scratch.resize(size);
    return scratch;
}
} // namespace

bool IsValidUtf8(const char* bytes, size_t length)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    size_t i = 0;
    while (i < length)
    {
        if (p[i] < 0x80)
        {
            ++i;
            continue;
        }
        wchar_t code;
        const size_t step = Utf8Sequence(p + i, length - i, code);
        if (step == 0)
            return false;
        i += step;
    }
    return true;
}

void DecodeUtf8(const char* bytes, size_t length, wxString& text)
{
    if (length == 0)
    {
        text.clear();
        return;
    }
    std::vector<wchar_t>& out = Scratch(length);
    wchar_t* wide = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    size_t count = 0;
    size_t i = 0;
    while (i < length)
    {
#if MNEMORA_SSE2
        // Most deck text is ASCII: widen it sixteen bytes at a time.
        if (length - i >= 16)
        {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            if (_mm_movemask_epi8(block) == 0)
            {
                const __m128i zero = _mm_setzero_si128();
                const __m128i low = _mm_unpacklo_epi8(block, zero);
                const __m128i high = _mm_unpackhi_epi8(block, zero);
                auto* to = reinterpret_cast<__m128i*>(wide + count);
                _mm_storeu_si128(to, _mm_unpacklo_epi16(low, zero));
                _mm_storeu_si128(to + 1, _mm_unpackhi_epi16(low, zero));
                _mm_storeu_si128(to + 2, _mm_unpacklo_epi16(high, zero));
                _mm_storeu_si128(to + 3, _mm_unpackhi_epi16(high, zero));
                count += 16;
                i += 16;
                continue;
            }
        }
#endif
        if (p[i] < 0x80)
        {
            wide[count++] = p[i++];
            continue;
        }
        wchar_t code;
        const size_t step = Utf8Sequence(p + i, length - i, code);
        wide[count++] = step == 0 ? wchar_t(0xFFFD) : code;
        i += step == 0 ? 1 : step;
    }
    text.assign(out.data(), count);
}

wxString DecodeLegacyLine(const char* bytes, size_t length)
{
    wxString text;
    if (IsValidUtf8(bytes, length))
    {
        DecodeUtf8(bytes, length, text);
        return text;
    }
    DecodeWindows1252(bytes, length, text);
    return text;
}

void DecodeWindows1252(const char* bytes, size_t length, wxString& text)
{
    if (length == 0)
    {
        text.clear();
        return;
    }
    std::vector<wchar_t>& out = Scratch(length);
    for (size_t i = 0; i < length; ++i)
    {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : wchar_t(byte);
    }
    text.assign(out.data(), length);
}

void AddLegacyLines(const char* bytes, size_t length, wxTextFile& file)
{
    size_t start = 0;
    if (length >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF')
        start = 3;
    size_t i = start;
    while (i < length)
    {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
        {
            ++i;
            continue;
        }
        file.AddLine(DecodeLegacyLine(bytes + start, i - start));
        i += c == '\r' && i + 1 < length && bytes[i + 1] == '\n' ? 2 : 1;
        start = i;
    }
    if (start < length)
        file.AddLine(DecodeLegacyLine(bytes + start, length - start));
}
