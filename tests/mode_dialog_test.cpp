// SPDX-License-Identifier: GPL-3.0-or-later
// The study mode dialog: its texts and layout, the exclusive radio buttons, OK and Cancel.
#include "GuiTest.h"

#include <wx/button.h>
#include <wx/config.h>
#include <wx/radiobut.h>
#include <wx/statline.h>
#include <wx/stattext.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/mneApp.h"
#include "study/mneModeDialog.h"

namespace
{
std::vector<wxString> StaticTexts(wxWindow* dialog)
{
    std::vector<wxString> texts;
    for (wxWindow* child : dialog->GetChildren())
        if (wxStaticText* text = dynamic_cast<wxStaticText*>(child))
            texts.push_back(text->GetLabel());
    return texts;
}

/// A click on a radio button as the toolkit reports it: the button turns on, then the event.
void ClickRadio(wxRadioButton* radio)
{
    radio->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
    event.SetEventObject(radio);
    event.SetInt(1);
    radio->ProcessWindowEvent(event);
}

std::vector<bool> Radios(const mneModeDialog& dialog)
{
    return {dialog.LearnRadio->GetValue(), dialog.QuizRadio->GetValue(),
            dialog.ReviewRadio->GetValue()};
}

using ExpectModeDialog = ExpectDialog<mneModeDialog>;
} // namespace

TEST(ModeDialog, ShowsItsTextsInOrder)
{
    mneModeDialog dialog(nullptr);
    EXPECT_EQ(dialog.GetTitle(), "Mnemora Study Mode");
    EXPECT_TRUE(dialog.HasFlag(wxCAPTION));
    EXPECT_TRUE(dialog.HasFlag(wxSYSTEM_MENU));
    EXPECT_TRUE(dialog.HasFlag(wxCLOSE_BOX));
    EXPECT_FALSE(dialog.HasFlag(wxRESIZE_BORDER));

    const std::vector<wxString> texts = StaticTexts(&dialog);
    const std::vector<wxString> expected{
        "Select a Study Mode",
        "Mnemora offers several ways to learn.  Each of the following 'modes' is designed \nto "
        "serve a different part of the memorization process.  Choose from the following \nmodes, "
        "and hit Ok to continue.",
        "Progressively teaches you the flash cards by starting with a\nfew and adding more until "
        "you've mastered the whole deck.  \nThis is the best way to learn new cards.",
        "The deck is shown in random order, and at the end a grade \nis given based on how many "
        "you got right.  Use this mode to \nsee how you would do on a real life test of the "
        "material.  ",
        "Cards are shown continuously in random order, as in previous\nversions of Mnemora.  This "
        "mode is good for quickly refreshing\nyour memory."};
    EXPECT_EQ(texts, expected);

    // The heading stands out in large type.
    EXPECT_GT(dialog.GetChildren().front()->GetTextExtent("Hg").y,
              3 * dialog.GetTextExtent("Hg").y / 2);

    EXPECT_EQ(dialog.LearnRadio->GetLabel(), "Learn Mode");
    EXPECT_EQ(dialog.QuizRadio->GetLabel(), "Quiz Mode");
    EXPECT_EQ(dialog.ReviewRadio->GetLabel(), "Review Mode");

    int lines = 0;
    for (wxWindow* child : dialog.GetChildren())
        if (dynamic_cast<wxStaticLine*>(child))
            ++lines;
    EXPECT_EQ(lines, 2);

    wxButton* ok = dynamic_cast<wxButton*>(dialog.FindWindow(wxID_OK));
    wxButton* cancel = dynamic_cast<wxButton*>(dialog.FindWindow(wxID_CANCEL));
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->GetLabel(), "OK");
    EXPECT_EQ(cancel->GetLabel(), "Cancel");
    EXPECT_EQ(dialog.GetDefaultItem(), ok);
}

TEST(ModeDialog, LaysOutTheRadiosBesideTheirDescriptionsAndTheButtonsBelow)
{
    mneModeDialog dialog(nullptr);
    dialog.Show();
    YieldFor(50);
    wxWindow* learnText = dialog.LearnRadio->GetNextSibling();
    // Radio column left of the description column, rows top to bottom.
    EXPECT_LT(dialog.LearnRadio->GetRect().GetRight(), learnText->GetPosition().x);
    EXPECT_LT(dialog.LearnRadio->GetPosition().y, dialog.QuizRadio->GetPosition().y);
    EXPECT_LT(dialog.QuizRadio->GetPosition().y, dialog.ReviewRadio->GetPosition().y);
    EXPECT_EQ(dialog.LearnRadio->GetPosition().x, dialog.ReviewRadio->GetPosition().x);
    wxWindow* ok = dialog.FindWindow(wxID_OK);
    wxWindow* cancel = dialog.FindWindow(wxID_CANCEL);
    EXPECT_GT(ok->GetPosition().y, dialog.ReviewRadio->GetRect().GetBottom());
    EXPECT_EQ(ok->GetPosition().y, cancel->GetPosition().y);
    EXPECT_LT(ok->GetPosition().x, cancel->GetPosition().x);
    // The button row is centred.
    const int left = ok->GetPosition().x;
    const int right = dialog.GetClientSize().x - cancel->GetRect().GetRight() - 1;
    EXPECT_LE(std::abs(left - right), 1);
    // The heading stands at the right edge inside the 10 + 5 pixel borders.
    wxWindow* heading = dialog.GetChildren().GetFirst()->GetData();
    EXPECT_EQ(heading->GetRect().GetRight(), dialog.GetClientSize().x - 16);
    // Fitted to its contents: the 24-point heading is whole and the buttons end 20 pixels
    // above the bottom edge.
    EXPECT_GE(heading->GetSize().y, heading->GetTextExtent("Select a Study Mode").y);
    EXPECT_GE(heading->GetSize().x, heading->GetTextExtent("Select a Study Mode").x);
    EXPECT_EQ(ok->GetRect().GetBottom() + 21, dialog.GetClientSize().y);
    dialog.Hide();
}

TEST(ModeDialog, KeepsExactlyOneRadioSelected)
{
    mneModeDialog dialog(nullptr);
    EXPECT_EQ(Radios(dialog), (std::vector<bool>{true, false, false}));
    dialog.ReviewRadio->SetValue(true);
    EXPECT_EQ(Radios(dialog), (std::vector<bool>{false, false, true}));
    ClickRadio(dialog.QuizRadio);
    EXPECT_EQ(Radios(dialog), (std::vector<bool>{false, true, false}));
    ClickRadio(dialog.LearnRadio);
    EXPECT_EQ(Radios(dialog), (std::vector<bool>{true, false, false}));
    ClickRadio(dialog.ReviewRadio);
    EXPECT_EQ(Radios(dialog), (std::vector<bool>{false, false, true}));
}

TEST(ModeDialog, OkReturnsTheChoiceAndCancelReturnsCancel)
{
    mneModeDialog dialog(nullptr);
    ExpectModeDialog choose([](mneModeDialog* d) { ClickRadio(d->QuizRadio); }, wxID_OK);
    int result = 0;
    wxTEST_DIALOG(result = dialog.ShowModal(), choose);
    EXPECT_EQ(result, wxID_OK);
    EXPECT_TRUE(dialog.QuizRadio->GetValue());
}

TEST(ModeDialog, FrameCommandPresetsTheModeAndStoresTheChoiceOnOk)
{
    UseFreshConfig();
    MneFrame* frame = new MneFrame();
    YieldFor(20);
    auto selectStudyMode = [frame]()
    {
        wxCommandEvent event(wxEVT_MENU, MneFrame::idStudyMode);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
    };

    Options.TestMode = tmReview;
    std::vector<bool> preset;
    std::vector<bool> afterClick;
    ExpectModeDialog cancel(
        [&](mneModeDialog* d)
        {
            preset = Radios(*d);
            ClickRadio(d->QuizRadio);
            afterClick = Radios(*d);
        },
        wxID_CANCEL);
    wxTEST_DIALOG(selectStudyMode(), cancel);
    EXPECT_EQ(preset, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(afterClick, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Options.TestMode, tmReview);
    EXPECT_FALSE(wxConfigBase::Get()->HasEntry("StudyMode"));

    ExpectModeDialog ok([](mneModeDialog* d) { ClickRadio(d->QuizRadio); }, wxID_OK);
    wxTEST_DIALOG(selectStudyMode(), ok);
    EXPECT_EQ(Options.TestMode, tmQuiz);
    EXPECT_EQ(wxConfigBase::Get()->ReadLong("StudyMode", -1), long(tmQuiz));

    ExpectModeDialog reopen([&](mneModeDialog* d) { preset = Radios(*d); }, wxID_CANCEL);
    wxTEST_DIALOG(selectStudyMode(), reopen);
    EXPECT_EQ(preset, (std::vector<bool>{false, true, false}));

    frame->Destroy();
    YieldFor(20);
}
