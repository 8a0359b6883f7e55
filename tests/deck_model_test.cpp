// SPDX-License-Identifier: GPL-3.0-or-later
// Scores, learned test, weights and next-card selection.
#include <gtest/gtest.h>

#include "app/Options.h"
#include "deck/mnemora.h"

namespace
{
class DeckModel : public testing::Test
{
protected:
    void SetUp() override
    {
        Cards.clear();
        ActiveCards.clear();
        Options = MneOptions();
        LastSelectedCard = 0;
        ResetRandom();
    }

    static void MakeActive(int count)
    {
        Cards.assign(count, Card());
        ActiveCards.clear();
        for (Card& card : Cards)
            ActiveCards.push_back(&card);
    }
};

float ScoreOf(const char* history)
{
    Cards.assign(1, Card());
    Cards[0].History = history;
    UpdateScores();
    return Cards[0].Score;
}
} // namespace

TEST_F(DeckModel, ScoreCountsTheNewestTenAnswersAndAnythingButYAsAMiss)
{
    EXPECT_EQ(ScoreOf(""), 0.0f);
    EXPECT_EQ(ScoreOf("Y"), 100.0f);
    EXPECT_EQ(ScoreOf("N"), 0.0f);
    EXPECT_EQ(ScoreOf("YYYYYYYYYYN"), 90.0f);
    EXPECT_NEAR(ScoreOf("YNX"), 33.333f, 0.001f);
    EXPECT_EQ(ScoreOf("NNNYYYYYYYY"), 80.0f);
}

TEST_F(DeckModel, AllCardsLearnedUsesBothThresholds)
{
    EXPECT_TRUE(AllCardsLearned());
    MakeActive(1);
    Cards[0].History = "YYYYNYYYYN";
    Cards[0].AnswerCount = 2;
    EXPECT_TRUE(AllCardsLearned());
    Cards[0].AnswerCount = 1;
    EXPECT_FALSE(AllCardsLearned());
    Cards[0].AnswerCount = 2;
    Options.MinScore = 81;
    EXPECT_FALSE(AllCardsLearned());
}

TEST_F(DeckModel, CardWeightFollowsTheWorkedExamples)
{
    Card fresh;
    EXPECT_FLOAT_EQ(CardWeight(fresh), 815.0f);
    Card once;
    once.History = "Y";
    once.AnswerCount = 1;
    EXPECT_FLOAT_EQ(CardWeight(once), 52.5f);
    Card twice;
    twice.History = "NYYYYYYYYY";
    twice.AnswerCount = 2;
    EXPECT_FLOAT_EQ(CardWeight(twice), 15.0f);
}

TEST_F(DeckModel, SequentialSelectionWrapsAround)
{
    Options.ShuffleCards = false;
    MakeActive(3);
    LastSelectedCard = -1;
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i)
        seen.push_back(SelectNextCard());
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(LastSelectedCard, 1);
}

TEST_F(DeckModel, ShuffledSelectionIsRepeatableAndFavoursUnansweredCards)
{
    MakeActive(1);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(SelectNextCard(), 0);

    MakeActive(10);
    for (int i = 1; i < 10; ++i)
    {
        Cards[i].AnswerCount = 3;
        Cards[i].History = "YYYYYYYYYY";
    }
    ResetRandom();
    std::vector<int> first;
    int freshDraws = 0;
    for (int i = 0; i < 200; ++i)
    {
        first.push_back(SelectNextCard());
        freshDraws += first.back() == 0;
    }
    EXPECT_GT(freshDraws, 150);
    ResetRandom();
    std::vector<int> second;
    for (int i = 0; i < 200; ++i)
        second.push_back(SelectNextCard());
    EXPECT_EQ(first, second);
}

TEST_F(DeckModel, SelectionWithNoActiveCardsTouchesNothing)
{
    LastSelectedCard = 7;
    EXPECT_EQ(SelectNextCard(), -1);
    EXPECT_EQ(LastSelectedCard, 7);
}

TEST_F(DeckModel, GeneratorStartsFromTheReferenceSeed)
{
    // The first outputs of MT19937 seeded with 5489 are 3499211612 and 581869302.
    EXPECT_EQ(RandomInt31(), 3499211612u >> 1);
    EXPECT_DOUBLE_EQ(RandomReal(), 581869302.0 / 4294967296.0);
}

TEST_F(DeckModel, LabelsPutPictureThenSoundBeforeTheText)
{
    Card card;
    card.Question = "What is\nthis?";
    EXPECT_EQ(card.GetQuestionLabel(), "What is this?");
    card.QuestionPicture = wxFileName("/img/cat.jpg");
    card.QuestionSound = wxFileName("/snd/meow.wav");
    EXPECT_EQ(card.GetQuestionLabel(), "(cat.jpg) (meow.wav) What is this?");
    EXPECT_EQ(card.GetAnswerLabel(), "");
}

TEST_F(DeckModel, PicturesAreLimitedToFiveHundredPixels)
{
    EXPECT_EQ(LimitPictureSize(wxImage(1000, 400)).GetSize(), wxSize(500, 200));
    EXPECT_EQ(LimitPictureSize(wxImage(400, 1000)).GetSize(), wxSize(200, 500));
    EXPECT_EQ(LimitPictureSize(wxImage(600, 1200)).GetSize(), wxSize(500, 1000));
    EXPECT_EQ(LimitPictureSize(wxImage(300, 200)).GetSize(), wxSize(300, 200));
}
