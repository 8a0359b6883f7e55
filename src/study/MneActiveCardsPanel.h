// SPDX-License-Identifier: GPL-3.0-or-later
// The learn panel's scrollable list: the cards in play on grey, the coming cards in colour.
#ifndef MNEMORA_STUDY_MNEACTIVECARDSPANEL_H
#define MNEMORA_STUDY_MNEACTIVECARDSPANEL_H

#include <wx/dc.h>
#include <wx/font.h>
#include <wx/panel.h>

#include "app/AccessibleRows.h"

/// One row per card, question left and answer right: ActiveCards first, then NewCards. Screen
/// readers read it as a list of the questions, the new cards marked.
class MneActiveCardsPanel : public wxPanel, public AccessibleRows
{
public:
    MneActiveCardsPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);

    /// Measures all rows at the current width into TotalHeight.
    void ComputeHeight();
    /// Scrolls to offset, limited to what the rows allow, and repaints.
    void SetScrollOffset(int offset);
    /// Paints the rows as they show at the current offset in a window of the given size.
    void PaintRows(wxDC& dc, const wxSize& client);

    long RowCount() const override;
    wxString RowName(long row) const override;

    int TotalHeight = 1;  ///< Height of all rows together.
    int ScrollOffset = 0; ///< How far the list is scrolled up.

private:
    /// The face that TotalHeight was measured in.
    wxString MeasuredFace;

    /// The card font's face at 10 points.
    wxFont ListFont() const;
    /// Limits ScrollOffset, sets the scroll bar and repaints.
    void UpdateScrolling();
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnScroll(wxScrollWinEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    wxDECLARE_EVENT_TABLE();
};

#endif
