// SPDX-License-Identifier: GPL-3.0-or-later
// Cell grid arithmetic of the card printouts.
#include "print/PageGrid.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace
{
/// Row tops of a page that fit, top to bottom. A page never holds more than NumRows rows, so
/// a grid whose rows have no height cannot repeat one row without end.
std::vector<double> RowTops(const PageLayout& layout)
{
    std::vector<double> tops;
    const double height = CardCellHeight(layout);
    const double bottom = layout.Height - layout.BottomMargin + GridTolerance;
    for (double y = layout.TopMargin;
         y + height <= bottom && static_cast<int>(tops.size()) < layout.NumRows;
         y += height + layout.VerticalSpacing)
        tops.push_back(y);
    return tops;
}
} // namespace

double CardCellHeight(const PageLayout& layout)
{
    const int rows = std::max(1, layout.NumRows);
    return (layout.Height - layout.BottomMargin - layout.TopMargin -
            (rows - 1) * layout.VerticalSpacing) /
           rows;
}

double CardCellWidth(const PageLayout& layout, bool singleSided)
{
    const int columns = std::max(1, layout.NumColumns);
    const int gaps = singleSided ? std::max(0, columns / 2 - 1) : columns - 1;
    return (layout.Width - layout.RightMargin - layout.LeftMargin -
            gaps * layout.HorizontalSpacing) /
           columns;
}

std::vector<GridCell> DoubleSidedPage(const PageLayout& layout, bool backSide, int cardCount,
                                      GridPosition& position)
{
    std::vector<GridCell> cells;
    const double width = CardCellWidth(layout, false);
    const double step = width + layout.HorizontalSpacing;
    for (double y : RowTops(layout))
    {
        if (position.NextCard >= cardCount)
            break;
        int placed = 0;
        double x = backSide ? layout.Width - layout.RightMargin - width : layout.LeftMargin;
        while (position.NextCard < cardCount && placed < layout.NumColumns &&
               (backSide ? x > layout.LeftMargin - GridTolerance
                         : x + width <= layout.Width - layout.RightMargin + GridTolerance))
        {
            cells.push_back({x, y, position.NextCard++, backSide});
            ++placed;
            x += backSide ? -step : step;
        }
        if (placed == 0)
            break;
    }
    return cells;
}

std::vector<GridCell> SingleSidedPage(const PageLayout& layout, int cardCount,
                                      GridPosition& position)
{
    std::vector<GridCell> cells;
    const double width = CardCellWidth(layout, true);
    for (double y : RowTops(layout))
    {
        if (position.NextCard >= cardCount)
            break;
        int placed = 0;
        double x = layout.LeftMargin;
        while (position.NextCard < cardCount && placed < layout.NumColumns &&
               x + width <= layout.Width - layout.RightMargin + GridTolerance)
        {
            cells.push_back({x, y, position.NextCard, !position.QuestionNext});
            ++placed;
            position.QuestionNext = !position.QuestionNext;
            if (position.QuestionNext)
                ++position.NextCard;
            x += width;
            if (position.QuestionNext)
                x += layout.HorizontalSpacing;
        }
        if (placed == 0)
            break;
    }
    return cells;
}

int InchesToUnits(int unitsPerInch, double inches)
{
    // Typed lengths know no bounds; a length beyond any page must not overflow the int.
    const double units = unitsPerInch * inches;
    if (std::isnan(units))
        return 0;
    return static_cast<int>(
        std::clamp(units, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

wxRect CellRect(int unitsX, int unitsY, const GridCell& cell, double width, double height)
{
    return wxRect(InchesToUnits(unitsX, cell.X), InchesToUnits(unitsY, cell.Y),
                  InchesToUnits(unitsX, width) + 1, InchesToUnits(unitsY, height) + 1);
}
