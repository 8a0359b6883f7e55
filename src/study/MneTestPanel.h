// SPDX-License-Identifier: GPL-3.0-or-later
// The study panel: shows cards one at a time and records the user's answers.
#ifndef MNEMORA_STUDY_MNETESTPANEL_H
#define MNEMORA_STUDY_MNETESTPANEL_H

#include <wx/panel.h>
#include <wx/timer.h>

#include <vector>

#include "study/CardWeightCache.h"

class wxButton;
class wxBoxSizer;
class wxStaticText;
class MneCardPanel;

/// Panel 1: one study run in Learn, Review or Quiz mode.
class MneTestPanel : public wxPanel
{
public:
    /// Ids of this window's controls; other windows use the same numbers for their own.
    enum WindowIds
    {
        idCardDisplay = 15000,
        idCorrect,
        idIncorrect,
        idShowAnswer,
        idAddMoreCards,
        idStop
    };
    static_assert(idStop == 15005, "ids are numbered as before");

    explicit MneTestPanel(wxWindow* parent);
    ~MneTestPanel() override;

    /// Begins a study run on ActiveCards.
    void StartStudying();
    /// Moves on: congratulates in Learn mode, ends a finished quiz, or shows the next card.
    void ShowNextCard();
    /// Shows Correct and Incorrect (answer shown) or Show Answer (question shown).
    void SetAnswerVisible(bool shown);
    /// One tick of the study timer: shows the elapsed time (or nothing) and counts a second.
    void OnTimer(wxTimerEvent& event);

    MneCardPanel* CardDisplay = nullptr; ///< Shows the current card.
    wxStaticText* TimerLabel = nullptr;  ///< Elapsed study time, "mm:ss".
    int ElapsedSeconds = 0;              ///< Seconds counted in this study run.
    bool Congratulated = false;          ///< The Learn-mode congratulation was shown in this run.
    int CardBeforePrevious = 2147483647; ///< ActiveCards index shown two cards ago.
    int PreviousCard = 2147483647;       ///< ActiveCards index shown last.
    wxBoxSizer* ButtonSizer = nullptr;   ///< The bottom row of controls.
    wxButton* CorrectButton = nullptr;
    wxButton* IncorrectButton = nullptr;
    wxButton* ShowAnswerButton = nullptr;
    wxButton* AddMoreCardsButton = nullptr;
    wxButton* StopButton = nullptr;
    wxTimer Timer; ///< Ticks once a second while studying.
    /// This quiz's answers, 'Y' or 'N' per ActiveCards index, for the results report.
    std::vector<char> QuizAnswers;

private:
    void OnCorrect(wxCommandEvent& event);
    void OnIncorrect(wxCommandEvent& event);
    void OnShowAnswer(wxCommandEvent& event);
    void OnAddMoreCards(wxCommandEvent& event);
    void OnStopStudying(wxCommandEvent& event);
    void RecordAnswer(bool correct);
    void ShowCurrentCard();
    void StopStudying();
    void OnCharHook(wxKeyEvent& event);

    CardWeightCache Weights; ///< Selection weights of this run's cards.

    wxDECLARE_EVENT_TABLE();
};

/// Answers given since the study run started.
extern int AnsweredCount;
/// Correct answers given in Quiz mode since the study run started.
extern int QuizCorrectCount;

#endif
