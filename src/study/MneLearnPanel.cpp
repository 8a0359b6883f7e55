// SPDX-License-Identifier: GPL-3.0-or-later
// The learn panel: how many new cards, the list of cards to study, and Continue to the drill.
#include "study/MneLearnPanel.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "app/ButtonStyle.h"
#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/PanelHeader.h"
#include "deck/mnemora.h"
#include "study/LearnChoice.h"
#include "study/MneActiveCardsPanel.h"
#include "study/NumberField.h"

std::vector<Card*> NewCards;

namespace
{
/// Where the offset goes to show the end of the list; the list limits it to what it can show.
constexpr int ScrollToEnd = 16777216;

wxString Instruction()
{
    return _("Carefully study the following cards, trying to commit\nthem to memory.  When you're "
             "ready to begin testing,\npress the Continue button.");
}

int RemainingCards()
{
    return int(Cards.size()) - int(ActiveCards.size());
}
} // namespace

MneLearnPanel::MneLearnPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER)
{
    wxBoxSizer* mainSizer = new wxBoxSizer(wxVERTICAL);

    Header = new PanelHeader(this, Instruction(), _("Learn Cards"), 10);
    mainSizer->Add(Header, 0, wxEXPAND, 0);

    CardList = new MneActiveCardsPanel(this, idCardList, wxDefaultPosition, wxSize(200, 160));
    mainSizer->Add(CardList, 1, wxEXPAND | wxALL, 5);

    wxBoxSizer* bottom = new wxBoxSizer(wxHORIZONTAL);
    bottom->Add(0, 1, 8192);
    bottom->Add(new wxStaticText(this, wxID_ANY, _("Number of cards")), 0,
                wxALIGN_CENTER_VERTICAL | wxALL, 5);
    CountText = new NumberField(this, wxID_ANY, wxSize(30, -1), wxTE_PROCESS_ENTER);
    bottom->Add(CountText, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxTOP | wxBOTTOM, 5);
    CountSpin = new wxSpinButton(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxSP_VERTICAL | wxSP_ARROW_KEYS);
    bottom->Add(CountSpin, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM, 5);
    // TRANSLATORS: button that brings every card not yet in play into the next stage.
    AllButton = LabelSizedButton(this, idAll, _("All"), SmallButtonFont());
    bottom->Add(AllButton, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    // TRANSLATORS: button that ends the study of the listed cards and starts the drill.
    ContinueButton = new wxButton(this, idContinue, _("Continue"));
    ContinueButton->SetFont(SmallButtonFont());
    bottom->Add(ContinueButton, 0, wxALIGN_CENTER_VERTICAL | wxALL, 10);
    FitBottomRow();
    mainSizer->Add(bottom, 0, wxEXPAND, 0);

    SetSizerAndFit(mainSizer);
}

void MneLearnPanel::FitBottomRow()
{
    // One height for the whole row: the field, its arrows and both buttons.
    const int height = std::max({CountText->GetBestSize().y, CountSpin->GetBestSize().y,
                                 AllButton->GetBestSize().y, ContinueButton->GetBestSize().y});
    CountText->SetMinSize(wxSize(30, height));
    CountSpin->SetMinSize(wxSize(CountSpin->GetBestSize().x, height));
    AllButton->SetMinSize(wxSize(AllButton->GetMinSize().x, height));
    ContinueButton->SetMinSize(wxSize(ContinueButton->GetBestSize().x, height));
}

void MneLearnPanel::StartLearning()
{
    const int remaining = RemainingCards();
    // With no card left (not reachable from the card list) the range stays valid at 0..0.
    CountSpin->SetRange(remaining > 0 ? 1 : 0, remaining > 0 ? remaining : 0);
    CountSpin->SetValue(ClampCount(Options.CardIncrement, remaining));
    CountSpin->Enable(remaining > 1);
    AllButton->Enable(remaining > 0);
    SetCount(Options.CardIncrement);
    CardList->SetFocus();
}

void MneLearnPanel::SetCount(int n)
{
    const int remaining = RemainingCards();
    const int count = ClampCount(n, remaining);
    CountSpin->SetValue(count);
    CountText->ChangeValue(wxString::Format("%d", count));
    // A count of 0 only means that nothing is left; it must not become the stored increment.
    if (count > 0)
    {
        Options.CardIncrement = count;
        SaveOptions();
    }
    ChooseNewCards(count);
    ContinueButton->Enable(!ActiveCards.empty() || !NewCards.empty());
    CardList->ComputeHeight();
    CardList->SetScrollOffset(ScrollToEnd);
    CardList->Refresh();
    CardList->Update();
}

void MneLearnPanel::ChooseNewCards(int n)
{
    NewCards = WeakestCardsNotInPlay(Cards, ActiveCards, n);
}

void MneLearnPanel::AppendNewCards()
{
    for (Card* card : ActiveCards)
        card->AnswerCount = 1;
    for (Card* card : NewCards)
    {
        card->AnswerCount = 0;
        ActiveCards.push_back(card);
    }
}

void MneLearnPanel::OnSpin(wxSpinEvent& event)
{
    SetCount(event.GetPosition());
}

void MneLearnPanel::OnCountEnter(wxCommandEvent&)
{
    SetCount(LeadingNumber(CountText->GetValue()));
}

void MneLearnPanel::OnAll(wxCommandEvent&)
{
    SetCount(RemainingCards());
}

void MneLearnPanel::OnContinue(wxCommandEvent&)
{
    AppendNewCards();
    MainFrame->ShowPanel(pnStudy);
}

// Kept as written: the formatter does not know the event table macros.
// clang-format off
wxBEGIN_EVENT_TABLE(MneLearnPanel, wxPanel)
    EVT_SPIN(wxID_ANY, MneLearnPanel::OnSpin)
    EVT_TEXT_ENTER(wxID_ANY, MneLearnPanel::OnCountEnter)
    EVT_BUTTON(idAll, MneLearnPanel::OnAll)
    EVT_BUTTON(idContinue, MneLearnPanel::OnContinue)
wxEND_EVENT_TABLE()
