// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame's Options and Help commands: study options, card look, language, About.
#include "app/MneFrame.h"

#include <wx/colordlg.h>
#include <wx/config.h>
#include <wx/fontdlg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>

#include "app/Options.h"
#include "app/mneAboutDialog.h"
#include "app/mneLanguageDialog.h"
#include "deck/mnemora.h"
#include "edit/MneEditPanel.h"
#include "study/MneCardPanel.h"
#include "study/MneLearnPanel.h"
#include "study/MneTestPanel.h"
#include "study/mneModeDialog.h"

namespace
{
/// Repaints a window and everything inside it.
void RefreshAll(wxWindow* window)
{
    window->Refresh();
    for (wxWindow* child : window->GetChildren())
        RefreshAll(child);
}
} // namespace

void MneFrame::RefreshCardDisplay()
{
    if (CurrentPanel == pnStudy)
        TestPanel->CardDisplay->Refresh();
    else if (CurrentPanel == pnLearn)
        RefreshAll(LearnPanel);
}

void MneFrame::OnStudyMode(wxCommandEvent&)
{
    mneModeDialog* dialog = new mneModeDialog(this);
    dialog->QuizRadio->SetValue(Options.TestMode == tmQuiz);
    dialog->LearnRadio->SetValue(Options.TestMode == tmLearn);
    dialog->ReviewRadio->SetValue(Options.TestMode == tmReview);
    dialog->Centre();
    if (dialog->ShowModal() == wxID_OK)
    {
        if (dialog->QuizRadio->GetValue())
            Options.TestMode = tmQuiz;
        else if (dialog->LearnRadio->GetValue())
            Options.TestMode = tmLearn;
        else if (dialog->ReviewRadio->GetValue())
            Options.TestMode = tmReview;
        SaveOptions();
    }
    dialog->Destroy();
}

void MneFrame::OnResetScores(wxCommandEvent&)
{
    if (wxMessageBox(_("Do you really want to reset all scores?"), "Mnemora",
                     wxYES_NO | wxICON_QUESTION, this) != wxYES)
        return;
    for (Card& card : Cards)
        card.History.clear();
    if (!Cards.empty())
        Modified = true;
    UpdateTitle();
    EditPanel->RefreshList();
}

void MneFrame::OnOptionItem(wxCommandEvent& event)
{
    // The item has already toggled itself when the event arrives.
    if (event.GetId() == KeepScoreItem->GetId())
        Options.KeepScore = KeepScoreItem->IsChecked();
    else if (event.GetId() == ShuffleCardsItem->GetId())
        Options.ShuffleCards = ShuffleCardsItem->IsChecked();
    else if (event.GetId() == PlaySoundsItem->GetId())
        Options.PlaySounds = PlaySoundsItem->IsChecked();
    SaveOptions();
}

void MneFrame::OnShowTimer(wxCommandEvent&)
{
    Options.ShowTimer = ShowTimerItem->IsChecked();
    SaveOptions();
    wxTimerEvent tick(TestPanel->Timer);
    TestPanel->OnTimer(tick);
    TestPanel->Refresh();
}

void MneFrame::OnSwap(wxCommandEvent&)
{
    Options.SwapQuestionAnswer = !Options.SwapQuestionAnswer;
    SwapItem->Check(Options.SwapQuestionAnswer);
    SaveOptions();
    TestPanel->CardDisplay->Refresh();
}

void MneFrame::OnCardFont(wxCommandEvent&)
{
    wxFontData data;
    data.SetInitialFont(Options.CardFont);
    data.SetColour(Options.CardFontColor);
    data.EnableEffects(true);
    wxFontDialog dialog(this, data);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxFontData& chosen = dialog.GetFontData();
    if (chosen.GetChosenFont().IsOk())
    {
        Options.CardFont = chosen.GetChosenFont();
        Options.CardFontColor = chosen.GetColour();
    }
    SaveOptions();
    RefreshCardDisplay();
}

void MneFrame::OnCardBackground(wxCommandEvent&)
{
    wxColourData data;
    data.SetColour(Options.CardBackground);
    wxColourDialog dialog(this, &data);
    if (dialog.ShowModal() != wxID_OK)
        return;
    Options.CardBackground = dialog.GetColourData().GetColour();
    SaveOptions();
    TestPanel->CardDisplay->Refresh();
}

void MneFrame::OnLanguage(wxCommandEvent&)
{
    mneLanguageDialog dialog(wxGetCwd());
    if (dialog.ShowModal() != wxID_OK)
        return;
    wxConfigBase::Get()->Write("Language", long(dialog.GetLanguage()));
    wxConfigBase::Get()->Flush();
    wxMessageBox(_("You must restart Mnemora to use the new language."), "Mnemora",
                 wxOK | wxICON_INFORMATION | wxCENTRE, this);
}

void MneFrame::OnAbout(wxCommandEvent&)
{
    mneAboutDialog* dialog = new mneAboutDialog(this);
    dialog->Centre();
    dialog->ShowModal();
    dialog->Destroy();
}
