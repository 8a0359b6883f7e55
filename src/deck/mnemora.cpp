// Deck state, scores, learned test and next-card selection.
#include "deck/mnemora.h"

#include <random>

#include "app/Options.h"

std::vector<Card> Cards;
std::vector<Card*> ActiveCards;
int CurCard = -1;
int LastSelectedCard = 0;
wxFileName FileName("Untitled");
bool Modified = false;

namespace
{
// std::mt19937 default-constructed is MT19937 with the reference seed 5489.
std::mt19937& Generator()
{
    static std::mt19937 generator;
    return generator;
}
} // namespace

void UpdateScores()
{
    for (Card& card : Cards)
    {
        const size_t length = card.History.length();
        if (length == 0)
        {
            card.Score = 0;
            continue;
        }
        const size_t start = length > 10 ? length - 10 : 0;
        int right = 0;
        int wrong = 0;
        for (size_t i = start; i < length; ++i)
        {
            if (card.History[i] == 'Y')
                ++right;
            else
                ++wrong;
        }
        card.Score = static_cast<float>(static_cast<double>(right) / (right + wrong) * 100.0);
    }
}

bool AllCardsLearned()
{
    UpdateScores();
    for (const Card* card : ActiveCards)
    {
        if (static_cast<float>(Options.MinScore) > card->Score)
            return false;
        if (card->AnswerCount < Options.MinAnswerCount)
            return false;
    }
    return true;
}

float CardWeight(const Card& card)
{
    float weight = card.AnswerCount == 0 ? 755.0f : 5.0f;
    if (card.AnswerCount < Options.MinAnswerCount)
        weight += 10.0f;
    const long length = static_cast<long>(card.History.length());
    float step = 50.0f;
    for (long back = 0; back < 10; ++back)
    {
        const long pos = length - 1 - back;
        if (pos < 0)
            weight += step * 0.25f;
        else if (card.History[pos] == 'N')
            weight += step;
        if (step > 10.0f)
            step -= 10.0f;
    }
    return weight;
}

int SelectNextCard()
{
    const int count = static_cast<int>(ActiveCards.size());
    if (count == 0)
        return -1;
    int result = 0;
    if (!Options.ShuffleCards)
    {
        result = (LastSelectedCard + 1) % count;
        if (result < 0)
            result = 0;
    }
    else
    {
        float total = 0;
        for (const Card* card : ActiveCards)
            total += CardWeight(*card);
        const float target = static_cast<float>(RandomReal() * total);
        float sum = 0;
        result = count - 1; // float rounding can leave target just above the last sum
        for (int i = 0; i < count; ++i)
        {
            sum += CardWeight(*ActiveCards[i]);
            if (target <= sum)
            {
                result = i;
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
