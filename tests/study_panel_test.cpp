// SPDX-License-Identifier: GPL-3.0-or-later
// The study panel driven through its buttons inside a real main frame: card order in Review,
// Quiz and Learn modes, answers and scores, the swap coin, the timer and the button states.
#include "FrameFixture.h"

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/stattext.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/mneApp.h"
#include "deck/mnemora.h"
#include "edit/MneEditPanel.h"
#include "study/CardWeightCache.h"
#include "study/MneCardPanel.h"
#include "study/MneLearnPanel.h"
#include "study/MneTestPanel.h"
#include "study/StudyOrder.h"
#include "study/mneQuizDialog.h"

namespace
{
/// Answers the results dialog with its close box and keeps what it showed.
class ExpectResults : public wxExpectModalBase<mneQuizDialog>
{
public:
    mutable wxString Grade;
    mutable wxString Counts;
    mutable bool Shown = false;

protected:
    int OnInvoked(mneQuizDialog* dialog) const override
    {
        Shown = true;
        Grade = dialog->GradeText->GetLabel();
        Counts = dialog->CountsText->GetLabel();
        return wxID_CANCEL;
    }
};

class StudyPanelTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Panel = Frame->TestPanel;
        Options.PlaySounds = false;
        ShowReportFile = [](const wxString&) {};
        ResetRandom();
    }

    void TearDown() override
    {
        FrameTest::TearDown();
        ShowReportFile = OpenInTextViewer;
    }

    void Study(int mode, bool shuffle)
    {
        Options.TestMode = mode;
        Options.ShuffleCards = shuffle;
        Panel->ElapsedSeconds = 0;
        Frame->ShowPanel(pnStudy);
    }

    void Click(int id) { ClickButton(Panel, id); }

    void Answer(bool correct)
    {
        Click(MneTestPanel::idShowAnswer);
        Click(correct ? MneTestPanel::idCorrect : MneTestPanel::idIncorrect);
    }

    /// Deck index of the card on show.
    int Shown() const
    {
        const Card* card = Panel->CardDisplay->DisplayedCard;
        return card ? int(card - Cards.data()) : -1;
    }

    /// The cards shown while answering `answers` times, the first one included.
    std::vector<int> ShownWhileAnswering(int answers, bool correct = true)
    {
        std::vector<int> shown{Shown()};
        for (int i = 0; i < answers; ++i)
        {
            Answer(correct);
            shown.push_back(Shown());
        }
        return shown;
    }

    MneTestPanel* Panel = nullptr;
};

bool Visible(wxWindow* window)
{
    return window->IsShown();
}

// The quiz order by the plain method: draw an index from the reference generator, erase it.
std::vector<int> DrawAndRemoveOrder(int count)
{
    std::mt19937 reference;
    std::vector<int> left;
    for (int i = 0; i < count; ++i)
        left.push_back(i);
    std::vector<int> order;
    while (!left.empty())
    {
        const size_t k = (reference() >> 1) % left.size();
        order.push_back(left[k]);
        left.erase(left.begin() + long(k));
    }
    return order;
}
} // namespace

TEST(StudyOrder, RememberedWeightsDrawExactlyLikeSelectNextCard)
{
    Options = MneOptions();
    Options.ShuffleCards = true;
    auto run = [](bool cached)
    {
        Cards.assign(300, Card());
        ActiveCards.clear();
        for (size_t i = 0; i < Cards.size(); ++i)
        {
            for (size_t k = 0; k < i % 13; ++k)
                Cards[i].History += (i + k) % 4 == 0 ? "N" : "Y";
            Cards[i].AnswerCount = int(i % 4);
            ActiveCards.push_back(&Cards[i]);
        }
        Options.MinAnswerCount = 2;
        ResetRandom();
        CardWeightCache weights;
        std::vector<int> drawn;
        for (int step = 0; step < 3000; ++step)
        {
            if (step == 1000)
                Options.MinAnswerCount = 4;
            if (step == 1500)
                for (Card* card : ActiveCards)
                    card->AnswerCount = 0;
            if (step == 2000)
                ActiveCards[drawn.back()]->History.clear();
            const int card = cached ? weights.SelectNextCard() : SelectNextCard();
            EXPECT_EQ(LastSelectedCard, card);
            drawn.push_back(card);
            ActiveCards[card]->AnswerCount += 1;
            ActiveCards[card]->History += step % 3 ? "Y" : "N";
        }
        return drawn;
    };
    const std::vector<int> plain = run(false);
    const std::vector<int> cached = run(true);
    EXPECT_EQ(plain, cached);
    EXPECT_GT(std::set<int>(plain.begin(), plain.end()).size(), 250u);
    ResetDeck();
    Options = MneOptions();
}

TEST(StudyOrder, ShuffleMatchesDrawAndRemove)
{
    for (int count : {0, 1, 2, 7, 1000})
    {
        std::vector<Card> cards(static_cast<size_t>(count));
        std::vector<Card*> list;
        for (Card& card : cards)
            list.push_back(&card);
        ResetRandom();
        ShuffleByDrawAndRemove(list);
        const std::vector<int> order = DrawAndRemoveOrder(count);
        ASSERT_EQ(list.size(), order.size());
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(list[i], &cards[order[i]]) << count << " cards, position " << i;
    }
}

TEST_F(StudyPanelTest, LayoutTextsFontsAndButtonStates)
{
    MakeDeck(3);
    Study(tmReview, false);
    YieldFor(50);

    const wxString instruction =
        "Read the question below and say the answer to yourself.\nThen press Show Answer, "
        "followed by Correct or Incorrect\n(depending on whether you answered correctly).";
    wxString instructionWords = instruction;
    instructionWords.Replace("\n", " ");
    wxStaticText* title = nullptr;
    wxStaticText* header = nullptr;
    for (wxWindow* child : Panel->GetChildren())
        if (wxStaticText* text = dynamic_cast<wxStaticText*>(child))
        {
            wxString words = text->GetLabel();
            words.Replace("\n", " ");
            if (words == instructionWords)
                header = text;
            if (words == "Study Cards")
                title = text;
        }
    ASSERT_NE(header, nullptr);
    ASSERT_NE(title, nullptr);
    // In a narrow window the lines are broken again so that all of the text shows.
    EXPECT_LT(Panel->GetClientSize().x, 600);
    EXPECT_LE(header->GetBestSize().x, header->GetSize().x);
    EXPECT_LE(header->GetBestSize().y, header->GetSize().y);
    EXPECT_LE(header->GetRect().GetRight(), title->GetRect().x);
    // Given room, it reads exactly as written.
    Frame->SetSize(1100, 600);
    YieldFor(100);
    EXPECT_EQ(header->GetLabel(), instruction);
    EXPECT_GT(title->GetSize().y, 3 * header->GetTextExtent("Hg").y / 2);

    const struct
    {
        wxButton* Button;
        const char* Label;
    } buttons[] = {{Panel->CorrectButton, "Correct"},
                   {Panel->IncorrectButton, "Incorrect"},
                   {Panel->ShowAnswerButton, "Show Answer"},
                   {Panel->AddMoreCardsButton, "Add more cards"},
                   {Panel->StopButton, "Stop studying"}};
    for (const auto& b : buttons)
    {
        EXPECT_EQ(b.Button->GetLabel(), b.Label);
        EXPECT_LT(b.Button->GetTextExtent("Hg").y, header->GetTextExtent("Hg").y);
    }

    // Question shown.
    EXPECT_TRUE(Visible(Panel->ShowAnswerButton));
    EXPECT_FALSE(Visible(Panel->CorrectButton));
    EXPECT_FALSE(Visible(Panel->IncorrectButton));
    EXPECT_FALSE(Visible(Panel->AddMoreCardsButton));
    EXPECT_TRUE(Visible(Panel->StopButton));
    EXPECT_TRUE(Visible(Panel->TimerLabel));
    EXPECT_FALSE(Panel->CardDisplay->AnswerShown);
    // The stretchable gap pushes Stop studying to the right edge.
    const wxRect stop = Panel->StopButton->GetRect();
    EXPECT_NEAR(stop.GetRight(), Panel->GetClientSize().x - 10, 2);
    EXPECT_LT(Panel->ShowAnswerButton->GetRect().GetRight(), stop.GetLeft());

    Click(MneTestPanel::idShowAnswer);
    EXPECT_TRUE(Panel->CardDisplay->AnswerShown);
    EXPECT_FALSE(Visible(Panel->ShowAnswerButton));
    EXPECT_TRUE(Visible(Panel->CorrectButton));
    EXPECT_TRUE(Visible(Panel->IncorrectButton));
    EXPECT_TRUE(Visible(Panel->StopButton));
    EXPECT_LT(Panel->CorrectButton->GetRect().GetRight(), Panel->IncorrectButton->GetRect().x);

    Click(MneTestPanel::idIncorrect);
    EXPECT_TRUE(Visible(Panel->ShowAnswerButton));
    EXPECT_FALSE(Visible(Panel->CorrectButton));
    EXPECT_FALSE(Panel->CardDisplay->AnswerShown);
}

TEST_F(StudyPanelTest, KeyboardFocusMovesToTheNextStep)
{
    MakeDeck(3);
    Frame->EditPanel->SetFocus();
    Study(tmReview, false);
    YieldFor(50);
    EXPECT_EQ(wxWindow::FindFocus(), Panel->FindWindow(MneTestPanel::idShowAnswer));
    Click(MneTestPanel::idShowAnswer);
    YieldFor(20);
    EXPECT_EQ(wxWindow::FindFocus(), Panel->FindWindow(MneTestPanel::idCorrect));
    Click(MneTestPanel::idIncorrect);
    YieldFor(20);
    EXPECT_EQ(wxWindow::FindFocus(), Panel->FindWindow(MneTestPanel::idShowAnswer));
}

TEST_F(StudyPanelTest, ReviewInDeckOrderRecordsEveryAnswer)
{
    MakeDeck(5);
    Study(tmReview, false);
    EXPECT_EQ(Frame->GetTitle(), "Untitled - Mnemora");
    const std::vector<int> shown = ShownWhileAnswering(11, true);
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1}));
    Answer(false);
    EXPECT_EQ(Cards[0].History, "YYY");
    EXPECT_EQ(Cards[1].History, "YYN");
    EXPECT_EQ(Cards[1].AnswerCount, 3);
    EXPECT_EQ(Cards[4].History, "YY");
    EXPECT_EQ(AnsweredCount, 12);
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "Untitled* - Mnemora");

    Click(MneTestPanel::idStop);
    EXPECT_EQ(CurrentPanel, pnCardList);
    EXPECT_FALSE(Panel->Timer.IsRunning());
}

TEST_F(StudyPanelTest, ShuffledReviewKeepsTheRepeatRules)
{
    // Two cards may repeat.
    MakeDeck(2);
    Study(tmReview, true);
    std::vector<int> shown = ShownWhileAnswering(60, false);
    int repeats = 0;
    for (size_t i = 1; i < shown.size(); ++i)
        repeats += shown[i] == shown[i - 1];
    EXPECT_GT(repeats, 0);

    // Three cards: never the same card twice in a row.
    MakeDeck(3);
    Study(tmReview, true);
    shown = ShownWhileAnswering(150, false);
    for (size_t i = 1; i < shown.size(); ++i)
        ASSERT_NE(shown[i], shown[i - 1]) << "at answer " << i;
    EXPECT_EQ(std::set<int>(shown.begin(), shown.end()).size(), 3u);

    // Four or five cards: neither of the last two comes again.
    for (int count : {4, 5})
    {
        MakeDeck(count);
        Study(tmReview, true);
        shown = ShownWhileAnswering(150, count == 4);
        for (size_t i = 2; i < shown.size(); ++i)
        {
            ASSERT_NE(shown[i], shown[i - 1]) << count << " cards, answer " << i;
            ASSERT_NE(shown[i], shown[i - 2]) << count << " cards, answer " << i;
        }
        EXPECT_EQ(std::set<int>(shown.begin(), shown.end()).size(), size_t(count));
    }
}

TEST_F(StudyPanelTest, TheSameAnswersDrawTheSameCardsInEveryRun)
{
    Options.SwapQuestionAnswer = true;
    auto run = [this]
    {
        ResetRandom();
        MakeDeck(6);
        Study(tmReview, true);
        std::vector<int> trace;
        for (int i = 0; i < 40; ++i)
        {
            trace.push_back(Shown() * 2 + (Panel->CardDisplay->Swapped ? 1 : 0));
            Answer(Shown() % 2 == 0);
        }
        return trace;
    };
    const std::vector<int> first = run();
    const std::vector<int> second = run();
    EXPECT_EQ(first, second);
}

TEST_F(StudyPanelTest, SwapCoinIsTheLowestBitOfAFreshDraw)
{
    // In deck order no other draw is made, so the coins are the generator's own sequence.
    MakeDeck(4);
    Options.SwapQuestionAnswer = true;
    Study(tmReview, false);
    std::vector<bool> swapped{Panel->CardDisplay->Swapped};
    for (int i = 0; i < 15; ++i)
    {
        Answer(true);
        swapped.push_back(Panel->CardDisplay->Swapped);
    }
    std::mt19937 reference;
    for (size_t i = 0; i < swapped.size(); ++i)
        EXPECT_EQ(swapped[i], (((reference() >> 1) & 1) != 0)) << "card " << i;

    // Without swapping nothing is drawn and the question stays on top.
    Options.SwapQuestionAnswer = false;
    ResetRandom();
    Study(tmReview, false);
    Answer(true);
    EXPECT_FALSE(Panel->CardDisplay->Swapped);
    std::mt19937 fresh;
    EXPECT_EQ(RandomInt31(), fresh() >> 1);
}

TEST_F(StudyPanelTest, QuizInDeckOrderEndsWithTheResultsAndTheCardList)
{
    MakeDeck(3);
    Study(tmQuiz, false);
    std::vector<int> shown{Shown()};
    Answer(true);
    shown.push_back(Shown());
    Answer(false);
    shown.push_back(Shown());
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(CurrentPanel, pnStudy);

    ExpectResults results;
    Click(MneTestPanel::idShowAnswer);
    wxTEST_DIALOG(Click(MneTestPanel::idCorrect), results);
    EXPECT_TRUE(results.Shown);
    EXPECT_EQ(results.Grade, "Grade: D (66.67%)");
    EXPECT_EQ(results.Counts, "Correct answers: 2\nIncorrect answers: 1");
    EXPECT_EQ(QuizCorrectCount, 2);
    EXPECT_EQ(CurCard, 2);
    EXPECT_EQ(CurrentPanel, pnCardList);
    EXPECT_FALSE(Panel->Timer.IsRunning());
    EXPECT_EQ(Cards[1].History, "N");
}

TEST_F(StudyPanelTest, ShuffledQuizAsksEveryCardOnceInDrawAndRemoveOrder)
{
    MakeDeck(8);
    Study(tmQuiz, true);
    const std::vector<int> order = DrawAndRemoveOrder(8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(ActiveCards[i], &Cards[order[i]]);

    std::vector<int> asked;
    for (int i = 0; i < 7; ++i)
    {
        asked.push_back(Shown());
        Answer(true);
    }
    asked.push_back(Shown());
    ExpectResults results;
    Click(MneTestPanel::idShowAnswer);
    wxTEST_DIALOG(Click(MneTestPanel::idCorrect), results);
    EXPECT_TRUE(results.Shown);
    EXPECT_EQ(results.Grade, "Grade: A+ (100.00%)");
    std::vector<int> sorted = asked;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_NE(asked, sorted) << "eight cards came out in deck order";
}

TEST_F(StudyPanelTest, WithoutKeepScoreAnswersLeaveTheDeckAlone)
{
    MakeDeck(3, "NY");
    Options.KeepScore = false;
    Study(tmReview, false);
    ShownWhileAnswering(5, true);
    for (const Card& card : Cards)
    {
        EXPECT_EQ(card.History, "NY");
        EXPECT_EQ(card.AnswerCount, 0);
    }
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "Untitled - Mnemora");
    EXPECT_EQ(AnsweredCount, 5);

    Study(tmQuiz, false);
    Answer(true);
    Answer(false);
    ExpectResults results;
    Click(MneTestPanel::idShowAnswer);
    wxTEST_DIALOG(Click(MneTestPanel::idCorrect), results);
    EXPECT_EQ(results.Counts, "Correct answers: 2\nIncorrect answers: 1");
    EXPECT_EQ(Cards[0].History, "NY");
    EXPECT_FALSE(Modified);
}

TEST_F(StudyPanelTest, TimerLabelFollowsTheShowTimerOption)
{
    MakeDeck(3);
    Options.ShowTimer = true;
    Study(tmReview, false);
    EXPECT_EQ(Panel->TimerLabel->GetLabel(), "00:00");
    EXPECT_EQ(Panel->ElapsedSeconds, 1);
    EXPECT_TRUE(Panel->Timer.IsRunning());
    EXPECT_EQ(Panel->Timer.GetInterval(), 1000);

    // The real timer ticks once a second.
    YieldFor(1300);
    EXPECT_GE(Panel->ElapsedSeconds, 2);
    EXPECT_EQ(Panel->TimerLabel->GetLabel(),
              wxString::Format("00:%02d", Panel->ElapsedSeconds - 1));

    Panel->ElapsedSeconds = 125;
    wxTimerEvent tick(Panel->Timer);
    Panel->OnTimer(tick);
    EXPECT_EQ(Panel->TimerLabel->GetLabel(), "02:05");
    Panel->ElapsedSeconds = 6000;
    Panel->OnTimer(tick);
    EXPECT_EQ(Panel->TimerLabel->GetLabel(), "100:00");

    // Hidden: the label is empty but seconds go on counting.
    Options.ShowTimer = false;
    Panel->ElapsedSeconds = 0;
    Study(tmReview, false);
    EXPECT_EQ(Panel->TimerLabel->GetLabel(), "");
    Panel->ElapsedSeconds = 42;
    // Switched on mid-run through the menu: the whole time shows at once.
    wxMenuItem* item = Frame->GetMenuBar()->FindItem(MneFrame::idShowTimer);
    item->Check(true);
    wxCommandEvent command(wxEVT_MENU, MneFrame::idShowTimer);
    command.SetEventObject(Frame);
    command.SetInt(1);
    Frame->ProcessWindowEvent(command);
    EXPECT_TRUE(Options.ShowTimer);
    EXPECT_EQ(Panel->TimerLabel->GetLabel(), "00:42");
    EXPECT_EQ(Panel->ElapsedSeconds, 43);
    EXPECT_GT(Panel->TimerLabel->GetSize().x, 0) << "the label got its room in the row again";
    EXPECT_LT(Panel->TimerLabel->GetRect().GetRight(), Panel->StopButton->GetRect().x);
}

TEST_F(StudyPanelTest, LearnModeCongratulatesOnceAndOffersMoreCards)
{
    MakeDeck(5, "YYYYYYYYYY");
    ActiveCards.resize(3);
    for (Card* card : ActiveCards)
        card->AnswerCount = 2;
    // The learn panel has just added the last two of the three.
    NewCards = {ActiveCards[1], ActiveCards[2]};
    Options.ShuffleCards = false;
    Options.TestMode = tmLearn;
    ExpectMessage message;
    wxTEST_DIALOG(Frame->ShowPanel(pnStudy), message);
    EXPECT_EQ(message.Message,
              "Congratulations!  All cards have an average score of 80% or higher.\n\nClick Add "
              "More Cards to add more cards from the deck, or continue\npracticing the current "
              "set.");
    EXPECT_EQ(message.Caption, "Mnemora");
    EXPECT_TRUE(message.Style & wxICON_INFORMATION);
    EXPECT_TRUE(Panel->Congratulated);
    EXPECT_TRUE(Panel->Timer.IsRunning());
    EXPECT_TRUE(Visible(Panel->AddMoreCardsButton));
    // Drawing starts with the first of the new cards.
    EXPECT_EQ(Shown(), 1);

    // Studying goes on without a second message; Add more cards stays in both states.
    Answer(true);
    Click(MneTestPanel::idShowAnswer);
    EXPECT_TRUE(Visible(Panel->AddMoreCardsButton));
    Click(MneTestPanel::idCorrect);
    EXPECT_EQ(AnsweredCount, 2);

    Click(MneTestPanel::idAddMoreCards);
    EXPECT_EQ(CurrentPanel, pnLearn);
    EXPECT_FALSE(Panel->Timer.IsRunning());
}

TEST_F(StudyPanelTest, LearnModeWithTheWholeDeckLearnedSaysSo)
{
    MakeDeck(3, "YYYYYYYYYY");
    for (Card* card : ActiveCards)
        card->AnswerCount = 2;
    Options.TestMode = tmLearn;
    ExpectMessage message;
    wxTEST_DIALOG(Frame->ShowPanel(pnStudy), message);
    EXPECT_EQ(message.Message,
              "Congratulations!  The entire deck has a score of 80% or better!\n\nIf you'd like to "
              "take a sample test, click Stop studying and choose\nSelect Study Mode from the "
              "Options menu.");
    EXPECT_FALSE(Visible(Panel->AddMoreCardsButton));

    // Not learned yet: no message until both cards have two answers in this run.
    MakeDeck(2);
    Study(tmLearn, false);
    EXPECT_FALSE(Panel->Congratulated);
    Answer(true);
    Answer(true);
    Answer(true);
    EXPECT_FALSE(Panel->Congratulated);
    ExpectMessage again;
    wxTEST_DIALOG(Answer(true), again);
    EXPECT_TRUE(again.Message.StartsWith("Congratulations!  The entire deck"));
    EXPECT_EQ(Cards[0].History, "YY");
    EXPECT_EQ(Cards[1].History, "YY");
}
