// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for card text files: line splitting at either delimiter and the choice of
// encoding, on any bytes. The first input byte picks the delimiter and the header row; the
// cards found are checked and must come back unchanged from an export.
#include <wx/init.h>
#include <wx/log.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "deck/CardText.h"
#include "deck/TextDecoding.h"

namespace
{
void Check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool Holds(const wxString& text, wxChar c)
{
    return text.find(c) != wxString::npos;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static wxInitializer initializer;
    if (!initializer.IsOk())
        std::abort();
    wxLog::EnableLogging(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const wxChar delimiter = data[0] & 1 ? wxChar(',') : wxChar('\t');
    const bool ignoreHeaderRow = (data[0] & 2) != 0;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const size_t length = size - 1;

    std::vector<Card> cards;
    const bool text = ParseCardText(bytes, length, delimiter, ignoreHeaderRow, cards);
    Check(text == (std::memchr(bytes, 0, length) == nullptr), "text refused or NUL accepted");
    size_t lines = 1;
    for (size_t i = 0; i < length; ++i)
        lines += bytes[i] == '\n' || bytes[i] == '\r';
    Check(cards.size() <= lines, "more cards than lines");
    for (const Card& card : cards)
    {
        Check(!card.Question.empty() || !card.Answer.empty(), "card without text");
        Check(delimiter != '\t' || !card.Question.empty(), "tab line with an empty question");
        for (const wxString* side : {&card.Question, &card.Answer})
            Check(!Holds(*side, delimiter) && !Holds(*side, '\n') && !Holds(*side, '\r'),
                  "delimiter or line end inside a field");
    }

    // What was read is written as valid UTF-8 and reads back as the same cards. A question
    // that starts with U+FEFF cannot come back first: it is read as a byte order mark.
    const std::string exported = FormatCardText(cards, delimiter);
    Check(IsValidUtf8(exported.data(), exported.size()), "export is not UTF-8");
    if (!cards.empty() && cards[0].Question.StartsWith(wxString(wxUniChar(0xFEFF))))
        return 0;
    std::vector<Card> again;
    Check(ParseCardText(exported.data(), exported.size(), delimiter, false, again),
          "export refused on reading");
    Check(again.size() == cards.size(), "card count changed on the round trip");
    for (size_t i = 0; i < cards.size(); ++i)
        Check(again[i].Question == cards[i].Question && again[i].Answer == cards[i].Answer,
              "text changed on the round trip");
    return 0;
}
