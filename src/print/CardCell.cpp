// SPDX-License-Identifier: GPL-3.0-or-later
// Card cells of the card printouts.
#include "print/CardCell.h"

#include <wx/brush.h>
#include <wx/pen.h>

#include "app/Options.h"
#include "deck/mnemora.h"
#include "study/CardDraw.h"

void DrawCardCell(wxDC& dc, int unitsX, int unitsY, const GridCell& cell, double width,
                  double height, bool draw)
{
    const wxRect rect = CellRect(unitsX, unitsY, cell, width, height);
    dc.SetPen(wxPen(wxColour(128, 128, 128), 1, wxPENSTYLE_SOLID));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    if (draw)
        dc.DrawRectangle(rect);
    dc.SetFont(Options.PrintCardFont);
    DrawCardSide(dc, Cards[cell.Card], rect.x, rect.y, rect.width, rect.height, cell.AnswerSide,
                 draw);
}
