// SPDX-License-Identifier: GPL-3.0-or-later
// Double-sided card layout: rows filled from the left on the front, from the right on the back.
#include "print/MneDoubleSidedPrintout.h"

#include <wx/intl.h>

#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/CardCell.h"

MneDoubleSidedPrintout::MneDoubleSidedPrintout(bool backSide)
    : wxPrintoutManager(_("Double Sided Cards")), BackSide(backSide)
{
}

void MneDoubleSidedPrintout::ResetLayout()
{
    NextCard = 0;
}

GridPosition MneDoubleSidedPrintout::Position() const
{
    return GridPosition{NextCard, true};
}

void MneDoubleSidedPrintout::MoveTo(const GridPosition& position)
{
    NextCard = position.NextCard;
}

bool MneDoubleSidedPrintout::LayoutPage(bool draw)
{
    SetupPage();
    Dc->SetBackgroundMode(wxTRANSPARENT);
    const PageLayout& layout = Options.PageLayouts[Options.PrintPageLayout];
    Dc->SetTextForeground(Options.PrintCardFontColor);
    const int start = NextCard;
    GridPosition position = Position();
    const int cards = static_cast<int>(Cards.size());
    const double width = CardCellWidth(layout, false);
    const double height = CardCellHeight(layout);
    if (draw && BackSide)
        PlaceBackPage(layout);
    const std::vector<GridCell> cells = DoubleSidedPage(layout, BackSide, cards, position);
    for (const GridCell& cell : cells)
        DrawCardCell(*Dc, UnitsX, UnitsY, cell, width, height, draw);
    // People cut the stack by its fronts.
    if (draw && !BackSide && layout.CutMarks)
        DrawCutMarks(layout, cells, width, height);
    MoveTo(position);
    return NextCard != start && NextCard < cards;
}
