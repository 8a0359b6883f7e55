// SPDX-License-Identifier: GPL-3.0-or-later
// The cell grid of card printouts: cell sizes and which cells of a page each card fills, on the
// front and on the back pass, in inches. Pure arithmetic, testable without a display.
#ifndef MNEMORA_PRINT_PAGEGRID_H
#define MNEMORA_PRINT_PAGEGRID_H

#include <wx/gdicmn.h>

#include <vector>

#include "app/PageLayout.h"

/// Slack, in inches, that a row or column may overshoot the margin by: it absorbs the
/// rounding of the floating-point sums.
constexpr double GridTolerance = 0.01;

/// One placed cell: its top-left corner in inches from the paper's corner, and what it shows.
struct GridCell
{
    double X = 0;
    double Y = 0;
    int Card = 0;
    bool AnswerSide = false;
};

/// Where a card printout stands between pages.
struct GridPosition
{
    int NextCard = 0;         ///< First card not yet placed.
    bool QuestionNext = true; ///< Single-sided: the next cell shows a question.

    bool operator==(const GridPosition& other) const
    {
        return NextCard == other.NextCard && QuestionNext == other.QuestionNext;
    }
};

/// Height of one card cell in inches.
double CardCellHeight(const PageLayout& layout);

/// Width of one card cell in inches; single-sided grids keep spacing only between card pairs.
double CardCellWidth(const PageLayout& layout, bool singleSided);

/// The cells of the next double-sided page from position on: the front pass fills each row from
/// the left, the back pass (answers) from the right. Moves position past the placed cards.
std::vector<GridCell> DoubleSidedPage(const PageLayout& layout, bool backSide, int cardCount,
                                      GridPosition& position);

/// The cells of the next single-sided page: each card's question with its answer in the cell to
/// its right (or the next row with one column). Moves position past the placed cells.
std::vector<GridCell> SingleSidedPage(const PageLayout& layout, int cardCount,
                                      GridPosition& position);

/// Length of a cut mark in inches, where the margin or gap leaves room for it.
constexpr double CutMarkLength = 0.2;

/// A straight line on the page, in inches from the paper's corner.
struct PageLine
{
    double X1 = 0;
    double Y1 = 0;
    double X2 = 0;
    double Y2 = 0;
};

/// Cut marks for the cells of one page, placed row by row and each row from the left: at each
/// cell corner, the two edges continued outward into the margin or gap, never into a cell.
std::vector<PageLine> CutMarks(const PageLayout& layout, const std::vector<GridCell>& cells,
                               double width, double height);

/// The layout's back offset after an alignment sheet read acrossMm and downMm: the back pass
/// moves by the reading, in inches, within MaxBackOffset.
void ApplyAlignmentReading(PageLayout& layout, double acrossMm, double downMm);

/// L inches as logical units at unitsPerInch, truncated toward zero and kept in int range.
int InchesToUnits(int unitsPerInch, double inches);

/// The outline of a cell in logical units; one unit wider and higher than the cell, so that
/// neighbouring outlines meet.
wxRect CellRect(int unitsX, int unitsY, const GridCell& cell, double width, double height);

#endif
