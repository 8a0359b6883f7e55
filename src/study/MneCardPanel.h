// SPDX-License-Identifier: GPL-3.0-or-later
// The card display of the study panel: two framed halves, question above, answer below.
#ifndef MNEMORA_STUDY_MNECARDPANEL_H
#define MNEMORA_STUDY_MNECARDPANEL_H

#include <wx/dc.h>
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

    /// Gives the shown sides' texts to assistive technology; call after changing the members.
    void DescribeCard();

    /// Paints both halves.
    void OnPaint(wxPaintEvent& event);

    /// Draws what OnPaint shows into dc, for a panel of the given client size.
    void PaintCard(wxDC& dc, const wxSize& size);

private:
    wxDECLARE_EVENT_TABLE();
};

#endif
