// SPDX-License-Identifier: GPL-3.0-or-later
// The study panel: question, Show Answer, Correct or Incorrect, the next card; the study timer
// and the end of a quiz.
#include "study/MneTestPanel.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/ButtonStyle.h"
#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/PanelHeader.h"
#include "deck/mnemora.h"
#include "study/MneCardPanel.h"
#include "study/MneLearnPanel.h"
#include "study/StudyOrder.h"
#include "study/mneQuizDialog.h"

int AnsweredCount = 0;
int QuizCorrectCount = 0;

namespace
{
constexpr int NoCard = 2147483647;

wxString Instruction()
{
    return _("Read the question below and say the answer to yourself.\n"
             "Then press Show Answer, followed by Correct or Incorrect\n"
             "(depending on whether you answered correctly).");
}
} // namespace

MneTestPanel::MneTestPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER)
{
    wxBoxSizer* mainSizer = new wxBoxSizer(wxVERTICAL);

    mainSizer->Add(new PanelHeader(this, Instruction(), _("Study Cards")), 0, wxEXPAND | wxALL, 5);

    CardDisplay = new MneCardPanel(this, idCardDisplay, wxDefaultPosition, wxSize(200, 320));
    mainSizer->Add(CardDisplay, 1, wxEXPAND | wxALL, 5);

    auto makeButton = [&](int id, const wxString& label)
    {
        wxButton* button = new wxButton(this, id, label);
        button->SetFont(SmallButtonFont());
        return button;
    };
    CorrectButton = makeButton(idCorrect, _("Correct"));
    IncorrectButton = makeButton(idIncorrect, _("Incorrect"));
    ShowAnswerButton = makeButton(idShowAnswer, _("Show Answer"));
    AddMoreCardsButton = makeButton(idAddMoreCards, _("Add more cards"));
    StopButton = makeButton(idStop, _("Stop studying"));
    TimerLabel = new wxStaticText(this, wxID_ANY, "00:00");

    ButtonSizer = new wxBoxSizer(wxHORIZONTAL);
    ButtonSizer->Add(CorrectButton, 0, wxALL, 5);
    ButtonSizer->Add(IncorrectButton, 0, wxALL, 5);
    ButtonSizer->Add(ShowAnswerButton, 0, wxALL, 5);
    ButtonSizer->Add(0, 1, 8192);
    ButtonSizer->Add(TimerLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 15);
    ButtonSizer->Add(AddMoreCardsButton, 0, wxALL, 5);
    ButtonSizer->Add(StopButton, 0, wxALL, 5);
    mainSizer->Add(ButtonSizer, 0, wxEXPAND | wxALL, 5);

    SetSizerAndFit(mainSizer);
    Timer.SetOwner(this);
}

MneTestPanel::~MneTestPanel()
{
    Timer.Stop();
}

void MneTestPanel::OnCharHook(wxKeyEvent& event)
{
    // A focused button answers Space and Enter itself; elsewhere (after a click on the card,
    // say) the keys still drive the run: Space or Enter shows the answer, Enter then counts it
    // as correct.
    const int key = event.GetKeyCode();
    const bool enter = key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
    const bool space = key == WXK_SPACE;
    wxButton* focused = dynamic_cast<wxButton*>(FindFocus());
    const bool buttonHasFocus = focused && focused->GetParent() == this && focused->IsShown();
    if (CorrectButton->IsShown() && !event.HasModifiers() && IsShownOnScreen())
    {
        // Keys for the judgement, from the catalog so that each language has its own letters;
        // the button labels stay as they are.
        const wxString typed = event.GetUnicodeKey() == WXK_NONE
                                   ? wxString()
                                   : wxString(wxUniChar(event.GetUnicodeKey())).Upper();
        const auto is = [&typed](const wxString& key)
        { return !typed.empty() && typed == key.Left(1).Upper(); };
        // TRANSLATORS: the key that answers "Correct" on the study panel; one letter
        if (is(_("C")))
        {
            RecordAnswer(true);
            return;
        }
        // TRANSLATORS: the key that answers "Incorrect" on the study panel; one letter
        if (is(_("I")))
        {
            RecordAnswer(false);
            return;
        }
    }
    if ((enter || space) && !buttonHasFocus && !event.HasAnyModifiers() && IsShownOnScreen())
    {
        if (ShowAnswerButton->IsShown())
        {
            wxCommandEvent click(wxEVT_BUTTON, idShowAnswer);
            OnShowAnswer(click);
            return;
        }
        if (enter && CorrectButton->IsShown())
        {
            RecordAnswer(true);
            return;
        }
    }
    event.Skip();
}

void MneTestPanel::SetAnswerVisible(bool shown)
{
    ButtonSizer->Show(ShowAnswerButton, !shown);
    ButtonSizer->Show(CorrectButton, shown);
    ButtonSizer->Show(IncorrectButton, shown);
    ButtonSizer->Layout();
    // The hidden button may have held the focus: hand it to the next step, so that Space goes on.
    if (IsShownOnScreen())
        (shown ? CorrectButton : ShowAnswerButton)->SetFocus();
}

void MneTestPanel::StartStudying()
{
    SetAnswerVisible(false);
    ButtonSizer->Show(AddMoreCardsButton, false);
    ButtonSizer->Layout();

    Congratulated = false;
    AnsweredCount = 0;
    PreviousCard = CardBeforePrevious = NoCard;
    Weights.Clear();

    QuizAnswers.clear();
    if (Options.TestMode == tmQuiz)
    {
        QuizCorrectCount = 0;
        if (Options.ShuffleCards)
            ShuffleByDrawAndRemove(ActiveCards);
        QuizAnswers.assign(ActiveCards.size(), 0);
    }

    Timer.Start(1000, wxTIMER_CONTINUOUS);
    wxTimerEvent tick(Timer);
    OnTimer(tick);

    if (Options.TestMode == tmLearn)
        CurCard = static_cast<int>(ActiveCards.size()) - static_cast<int>(NewCards.size()) - 1;
    else
        CurCard = -1;
    LastSelectedCard = CurCard;

    ShowNextCard();
    Refresh();
    Update();
}

void MneTestPanel::ShowNextCard()
{
    SetAnswerVisible(false);
    if (Options.TestMode == tmLearn)
    {
        if (!Congratulated && AllCardsLearned())
        {
            Timer.Stop();
            wxWindow* parent = MainFrame ? static_cast<wxWindow*>(MainFrame) : this;
            if (ActiveCards.size() < Cards.size())
            {
                ButtonSizer->Show(AddMoreCardsButton, true);
                ButtonSizer->Layout();
                wxMessageBox(_("Congratulations!  All cards have an average score of 80% or "
                               "higher.\n\nClick Add More Cards to add more cards from the deck, "
                               "or continue\npracticing the current set."),
                             "Mnemora", wxOK | wxICON_INFORMATION | wxCENTRE, parent);
            }
            else
            {
                wxMessageBox(_("Congratulations!  The entire deck has a score of 80% or "
                               "better!\n\nIf you'd like to take a sample test, click Stop "
                               "studying and choose\nSelect Study Mode from the Options menu."),
                             "Mnemora", wxOK | wxICON_INFORMATION | wxCENTRE, parent);
            }
            Congratulated = true;
            Timer.Start(1000, wxTIMER_CONTINUOUS);
        }
    }
    else if (Options.TestMode != tmReview)
    {
        wxASSERT(Options.TestMode == tmQuiz);
        CurCard = AnsweredCount;
        if (CurCard >= static_cast<int>(ActiveCards.size()))
        {
            CurCard = AnsweredCount - 1;
            Timer.Stop();
            {
                mneQuizDialog results(this);
                results.Centre(wxBOTH);
                results.ShowModal();
            }
            StopStudying();
            return;
        }
        ShowCurrentCard();
        return;
    }

    CardBeforePrevious = PreviousCard;
    PreviousCard = CurCard;
    CurCard = SelectCardWithoutRepeat(Weights, PreviousCard, CardBeforePrevious);
    ShowCurrentCard();
}

void MneTestPanel::ShowCurrentCard()
{
    wxCHECK_RET(CurCard >= 0 && CurCard < (int)ActiveCards.size() && "Invalid card index.",
                "no card to show");
    Card* card = ActiveCards[CurCard];
    CardDisplay->DisplayedCard = card;
    CardDisplay->AnswerShown = false;
    CardDisplay->Swapped = Options.SwapQuestionAnswer && (RandomInt31() & 1) != 0;
    CardDisplay->DescribeCard();
    CardDisplay->Refresh(false);
    CardDisplay->Update();
    card->PlayQuestionSound();
}

void MneTestPanel::OnShowAnswer(wxCommandEvent&)
{
    CardDisplay->AnswerShown = true;
    CardDisplay->DescribeCard();
    SetAnswerVisible(true);
    CardDisplay->Refresh(false);
    CardDisplay->Update();
    if (CurCard >= 0 && CurCard < (int)ActiveCards.size())
        ActiveCards[CurCard]->PlayAnswerSound();
}

void MneTestPanel::RecordAnswer(bool correct)
{
    wxCHECK_RET(CurCard >= 0 && CurCard < (int)ActiveCards.size() && "Invalid card index.",
                "answer without a card on show");
    if (Options.TestMode == tmQuiz)
    {
        if (correct)
            QuizCorrectCount += 1;
        if (CurCard < static_cast<int>(QuizAnswers.size()))
            QuizAnswers[CurCard] = correct ? 'Y' : 'N';
    }
    if (Options.KeepScore)
    {
        Card* card = ActiveCards[CurCard];
        card->AnswerCount += 1;
        card->History += correct ? "Y" : "N";
        Modified = true;
        if (MainFrame)
            MainFrame->UpdateTitle();
    }
    AnsweredCount += 1;
    ShowNextCard();
}

void MneTestPanel::OnCorrect(wxCommandEvent&)
{
    RecordAnswer(true);
}

void MneTestPanel::OnIncorrect(wxCommandEvent&)
{
    RecordAnswer(false);
}

void MneTestPanel::OnAddMoreCards(wxCommandEvent&)
{
    if (MainFrame)
        MainFrame->ShowPanel(pnLearn);
    Timer.Stop();
}

void MneTestPanel::OnStopStudying(wxCommandEvent&)
{
    StopStudying();
}

void MneTestPanel::StopStudying()
{
    if (MainFrame)
        MainFrame->ShowPanel(pnCardList);
    Timer.Stop();
}

void MneTestPanel::OnTimer(wxTimerEvent&)
{
    const wxString text =
        Options.ShowTimer ? wxString::Format("%02d:%02d", ElapsedSeconds / 60, ElapsedSeconds % 60)
                          : wxString();
    const bool resized = text.length() != TimerLabel->GetLabel().length();
    TimerLabel->SetLabel(text);
    // A label that appears, vanishes or gains a digit needs its place in the row again.
    if (resized)
        ButtonSizer->Layout();
    ElapsedSeconds += 1;
}

// Kept as written: the formatter does not know the event table macros.
// clang-format off
wxBEGIN_EVENT_TABLE(MneTestPanel, wxPanel)
    EVT_BUTTON(idCorrect, MneTestPanel::OnCorrect)
    EVT_BUTTON(idIncorrect, MneTestPanel::OnIncorrect)
    EVT_BUTTON(idShowAnswer, MneTestPanel::OnShowAnswer)
    EVT_BUTTON(idAddMoreCards, MneTestPanel::OnAddMoreCards)
    EVT_BUTTON(idStop, MneTestPanel::OnStopStudying)
    EVT_TIMER(wxID_ANY, MneTestPanel::OnTimer)
    EVT_CHAR_HOOK(MneTestPanel::OnCharHook)
wxEND_EVENT_TABLE()
