// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-8 for card text and deck files: one encoder, each file with its own rule for what it cannot
// carry. Runs of ASCII are narrowed sixteen characters at a time.
#include "deck/TextEncoding.h"

#include <cstdint>
#include <cstring>

#include "deck/Sse2.h"

namespace
{
// The bytes of each ASCII character in an attribute value, padded so that eight are always
// stored at once: itself, an escape, or nothing for the control characters XML cannot carry.
struct XmlAsciiTable
{
    char Bytes[128][8] = {};
    unsigned char Length[128] = {};
    constexpr XmlAsciiTable()
    {
        for (unsigned c = 0x20; c < 128; ++c)
        {
            Bytes[c][0] = static_cast<char>(c);
            Length[c] = 1;
        }
        Set('&', "&amp;");
        Set('<', "&lt;");
        Set('>', "&gt;");
        Set('"', "&quot;");
        Set('\t', "&#x9;");
        Set('\n', "&#xA;");
        Set('\r', "&#xD;");
    }
    constexpr void Set(unsigned c, const char* text)
    {
        for (Length[c] = 0; text[Length[c]] != '\0'; ++Length[c])
            Bytes[c][Length[c]] = text[Length[c]];
    }
};
constexpr XmlAsciiTable XmlAscii;

// A character from U+0080 on, without branches: letters of two, three and four bytes mix freely
// in real text, and a mispredicted branch costs more than the arithmetic. Stores four bytes
// (room for them is needed) and returns the end of those that count.
template <Utf8Rule rule> inline char* EncodeWide(char* out, std::uint32_t c)
{
    const bool scalar = c <= 0x10FFFF && c - 0xD800 >= 0x800;
    c = scalar ? c : 0xFFFD;
    const unsigned extra = unsigned(c >= 0x800) + unsigned(c >= 0x10000);
    // The four-byte form, then shortened from the front; the lead byte's marker bits added.
    std::uint32_t bytes = (0x80 | (c >> 18)) | (0x80 | ((c >> 12) & 0x3F)) << 8 |
                          (0x80 | ((c >> 6) & 0x3F)) << 16 | (0x80 | (c & 0x3F)) << 24;
    bytes >>= 8 * (2 - extra);
    bytes |= (0x70u << (2 - extra)) & 0x70;
    std::memcpy(out, &bytes, 4);
    if (rule == Utf8Rule::Text)
        return out + 2 + extra;
    const bool kept = scalar && (c | 1) != 0xFFFF;
    return out + (kept ? 2 + extra : 0);
}

// One character; stores up to eight bytes.
template <Utf8Rule rule> inline char* EncodeChar(char* out, std::uint32_t c)
{
    if (c >= 0x80)
        return EncodeWide<rule>(out, c);
    if (rule == Utf8Rule::Text)
    {
        *out = static_cast<char>(c);
        return out + 1;
    }
    std::memcpy(out, XmlAscii.Bytes[c], 8);
    return out + XmlAscii.Length[c];
}

#if MNEMORA_SSE2
// All ones in each of the four characters that is written as its own byte.
template <Utf8Rule rule> inline __m128i Plain(__m128i c)
{
    const __m128i ascii =
        _mm_cmpeq_epi32(_mm_and_si128(c, _mm_set1_epi32(~0x7F)), _mm_setzero_si128());
    if (rule == Utf8Rule::Text)
        return ascii;
    const __m128i special =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi32(c, _mm_set1_epi32('&')),
                                  _mm_cmpeq_epi32(c, _mm_set1_epi32('<'))),
                     _mm_or_si128(_mm_cmpeq_epi32(c, _mm_set1_epi32('>')),
                                  _mm_or_si128(_mm_cmpeq_epi32(c, _mm_set1_epi32('"')),
                                               _mm_cmplt_epi32(c, _mm_set1_epi32(0x20)))));
    return _mm_andnot_si128(special, ascii);
}

// The sixteen characters at `p` narrowed to bytes (exact for the plain ones) in `bytes`;
// returns one bit a character for the others.
template <Utf8Rule rule> inline unsigned Narrow16(const wxStringCharType* p, __m128i& bytes)
{
    const auto* from = reinterpret_cast<const __m128i*>(p);
    const __m128i a = _mm_loadu_si128(from);
    const __m128i b = _mm_loadu_si128(from + 1);
    const __m128i c = _mm_loadu_si128(from + 2);
    const __m128i d = _mm_loadu_si128(from + 3);
    bytes = _mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d));
    const __m128i plain = _mm_packs_epi16(_mm_packs_epi32(Plain<rule>(a), Plain<rule>(b)),
                                          _mm_packs_epi32(Plain<rule>(c), Plain<rule>(d)));
    return ~unsigned(_mm_movemask_epi8(plain)) & 0xFFFF;
}

// Writes characters `first` to 15 of the sixteen at `p`, the ones before `first` having been
// written just before `out`. May store up to sixteen bytes past the returned end.
template <Utf8Rule rule> inline char* Encode16(char* out, const wxStringCharType* p, unsigned first)
{
    __m128i narrowed;
    const unsigned others = Narrow16<rule>(p, narrowed);
    if (others == 0)
    {
        // The characters before `first` are plain too, so their bytes are stored again as
        // they stand.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out - first), narrowed);
        return out + (16 - first);
    }
    // Each run of plain characters is copied from the narrowed bytes, each other one encoded
    // between.
    alignas(16) char bytes[32];
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes), narrowed);
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes + 16), _mm_setzero_si128());
    unsigned next = first;
    for (unsigned left = others & (0xFFFFu << first); left != 0; left &= left - 1)
    {
        const unsigned i = unsigned(__builtin_ctz(left));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + next)));
        out = EncodeChar<rule>(out + (i - next), static_cast<std::uint32_t>(p[i]));
        next = i + 1;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + next)));
    return out + (16 - next);
}
#endif

template <Utf8Rule rule> char* Encode(char* out, const wxString& text)
{
    const wxStringCharType* p = text.wx_str();
    const wxStringCharType* end = p + text.length();
#if MNEMORA_SSE2
    // Most card text is ASCII: sixteen characters are narrowed at once, and the last ones
    // of a longer text as the sixteen that end it, skipping those already written.
    if (end - p >= 16)
    {
        for (; end - p >= 16; p += 16)
            out = Encode16<rule>(out, p, 0);
        return p == end ? out : Encode16<rule>(out, end - 16, unsigned(16 - (end - p)));
    }
#endif
    for (; p != end; ++p)
        out = EncodeChar<rule>(out, static_cast<std::uint32_t>(*p));
    return out;
}
} // namespace

char* EncodeUtf8(char* out, const wxString& text, Utf8Rule rule)
{
    return rule == Utf8Rule::Text ? Encode<Utf8Rule::Text>(out, text)
                                  : Encode<Utf8Rule::XmlAttribute>(out, text);
}
