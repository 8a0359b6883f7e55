// Card text files: reading them into cards and writing cards into them.
#include "deck/CardText.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>

#include <cerrno>
#include <cstring>
#include <memory>

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

// Writes `text` as UTF-8 at `out` (room for four bytes a character); returns the new end.
// Values that are no Unicode scalar become U+FFFD, so the file is always valid UTF-8.
char* EncodeUtf8(char* out, const wxString& text)
{
    const wxStringCharType* p = text.wx_str();
    const wxStringCharType* end = p + text.length();
    for (; p != end; ++p)
    {
        unsigned long c = static_cast<unsigned long>(*p);
        if (c < 0x80)
        {
            *out++ = static_cast<char>(c);
            continue;
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
    }
    return out;
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
    size_t room = 0;
    for (const Card& card : cards)
        room += 4 * (card.Question.length() + card.Answer.length()) + sizeof LineEnd + 4;
    // Left uninitialised: only the bytes written are ever touched.
    std::unique_ptr<char[]> buffer(new char[room]);
    char* out = buffer.get();
    const wxString split(delimiter);
    for (const Card& card : cards)
    {
        out = EncodeUtf8(out, card.Question);
        out = EncodeUtf8(out, split);
        out = EncodeUtf8(out, card.Answer);
        std::memcpy(out, LineEnd, sizeof LineEnd - 1);
        out += sizeof LineEnd - 1;
    }
    return std::string(buffer.get(), size_t(out - buffer.get()));
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
    const std::string bytes = FormatCardText(Cards, delimiter);
    AtomicFile file(path);
    return file.IsOk() && file.Write(bytes.data(), bytes.size()) && file.Commit();
}
