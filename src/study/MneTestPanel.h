// The study panel: shows cards one at a time and records the user's answers.
#ifndef MNEMORA_STUDY_MNETESTPANEL_H
#define MNEMORA_STUDY_MNETESTPANEL_H

#include <wx/panel.h>
#include <wx/timer.h>

class wxButton;
class wxBoxSizer;
class wxStaticText;
class MneCardPanel;

/// Panel 1: one study run in Learn, Review or Quiz mode.
class MneTestPanel : public wxPanel
{
public:
    explicit MneTestPanel(wxWindow* parent);
    ~MneTestPanel() override;

    /// Begins a study run on ActiveCards.
    void StartStudying();
    /// One tick of the study timer: shows the elapsed time (or nothing) and counts a second.
    void OnTimer(wxTimerEvent& event);

    MneCardPanel* CardDisplay = nullptr; ///< Shows the current card.
    wxStaticText* TimerLabel = nullptr;  ///< Elapsed study time, "mm:ss".
    int ElapsedSeconds = 0;              ///< Seconds counted in this study run.

private:
    wxDECLARE_EVENT_TABLE();
};

/// Answers given since the study run started.
extern int AnsweredCount;
/// Correct answers given in Quiz mode since the study run started.
extern int QuizCorrectCount;

#endif
