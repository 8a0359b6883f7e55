// SPDX-License-Identifier: GPL-3.0-or-later
// The study sheet: every card as one row, question beside answer, under a header with the deck's
// name and the page number.
#ifndef MNEMORA_PRINT_MNESTUDYSHEETPRINTOUT_H
#define MNEMORA_PRINT_MNESTUDYSHEETPRINTOUT_H

#include "print/wxPrintoutManager.h"

/// Prints the deck as rows of question and answer.
class MneStudySheetPrintout : public wxPrintoutManager
{
public:
    MneStudySheetPrintout();

    /// Index of the first card not yet placed.
    int NextCard = 0;

protected:
    GridPosition Position() const override { return GridPosition{NextCard, true}; }
    void MoveTo(const GridPosition& position) override { NextCard = position.NextCard; }
    /// The header, then as many rows as fit; each row is a cell as wide as the margins allow.
    std::vector<GridCell> PlaceCells(const PageLayout& layout, GridPosition& position,
                                     bool draw) override;
    void DrawCell(const PageLayout& layout, const GridCell& cell, bool draw) override;

private:
    /// The paper within the margins, in logical units.
    wxRect Area(const PageLayout& layout) const;
};

#endif
