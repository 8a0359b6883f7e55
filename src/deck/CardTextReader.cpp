// SPDX-License-Identifier: GPL-3.0-or-later
// Card text files read into cards: encodings, header lines, quoted fields and HTML fields.
#include "deck/CardTextReader.h"

#include <wx/filename.h>

#include <cstring>
#include <string>

#include "deck/HtmlField.h"
#include "deck/MediaPath.h"
#include "deck/TextDecoding.h"

namespace
{
struct Field
{
    const char* begin = nullptr;
    size_t size = 0;
};

const char* FindLineEnd(const char* p, const char* end)
{
    while (p != end && *p != '\n' && *p != '\r')
        ++p;
    return p;
}

// Past the line end at `p`, if there is one.
const char* SkipLineEnd(const char* p, const char* end)
{
    if (p != end && *p++ == '\r' && p != end && *p == '\n')
        ++p;
    return p;
}

// UTF-16 after its byte order mark, as UTF-8. Pairs of surrogates make one character; one
// without its partner becomes U+FFFD.
std::string Utf16ToUtf8(const unsigned char* bytes, size_t size, bool littleEndian)
{
    std::wstring text;
    text.reserve(size / 2);
    auto unit = [&](size_t i)
    {
        return littleEndian ? unsigned(bytes[i]) | unsigned(bytes[i + 1]) << 8
                            : unsigned(bytes[i]) << 8 | unsigned(bytes[i + 1]);
    };
    for (size_t i = 2; i + 1 < size; i += 2)
    {
        unsigned c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < size && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF)
        {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        }
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        text += static_cast<wchar_t>(c);
    }
    return wxString(text).utf8_string();
}

// UTF-16 without a byte order mark: every other byte of the start is NUL, the others not.
bool LooksLikeUtf16(const char* bytes, size_t size)
{
    size_t zeros[2] = {0, 0};
    const size_t checked = size < 1024 ? size : 1024;
    for (size_t i = 0; i < checked; ++i)
        zeros[i % 2] += bytes[i] == '\0';
    const size_t half = checked / 2;
    return half != 0 && (zeros[0] * 2 >= half || zeros[1] * 2 >= half) &&
           (zeros[0] == 0 || zeros[1] == 0);
}

std::string Lower(const char* begin, const char* end)
{
    while (begin != end && *begin == ' ')
        ++begin;
    while (end != begin && end[-1] == ' ')
        --end;
    std::string text(begin, end);
    for (char& c : text)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return text;
}

bool IsKey(const char* begin, const char* end)
{
    if (begin == end || !((*begin | 0x20) >= 'a' && (*begin | 0x20) <= 'z'))
        return false;
    for (; begin != end; ++begin)
    {
        const char c = *begin;
        if (!((c | 0x20) >= 'a' && (c | 0x20) <= 'z') && !(c >= '0' && c <= '9') && c != ' ' &&
            c != '_' && c != '-')
            return false;
    }
    return true;
}

bool IsSkippedName(const std::string& name)
{
    return name == "tags" || name == "deck" || name == "notetype" || name == "note type" ||
           name == "guid";
}

// The settings of the header lines "#key:value" at the start of a file.
struct Header
{
    char delimiter;
    bool found = false;
    bool html = false;
    std::vector<bool> skipped; // per column: not a side of the card
    CardTextProblem problem = CardTextProblem::None;

    void Skip(size_t column)
    {
        if (skipped.size() <= column)
            skipped.resize(column + 1);
        skipped[column] = true;
    }

    // Reads the header lines from `p` on and returns where the rows begin.
    const char* Read(const char* p, const char* end)
    {
        std::string columns;
        while (p != end && *p == '#' && problem == CardTextProblem::None)
        {
            const char* lineEnd = FindLineEnd(p, end);
            const auto* colon = static_cast<const char*>(std::memchr(p, ':', size_t(lineEnd - p)));
            if (colon == nullptr || !IsKey(p + 1, colon))
                break;
            const std::string key = Lower(p + 1, colon);
            const std::string value = Lower(colon + 1, lineEnd);
            found = true;
            if (key == "separator")
                SetSeparator(std::string(colon + 1, lineEnd), value);
            else if (key == "html")
                html = value == "true";
            else if (key == "columns")
                columns.assign(colon + 1, lineEnd);
            else if (key.size() > 7 && key.compare(key.size() - 7, 7, " column") == 0 &&
                     IsSkippedName(key.substr(0, key.size() - 7)))
            {
                const unsigned long number = std::strtoul(value.c_str(), nullptr, 10);
                if (number >= 1 && number <= 1000)
                    Skip(number - 1);
            }
            p = SkipLineEnd(lineEnd, end);
        }
        size_t column = 0;
        for (size_t start = 0; !columns.empty() && start <= columns.size(); ++column)
        {
            size_t stop = columns.find(delimiter, start);
            stop = stop == std::string::npos ? columns.size() : stop;
            if (IsSkippedName(Lower(columns.data() + start, columns.data() + stop)))
                Skip(column);
            start = stop + 1;
        }
        return p;
    }

    void SetSeparator(const std::string& raw, const std::string& name)
    {
        static const struct
        {
            const char* name;
            char delimiter;
        } Names[] = {{"tab", '\t'}, {"comma", ','}, {"semicolon", ';'},
                     {"pipe", '|'}, {"space", ' '}, {"colon", ':'}};
        if (raw.empty())
        {
            problem = CardTextProblem::EmptySeparator;
            return;
        }
        for (const auto& entry : Names)
        {
            if (name == entry.name)
            {
                delimiter = entry.delimiter;
                return;
            }
        }
        const std::string& one = raw.size() == 1 ? raw : name;
        if (one.size() == 1 && static_cast<unsigned char>(one[0]) < 0x80 && one[0] != '"' &&
            one[0] != '\0')
            delimiter = one[0];
        else
            problem = CardTextProblem::UnknownSeparator;
    }

    // The columns that give the question and the answer.
    void Sides(size_t& question, size_t& answer) const
    {
        size_t column = 0;
        auto next = [&]
        {
            while (column < skipped.size() && skipped[column])
                ++column;
            return column++;
        };
        question = next();
        answer = next();
    }
};

// Appends the bytes with every CR LF and lone CR as LF: a card's line break.
void AppendLines(std::string& to, const char* p, const char* end)
{
    for (;;)
    {
        const auto* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)));
        if (cr == nullptr)
        {
            to.append(p, end);
            return;
        }
        to.append(p, cr);
        to += '\n';
        p = cr + 1 != end && cr[1] == '\n' ? cr + 2 : cr + 1;
    }
}

// One field from `p` on, which moves past it to the delimiter, the line end or the end.
// A quoted field is unquoted into `scratch`, which the field then points into.
Field ReadField(const char*& p, const char* end, char delimiter, std::string& scratch,
                bool& unclosed)
{
    if (p == end || *p != '"')
    {
        const char* start = p;
        while (p != end && *p != delimiter && *p != '\n' && *p != '\r')
            ++p;
        return {start, size_t(p - start)};
    }
    scratch.clear();
    const char* q = p + 1;
    for (;;)
    {
        const auto* quote = static_cast<const char*>(std::memchr(q, '"', size_t(end - q)));
        AppendLines(scratch, q, quote == nullptr ? end : quote);
        if (quote == nullptr)
        {
            // The rest of the file belongs to the field: nothing after it is lost.
            unclosed = true;
            p = end;
            return {scratch.data(), scratch.size()};
        }
        q = quote + 1;
        if (q == end || *q != '"')
            break;
        scratch += '"';
        ++q;
    }
    // Text after the closing quote, as a spreadsheet keeps it.
    p = q;
    while (p != end && *p != delimiter && *p != '\n' && *p != '\r')
        ++p;
    scratch.append(q, p);
    return {scratch.data(), scratch.size()};
}

void Decode(const Field& field, bool utf8, wxString& text)
{
    if (utf8)
        DecodeUtf8(field.begin, field.size, text);
    else
        DecodeWindows1252(field.begin, field.size, text);
}

// An HTML side; its picture and sound are files beside the text file.
void ConvertSide(wxString& text, MediaFile& picture, MediaFile& sound, const wxString& folder)
{
    auto exists = [&folder](const wxString& name)
    {
        return !folder.empty() && IsPlainMediaName(name) &&
               wxFileName::FileExists(folder + "/" + name);
    };
    HtmlSide side = ConvertHtmlField(text, exists);
    text.swap(side.Text);
    if (!side.Picture.empty())
        picture = wxFileName(folder, side.Picture);
    if (!side.Sound.empty())
        sound = wxFileName(folder, side.Sound);
}
} // namespace

CardTextResult ReadCardText(const char* bytes, size_t size, const CardTextSettings& settings,
                            std::vector<Card>& cards)
{
    CardTextResult result;
    const auto* raw = reinterpret_cast<const unsigned char*>(bytes);
    std::string utf16;
    if (size >= 2 && ((raw[0] == 0xFF && raw[1] == 0xFE) || (raw[0] == 0xFE && raw[1] == 0xFF)))
    {
        if (size % 2 != 0)
        {
            result.Problem = CardTextProblem::Utf16OddLength;
            return result;
        }
        utf16 = Utf16ToUtf8(raw, size, raw[0] == 0xFF);
        bytes = utf16.data();
        size = utf16.size();
    }
    if (size != 0 && std::memchr(bytes, '\0', size) != nullptr)
    {
        result.Problem = utf16.empty() && LooksLikeUtf16(bytes, size)
                             ? CardTextProblem::Utf16WithoutMark
                             : CardTextProblem::NotText;
        return result;
    }
    if (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)
    {
        bytes += 3;
        size -= 3;
    }
    const bool utf8 = IsValidUtf8(bytes, size);
    const char* end = bytes + size;
    Header header;
    header.delimiter = static_cast<char>(settings.Delimiter);
    const char* p = header.Read(bytes, end);
    if (header.problem != CardTextProblem::None)
    {
        result.Problem = header.problem;
        return result;
    }
    // Files with header lines keep empty columns; plain tab files join runs of tabs, as before.
    const bool joinTabs = header.delimiter == '\t' && !header.found;
    size_t questionColumn;
    size_t answerColumn;
    header.Sides(questionColumn, answerColumn);

    std::string scratch[3];
    bool skip = settings.IgnoreHeaderRow;
    while (p != end)
    {
        Field sides[2];
        for (size_t column = 0;; ++column)
        {
            if (joinTabs)
                while (p != end && *p == '\t')
                    ++p;
            const int slot = column == questionColumn ? 0 : column == answerColumn ? 1 : 2;
            const Field field =
                ReadField(p, end, header.delimiter, scratch[slot], result.UnclosedQuote);
            if (slot < 2)
                sides[slot] = field;
            if (p == end || *p != header.delimiter)
                break;
            ++p;
        }
        p = SkipLineEnd(p, end);
        if (skip)
        {
            skip = false;
            continue;
        }
        if (sides[0].size == 0 && sides[1].size == 0)
            continue;
        cards.emplace_back();
        Card& card = cards.back();
        Decode(sides[0], utf8, card.Question);
        Decode(sides[1], utf8, card.Answer);
        if (header.html)
        {
            ConvertSide(card.Question, card.QuestionPicture, card.QuestionSound,
                        settings.MediaFolder);
            ConvertSide(card.Answer, card.AnswerPicture, card.AnswerSound, settings.MediaFolder);
            if (card.Question.empty() && card.Answer.empty() && !card.QuestionPicture.IsOk() &&
                !card.AnswerPicture.IsOk() && !card.QuestionSound.IsOk() &&
                !card.AnswerSound.IsOk())
                cards.pop_back();
        }
    }
    return result;
}
