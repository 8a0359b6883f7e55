// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard where the hand is: the file shortcuts, Ctrl+W and Ctrl+Q through the
// unsaved-changes question, Escape in the dialogs without a Cancel button, Space and Enter in
// the study panel after mouse use, clicks near the edges of the learn panel's number field, the
// card list's keys, the answer keys in both languages, and Tab through the learn panel and editor.
#include "FrameFixture.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <set>
#include <tuple>
#include <utility>

#include "app/mneAboutDialog.h"
#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
#include "study/MneActiveCardsPanel.h"
#include "study/MneCardPanel.h"
#include "study/MneLearnPanel.h"
#include "study/MneTestPanel.h"
#include "study/mneModeDialog.h"
#include "study/mneQuizDialog.h"

namespace
{
/// Keys reach the window under the pointer on a bare X server: point at `window` first.
void PointAt(wxWindow* window)
{
    wxUIActionSimulator sim;
    sim.MouseMove(window->GetScreenRect().GetPosition() + wxPoint(5, 5));
    YieldFor(50);
}

void Press(int key, int modifiers = wxMOD_NONE)
{
    wxUIActionSimulator sim;
    sim.Char(key, modifiers);
    YieldFor(150);
}

void ClickAt(wxWindow* window, const wxPoint& point)
{
    wxUIActionSimulator sim;
    sim.MouseMove(window->ClientToScreen(point));
    YieldFor(30);
    sim.MouseClick();
    YieldFor(100);
}

/// Shows `dialog` modally, presses Escape once it is up and returns how it ended; a dialog
/// that Escape leaves open is ended with -2 after two seconds.
int EscapeFrom(wxDialog& dialog)
{
    dialog.CallAfter(
        [&dialog]()
        {
            YieldFor(100);
            PointAt(&dialog);
            Press(WXK_ESCAPE);
        });
    wxTimer guard;
    guard.Bind(wxEVT_TIMER,
               [&dialog](wxTimerEvent&)
               {
                   if (dialog.IsModal())
                       dialog.EndModal(-2);
               });
    guard.StartOnce(2000);
    return dialog.ShowModal();
}

class KeyboardTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Frame->Raise();
        PointAt(Frame->EditPanel);
    }
};
} // namespace

TEST_F(KeyboardTest, FileShortcutsReachTheirCommands)
{
    // The menus show the keys after a tab, behind the unchanged labels.
    const wxString labels[] = {"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S",
                               "Save &As...\tShift+Ctrl+S"};
    int i = 0;
    for (int id : {MneFrame::idNew, MneFrame::idOpen, MneFrame::idSave, MneFrame::idSaveAs})
        EXPECT_EQ(Frame->GetMenuBar()->FindItem(id)->GetItemLabel(), labels[i++]);

    AddCard("q1");
    Modified = true;
    ExpectMessage cancelNew(wxID_CANCEL);
    wxTEST_DIALOG(Press('n', wxMOD_CONTROL), cancelNew);
    EXPECT_EQ(cancelNew.Message,
              "The current file has unsaved changes.  Do you want to save them?");
    EXPECT_EQ(Cards.size(), 1u);

    ExpectMessage cancelOpen(wxID_CANCEL);
    wxTEST_DIALOG(Press('o', wxMOD_CONTROL), cancelOpen);
    EXPECT_FALSE(cancelOpen.Message.empty());

    // Save on a named deck writes it; Save As asks for a name.
    FileName = wxFileName(Dir + "/keys.mnd");
    Press('s', wxMOD_CONTROL);
    EXPECT_TRUE(wxFileExists(Dir + "/keys.mnd"));
    EXPECT_FALSE(Modified);
    const wxString other = Dir + "/other.mnd";
    wxTEST_DIALOG(Press('s', wxMOD_CONTROL | wxMOD_SHIFT), ExpectFileDialog(other));
    EXPECT_TRUE(wxFileExists(other));
    EXPECT_EQ(FileName.GetFullPath(), other);
}

TEST_F(KeyboardTest, CtrlWAndCtrlQCloseThroughTheUnsavedChangesQuestion)
{
    AddCard("q1");
    Modified = true;
    for (int key : {'w', 'q'})
    {
        ExpectMessage cancel(wxID_CANCEL);
        wxTEST_DIALOG(Press(key, wxMOD_CONTROL), cancel);
        EXPECT_EQ(cancel.Caption, "Mnemora v1.5");
        EXPECT_TRUE(Frame->IsShown());
    }
    wxWeakRef<MneFrame> frame(Frame);
    ExpectMessage discard(wxID_NO);
    wxTEST_DIALOG(Press('q', wxMOD_CONTROL), discard);
    YieldFor(50);
    EXPECT_FALSE(frame);
    // The fixture closes a frame of its own.
    Frame = new MneFrame();
}

TEST_F(KeyboardTest, EscapeClosesTheDialogs)
{
    mneAboutDialog about(Frame);
    about.Centre();
    EXPECT_EQ(EscapeFrom(about), wxID_CANCEL);
    mneModeDialog mode(Frame);
    mode.Centre();
    EXPECT_EQ(EscapeFrom(mode), wxID_CANCEL);

    AddCard("q1");
    ActiveCards.push_back(&Cards[0]);
    QuizCorrectCount = 1;
    mneQuizDialog results(Frame->TestPanel);
    results.Centre();
    EXPECT_EQ(EscapeFrom(results), wxID_CANCEL);
}

TEST_F(KeyboardTest, SpaceAndEnterDriveTheStudyPanelAlsoAfterMouseUse)
{
    for (int i = 0; i < 4; ++i)
        AddCard(wxString::Format("q%d", i));
    Options.TestMode = tmReview;
    Options.KeepScore = true;
    Options.PlaySounds = false;
    for (Card& card : Cards)
        ActiveCards.push_back(&card);
    Frame->ShowPanel(pnStudy);
    MneTestPanel* panel = Frame->TestPanel;
    YieldFor(100);

    Press(' ');
    EXPECT_TRUE(Frame->TestPanel->CorrectButton->IsShown());
    Press(WXK_RETURN);
    EXPECT_EQ(AnsweredCount, 1);
    EXPECT_TRUE(panel->ShowAnswerButton->IsShown());

    // A click on the card takes the focus from the buttons; the keys go on working.
    for (int answered : {1, 2})
    {
        EXPECT_EQ(AnsweredCount, answered);
        ClickAt(panel->CardDisplay, wxPoint(20, 20));
        Press(WXK_RETURN);
        EXPECT_TRUE(Frame->TestPanel->CorrectButton->IsShown());
        ClickAt(panel->CardDisplay, wxPoint(20, 20));
        Press(answered == 1 ? WXK_RETURN : WXK_NUMPAD_ENTER);
    }

    // After a click on Show Answer, Enter answers Correct.
    ClickAt(panel->ShowAnswerButton, wxPoint(5, 5));
    EXPECT_TRUE(Frame->TestPanel->CorrectButton->IsShown());
    Press(WXK_RETURN);
    EXPECT_EQ(AnsweredCount, 4);
    int correct = 0;
    for (const Card& card : Cards)
        correct += int(card.History.Freq('Y'));
    EXPECT_EQ(correct, 4);
    Frame->ShowPanel(pnCardList);
}

TEST_F(KeyboardTest, TheWholeNumberFieldTakesClicks)
{
    for (int i = 0; i < 6; ++i)
        AddCard(wxString::Format("q%d", i));
    Options.TestMode = tmLearn;
    Frame->ShowPanel(pnLearn);
    YieldFor(100);
    wxTextCtrl* field = Frame->LearnPanel->CountText;
    const wxSize size = field->GetSize();
    for (const wxPoint& point : {wxPoint(2, size.y / 2), wxPoint(size.x - 3, size.y / 2),
                                 wxPoint(size.x / 2, 3), wxPoint(4, size.y - 4)})
    {
        Frame->LearnPanel->CardList->SetFocus();
        YieldFor(30);
        ClickAt(field, point);
        EXPECT_EQ(wxWindow::FindFocus(), field) << "click at " << point.x << "," << point.y;
    }
    Frame->ShowPanel(pnCardList);
}

namespace
{
/// Tab reaches each of `controls` from the focused window before the focus comes round again.
void ExpectTabReaches(std::initializer_list<wxWindow*> controls)
{
    std::set<wxWindow*> visited{wxWindow::FindFocus()};
    for (int i = 0; i < 30; ++i)
    {
        Press(WXK_TAB);
        if (!visited.insert(wxWindow::FindFocus()).second)
            break;
    }
    for (wxWindow* control : controls)
        EXPECT_EQ(visited.count(control), 1u) << (control ? control->GetId() : 0);
}
} // namespace

TEST_F(KeyboardTest, TheCardListRunsOnKeys)
{
    for (const char* question : {"apple", "**Banana**", "avocado", "cherry", "blueberry"})
        AddCard(question);
    Frame->ShowPanel(pnCardList);
    YieldFor(100);
    wxListView* list =
        dynamic_cast<wxListView*>(Frame->EditPanel->FindWindow(MneEditPanel::idList));
    ASSERT_TRUE(list->IsDescendant(wxWindow::FindFocus())) << "the list has the keys";

    // End, Home, arrows; a letter jumps to the next question starting with it, round the end.
    const std::pair<int, long> steps[] = {{WXK_END, 4}, {WXK_HOME, 0}, {'B', 1},
                                          {'b', 4},     {'A', 0},      {'a', 2},
                                          {WXK_UP, 1},  {WXK_DOWN, 2}, {'z', 2}};
    for (const auto& [key, row] : steps)
    {
        Press(key);
        EXPECT_EQ(list->GetFocusedItem(), row) << "after key " << key;
        EXPECT_TRUE(list->IsSelected(row) && list->GetSelectedItemCount() == 1);
    }

    // Enter opens the card in the editor with the keys in the question box; Finished brings
    // them back to the list.
    Press(WXK_RETURN);
    ASSERT_TRUE(Frame->AddPanel->IsShown());
    EXPECT_EQ(dynamic_cast<wxTextCtrl*>(wxWindow::FindFocus())->GetValue(), "avocado");
    ClickButton(Frame->AddPanel, MneAddPanel::idFinished);
    YieldFor(100);
    EXPECT_TRUE(list->IsDescendant(wxWindow::FindFocus()));

    // Delete removes the selected card at once, as the button does.
    Press(WXK_END);
    Press(WXK_DELETE);
    ASSERT_EQ(Cards.size(), 4u);
    EXPECT_EQ(Cards.back().Question, "cherry");
}

TEST_F(KeyboardTest, CorrectAndIncorrectHaveKeysInEachLanguage)
{
    for (const auto& [language, correct, incorrect] :
         {std::tuple{wxLANGUAGE_ENGLISH, 'c', 'i'}, std::tuple{wxLANGUAGE_GERMAN, 'r', 'f'}})
    {
        // The frame takes its labels in the language of its start.
        Frame->Destroy();
        YieldFor(20);
        mneApp::InitLocale(language);
        Frame = new MneFrame();
        ResetDeck();
        for (int i = 0; i < 4; ++i)
            AddCard(wxString::Format("q%d", i));
        Options.TestMode = tmReview;
        ActiveCards = {&Cards[0], &Cards[1], &Cards[2], &Cards[3]};
        Frame->ShowPanel(pnStudy);
        YieldFor(100);
        EXPECT_EQ(wxWindow::FindFocus(), Frame->TestPanel->ShowAnswerButton);

        // The keys judge only an answer on show.
        Press(correct);
        EXPECT_EQ(AnsweredCount, 0);
        Press(' ');
        EXPECT_EQ(wxWindow::FindFocus(), Frame->TestPanel->CorrectButton);
        Press(correct);
        Press(' ');
        Press(incorrect);
        wxString history;
        for (const Card& card : Cards)
            history += card.History;
        EXPECT_TRUE(history == "YN" || history == "NY") << language << ": " << history;
        Frame->ShowPanel(pnCardList);
        delete Locale;
        Locale = nullptr;
    }
}

TEST_F(KeyboardTest, TabReachesEveryControlOfTheLearnPanelAndTheEditor)
{
    for (int i = 0; i < 6; ++i)
        AddCard(wxString::Format("q%d", i));
    Options.TestMode = tmLearn;
    Options.CardIncrement = 6;
    Frame->ShowPanel(pnLearn);
    YieldFor(100);
    MneLearnPanel* learn = Frame->LearnPanel;
    EXPECT_EQ(wxWindow::FindFocus(), learn->CardList);
    // The list scrolls on the keys; it starts at its end, where the new cards are.
    const int end = learn->CardList->ScrollOffset;
    ASSERT_GT(end, 20);
    for (const auto& [key, offset] : {std::pair{WXK_HOME, 0}, {WXK_DOWN, 10}, {WXK_END, end}})
    {
        Press(key);
        EXPECT_EQ(learn->CardList->ScrollOffset, offset) << "after key " << key;
    }
    ExpectTabReaches({learn->CountText, learn->CountSpin, learn->AllButton, learn->ContinueButton});

    Frame->ShowPanel(pnCardList);
    Frame->AddPanel->SetCard(1, false);
    Frame->ShowPanel(pnEditor);
    YieldFor(100);
    // Both pictures, both sounds, "<" and ">".
    wxWindow* editor = Frame->AddPanel;
    ExpectTabReaches({editor->FindWindow(MneAddPanel::idQuestionPicture),
                      editor->FindWindow(MneAddPanel::idAnswerPicture),
                      editor->FindWindow(MneAddPanel::idQuestionSound),
                      editor->FindWindow(MneAddPanel::idAnswerSound),
                      editor->FindWindow(MneAddPanel::idNext),
                      editor->FindWindow(MneAddPanel::idPrevious)});
    Frame->ShowPanel(pnCardList);
}
