// SPDX-License-Identifier: GPL-3.0-or-later
// Cell grid arithmetic of the card printouts.
#include "print/PageGrid.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <tuple>

namespace
{
/// Row tops of a page that fit, top to bottom. A page never holds more than NumRows rows, so
/// a grid whose rows have no height cannot repeat one row without end.
std::vector<double> RowTops(const PageLayout& layout)
{
    std::vector<double> tops;
    const double height = CardCellHeight(layout);
    // Margins that leave no room down the page fit no card, as those that leave none across.
    if (!(height > 0))
        return tops;
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
    if (!(width > 0))
        return cells;
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
    if (!(width > 0))
        return cells;
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

std::vector<PageLine> CutMarks(const PageLayout& layout, const std::vector<GridCell>& cells,
                               double width, double height)
{
    // A corner's mark stays a little clear of the cell, and takes half of a gap that the
    // neighbouring cell's mark shares.
    constexpr double clearance = 1.0 / 32;
    std::vector<PageLine> marks;
    std::vector<double> rows;
    for (const GridCell& cell : cells)
        if (rows.empty() || std::abs(rows.back() - cell.Y) > GridTolerance)
            rows.push_back(cell.Y);
    const auto reach = [&](double room) { return std::min(room, clearance + CutMarkLength); };
    size_t row = 0;
    for (size_t i = 0; i < cells.size(); ++i)
    {
        const GridCell& cell = cells[i];
        if (std::abs(rows[row] - cell.Y) > GridTolerance)
            ++row;
        // The neighbours in the row, which is filled from the left.
        const bool hasLeft = i > 0 && std::abs(cells[i - 1].Y - cell.Y) <= GridTolerance;
        const bool hasRight =
            i + 1 < cells.size() && std::abs(cells[i + 1].Y - cell.Y) <= GridTolerance;
        const double left = hasLeft ? cells[i - 1].X + width : -1;
        const double right = hasRight ? cells[i + 1].X : -1;
        const double x0 = cell.X, x1 = cell.X + width, y0 = cell.Y, y1 = cell.Y + height;
        const double roomLeft = left < 0 ? x0 : (x0 - left) / 2;
        const double roomRight = right < 0 ? layout.Width - x1 : (right - x1) / 2;
        const double roomUp = row == 0 ? y0 : (y0 - rows[row - 1] - height) / 2;
        const double roomDown =
            row + 1 >= rows.size() ? layout.Height - y1 : (rows[row + 1] - y1) / 2;
        const auto add = [&](double x, double y, double dx, double dy, double room)
        {
            const double end = reach(room);
            if (end > clearance)
                marks.push_back(
                    {x + dx * clearance, y + dy * clearance, x + dx * end, y + dy * end});
        };
        for (const auto& [x, dx, roomX] : {std::tuple{x0, -1.0, roomLeft}, {x1, 1.0, roomRight}})
            for (const auto& [y, dy, roomY] : {std::tuple{y0, -1.0, roomUp}, {y1, 1.0, roomDown}})
            {
                add(x, y, 0, dy, roomY);
                add(x, y, dx, 0, roomX);
            }
    }
    return marks;
}

void ApplyAlignmentReading(PageLayout& layout, double acrossMm, double downMm)
{
    // The ruler's zero was printed where the back stood; the cross shows where it belongs.
    if (std::isfinite(acrossMm))
        layout.BackOffsetX = ClampBackOffset(layout.BackOffsetX + acrossMm / 25.4);
    if (std::isfinite(downMm))
        layout.BackOffsetY = ClampBackOffset(layout.BackOffsetY + downMm / 25.4);
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
