// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds over the desktop's accessibility bus: the card being studied, the
// card list's rows, the learn panel's cards and the editor's preview in German, read by a
// separate reader process.
#include "FrameFixture.h"

#include <wx/listctrl.h>
#include <wx/utils.h>

#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
#include "study/MneTestPanel.h"

namespace
{
/// The named objects of the comma-separated `roles` that a reader process finds over the
/// accessibility bus, a line "name|description|states" each; the event loop runs meanwhile to
/// answer the reader.
std::string Read(const std::string& roles)
{
    YieldFor(100);
    wxArrayString output;
    wxExecute(wxString::Format("/usr/bin/python3 %s/tests/atspi_tree.py %lu '%s'",
                               getenv("MNEMORA_SOURCE_DIR"), wxGetProcessId(), roles),
              output, wxEXEC_NODISABLE);
    return wxJoin(output, '\n', '\0').utf8_string();
}

class AccessibilityTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Options.ShuffleCards = false;
        AddCard("The **capital** of //France//?\nIn one word", "YYN");
        Cards[0].Answer = "__Paris__";
        AddCard("Capital of Spain");
        Cards[1].AnswerPicture = wxFileName(Dir + "/madrid.png");
        AddCard("Capital of Italy", "N");
    }
};
} // namespace

TEST_F(AccessibilityTest, TheStudiedCardSaysItsQuestionThenItsAnswer)
{
    Options.TestMode = tmQuiz;
    ActiveCards = {&Cards[0], &Cards[1], &Cards[2]};
    Frame->ShowPanel(pnStudy);
    const std::string question = "The capital of France?\\nIn one word";
    EXPECT_EQ(Read("panel"), question + "|Question: " + question + "|");
    ClickButton(Frame->TestPanel, MneTestPanel::idShowAnswer);
    EXPECT_EQ(Read("panel"), question + "\\nParis|Question: " + question + "\\nAnswer: Paris|");
    // The next card has a picture on its answer side.
    ClickButton(Frame->TestPanel, MneTestPanel::idCorrect);
    ClickButton(Frame->TestPanel, MneTestPanel::idShowAnswer);
    EXPECT_EQ(Read("panel"), "Capital of Spain\\nanswer of Capital of Spain\\npicture|Question: "
                             "Capital of Spain\\nAnswer: answer of Capital of Spain\\npicture|");
    Frame->ShowPanel(pnCardList);
}

TEST_F(AccessibilityTest, TheCardListReadsAsAListOfRowsFollowingTheSelection)
{
    Frame->ShowPanel(pnCardList);
    wxListView* list =
        dynamic_cast<wxListView*>(Frame->EditPanel->FindWindow(MneEditPanel::idList));
    list->Select(0);
    list->Focus(0);
    list->Select(2);
    EXPECT_EQ(Read("list,list item"),
              "Card List||focused\n"
              "The capital of France? In one word, Paris, Score 67%||selected,focused\n"
              "Capital of Spain, (madrid.png) answer of Capital of Spain||\n"
              "Capital of Italy, answer of Capital of Italy, Score 0%||selected");
}

TEST_F(AccessibilityTest, TheLearnPanelListsItsCardsWithTheNewOnesMarked)
{
    Options.TestMode = tmLearn;
    Options.CardIncrement = 2;
    ActiveCards.push_back(&Cards[2]);
    Frame->ShowPanel(pnLearn);
    EXPECT_EQ(Read("list,list item"), "Learn Cards||focused\nCapital of Italy||\n"
                                      "The capital of France?\\nIn one word, new card||\n"
                                      "Capital of Spain, new card||");
    Frame->ShowPanel(pnCardList);
}

TEST_F(AccessibilityTest, TheEditorsPreviewSpeaksGerman)
{
    // The card's texts are translated as they are spoken.
    mneApp::InitLocale(wxLANGUAGE_GERMAN);
    Frame->AddPanel->SetCard(1, false);
    Frame->ShowPanel(pnEditor);
    ClickButton(Frame->AddPanel, MneAddPanel::idPreview);
    EXPECT_EQ(Read("panel"), "Capital of Spain\\nanswer of Capital of Spain\\nBild|Frage: Capital "
                             "of Spain\\nAntwort: answer of Capital of Spain\\nBild|");
    Frame->ShowPanel(pnCardList);
    delete Locale;
    Locale = nullptr;
}
