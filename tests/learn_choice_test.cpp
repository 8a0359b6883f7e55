// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the weakest cards not yet in play, and reading the typed number of cards.
#include <gtest/gtest.h>

#include <vector>

#include "deck/Card.h"
#include "study/LearnChoice.h"

namespace
{
std::vector<Card> Deck(const std::vector<float>& scores)
{
    std::vector<Card> cards(scores.size());
    for (size_t i = 0; i < scores.size(); ++i)
        cards[i].Score = scores[i];
    return cards;
}

std::vector<int> Indices(const std::vector<Card>& cards, const std::vector<Card*>& chosen)
{
    std::vector<int> indices;
    for (Card* card : chosen)
        indices.push_back(int(card - cards.data()));
    return indices;
}
} // namespace

TEST(LearnChoice, WeakestFirstThenDeckOrderAmongEqualScores)
{
    std::vector<Card> cards = Deck({40, 20, 20, 90, 0, 100, 20});
    EXPECT_EQ(Indices(cards, WeakestCardsNotInPlay(cards, {}, 4)), (std::vector<int>{4, 1, 2, 6}));
    EXPECT_EQ(Indices(cards, WeakestCardsNotInPlay(cards, {&cards[4], &cards[2]}, 3)),
              (std::vector<int>{1, 6, 0}));
    EXPECT_EQ(Indices(cards, WeakestCardsNotInPlay(cards, {&cards[0]}, 100)),
              (std::vector<int>{4, 1, 2, 6, 3, 5}));
    EXPECT_TRUE(WeakestCardsNotInPlay(cards, {}, 0).empty());
    EXPECT_TRUE(WeakestCardsNotInPlay(cards, {}, -3).empty());
    std::vector<Card> none;
    EXPECT_TRUE(WeakestCardsNotInPlay(none, {}, 3).empty());
}

TEST(LearnChoice, AllEqualScoresKeepDeckOrderOnALargeDeck)
{
    std::vector<Card> cards(20000);
    const std::vector<Card*> chosen = WeakestCardsNotInPlay(cards, {&cards[0]}, 19999);
    ASSERT_EQ(chosen.size(), 19999u);
    for (size_t i = 0; i < chosen.size(); ++i)
        ASSERT_EQ(chosen[i], &cards[i + 1]);
}

TEST(LearnChoice, LeadingNumberOfTypedText)
{
    EXPECT_EQ(LeadingNumber("12"), 12);
    EXPECT_EQ(LeadingNumber("  +7 cards"), 7);
    EXPECT_EQ(LeadingNumber("-3"), -3);
    EXPECT_EQ(LeadingNumber("0"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("many"), 0);
    EXPECT_EQ(LeadingNumber("x5"), 0);
    EXPECT_EQ(LeadingNumber("- 5"), 0);
    EXPECT_EQ(LeadingNumber("4.9"), 4);
    EXPECT_EQ(LeadingNumber("99999999999999999999999"), 2147483647);
    EXPECT_EQ(LeadingNumber("-99999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(LeadingNumber(wxString::FromUTF8("\xd9\xa3")), 0) << "only ASCII digits count";
}

TEST(LearnChoice, CountLimitedToTheCardsLeft)
{
    EXPECT_EQ(ClampCount(3, 10), 3);
    EXPECT_EQ(ClampCount(3, 2), 2);
    EXPECT_EQ(ClampCount(0, 12), 1);
    EXPECT_EQ(ClampCount(-5, 12), 1);
    EXPECT_EQ(ClampCount(50, 12), 12);
    EXPECT_EQ(ClampCount(1, 1), 1);
    EXPECT_EQ(ClampCount(3, 0), 0);
}
