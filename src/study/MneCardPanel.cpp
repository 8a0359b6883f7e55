// SPDX-License-Identifier: GPL-3.0-or-later
// The card display panel.
#include "study/MneCardPanel.h"

#include <wx/brush.h>
#include <wx/dcclient.h>
#include <wx/pen.h>

#include "app/AccessibleText.h"
#include "app/Options.h"
#include "deck/Card.h"
#include "study/CardDraw.h"
#include "study/CardSpeech.h"

// clang-format off
wxBEGIN_EVENT_TABLE(MneCardPanel, wxPanel)
    EVT_PAINT(MneCardPanel::OnPaint)
wxEND_EVENT_TABLE()

MneCardPanel::MneCardPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxPanel(parent, id, pos, size, wxRAISED_BORDER | wxFULL_REPAINT_ON_RESIZE)
{
}
// clang-format on

void MneCardPanel::DescribeCard()
{
    SetAccessibleText(this, SpokenCard(DisplayedCard, AnswerShown, Swapped),
                      SpokenCardWithHeadings(DisplayedCard, AnswerShown, Swapped));
}

void MneCardPanel::OnPaint(wxPaintEvent&)
{
    // Whoever changed the card repaints it, so the description follows every change.
    DescribeCard();
    wxPaintDC dc(this);
    PaintCard(dc, GetClientSize());
}

void MneCardPanel::PaintCard(wxDC& dc, const wxSize& size)
{
    const int width = size.x;
    const int half = size.y / 2;
    dc.SetPen(wxPen(*wxBLACK, 1, wxPENSTYLE_SOLID));
    dc.SetBrush(Options.CardBackground.IsOk() ? wxBrush(Options.CardBackground, wxBRUSHSTYLE_SOLID)
                                              : *wxWHITE_BRUSH);
    dc.DrawRectangle(0, 0, width, half);
    dc.DrawRectangle(0, half, width, half);
    if (Options.CardFont.IsOk())
        dc.SetFont(Options.CardFont);
    if (Options.CardFontColor.IsOk())
        dc.SetTextForeground(Options.CardFontColor);
    if (!DisplayedCard)
        return;
    DrawCardSide(dc, *DisplayedCard, 0, 0, width, half, Swapped, true);
    if (AnswerShown)
        DrawCardSide(dc, *DisplayedCard, 0, half, width, half, !Swapped, true);
}
