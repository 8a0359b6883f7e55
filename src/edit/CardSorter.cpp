// SPDX-License-Identifier: GPL-3.0-or-later
// Column order of the card list.
#include "edit/CardSorter.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "edit/CardSwap.h"

namespace
{
// The text keys compare the strings' own characters, so they must be code points.
static_assert(std::is_same<wxStringCharType, wchar_t>::value && sizeof(wchar_t) == 4,
              "card texts must be stored as UTF-32");

/// Moves the cards into the given order (order[i]: the index of the card that belongs at i),
/// exchanging them along the cycles of the permutation.
void ApplyOrder(std::vector<Card>& cards, std::vector<std::uint32_t>& order)
{
    for (std::uint32_t start = 0; start < order.size(); ++start)
    {
        std::uint32_t position = start;
        while (order[position] != position)
        {
            const std::uint32_t source = order[position];
            order[position] = position;
            if (source == start)
                break;
            SwapCards(cards[position], cards[source]);
            position = source;
        }
    }
}
} // namespace

bool CardSorter::operator()(const Card& a, const Card& b) const
{
    switch (Column)
    {
    case 0:
        return a.Question < b.Question;
    case 1:
        return a.Answer < b.Answer;
    default:
        return a.Score < b.Score;
    }
}

void CardSorter::Sort(std::vector<Card>& cards) const
{
    // A card is large and costly to copy: the order is found on small keys holding the compared
    // value, then the cards are exchanged into place, each moving once.
    std::vector<std::uint32_t> order(cards.size());
    if (Column == 0 || Column == 1)
    {
        struct TextKey
        {
            std::wstring_view Text; // Same order as the toolkit's string comparison.
            std::uint32_t Index;
        };
        std::vector<TextKey> keys;
        keys.reserve(cards.size());
        for (std::uint32_t i = 0; i < cards.size(); ++i)
        {
            const wxString& text = Column == 0 ? cards[i].Question : cards[i].Answer;
            keys.push_back({std::wstring_view(text.wx_str(), text.length()), i});
        }
        std::sort(keys.begin(), keys.end(),
                  [](const TextKey& a, const TextKey& b) { return a.Text < b.Text; });
        for (size_t i = 0; i < keys.size(); ++i)
            order[i] = keys[i].Index;
    }
    else
    {
        std::vector<std::pair<float, std::uint32_t>> keys;
        keys.reserve(cards.size());
        for (std::uint32_t i = 0; i < cards.size(); ++i)
            keys.emplace_back(cards[i].Score, i);
        std::sort(keys.begin(), keys.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t i = 0; i < keys.size(); ++i)
            order[i] = keys[i].second;
    }
    ApplyOrder(cards, order);
}
