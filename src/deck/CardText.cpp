// SPDX-License-Identifier: GPL-3.0-or-later
// Card text files: reading them into cards and writing cards into them.
#include "deck/CardText.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include <sys/stat.h>

#include "deck/AtomicFile.h"
#include "deck/BackgroundWriter.h"
#include "deck/CardTextReader.h"
#include "deck/MediaPath.h"
#include "deck/TextDecoding.h"
#include "deck/TextEncoding.h"
#include "deck/mnemora.h"

namespace
{
#if defined(__WINDOWS__)
const char LineEnd[] = "\r\n";
#else
const char LineEnd[] = "\n";
#endif

// Asks for the memory of a text ahead of its use, a cache line at a time.
inline void Prefetch(const wxString& text)
{
    const char* p = reinterpret_cast<const char*>(text.wx_str());
    const char* end = p + text.length() * sizeof(wxStringCharType);
    for (; p < end; p += 64)
        __builtin_prefetch(p);
}

// A text that would not read back as it stands is written in double quotes: one holding the
// delimiter or a line break, or starting with a quote. So is an empty question between tabs,
// and a first question that would read as a byte order mark or a "#key:value" header line.
bool NeedsQuotes(const wxString& text, wxChar delimiter, bool firstQuestion)
{
    if (text.empty())
        return false;
    const wxStringCharType* p = text.wx_str();
    const wxStringCharType* end = p + text.length();
    if (*p == '"' ||
        (firstQuestion && (*p == 0xFEFF || (*p == '#' && text.find(':') != wxString::npos))))
        return true;
    for (; p != end; ++p)
    {
        if (*p == delimiter || *p == '\n' || *p == '\r')
            return true;
    }
    return false;
}

// Writes one side, quoted where it must be; room for eight bytes a character and sixteen more.
char* EncodeSide(char* out, const wxString& text, bool quote)
{
    if (!quote)
        return EncodeUtf8(out, text, Utf8Rule::Text);
    wxString doubled(text);
    doubled.Replace("\"", "\"\"");
    *out++ = '"';
    out = EncodeUtf8(out, doubled, Utf8Rule::Text);
    *out++ = '"';
    return out;
}

// Encodes the cards block by block and hands each full block to `sink`, which may keep using
// it until its next call: two blocks take turns, and a last call without bytes comes before
// they go. False when the sink refused one.
bool WriteCardText(const std::vector<Card>& cards, wxChar delimiter,
                   const std::function<bool(const char*, size_t)>& sink)
{
    const size_t BlockSize = 256 * 1024;
    const size_t PrefetchDistance = 8;
    // The delimiter, encoded once: at most four bytes.
    char between[4 + Utf8Slack];
    const size_t betweenSize =
        size_t(EncodeUtf8(between, wxString(delimiter), Utf8Rule::Text) - between);
    std::vector<char> blocks[2] = {std::vector<char>(BlockSize + Utf8Slack),
                                   std::vector<char>(BlockSize + Utf8Slack)};
    std::vector<char>* block = &blocks[0];
    size_t used = 0;
    for (size_t i = 0; i < cards.size(); ++i)
    {
        // Each text lies in an allocation of its own: ask for those of a later card early.
        if (i + PrefetchDistance < cards.size())
        {
            Prefetch(cards[i + PrefetchDistance].Question);
            Prefetch(cards[i + PrefetchDistance].Answer);
        }
        const Card& card = cards[i];
        const size_t room = 8 * (card.Question.length() + card.Answer.length()) + 4 + betweenSize +
                            sizeof LineEnd + Utf8Slack;
        if (used + room > block->size())
        {
            if (used != 0)
            {
                if (!sink(block->data(), used))
                    return false;
                block = block == &blocks[0] ? &blocks[1] : &blocks[0];
            }
            used = 0;
            if (room > block->size())
                block->resize(room);
        }
        char* out = block->data() + used;
        // Between tabs an empty question would vanish: it is written as "" when an answer follows.
        const bool emptyQuestion =
            delimiter == '\t' && card.Question.empty() && !card.Answer.empty();
        out = emptyQuestion
                  ? static_cast<char*>(std::memcpy(out, "\"\"", 2)) + 2
                  : EncodeSide(out, card.Question, NeedsQuotes(card.Question, delimiter, i == 0));
        std::memcpy(out, between, betweenSize);
        out =
            EncodeSide(out + betweenSize, card.Answer, NeedsQuotes(card.Answer, delimiter, false));
        std::memcpy(out, LineEnd, sizeof LineEnd - 1);
        used = size_t(out - block->data()) + sizeof LineEnd - 1;
    }
    return (used == 0 || sink(block->data(), used)) && sink(block->data(), 0);
}

// The whole of a plain file; false (with the reason logged) for anything else.
bool ReadWholeFile(const wxString& path, std::string& bytes)
{
    struct stat info;
    if (stat(path.fn_str(), &info) != 0)
    {
        const int error = errno;
        wxLogSysError(error, _("can't open file '%s'"), path);
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
    CardTextSettings settings;
    settings.Delimiter = delimiter;
    settings.IgnoreHeaderRow = ignoreHeaderRow;
    return ReadCardText(bytes, size, settings, cards).Problem == CardTextProblem::None;
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
    CardTextSettings settings;
    settings.Delimiter = ImportDelimiter(path);
    settings.IgnoreHeaderRow = ignoreHeaderRow;
    settings.MediaFolder = DeckFolder(wxFileName(path));
    std::vector<Card> cards;
    const CardTextResult result = ReadCardText(bytes.data(), bytes.size(), settings, cards);
    switch (result.Problem)
    {
    case CardTextProblem::None:
        break;
    case CardTextProblem::NotText:
        wxLogError(_("The file '%s' is not a text file."), path);
        return false;
    case CardTextProblem::Utf16WithoutMark:
        wxLogError(_("The file '%s' seems to be UTF-16 text without a byte order mark, so its byte "
                     "order is unknown. Save it again as UTF-8, or as Unicode text with a byte "
                     "order mark."),
                   path);
        return false;
    case CardTextProblem::Utf16OddLength:
        wxLogError(_("The file '%s' is UTF-16 text but ends in the middle of a character: it is "
                     "incomplete."),
                   path);
        return false;
    case CardTextProblem::EmptySeparator:
        wxLogError(_("The file '%s' has a #separator line without a separator."), path);
        return false;
    case CardTextProblem::UnknownSeparator:
        wxLogError(_("The file '%s' has a #separator line with a separator Mnemora does not "
                     "know."),
                   path);
        return false;
    }
    if (result.UnclosedQuote)
        wxLogWarning(_("The file '%s' ends inside a quoted field: the last card holds the rest of "
                       "the file."),
                     path);
    ReplaceDeck(cards, wxFileName(path));
    return true;
}

bool ExportTextFile(const wxString& path, wxChar delimiter)
{
    AtomicFile file(path);
    if (!file.IsOk())
        return false;
    BackgroundWriter writer(file);
    const bool written = WriteCardText(Cards, delimiter,
                                       [&writer](const char* data, size_t size)
                                       { return writer.Write(data, size); });
    return writer.Finish() && written && file.Commit();
}
