// SPDX-License-Identifier: GPL-3.0-or-later
// Deterministic deck generator: the same words, markup and histories on every machine.
#include "DeckGenerator.h"

#include <wx/ffile.h>

#include <cstdint>
#include <random>

#include "deck/XmlDeckWriter.h"

namespace
{
const wchar_t* const Words[] = {L"capital",       L"river",      L"mountain",    L"city",
                                L"language",      L"currency",   L"island",      L"border",
                                L"ocean",         L"desert",     L"empire",      L"century",
                                L"king",          L"treaty",     L"the",         L"of",
                                L"and",           L"which",      L"largest",     L"oldest",
                                L"north",         L"south",      L"Z\u00fcrich", L"S\u00e3o Paulo",
                                L"Malm\u00f6",    L"caf\u00e9",  L"\u20ac",      L"\u6771\u4eac",
                                L"\u00e9t\u00e9", L"na\u00efve", L"what",        L"is",
                                L"population",    L"flag"};
const size_t WordCount = sizeof Words / sizeof Words[0];

class Source
{
public:
    // Uniform in [low, high]; plain modulo keeps the sequence identical on every library.
    int Between(int low, int high)
    {
        return low + static_cast<int>(m_engine() % static_cast<std::uint32_t>(high - low + 1));
    }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

private:
    std::mt19937 m_engine{20240611u};
};

wxString Text(Source& source)
{
    const int length = source.Between(20, 120);
    wxString text;
    while (static_cast<int>(text.length()) < length)
    {
        if (!text.empty())
            text += source.Chance(6) ? L'\n' : L' ';
        wxString word = Words[source.Between(0, static_cast<int>(WordCount) - 1)];
        const int markup = source.Between(1, 40);
        if (markup == 1)
            word = "**" + word + "**";
        else if (markup == 2)
            word = "__" + word + "__";
        else if (markup == 3)
            word = "//" + word + "//";
        text += word;
    }
    text.Truncate(length);
    return text;
}
} // namespace

std::vector<Card> GenerateCards(int count)
{
    Source source;
    std::vector<Card> cards(count);
    for (Card& card : cards)
    {
        card.Question = Text(source);
        card.Answer = Text(source);
        const int answers = source.Between(0, 40);
        for (int i = 0; i < answers; ++i)
            card.History += source.Chance(70) ? 'Y' : 'N';
    }
    return cards;
}

bool WriteGeneratedDeck(const wxString& path, int count)
{
    wxFFile file(path, "wb");
    if (!file.IsOpened())
        return false;
    XmlDeckWriter writer(wxFileName(path).GetPath(), [&file](const char* data, size_t size)
                         { return file.Write(data, size) == size; });
    return writer.Write(GenerateCards(count)) && file.Close();
}
