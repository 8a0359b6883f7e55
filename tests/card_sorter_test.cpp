// SPDX-License-Identifier: GPL-3.0-or-later
// Column order of the deck and the card exchange used to reorder it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "edit/CardSorter.h"
#include "edit/CardSwap.h"

namespace
{
Card MakeCard(const wxString& question, const wxString& answer = "", float score = 0)
{
    Card card;
    card.Question = question;
    card.Answer = answer;
    card.Score = score;
    return card;
}

std::vector<wxString> Questions(const std::vector<Card>& cards)
{
    std::vector<wxString> result;
    for (const Card& card : cards)
        result.push_back(card.Question);
    return result;
}

/// Everything that identifies a card, for checking that sorting only moves cards.
using CardFacts = std::tuple<wxString, wxString, wxString, wxString, wxString, float, int>;
std::vector<CardFacts> Facts(const std::vector<Card>& cards)
{
    std::vector<CardFacts> facts;
    for (const Card& card : cards)
        facts.emplace_back(card.Question, card.Answer, card.History,
                           card.QuestionPicture.GetFullPath(), card.AnswerSound.GetFullPath(),
                           card.Score, card.AnswerCount);
    std::sort(facts.begin(), facts.end());
    return facts;
}
} // namespace

TEST(CardSorter, ComparesTextsByCodePointAndScoresByValue)
{
    const CardSorter byQuestion(0);
    EXPECT_TRUE(byQuestion(MakeCard("Apple"), MakeCard("apple")));
    EXPECT_TRUE(byQuestion(MakeCard("Zebra"), MakeCard("apple")));
    EXPECT_TRUE(byQuestion(MakeCard("ab"), MakeCard("abc")));
    EXPECT_FALSE(byQuestion(MakeCard("abc"), MakeCard("abc")));
    EXPECT_TRUE(byQuestion(MakeCard(""), MakeCard("a")));
    // Code points, not letters: z (7A) < e-acute (E9) < euro sign (20AC) < a CJK ideograph.
    EXPECT_TRUE(byQuestion(MakeCard("z"), MakeCard(wxString::FromUTF8("\xC3\xA9"))));
    EXPECT_TRUE(byQuestion(MakeCard(wxString::FromUTF8("\xC3\xA9")),
                           MakeCard(wxString::FromUTF8("\xE2\x82\xAC"))));
    EXPECT_TRUE(byQuestion(MakeCard(wxString::FromUTF8("\xE2\x82\xAC")),
                           MakeCard(wxString::FromUTF8("\xE6\x9D\xB1"))));
    // The key is the text, not the list label with its picture prefix.
    Card withPicture = MakeCard("b");
    withPicture.QuestionPicture = wxFileName("/tmp/a.png");
    EXPECT_TRUE(byQuestion(MakeCard("a"), withPicture));

    EXPECT_TRUE(CardSorter(1)(MakeCard("z", "A"), MakeCard("a", "B")));
    EXPECT_TRUE(CardSorter(2)(MakeCard("z", "", 37.5f), MakeCard("a", "", 62.5f)));
    EXPECT_FALSE(CardSorter(2)(MakeCard("z", "", 0), MakeCard("a", "", 0)));
}

TEST(CardSorter, SortsTheDeckAscendingWithoutLosingAnything)
{
    std::vector<Card> cards;
    for (const char* q : {"b", "B", "ab", "a", "A", "Ab", "", "b"})
        cards.push_back(MakeCard(q));
    CardSorter(0).Sort(cards);
    EXPECT_EQ(Questions(cards), (std::vector<wxString>{"", "A", "Ab", "B", "a", "ab", "b", "b"}));
    CardSorter(0).Sort(cards);
    EXPECT_EQ(Questions(cards), (std::vector<wxString>{"", "A", "Ab", "B", "a", "ab", "b", "b"}));

    std::vector<Card> none;
    CardSorter(1).Sort(none);
    EXPECT_TRUE(none.empty());
}

TEST(CardSorter, EveryColumnOrdersARandomDeckLikeTheComparison)
{
    std::mt19937 random(7);
    const wxString letters = wxString::FromUTF8("aAbBzZ \xC3\xA9\xC3\x89\xE2\x82\xAC\xE6\x9D\xB1");
    std::vector<Card> deck;
    for (int i = 0; i < 2000; ++i)
    {
        Card card;
        for (int n = random() % 6; n > 0; --n)
            card.Question += letters[random() % letters.length()];
        for (int n = random() % 4; n > 0; --n)
            card.Answer += letters[random() % letters.length()];
        for (int n = random() % 12; n > 0; --n)
            card.History += random() % 3 ? 'Y' : 'N';
        card.Score = float(random() % 9) * 12.5f;
        card.AnswerCount = i;
        if (i % 7 == 0)
            card.QuestionPicture = wxFileName(wxString::Format("/pictures/%d.png", i));
        if (i % 11 == 0)
            card.AnswerSound = wxFileName(wxString::Format("/sounds/%d.wav", i));
        deck.push_back(card);
    }
    const std::vector<CardFacts> before = Facts(deck);
    for (int column = 0; column < 3; ++column)
    {
        std::vector<Card> cards = deck;
        CardSorter(column).Sort(cards);
        EXPECT_TRUE(std::is_sorted(cards.begin(), cards.end(), CardSorter(column))) << column;
        EXPECT_EQ(Facts(cards), before) << column;
    }
}

TEST(CardSwap, ExchangesEveryPartOfTwoCards)
{
    Card a = MakeCard("qa", "aa", 12.5f);
    a.History = "YN";
    a.AnswerCount = 3;
    a.QuestionPicture = wxFileName("/p/a.png");
    a.AnswerSound = wxFileName("/s/a.wav");
    Card b = MakeCard("qb", "ab", 100);
    b.History = "Y";
    b.AnswerPicture = wxFileName("/p/b.png");
    b.QuestionSound = wxFileName("/s/b.wav");
    SwapCards(a, b);
    EXPECT_EQ(a.Question, "qb");
    EXPECT_EQ(a.Answer, "ab");
    EXPECT_EQ(a.History, "Y");
    EXPECT_EQ(a.Score, 100);
    EXPECT_EQ(a.AnswerCount, 0);
    EXPECT_FALSE(a.QuestionPicture.IsOk());
    EXPECT_EQ(a.AnswerPicture.GetFullPath(), "/p/b.png");
    EXPECT_EQ(a.QuestionSound.GetFullPath(), "/s/b.wav");
    EXPECT_FALSE(a.AnswerSound.IsOk());
    EXPECT_EQ(b.Question, "qa");
    EXPECT_EQ(b.History, "YN");
    EXPECT_EQ(b.Score, 12.5f);
    EXPECT_EQ(b.AnswerCount, 3);
    EXPECT_EQ(b.QuestionPicture.GetFullPath(), "/p/a.png");
    EXPECT_EQ(b.AnswerSound.GetFullPath(), "/s/a.wav");
    EXPECT_FALSE(b.AnswerPicture.IsOk());
}
