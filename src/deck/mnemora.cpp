// SPDX-License-Identifier: GPL-3.0-or-later
// Deck state, scores, learned test and next-card selection.
#include "deck/mnemora.h"

#include <random>

#include "deck/DeckSettings.h"

std::vector<Card> Cards;
std::vector<Card*> ActiveCards;
int CurCard = -1;
int LastSelectedCard = 0;
wxFileName FileName("Untitled");
bool Modified = false;

namespace
{
const DeckSettings DefaultDeckSettings{};

// std::mt19937 default-constructed is MT19937 with the reference seed 5489.
std::mt19937& Generator()
{
    static std::mt19937 generator;
    return generator;
}

inline void PrefetchHistory(const Card& card)
{
    __builtin_prefetch(card.History.wx_str());
}
} // namespace

const DeckSettings* CurrentDeckSettings = &DefaultDeckSettings;

void UpdateScores()
{
    // A history lives on the heap, away from its card: fetching a few cards ahead keeps
    // large decks from waiting on memory one card at a time.
    constexpr size_t ahead = 8;
    const size_t count = Cards.size();
    for (size_t index = 0; index < count; ++index)
    {
        if (index + ahead < count)
            PrefetchHistory(Cards[index + ahead]);
        Card& card = Cards[index];
        const size_t length = card.History.length();
        if (length == 0)
        {
            card.Score = 0;
            continue;
        }
        const size_t start = length > 10 ? length - 10 : 0;
        const wxStringCharType* history = card.History.wx_str();
        int right = 0;
        for (size_t i = start; i < length; ++i)
            right += history[i] == wxT('Y');
        const int answers = static_cast<int>(length - start);
        card.Score = static_cast<float>(static_cast<double>(right) / answers * 100.0);
    }
}

void ReplaceDeck(std::vector<Card>& cards, const wxFileName& source)
{
    for (Card& card : cards)
    {
        if (card.QuestionPicture.IsOk() || card.AnswerPicture.IsOk())
            card.LoadPictures();
    }
    ActiveCards.clear();
    Cards.swap(cards);
    UpdateScores();
    FileName = source;
    FileName.SetExt("mnd");
    Modified = true;
}

bool AllCardsLearned()
{
    UpdateScores();
    for (const Card* card : ActiveCards)
    {
        if (static_cast<float>(CurrentDeckSettings->MinScore) > card->Score)
            return false;
        if (card->AnswerCount < CurrentDeckSettings->MinAnswerCount)
            return false;
    }
    return true;
}

float CardWeight(const Card& card)
{
    // Weights of the newest ten positions, newest first.
    static const float steps[10] = {50, 40, 30, 20, 10, 10, 10, 10, 10, 10};
    float weight = card.AnswerCount == 0 ? 755.0f : 5.0f;
    if (card.AnswerCount < CurrentDeckSettings->MinAnswerCount)
        weight += 10.0f;
    const long length = static_cast<long>(card.History.length());
    const wxStringCharType* history = card.History.wx_str();
    // Adding 0 leaves a float unchanged, so the branch-free sum equals the rule's one.
    const long known = length < 10 ? length : 10;
    for (long back = 0; back < known; ++back)
        weight += history[length - 1 - back] == wxT('N') ? steps[back] : 0.0f;
    for (long back = known; back < 10; ++back)
        weight += steps[back] * 0.25f;
    return weight;
}

int SelectNextCard()
{
    const size_t count = ActiveCards.size();
    if (count == 0)
        return -1;
    int result = 0;
    if (!CurrentDeckSettings->ShuffleCards)
    {
        result = static_cast<int>((static_cast<long long>(LastSelectedCard) + 1) %
                                  static_cast<long long>(count));
        if (result < 0)
            result = 0;
    }
    else
    {
        // Each weight is computed once per draw; both sums add the same floats in the same
        // order, so the walk finds the card the two-pass rule finds.
        static std::vector<float> weights;
        weights.resize(count);
        constexpr size_t ahead = 16;
        float total = 0;
        for (size_t i = 0; i < count; ++i)
        {
            if (i + 2 * ahead < count)
                __builtin_prefetch(&ActiveCards[i + 2 * ahead]->History);
            if (i + ahead < count)
                PrefetchHistory(*ActiveCards[i + ahead]);
            weights[i] = CardWeight(*ActiveCards[i]);
            total += weights[i];
        }
        const float target = static_cast<float>(RandomReal() * total);
        float sum = 0;
        result = static_cast<int>(count) - 1; // float rounding can leave target above the last sum
        for (size_t i = 0; i < count; ++i)
        {
            sum += weights[i];
            if (target <= sum)
            {
                result = static_cast<int>(i);
                break;
            }
        }
    }
    LastSelectedCard = result;
    return result;
}

double RandomReal()
{
    return Generator()() * (1.0 / 4294967296.0);
}

std::uint32_t RandomInt31()
{
    return static_cast<std::uint32_t>(Generator()() >> 1);
}

void ResetRandom()
{
    Generator().seed(std::mt19937::default_seed);
}
