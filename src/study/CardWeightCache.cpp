// SPDX-License-Identifier: GPL-3.0-or-later
// Weighted next-card draw over remembered weights.
#include "study/CardWeightCache.h"

#include "app/Options.h"
#include "deck/mnemora.h"

void CardWeightCache::Clear()
{
    m_entries.clear();
    m_minAnswerCount = -1;
}

void CardWeightCache::Refresh()
{
    if (m_minAnswerCount != Options.MinAnswerCount)
    {
        m_entries.clear();
        m_minAnswerCount = Options.MinAnswerCount;
    }
    m_entries.resize(ActiveCards.size());
    for (std::size_t i = 0; i < ActiveCards.size(); ++i)
    {
        const Card* card = ActiveCards[i];
        Entry& entry = m_entries[i];
        if (entry.card == card && entry.answerCount == card->AnswerCount &&
            entry.historyLength == card->History.length())
            continue;
        entry.card = card;
        entry.answerCount = card->AnswerCount;
        entry.historyLength = card->History.length();
        entry.weight = CardWeight(*card);
    }
}

int CardWeightCache::SelectNextCard()
{
    if (!Options.ShuffleCards || ActiveCards.empty())
        return ::SelectNextCard();
    Refresh();
    // The same 32-bit float sums in the same order as the uncached draw, so both pick alike.
    float total = 0;
    for (const Entry& entry : m_entries)
        total += entry.weight;
    const float target = static_cast<float>(RandomReal() * total);
    const int count = static_cast<int>(m_entries.size());
    int result = count - 1;
    float sum = 0;
    for (int i = 0; i < count; ++i)
    {
        sum += m_entries[i].weight;
        if (target <= sum)
        {
            result = i;
            break;
        }
    }
    LastSelectedCard = result;
    return result;
}
