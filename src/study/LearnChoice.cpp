// SPDX-License-Identifier: GPL-3.0-or-later
// Chooses the next cards of a Learn-mode stage and reads the count typed by the user.
#include "study/LearnChoice.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <unordered_set>

#include "deck/Card.h"

std::vector<Card*> WeakestCardsNotInPlay(std::vector<Card>& cards, const std::vector<Card*>& active,
                                         int count)
{
    std::vector<Card*> chosen;
    if (count <= 0)
        return chosen;
    // One pass over the deck instead of one per chosen card: the deck position breaks ties,
    // which is exactly "the first in deck order among equal scores".
    const std::unordered_set<const Card*> inPlay(active.begin(), active.end());
    std::vector<std::size_t> candidates;
    candidates.reserve(cards.size());
    for (std::size_t i = 0; i < cards.size(); ++i)
        if (!inPlay.count(&cards[i]))
            candidates.push_back(i);
    const std::size_t n = std::min(candidates.size(), std::size_t(count));
    const auto weaker = [&cards](std::size_t a, std::size_t b)
    {
        if (cards[a].Score != cards[b].Score)
            return cards[a].Score < cards[b].Score;
        return a < b;
    };
    std::partial_sort(candidates.begin(), candidates.begin() + std::ptrdiff_t(n), candidates.end(),
                      weaker);
    chosen.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        chosen.push_back(&cards[candidates[i]]);
    return chosen;
}

int LeadingNumber(const wxString& text)
{
    auto it = text.begin();
    while (it != text.end() && (*it == ' ' || *it == '\t'))
        ++it;
    bool negative = false;
    if (it != text.end() && (*it == '+' || *it == '-'))
    {
        negative = *it == '-';
        ++it;
    }
    long long value = 0;
    for (; it != text.end() && *it >= '0' && *it <= '9'; ++it)
    {
        value = value * 10 + (*it - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return int(negative ? -value : value);
}

int ClampCount(int count, int remaining)
{
    if (remaining <= 0)
        return 0;
    return std::max(1, std::min(count, remaining));
}
