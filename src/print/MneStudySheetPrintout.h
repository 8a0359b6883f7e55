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

    void ResetLayout() override;
    bool LayoutPage(bool draw) override;

protected:
    GridPosition Position() const override;
    void MoveTo(const GridPosition& position) override;
};

#endif
