// SPDX-License-Identifier: GPL-3.0-or-later
// A print page layout: paper size, margins and the grid of card cells, in inches.
#ifndef MNEMORA_APP_PAGELAYOUT_H
#define MNEMORA_APP_PAGELAYOUT_H

#include <wx/string.h>

/// One page layout for printing cards; lengths in inches.
struct PageLayout
{
    wxString Name;
    double Width = 0;
    double Height = 0;
    double LeftMargin = 0;
    double RightMargin = 0;
    double TopMargin = 0;
    double BottomMargin = 0;
    double HorizontalSpacing = 0;
    double VerticalSpacing = 0;
    int NumColumns = 0;
    int NumRows = 0;
};

#endif
