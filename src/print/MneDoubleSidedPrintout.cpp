// SPDX-License-Identifier: GPL-3.0-or-later
// Double-sided card layout: rows filled from the left on the front, from the right on the back.
#include "print/MneDoubleSidedPrintout.h"

#include <wx/intl.h>

#include "deck/mnemora.h"

MneDoubleSidedPrintout::MneDoubleSidedPrintout(bool backSide)
    : wxPrintoutManager(_("Double Sided Cards")), BackSide(backSide)
{
}

std::vector<GridCell> MneDoubleSidedPrintout::PlaceCells(const PageLayout& layout,
                                                         GridPosition& position, bool draw)
{
    if (draw && BackSide)
        PlaceBackPage(layout);
    return DoubleSidedPage(layout, BackSide, static_cast<int>(Cards.size()), position);
}
