// The card display of the study panel: two framed halves, question above, answer below.
#ifndef MNEMORA_STUDY_MNECARDPANEL_H
#define MNEMORA_STUDY_MNECARDPANEL_H

#include <wx/panel.h>

struct Card;

/// Shows one card; its owner sets the members and repaints.
class MneCardPanel : public wxPanel
{
public:
    MneCardPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize);

    Card* DisplayedCard = nullptr; ///< The card shown; null paints two empty halves.
    bool AnswerShown = false;      ///< The lower half shows the second side.
    bool Swapped = false;          ///< The answer side is asked on top.

    /// Paints both halves.
    void OnPaint(wxPaintEvent& event);

private:
    wxDECLARE_EVENT_TABLE();
};

#endif
