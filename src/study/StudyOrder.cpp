// SPDX-License-Identifier: GPL-3.0-or-later
// Next-card drawing for the study panel and the quiz shuffle.
#include "study/StudyOrder.h"

#include <cstddef>
#include <cstdint>

#include "deck/mnemora.h"
#include "study/CardWeightCache.h"

int SelectCardWithoutRepeat(CardWeightCache& weights, int previousCard, int cardBeforePrevious)
{
    const std::size_t count = ActiveCards.size();
    int card = -1;
    do
        card = weights.SelectNextCard();
    while (card >= 0 &&
           ((count >= 4 && card == cardBeforePrevious) || (count >= 3 && card == previousCard)));
    return card;
}

void ShuffleByDrawAndRemove(std::vector<Card*>& cards)
{
    // A Fenwick tree over "still in the list" finds the k-th remaining card in O(log n), giving
    // the same order as erasing from the list without its quadratic cost on large decks.
    const std::size_t n = cards.size();
    std::vector<std::size_t> tree(n + 1, 0);
    for (std::size_t i = 1; i <= n; ++i)
    {
        tree[i] += 1;
        const std::size_t parent = i + (i & (~i + 1));
        if (parent <= n)
            tree[parent] += tree[i];
    }
    std::size_t top = 1;
    while (top * 2 <= n)
        top *= 2;

    std::vector<Card*> drawn;
    drawn.reserve(n);
    for (std::size_t left = n; left > 0; --left)
    {
        std::size_t rank = RandomInt31() % static_cast<std::uint32_t>(left);
        std::size_t position = 0;
        for (std::size_t step = top; step > 0; step /= 2)
        {
            if (position + step <= n && tree[position + step] <= rank)
            {
                position += step;
                rank -= tree[position];
            }
        }
        drawn.push_back(cards[position]);
        for (std::size_t i = position + 1; i <= n; i += i & (~i + 1))
            tree[i] -= 1;
    }
    cards.swap(drawn);
}
