// SPDX-License-Identifier: GPL-3.0-or-later
// Double-sided cards: questions on the front pass, answers mirrored left to right on the back.
#ifndef MNEMORA_PRINT_MNEDOUBLESIDEDPRINTOUT_H
#define MNEMORA_PRINT_MNEDOUBLESIDEDPRINTOUT_H

#include "print/wxPrintoutManager.h"

/// Prints one pass of double-sided cards.
class MneDoubleSidedPrintout : public wxPrintoutManager
{
public:
    /// backSide false prints the questions, true the answers.
    explicit MneDoubleSidedPrintout(bool backSide);

    /// Index of the first card not yet placed.
    int NextCard = 0;
    /// This printout is the back pass.
    const bool BackSide;

protected:
    GridPosition Position() const override { return GridPosition{NextCard, true}; }
    void MoveTo(const GridPosition& position) override { NextCard = position.NextCard; }
    std::vector<GridCell> PlaceCells(const PageLayout& layout, GridPosition& position,
                                     bool draw) override;
    /// People cut the stack by its fronts.
    bool HasCutMarks() const override { return !BackSide; }
};

#endif
