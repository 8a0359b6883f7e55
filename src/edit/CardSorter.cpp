// Column order of the card list.
#include "edit/CardSorter.h"

#include <algorithm>

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
    // A card is costly to copy, so the order is found on pointers and each card is copied once.
    std::vector<const Card*> order;
    order.reserve(cards.size());
    for (const Card& card : cards)
        order.push_back(&card);
    std::sort(order.begin(), order.end(),
              [this](const Card* a, const Card* b) { return (*this)(*a, *b); });
    std::vector<Card> sorted;
    sorted.reserve(cards.size());
    for (const Card* card : order)
        sorted.push_back(*card);
    cards.swap(sorted);
}
