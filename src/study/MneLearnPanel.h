// The learn panel that brings the weakest cards into play before a Learn-mode drill.
#ifndef MNEMORA_STUDY_MNELEARNPANEL_H
#define MNEMORA_STUDY_MNELEARNPANEL_H

#include <wx/panel.h>

#include <vector>

struct Card;

/// Panel 2: chooses the next cards to bring into play.
class MneLearnPanel : public wxPanel
{
public:
    explicit MneLearnPanel(wxWindow* parent);

    /// Chooses the next cards to bring into play.
    void StartLearning();

private:
    wxDECLARE_EVENT_TABLE();
};

/// The cards the learn panel chose to bring into play next.
extern std::vector<Card*> NewCards;

#endif
