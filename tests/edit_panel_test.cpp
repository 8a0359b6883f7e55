// SPDX-License-Identifier: GPL-3.0-or-later
// The card list panel driven through its real buttons, list events and keys.
#include "FrameFixture.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/mneApp.h"
#include "deck/mnemora.h"
#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
#include "study/MneTestPanel.h"

namespace
{
Card MakeCard(const wxString& question, const wxString& answer = "a", const wxString& history = "")
{
    Card card;
    card.Question = question;
    card.Answer = answer;
    card.History = history;
    return card;
}

class EditPanel : public FrameTest
{
protected:
    void SetUp() override
    {
        Options = MneOptions();
        FrameTest::SetUp();
        Panel = Frame->EditPanel;
        List = dynamic_cast<wxListView*>(Panel->FindWindow(MneEditPanel::idList));
        ASSERT_NE(List, nullptr);
        YieldFor(10);
    }

    /// Replaces the deck with cards whose questions are "q0", "q1", ... and shows them.
    void LoadCards(int count)
    {
        Cards.clear();
        for (int i = 0; i < count; ++i)
            Cards.push_back(MakeCard(wxString::Format("q%d", i)));
        Panel->ReloadList();
    }

    wxButton* Button(int id) const { return dynamic_cast<wxButton*>(Panel->FindWindow(id)); }

    void Click(int id) { ClickButton(Panel, id); }

    void SendListEvent(wxEventType type, long index = -1, int column = -1, int key = -1)
    {
        wxListEvent event(type, List->GetId());
        event.SetEventObject(List);
        event.m_itemIndex = index;
        event.m_col = column;
        event.m_code = key;
        List->GetEventHandler()->ProcessEvent(event);
    }

    std::vector<wxString> Questions() const
    {
        std::vector<wxString> result;
        for (const Card& card : Cards)
            result.push_back(card.Question);
        return result;
    }

    std::vector<long> SelectedRows() const
    {
        std::vector<long> rows;
        for (long row = List->GetFirstSelected(); row != -1; row = List->GetNextSelected(row))
            rows.push_back(row);
        return rows;
    }

    bool EditEnabled() const { return Button(MneEditPanel::idEditCard)->IsEnabled(); }
    bool DeleteEnabled() const { return Button(MneEditPanel::idDeleteCard)->IsEnabled(); }

    MneEditPanel* Panel = nullptr;
    wxListView* List = nullptr;
};
} // namespace

TEST_F(EditPanel, LaysOutTextsFontsButtonsAndColumns)
{
    EXPECT_EQ(List->GetName(), "listctrl");
    EXPECT_TRUE(List->HasFlag(wxLC_REPORT));
    EXPECT_FALSE(List->HasFlag(wxLC_SINGLE_SEL));
    ASSERT_EQ(List->GetColumnCount(), 3);
    wxListItem heading;
    heading.SetMask(wxLIST_MASK_TEXT);
    const char* headings[] = {"Question", "Answer", "Score"};
    for (int column = 0; column < 3; ++column)
    {
        List->GetColumn(column, heading);
        EXPECT_EQ(heading.GetText(), headings[column]);
    }
    // The widths come from the laid-out width, minus 5, in 45:45:15 parts.
    const int width = List->GetSize().GetWidth() - 5;
    EXPECT_GT(width, 300);
    EXPECT_EQ(List->GetColumnWidth(0), width * 45 / 105);
    EXPECT_EQ(List->GetColumnWidth(1), width * 45 / 105);
    EXPECT_EQ(List->GetColumnWidth(2), width * 15 / 105);

    std::vector<wxString> texts;
    wxStaticText* title = nullptr;
    for (wxWindow* child : Panel->GetChildren())
        if (wxStaticText* text = dynamic_cast<wxStaticText*>(child))
        {
            texts.push_back(text->GetLabel());
            if (text->GetLabel() == "Card List")
                title = text;
        }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0],
              "Add new cards, delete cards and edit cards using the\nbuttons below.  Press "
              "the Study button when you're \nready to begin studying!");
    ASSERT_NE(title, nullptr);
    // The title stands out in large type; the buttons have small labels.
    EXPECT_GT(title->GetSize().y, 3 * Panel->GetTextExtent("Hg").y / 2);
    // The title stands at the right end, level with the middle of the description.
    EXPECT_EQ(title->GetRect().GetRight(), Panel->GetClientSize().x - 11);

    const char* labels[] = {"New Card", "Edit Card", "Delete Card", "Study"};
    for (int id = MneEditPanel::idNewCard; id <= MneEditPanel::idStudy; ++id)
    {
        wxButton* button = Button(id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->GetLabel(), labels[id - MneEditPanel::idNewCard]);
        EXPECT_LT(button->GetTextExtent("Hg").y, Panel->GetTextExtent("Hg").y);
    }
    EXPECT_EQ(Frame->GetDefaultItem(), Button(MneEditPanel::idStudy));
    // The spacer pushes Study to the right end; the other three stay at the left.
    EXPECT_EQ(Button(MneEditPanel::idNewCard)->GetPosition().x, 10);
    EXPECT_EQ(Button(MneEditPanel::idStudy)->GetRect().GetRight(), Panel->GetClientSize().x - 11);
}

TEST_F(EditPanel, EmptyDeckHasNoRowsAndStudyRefuses)
{
    LoadCards(0);
    EXPECT_EQ(List->GetItemCount(), 0);
    EXPECT_FALSE(EditEnabled());
    EXPECT_FALSE(DeleteEnabled());

    ExpectMessage message;
    wxTEST_DIALOG(Click(MneEditPanel::idStudy), message);
    EXPECT_EQ(message.Message, "Add at least one card first.");
    EXPECT_EQ(message.Caption, "Mnemora");
    EXPECT_TRUE(message.Style & wxOK);
    EXPECT_TRUE(message.Style & wxICON_EXCLAMATION);
    // The toolkit parents a message box to the top-level window of the panel given.
    EXPECT_EQ(message.Parent, Frame);
    EXPECT_EQ(CurrentPanel, pnCardList);

    Click(MneEditPanel::idNewCard);
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_TRUE(Cards[0].Question.empty());
    EXPECT_TRUE(Cards[0].History.empty());
    EXPECT_EQ(CurrentPanel, pnEditor);
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "Untitled* - Mnemora");
}

TEST_F(EditPanel, RowsShowLabelsAndScoresRoundedHalfUp)
{
    const char* histories[] = {"", "NNNN", "YNNNNNNN", "YYYNNNNN", "YYYYYNNN", "YYN", "YYYYYYYYYY"};
    const char* expected[] = {"", "0%", "13%", "38%", "63%", "67%", "100%"};
    Cards.clear();
    for (const char* history : histories)
        Cards.push_back(MakeCard("line one\nline two", "answer", history));
    Cards[1].QuestionPicture = wxFileName("/tmp/pic.png");
    Panel->ReloadList();
    ASSERT_EQ(List->GetItemCount(), 7);
    EXPECT_EQ(List->GetItemText(0, 0), "line one line two");
    EXPECT_EQ(List->GetItemText(1, 0), "(pic.png) line one line two");
    EXPECT_EQ(List->GetItemText(0, 1), "answer");
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(List->GetItemText(row, 2), expected[row]) << "history " << histories[row];
}

TEST_F(EditPanel, RefreshRowShowsTheCardAndRebuildsForRowsTheListLacks)
{
    LoadCards(3);
    List->Select(1);
    Cards[1].Question = "changed";
    Cards[1].History = "Y";
    UpdateScores();
    Panel->RefreshRow(1);
    EXPECT_EQ(List->GetItemText(1, 0), "changed");
    EXPECT_EQ(List->GetItemText(1, 2), "100%");
    EXPECT_EQ(SelectedRows(), std::vector<long>{1});

    // A card appended behind the list's back: its row does not exist yet.
    Cards.push_back(MakeCard("new"));
    Panel->RefreshRow(3);
    EXPECT_EQ(List->GetItemCount(), 4);
    EXPECT_EQ(List->GetItemText(3, 0), "new");
    EXPECT_TRUE(SelectedRows().empty());

    List->Select(0);
    Panel->RefreshRow(-1);
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_FALSE(DeleteEnabled());
}

TEST_F(EditPanel, SelectionAndFocusDriveTheButtons)
{
    LoadCards(5);
    EXPECT_FALSE(EditEnabled());
    EXPECT_FALSE(DeleteEnabled());
    List->Focus(2);
    EXPECT_TRUE(EditEnabled());
    EXPECT_FALSE(DeleteEnabled());
    List->Select(2);
    EXPECT_TRUE(DeleteEnabled());
    List->Select(2, false);
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_TRUE(EditEnabled());

    List->Select(4);
    Panel->RefreshList();
    EXPECT_EQ(List->GetFocusedItem(), -1);
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_FALSE(EditEnabled());
    EXPECT_FALSE(DeleteEnabled());
}

TEST_F(EditPanel, KeyboardFocusOnARebuiltListFocusesNoRow)
{
    LoadCards(3);
    Button(MneEditPanel::idNewCard)->SetFocus();
    YieldFor(50);
    List->SetFocus();
    YieldFor(50);
    ASSERT_EQ(wxWindow::FindFocus(), List);
    EXPECT_FALSE(EditEnabled());
    Click(MneEditPanel::idNewCard);
    ASSERT_EQ(Cards.size(), 4u);
    EXPECT_TRUE(Cards[3].Question.empty());
    EXPECT_EQ(Cards[0].Question, "q0");
}

TEST_F(EditPanel, NewCardInsertsBeforeTheFocusedRow)
{
    LoadCards(6);
    List->Focus(3);
    Click(MneEditPanel::idNewCard);
    ASSERT_EQ(Cards.size(), 7u);
    EXPECT_TRUE(Cards[3].Question.empty());
    EXPECT_EQ(Cards[4].Question, "q3");
    EXPECT_EQ(CurrentPanel, pnEditor);
    EXPECT_TRUE(Modified);

    // The Insert key does the same for the focused row.
    Frame->ShowPanel(pnCardList);
    EXPECT_EQ(List->GetItemCount(), 7);
    Modified = false;
    List->Focus(0);
    SendListEvent(wxEVT_LIST_KEY_DOWN, 0, -1, WXK_INSERT);
    ASSERT_EQ(Cards.size(), 8u);
    EXPECT_TRUE(Cards[0].Question.empty());
    EXPECT_TRUE(Modified);

    // Back on the list nothing is focused, so New Card appends.
    Frame->ShowPanel(pnCardList);
    Click(MneEditPanel::idNewCard);
    ASSERT_EQ(Cards.size(), 9u);
    EXPECT_TRUE(Cards[8].Question.empty());
    EXPECT_EQ(Cards[7].Question, "q5");
}

TEST_F(EditPanel, EditAndActivateOpenTheEditor)
{
    LoadCards(4);
    List->Focus(1);
    Click(MneEditPanel::idEditCard);
    EXPECT_EQ(CurrentPanel, pnEditor);
    EXPECT_TRUE(Frame->AddPanel->IsShown());
    EXPECT_FALSE(Panel->IsShown());
    EXPECT_FALSE(Modified);

    Frame->ShowPanel(pnCardList);
    SendListEvent(wxEVT_LIST_ITEM_ACTIVATED, 2);
    EXPECT_EQ(CurrentPanel, pnEditor);
    EXPECT_EQ(Cards.size(), 4u);
}

TEST_F(EditPanel, DeletingSeveralRowsSelectsTheCardThatMovedUp)
{
    LoadCards(10);
    List->Select(2);
    List->Select(5);
    List->Focus(5);
    ASSERT_TRUE(DeleteEnabled());
    Click(MneEditPanel::idDeleteCard);
    EXPECT_EQ(Questions(), (std::vector<wxString>{"q0", "q1", "q3", "q4", "q6", "q7", "q8", "q9"}));
    EXPECT_EQ(List->GetItemCount(), 8);
    EXPECT_EQ(SelectedRows(), std::vector<long>{2});
    EXPECT_EQ(List->GetFocusedItem(), 2);
    EXPECT_EQ(List->GetItemText(2, 0), "q3");
    EXPECT_TRUE(EditEnabled());
    EXPECT_TRUE(DeleteEnabled());
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "Untitled* - Mnemora");
}

TEST_F(EditPanel, DeleteRemovesSelectionsMadeWithoutRowReports)
{
    // Selecting or clearing all rows at once reports no single rows.
    LoadCards(6);
    List->Select(1);
    List->Select(4);
    List->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    List->Select(3);
    ASSERT_EQ(SelectedRows(), std::vector<long>{3});
    Click(MneEditPanel::idDeleteCard);
    EXPECT_EQ(Questions(), (std::vector<wxString>{"q0", "q1", "q2", "q4", "q5"}));

    List->SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    ASSERT_EQ(List->GetSelectedItemCount(), 5);
    Click(MneEditPanel::idDeleteCard);
    EXPECT_TRUE(Cards.empty());
}

TEST_F(EditPanel, DeletingAtTheEndSelectsTheNewLastRow)
{
    LoadCards(5);
    List->Select(4);
    Click(MneEditPanel::idDeleteCard);
    EXPECT_EQ(Questions(), (std::vector<wxString>{"q0", "q1", "q2", "q3"}));
    EXPECT_EQ(SelectedRows(), std::vector<long>{3});

    // The first deleted row is the new last row: the last row is chosen either way.
    List->Select(3, false);
    List->Select(2);
    Click(MneEditPanel::idDeleteCard);
    EXPECT_EQ(Questions(), (std::vector<wxString>{"q0", "q1", "q3"}));
    EXPECT_EQ(SelectedRows(), std::vector<long>{2});

    for (long row = 0; row < List->GetItemCount(); ++row)
        List->Select(row);
    Click(MneEditPanel::idDeleteCard);
    EXPECT_TRUE(Cards.empty());
    EXPECT_EQ(List->GetItemCount(), 0);
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_FALSE(EditEnabled());
    EXPECT_FALSE(DeleteEnabled());
}

TEST_F(EditPanel, DeleteKeyWithoutSelectionRemovesNothingButSelectsTheLastRow)
{
    LoadCards(4);
    List->Focus(1);
    SendListEvent(wxEVT_LIST_KEY_DOWN, 1, -1, WXK_DELETE);
    EXPECT_EQ(Cards.size(), 4u);
    EXPECT_TRUE(Modified);
    EXPECT_EQ(SelectedRows(), std::vector<long>{3});
    EXPECT_EQ(List->GetFocusedItem(), 3);

    // The Delete key removes the selection like the button.
    SendListEvent(wxEVT_LIST_KEY_DOWN, 3, -1, WXK_DELETE);
    EXPECT_EQ(Questions(), (std::vector<wxString>{"q0", "q1", "q2"}));

    // Other keys leave the deck alone.
    Modified = false;
    SendListEvent(wxEVT_LIST_KEY_DOWN, 2, -1, 'A');
    EXPECT_EQ(Cards.size(), 3u);
    EXPECT_FALSE(Modified);
}

TEST_F(EditPanel, ColumnClicksSortTheDeckAscending)
{
    Cards.clear();
    for (const char* question : {"b", "B", "ab", "a", "A", "Ab"})
        Cards.push_back(MakeCard(question, wxString("x") + question));
    Panel->ReloadList();
    List->Select(1);

    const std::vector<wxString> ascending{"A", "Ab", "B", "a", "ab", "b"};
    SendListEvent(wxEVT_LIST_COL_CLICK, -1, 0);
    EXPECT_EQ(Questions(), ascending);
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "Untitled* - Mnemora");
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_EQ(List->GetItemText(0, 0), "A");
    SendListEvent(wxEVT_LIST_COL_CLICK, -1, 0);
    EXPECT_EQ(Questions(), ascending);

    Cards[0].Answer = "z";
    SendListEvent(wxEVT_LIST_COL_CLICK, -1, 1);
    EXPECT_EQ(Questions(), (std::vector<wxString>{"Ab", "B", "a", "ab", "b", "A"}));
}

TEST_F(EditPanel, ScoreSortPutsNeverAnsweredCardsAmongTheZeroes)
{
    Cards.clear();
    Cards.push_back(MakeCard("full", "a", "YY"));
    Cards.push_back(MakeCard("never", "a", ""));
    Cards.push_back(MakeCard("half", "a", "YN"));
    Cards.push_back(MakeCard("wrong", "a", "NN"));
    Panel->ReloadList();
    SendListEvent(wxEVT_LIST_COL_CLICK, -1, 2);
    std::vector<wxString> order = Questions();
    ASSERT_EQ(order.size(), 4u);
    EXPECT_TRUE((order[0] == "never" && order[1] == "wrong") ||
                (order[0] == "wrong" && order[1] == "never"));
    EXPECT_EQ(order[2], "half");
    EXPECT_EQ(order[3], "full");
    EXPECT_EQ(List->GetItemText(2, 2), "50%");
}

TEST_F(EditPanel, StudyFillsTheRunForReviewAndQuizButNotForLearn)
{
    LoadCards(3);
    for (Card& card : Cards)
        card.AnswerCount = 4;
    for (int mode : {tmReview, tmQuiz})
    {
        Frame->ShowPanel(pnCardList);
        Options.TestMode = mode;
        Frame->TestPanel->ElapsedSeconds = 42;
        Options.ShuffleCards = false;
        Click(MneEditPanel::idStudy);
        EXPECT_EQ(CurrentPanel, pnStudy) << mode;
        // The study panel counts its first second as soon as it starts.
        EXPECT_LE(Frame->TestPanel->ElapsedSeconds, 1);
        ASSERT_EQ(ActiveCards.size(), 3u);
        for (size_t i = 0; i < 3; ++i)
        {
            EXPECT_EQ(ActiveCards[i], &Cards[i]);
            EXPECT_EQ(Cards[i].AnswerCount, 0);
        }
    }

    Frame->ShowPanel(pnCardList);
    Options.TestMode = tmLearn;
    Frame->TestPanel->ElapsedSeconds = 42;
    Cards[0].AnswerCount = 4;
    Click(MneEditPanel::idStudy);
    EXPECT_EQ(CurrentPanel, pnLearn);
    EXPECT_EQ(Frame->TestPanel->ElapsedSeconds, 0);
    EXPECT_TRUE(ActiveCards.empty());
    EXPECT_EQ(Cards[0].AnswerCount, 4);
}

TEST_F(EditPanel, MouseAndKeyboardOnTheRealList)
{
    LoadCards(6);
    Frame->Raise();
    YieldFor(100);
    wxUIActionSimulator sim;
    wxRect rowRect;
    ASSERT_TRUE(List->GetItemRect(1, rowRect));
    sim.MouseMove(List->ClientToScreen(rowRect.GetPosition() + wxPoint(20, rowRect.height / 2)));
    YieldFor(30);
    sim.MouseClick();
    YieldFor(100);
    EXPECT_EQ(SelectedRows(), std::vector<long>{1});
    EXPECT_EQ(List->GetFocusedItem(), 1);
    EXPECT_TRUE(EditEnabled());
    EXPECT_TRUE(DeleteEnabled());

    sim.Char(WXK_DELETE);
    YieldFor(100);
    EXPECT_EQ(Questions(), (std::vector<wxString>{"q0", "q2", "q3", "q4", "q5"}));
    EXPECT_EQ(SelectedRows(), std::vector<long>{1});

    // A click on the "Question" heading sorts by question.
    Cards[0].Question = "z";
    sim.MouseMove(List->ClientToScreen(wxPoint(30, 8)));
    YieldFor(30);
    sim.MouseClick();
    YieldFor(100);
    EXPECT_EQ(Questions(), (std::vector<wxString>{"q2", "q3", "q4", "q5", "z"}));
    EXPECT_TRUE(SelectedRows().empty());

    ASSERT_TRUE(List->GetItemRect(1, rowRect));
    sim.MouseMove(List->ClientToScreen(rowRect.GetPosition() + wxPoint(20, rowRect.height / 2)));
    YieldFor(30);
    sim.MouseDblClick();
    YieldFor(100);
    EXPECT_EQ(CurrentPanel, pnEditor);
}
