// SPDX-License-Identifier: GPL-3.0-or-later
// The learn panel that brings the weakest cards into play before a Learn-mode drill.
#ifndef MNEMORA_STUDY_MNELEARNPANEL_H
#define MNEMORA_STUDY_MNELEARNPANEL_H

#include <wx/panel.h>

#include <vector>

struct Card;
class MneActiveCardsPanel;
class PanelHeader;
class wxButton;
class wxSpinButton;
class wxSpinEvent;
class wxTextCtrl;

/// Panel 2: chooses the next cards to bring into play and lists them for study.
class MneLearnPanel : public wxPanel
{
public:
    /// Ids of this window's controls; other windows use the same numbers for their own.
    enum WindowIds
    {
        idCardList = 15000,
        idAll = 15002,
        idContinue
    };
    static_assert(idContinue == 15003, "ids are numbered as before");

    explicit MneLearnPanel(wxWindow* parent);

    /// Chooses the next cards to bring into play (CardIncrement of them) and lists them.
    void StartLearning();
    /// Sets the number of new cards, limited to the cards left, stores it and lists the cards.
    void SetCount(int n);
    /// Fills NewCards with the n weakest cards not yet in play.
    void ChooseNewCards(int n);
    /// Puts NewCards into play: older active cards get AnswerCount 1, the new ones 0.
    void AppendNewCards();

    MneActiveCardsPanel* CardList = nullptr; ///< The list of cards, id 15000.
    wxTextCtrl* CountText = nullptr;         ///< The number of new cards as text.
    wxSpinButton* CountSpin = nullptr;       ///< The same number, with arrows.
    PanelHeader* Header = nullptr;           ///< The instruction beside the title.
    wxButton* AllButton = nullptr;           ///< Id 15002.
    wxButton* ContinueButton = nullptr;      ///< Id 15003.

private:
    void OnSpin(wxSpinEvent& event);
    void OnCountEnter(wxCommandEvent& event);
    void OnAll(wxCommandEvent& event);
    void OnContinue(wxCommandEvent& event);
    /// Gives the field, its arrows and the buttons of the bottom row one height.
    void FitBottomRow();

    wxDECLARE_EVENT_TABLE();
};

/// The cards the learn panel chose to bring into play next.
extern std::vector<Card*> NewCards;

#endif
