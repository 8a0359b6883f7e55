// SPDX-License-Identifier: GPL-3.0-or-later
// Single-sided cards: each card's question and answer in two neighbouring cells, to be cut out.
#ifndef MNEMORA_PRINT_MNESINGLESIDEDPRINTOUT_H
#define MNEMORA_PRINT_MNESINGLESIDEDPRINTOUT_H

#include "print/wxPrintoutManager.h"

/// Prints question and answer cells side by side on the same sheet.
class MneSingleSidedPrintout : public wxPrintoutManager
{
public:
    MneSingleSidedPrintout();

    /// Index of the first card not yet completely placed.
    int NextCard = 0;
    /// The next cell shows a question; false while a card's answer is still due.
    bool QuestionNext = true;

protected:
    GridPosition Position() const override { return GridPosition{NextCard, QuestionNext}; }
    void MoveTo(const GridPosition& position) override;
    std::vector<GridCell> PlaceCells(const PageLayout& layout, GridPosition& position,
                                     bool draw) override;
    double CellWidth(const PageLayout& layout) const override;
    bool HasCutMarks() const override { return true; }
};

#endif
