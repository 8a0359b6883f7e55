// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for card text files: quoted fields, header lines, HTML fields, line
// splitting at either delimiter and the choice of encoding, on any bytes. The first input byte
// picks the delimiter, the header row, Anki header lines in front and UTF-16 of either byte
// order; the cards found are checked and must come back unchanged from an export.
#include <wx/init.h>
#include <wx/log.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "deck/CardText.h"
#include "deck/CardTextReader.h"
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
    std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 4)
        input = "#separator:semicolon\n#html:true\n#guid column:1\n" + input;
    if (data[0] & 8)
    {
        // The same bytes as UTF-16 units, each byte one unit, after the byte order mark.
        const bool little = (data[0] & 16) != 0;
        std::string wide = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const char c : input)
            wide += little ? std::string{c, '\0'} : std::string{'\0', c};
        input = wide;
    }
    std::vector<Card> cards;
    CardTextSettings settings;
    settings.Delimiter = delimiter;
    settings.IgnoreHeaderRow = ignoreHeaderRow;
    const CardTextResult result = ReadCardText(input.data(), input.size(), settings, cards);
    Check(result.Problem == CardTextProblem::None || cards.empty(), "cards added on a refusal");
    size_t lines = 1;
    for (const char c : input)
        lines += c == '\n' || c == '\r';
    Check(cards.size() <= lines, "more cards than lines");
    for (const Card& card : cards)
    {
        Check(!card.Question.empty() || !card.Answer.empty(), "card without text");
        for (const wxString* side : {&card.Question, &card.Answer})
            Check(!Holds(*side, '\r') && !Holds(*side, wxChar(0)), "CR or NUL inside a field");
    }

    // What was read is written as valid UTF-8 and reads back as the same cards.
    const std::string exported = FormatCardText(cards, delimiter);
    Check(IsValidUtf8(exported.data(), exported.size()), "export is not UTF-8");
    std::vector<Card> again;
    Check(ParseCardText(exported.data(), exported.size(), delimiter, false, again),
          "export refused on reading");
    Check(again.size() == cards.size(), "card count changed on the round trip");
    for (size_t i = 0; i < cards.size(); ++i)
        Check(again[i].Question == cards[i].Question && again[i].Answer == cards[i].Answer,
              "text changed on the round trip");
    return 0;
}
