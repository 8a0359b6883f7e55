// Card text files: reading them into cards and writing cards into them.
#include "deck/CardText.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <cwchar>
#include <functional>

#if defined(__SSE2__) && WCHAR_MAX > 0xFFFF
#include <emmintrin.h>
#define MNEMORA_TEXT_SSE2 1
#else
#define MNEMORA_TEXT_SSE2 0
#endif

#include <sys/stat.h>

#include "deck/AtomicFile.h"
#include "deck/TextDecoding.h"
#include "deck/mnemora.h"

namespace
{
#if defined(__WINDOWS__)
const char LineEnd[] = "\r\n";
#else
const char LineEnd[] = "\n";
#endif

struct Field
{
    const char* begin;
    size_t size;
};

const char* FindLineEnd(const char* p, const char* end)
{
    while (p != end && *p != '\n' && *p != '\r')
        ++p;
    return p;
}

// The first two fields of a line, split the way the toolkit's tokenizer does by default: tabs
// as white space (runs joined, leading and trailing ones skipped), other delimiters one by one.
void SplitLine(const char* p, const char* end, char delimiter, Field fields[2])
{
    if (delimiter == '\t')
    {
        for (int i = 0; i < 2; ++i)
        {
            while (p != end && *p == '\t')
                ++p;
            const char* start = p;
            while (p != end && *p != '\t')
                ++p;
            fields[i] = {start, size_t(p - start)};
        }
        return;
    }
    const auto* stop = static_cast<const char*>(std::memchr(p, delimiter, size_t(end - p)));
    if (stop == nullptr)
    {
        fields[0] = {p, size_t(end - p)};
        fields[1] = {end, 0};
        return;
    }
    fields[0] = {p, size_t(stop - p)};
    const char* rest = stop + 1;
    const auto* next = static_cast<const char*>(std::memchr(rest, delimiter, size_t(end - rest)));
    fields[1] = {rest, size_t((next == nullptr ? end : next) - rest)};
}

void Decode(const Field& field, bool utf8, wxString& text)
{
    if (utf8)
        DecodeUtf8(field.begin, field.size, text);
    else
        DecodeWindows1252(field.begin, field.size, text);
}

// Writes one character as UTF-8; values that are no Unicode scalar become U+FFFD, so the
// file is always valid UTF-8.
inline char* EncodeChar(char* out, unsigned long c)
{
    if (c < 0x80)
    {
        *out++ = static_cast<char>(c);
        return out;
    }
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x800)
    {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
    }
    else if (c < 0x10000)
    {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    else
    {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
    return out;
}

#if MNEMORA_TEXT_SSE2
// Bits set four to a character for the characters of `chars` below U+0080.
inline unsigned AsciiMask(__m128i chars)
{
    const __m128i high = _mm_set1_epi32(~0x7F);
    return unsigned(
        _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(chars, high), _mm_setzero_si128())));
}
#endif

// Writes `text` as UTF-8 at `out` (room for four bytes a character); returns the new end.
char* EncodeUtf8(char* out, const wxString& text)
{
    const wxStringCharType* p = text.wx_str();
    const wxStringCharType* end = p + text.length();
#if MNEMORA_TEXT_SSE2
    // Most card text is ASCII: sixteen characters are narrowed and stored at once, and the
    // store is kept up to the first other letter, which is encoded on its own. The bytes
    // stored past it lie within the room and are overwritten by what follows.
    while (end - p >= 16)
    {
        const auto* from = reinterpret_cast<const __m128i*>(p);
        const __m128i a = _mm_loadu_si128(from);
        const __m128i b = _mm_loadu_si128(from + 1);
        const __m128i c = _mm_loadu_si128(from + 2);
        const __m128i d = _mm_loadu_si128(from + 3);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                         _mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d)));
        const unsigned long long ascii = AsciiMask(a) |
                                         (static_cast<unsigned long long>(AsciiMask(b)) << 16) |
                                         (static_cast<unsigned long long>(AsciiMask(c)) << 32) |
                                         (static_cast<unsigned long long>(AsciiMask(d)) << 48);
        if (ascii == ~0ULL)
        {
            out += 16;
            p += 16;
            continue;
        }
        const int plain = __builtin_ctzll(~ascii) / 4;
        out += plain;
        p += plain;
        out = EncodeChar(out, static_cast<unsigned long>(*p++));
    }
    while (end - p >= 4)
    {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int bytes = _mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(a, a), a));
        std::memcpy(out, &bytes, 4);
        const unsigned ascii = AsciiMask(a);
        if (ascii == 0xFFFF)
        {
            out += 4;
            p += 4;
            continue;
        }
        const int plain = __builtin_ctz(~ascii) / 4;
        out += plain;
        p += plain;
        out = EncodeChar(out, static_cast<unsigned long>(*p++));
    }
#endif
    for (; p != end; ++p)
        out = EncodeChar(out, static_cast<unsigned long>(*p));
    return out;
}

// Asks for the memory of a text ahead of its use, a cache line at a time.
inline void Prefetch(const wxString& text)
{
    const char* p = reinterpret_cast<const char*>(text.wx_str());
    const char* end = p + text.length() * sizeof(wxStringCharType);
    for (; p < end; p += 64)
        __builtin_prefetch(p);
}

// Encodes the cards into a block buffer and hands each full block to `sink`; false when the
// sink refused one.
bool WriteCardText(const std::vector<Card>& cards, wxChar delimiter,
                   const std::function<bool(const char*, size_t)>& sink)
{
    const size_t BlockSize = 256 * 1024;
    const size_t PrefetchDistance = 8;
    std::vector<char> block(BlockSize);
    size_t used = 0;
    const wxString split(delimiter);
    for (size_t i = 0; i < cards.size(); ++i)
    {
        // Each text lies in an allocation of its own: ask for those of a later card early.
        if (i + PrefetchDistance < cards.size())
        {
            Prefetch(cards[i + PrefetchDistance].Question);
            Prefetch(cards[i + PrefetchDistance].Answer);
        }
        const Card& card = cards[i];
        const size_t room =
            4 * (card.Question.length() + split.length() + card.Answer.length()) + sizeof LineEnd;
        if (used + room > block.size())
        {
            if (used != 0 && !sink(block.data(), used))
                return false;
            used = 0;
            if (room > block.size())
                block.resize(room);
        }
        char* out = block.data() + used;
        out = EncodeUtf8(out, card.Question);
        out = EncodeUtf8(out, split);
        out = EncodeUtf8(out, card.Answer);
        std::memcpy(out, LineEnd, sizeof LineEnd - 1);
        used = size_t(out - block.data()) + sizeof LineEnd - 1;
    }
    return used == 0 || sink(block.data(), used);
}

// The whole of a plain file; false (with the reason logged) for anything else.
bool ReadWholeFile(const wxString& path, std::string& bytes)
{
    struct stat info;
    if (stat(path.fn_str(), &info) != 0)
    {
        wxLogSysError(errno, _("can't open file '%s'"), path);
        return false;
    }
    // A folder has no lines, and a pipe or a device might never end.
    if (!S_ISREG(info.st_mode))
    {
        wxLogSysError(S_ISDIR(info.st_mode) ? EISDIR : EINVAL, _("can't open file '%s'"), path);
        return false;
    }
    wxFile file;
    if (!file.Open(path))
        return false;
    bytes.reserve(size_t(info.st_size));
    char chunk[64 * 1024];
    for (;;)
    {
        const ssize_t got = file.Read(chunk, sizeof chunk);
        if (got == wxInvalidOffset)
            return false;
        if (got == 0)
            return true;
        bytes.append(chunk, size_t(got));
    }
}
} // namespace

wxChar ImportDelimiter(const wxString& path)
{
    return wxFileName(path).GetExt().Lower() == "csv" ? wxChar(',') : wxChar('\t');
}

bool ParseCardText(const char* bytes, size_t size, wxChar delimiter, bool ignoreHeaderRow,
                   std::vector<Card>& cards)
{
    if (size != 0 && std::memchr(bytes, '\0', size) != nullptr)
        return false;
    if (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)
    {
        bytes += 3;
        size -= 3;
    }
    const bool utf8 = IsValidUtf8(bytes, size);
    const char split = static_cast<char>(delimiter);
    const char* p = bytes;
    const char* end = bytes + size;
    bool skip = ignoreHeaderRow;
    Field fields[2];
    while (p != end)
    {
        const char* lineEnd = FindLineEnd(p, end);
        if (skip)
            skip = false;
        else
        {
            SplitLine(p, lineEnd, split, fields);
            if (fields[0].size != 0 || fields[1].size != 0)
            {
                cards.emplace_back();
                Decode(fields[0], utf8, cards.back().Question);
                Decode(fields[1], utf8, cards.back().Answer);
            }
        }
        p = lineEnd;
        if (p != end && *p++ == '\r' && p != end && *p == '\n')
            ++p;
    }
    return true;
}

std::string FormatCardText(const std::vector<Card>& cards, wxChar delimiter)
{
    std::string bytes;
    WriteCardText(cards, delimiter,
                  [&bytes](const char* data, size_t size)
                  {
                      bytes.append(data, size);
                      return true;
                  });
    return bytes;
}

bool ImportTextFile(const wxString& path, bool ignoreHeaderRow)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    std::vector<Card> cards;
    if (!ParseCardText(bytes.data(), bytes.size(), ImportDelimiter(path), ignoreHeaderRow, cards))
    {
        wxLogError(_("The file '%s' is not a text file."), path);
        return false;
    }
    ActiveCards.clear();
    Cards.swap(cards);
    UpdateScores();
    FileName = wxFileName(path);
    FileName.SetExt("mnd");
    Modified = true;
    return true;
}

bool ExportTextFile(const wxString& path, wxChar delimiter)
{
    AtomicFile file(path);
    return file.IsOk() &&
           WriteCardText(Cards, delimiter,
                         [&file](const char* data, size_t size)
                         { return file.Write(data, size); }) &&
           file.Commit();
}
