// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds over the desktop's accessibility bus: the card being studied, the
// card list's rows, the learn panel's cards and the editor's preview in German, read by a
// separate reader process.
#include "FrameFixture.h"

#include <wx/listctrl.h>
#include <wx/process.h>
#include <wx/stream.h>
#include <wx/sstream.h>

#include <unistd.h>

#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
#include "study/MneLearnPanel.h"
#include "study/MneTestPanel.h"

namespace
{
/// The objects of `role` that a reader process finds over the accessibility bus, one
/// "name|description|states" each; the event loop runs meanwhile to answer the reader.
std::vector<std::string> Read(const std::string& role)
{
    YieldFor(100);
    wxProcess reader;
    reader.Redirect();
    bool done = false;
    reader.Bind(wxEVT_END_PROCESS, [&done](wxProcessEvent&) { done = true; });
    wxExecute(wxString::Format("/usr/bin/python3 %s/tests/atspi_tree.py %d '%s'",
                               getenv("MNEMORA_SOURCE_DIR"), getpid(), role),
              wxEXEC_ASYNC, &reader);
    for (int waited = 0; !done && waited < 60000; waited += 10)
    {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    wxStringOutputStream output;
    reader.GetInputStream()->Read(output);
    std::vector<std::string> lines;
    for (const wxString& line : wxSplit(output.GetString(), '\n', 0))
        if (!line.empty())
            lines.push_back(line.utf8_string());
    return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class AccessibilityTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Options.PlaySounds = false;
        Options.ShuffleCards = false;
        Options.SwapQuestionAnswer = false;
        AddCard("The **capital** of //France//?\nIn one word", "YYN");
        Cards[0].Answer = "__Paris__";
        AddCard("Capital of Spain", "");
        Cards[1].AnswerPicture = wxFileName(Dir + "/madrid.png");
        AddCard("Capital of Italy", "N");
    }
};
} // namespace

TEST_F(AccessibilityTest, TheStudiedCardSaysItsQuestionThenItsAnswer)
{
    Options.TestMode = tmQuiz;
    for (Card& card : Cards)
        ActiveCards.push_back(&card);
    Frame->ShowPanel(pnStudy);
    const std::string question = "The capital of France?\\nIn one word";
    EXPECT_TRUE(Contains(Read("panel"), question + "|Question: " + question + "|"));

    wxCommandEvent showAnswer(wxEVT_BUTTON, 15003);
    Frame->TestPanel->ProcessWindowEvent(showAnswer);
    EXPECT_TRUE(
        Contains(Read("panel"), question + "\\nParis|Question: " + question + "\\nAnswer: Paris|"));

    // The next card has a picture on its answer side.
    wxCommandEvent correct(wxEVT_BUTTON, 15001);
    Frame->TestPanel->ProcessWindowEvent(correct);
    Frame->TestPanel->ProcessWindowEvent(showAnswer);
    EXPECT_TRUE(Contains(Read("panel"), "Capital of Spain\\nanswer of Capital of Spain\\npicture|"
                                        "Question: Capital of Spain\\nAnswer: answer of Capital of "
                                        "Spain\\npicture|"));
    Frame->ShowPanel(pnCardList);
}

TEST_F(AccessibilityTest, TheCardListReadsAsAListOfRowsFollowingTheSelection)
{
    Frame->ShowPanel(pnCardList);
    const std::string paris = "The capital of France? In one word, Paris, Score 67%||";
    const std::vector<std::string> rows = {
        paris, "Capital of Spain, (madrid.png) answer of Capital of Spain||",
        "Capital of Italy, answer of Capital of Italy, Score 0%||"};
    EXPECT_EQ(Read("list item"), rows);
    EXPECT_EQ(Read("list"), std::vector<std::string>{"Card List||focused"});

    wxListView* list = dynamic_cast<wxListView*>(Frame->EditPanel->FindWindow(10001));
    list->Select(0);
    list->Focus(0);
    list->Select(2);
    EXPECT_EQ(Read("list item"), (std::vector<std::string>{paris + "selected,focused", rows[1],
                                                           rows[2] + "selected"}));
}

TEST_F(AccessibilityTest, TheLearnPanelListsItsCardsWithTheNewOnesMarked)
{
    Options.TestMode = tmLearn;
    Options.CardIncrement = 2;
    ActiveCards.push_back(&Cards[2]);
    Frame->ShowPanel(pnLearn);
    EXPECT_EQ(Read("list item"),
              (std::vector<std::string>{"Capital of Italy||",
                                        "The capital of France?\\nIn one word, new card||",
                                        "Capital of Spain, new card||"}));
    EXPECT_EQ(Read("list"), std::vector<std::string>{"Learn Cards||focused"});
    Frame->ShowPanel(pnCardList);
}

TEST_F(AccessibilityTest, TheEditorsPreviewSpeaksGerman)
{
    // The frame takes its texts in the language of its start.
    mneApp::InitLocale(wxLANGUAGE_GERMAN);
    Frame->Destroy();
    Frame = new MneFrame();
    Frame->AddPanel->SetCard(1, false);
    Frame->ShowPanel(pnEditor);
    wxCommandEvent preview(wxEVT_BUTTON, 10008);
    Frame->AddPanel->ProcessWindowEvent(preview);
    EXPECT_TRUE(Contains(Read("panel"), "Capital of Spain\\nanswer of Capital of Spain\\nBild|"
                                        "Frage: Capital of Spain\\nAntwort: answer of Capital "
                                        "of Spain\\nBild|"));
    Frame->ShowPanel(pnCardList);
    delete Locale;
    Locale = nullptr;
}
