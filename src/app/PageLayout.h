// SPDX-License-Identifier: GPL-3.0-or-later
// A print page layout: paper size, margins and the grid of card cells, in inches.
#ifndef MNEMORA_APP_PAGELAYOUT_H
#define MNEMORA_APP_PAGELAYOUT_H

#include <wx/string.h>

#include <cmath>

/// How far, in inches, the back of double-sided cards may be moved either way.
constexpr double MaxBackOffset = 1;

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
    /// Double-sided cards: the back pass moves this far right and down, in the back page's
    /// own directions.
    double BackOffsetX = 0;
    double BackOffsetY = 0;
    /// Double-sided cards: the printer turns the sheet on its short edge, so the back pages
    /// are turned upside down.
    bool FlipShortEdge = false;
    /// Crop marks at the cell corners of the front pass.
    bool CutMarks = false;
};

/// A back offset within MaxBackOffset either way; NaN and infinity give 0.
inline double ClampBackOffset(double inches)
{
    if (!std::isfinite(inches))
        return 0;
    return inches < -MaxBackOffset  ? -MaxBackOffset
           : inches > MaxBackOffset ? MaxBackOffset
                                    : inches;
}

#endif
