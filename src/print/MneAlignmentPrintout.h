// SPDX-License-Identifier: GPL-3.0-or-later
// The alignment sheet of double-sided cards: a fine cross at the centre of every cell on the
// front, and on the back a millimetre ruler where each cross must show through.
#ifndef MNEMORA_PRINT_MNEALIGNMENTPRINTOUT_H
#define MNEMORA_PRINT_MNEALIGNMENTPRINTOUT_H

#include "print/wxPrintoutManager.h"

/// Prints one page of the alignment sheet on the selected layout.
class MneAlignmentPrintout : public wxPrintoutManager
{
public:
    /// backSide false prints the crosses, true the rulers.
    explicit MneAlignmentPrintout(bool backSide);

    /// This printout is the back page.
    const bool BackSide;

protected:
    GridPosition Position() const override { return GridPosition{}; }
    void MoveTo(const GridPosition&) override {}
    /// Every cell of the grid, only when drawing: the sheet has no cards to count pages by.
    std::vector<GridCell> PlaceCells(const PageLayout& layout, GridPosition& position,
                                     bool draw) override;
    void DrawCell(const PageLayout& layout, const GridCell& cell, bool draw) override;

private:
    void DrawCross(int x, int y);
    void DrawRuler(int x, int y);
    /// Millimetres as logical units, rounded to the nearest.
    int Millimetres(double mm) const;
};

#endif
