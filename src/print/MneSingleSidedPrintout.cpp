// SPDX-License-Identifier: GPL-3.0-or-later
// Single-sided card layout: the grid's cells filled with question, answer, question, ...
#include "print/MneSingleSidedPrintout.h"

#include <wx/intl.h>

#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/CardCell.h"

MneSingleSidedPrintout::MneSingleSidedPrintout() : wxPrintoutManager(_("Single Sided Cards")) {}

void MneSingleSidedPrintout::ResetLayout()
{
    NextCard = 0;
    QuestionNext = true;
}

GridPosition MneSingleSidedPrintout::Position() const
{
    return GridPosition{NextCard, QuestionNext};
}

void MneSingleSidedPrintout::MoveTo(const GridPosition& position)
{
    NextCard = position.NextCard;
    QuestionNext = position.QuestionNext;
}

bool MneSingleSidedPrintout::LayoutPage(bool draw)
{
    SetupPage();
    Dc->SetBackgroundMode(wxTRANSPARENT);
    const PageLayout& layout = Options.PageLayouts[Options.PrintPageLayout];
    Dc->SetTextForeground(Options.PrintCardFontColor);
    const GridPosition start = Position();
    GridPosition position = start;
    const int cards = static_cast<int>(Cards.size());
    const double width = CardCellWidth(layout, true);
    const double height = CardCellHeight(layout);
    const std::vector<GridCell> cells = SingleSidedPage(layout, cards, position);
    for (const GridCell& cell : cells)
        DrawCardCell(*Dc, UnitsX, UnitsY, cell, width, height, draw);
    if (draw && layout.CutMarks)
        DrawCutMarks(layout, cells, width, height);
    MoveTo(position);
    if (position == start)
        return false;
    return NextCard < cards;
}
