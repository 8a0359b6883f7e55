// SPDX-License-Identifier: GPL-3.0-or-later
// Single-sided card layout: the grid's cells filled with question, answer, question, ...
#include "print/MneSingleSidedPrintout.h"

#include <wx/intl.h>

#include "deck/mnemora.h"

MneSingleSidedPrintout::MneSingleSidedPrintout() : wxPrintoutManager(_("Single Sided Cards")) {}

void MneSingleSidedPrintout::MoveTo(const GridPosition& position)
{
    NextCard = position.NextCard;
    QuestionNext = position.QuestionNext;
}

std::vector<GridCell> MneSingleSidedPrintout::PlaceCells(const PageLayout& layout,
                                                         GridPosition& position, bool)
{
    return SingleSidedPage(layout, static_cast<int>(Cards.size()), position);
}

double MneSingleSidedPrintout::CellWidth(const PageLayout& layout) const
{
    return CardCellWidth(layout, true);
}
