// SPDX-License-Identifier: GPL-3.0-or-later
// The card grid of the printouts: cell sizes, the cells of each pass, and layouts without room.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "print/PageGrid.h"

namespace
{
PageLayout Letter2By4()
{
    PageLayout layout;
    layout.Width = 8.5;
    layout.Height = 11;
    layout.LeftMargin = layout.RightMargin = layout.TopMargin = layout.BottomMargin = 0.5;
    layout.HorizontalSpacing = layout.VerticalSpacing = 0.2;
    layout.NumColumns = 2;
    layout.NumRows = 4;
    return layout;
}
} // namespace

TEST(PageGrid, DoubleSidedPassesMirrorEachOther)
{
    EXPECT_NEAR(CardCellWidth(Letter2By4(), false), 3.65, 1e-9);
    EXPECT_NEAR(CardCellHeight(Letter2By4()), 2.35, 1e-9);
    GridPosition front, back;
    const std::vector<GridCell> fronts = DoubleSidedPage(Letter2By4(), false, 10, front);
    const std::vector<GridCell> backs = DoubleSidedPage(Letter2By4(), true, 10, back);
    ASSERT_EQ(fronts.size(), 8u);
    ASSERT_EQ(backs.size(), 8u);
    EXPECT_NEAR(fronts[1].X, 4.35, 1e-9);
    EXPECT_NEAR(backs[0].X, 4.35, 1e-9);
    EXPECT_NEAR(backs[1].X, 0.5, 1e-9);
    EXPECT_NEAR(backs[7].Y, 0.5 + 3 * 2.55, 1e-9);
    EXPECT_TRUE(backs[7].AnswerSide);
    EXPECT_EQ(DoubleSidedPage(Letter2By4(), true, 10, back).size(), 2u);
    EXPECT_EQ(back.NextCard, 10);
}

TEST(PageGrid, SingleSidedSpacingFallsBetweenPairs)
{
    PageLayout four = Letter2By4();
    four.NumColumns = 4;
    const double width = CardCellWidth(four, true);
    EXPECT_NEAR(width, (7.5 - 0.2) / 4, 1e-9);
    GridPosition position;
    const std::vector<GridCell> cells = SingleSidedPage(four, 3, position);
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_NEAR(cells[1].X, 0.5 + width, 1e-9);
    EXPECT_TRUE(cells[1].AnswerSide);
    EXPECT_NEAR(cells[2].X, 0.5 + 2 * width + 0.2, 1e-9);
    EXPECT_EQ(cells[4].Card, 2);
    EXPECT_NEAR(cells[4].Y, 3.05, 1e-9);
}

TEST(PageGrid, LayoutsWithoutRoomPlaceNothingAndEnd)
{
    PageLayout tooWide = Letter2By4();
    tooWide.LeftMargin = 9;
    GridPosition position;
    EXPECT_TRUE(DoubleSidedPage(tooWide, false, 5, position).empty());
    EXPECT_TRUE(DoubleSidedPage(tooWide, true, 5, position).empty());
    EXPECT_TRUE(SingleSidedPage(tooWide, 5, position).empty());
    EXPECT_EQ(position.NextCard, 0);

    // Rows of no height and negative spacing: the page still ends after its rows and columns.
    PageLayout flat = Letter2By4();
    flat.Height = 1;
    flat.VerticalSpacing = flat.HorizontalSpacing = -1;
    flat.NumRows = 1;
    EXPECT_LE(DoubleSidedPage(flat, false, 1000, position).size(), 2u);
}

TEST(PageGrid, InchesToLogicalUnits)
{
    EXPECT_EQ(CellRect(96, 96, GridCell{0.5, 2.75, 0, false}, 3.65, 2.35),
              wxRect(48, 264, 351, 226));
    EXPECT_EQ(InchesToUnits(96, -0.5), -48);
    EXPECT_EQ(InchesToUnits(96, 1e300), INT_MAX);
    EXPECT_EQ(InchesToUnits(96, -1e300), INT_MIN);
    EXPECT_EQ(InchesToUnits(96, std::nan("")), 0);
}

TEST(PageGrid, CutMarksStayOutsideTheCells)
{
    PageLayout four = Letter2By4();
    four.NumColumns = 4;
    GridPosition position;
    const double width = CardCellWidth(four, true), height = CardCellHeight(four);
    const std::vector<GridCell> cells = SingleSidedPage(four, 3, position);
    const std::vector<PageLine> marks = CutMarks(four, cells, width, height);
    // Four corners of six cells, two marks each, but none in the seam between question and
    // answer, which touch.
    EXPECT_EQ(marks.size(), 6u * 8 - 3 * 4);
    for (const PageLine& mark : marks)
        for (const GridCell& cell : cells)
            for (double t : {0.0, 0.5, 1.0})
            {
                const double x = mark.X1 + t * (mark.X2 - mark.X1);
                const double y = mark.Y1 + t * (mark.Y2 - mark.Y1);
                EXPECT_FALSE(x > cell.X - 1e-9 && x < cell.X + width + 1e-9 && y > cell.Y - 1e-9 &&
                             y < cell.Y + height + 1e-9)
                    << x << ", " << y;
            }
}

TEST(PageGrid, AlignmentReadingBecomesTheOffset)
{
    PageLayout layout = Letter2By4();
    layout.BackOffsetX = 1.5 / 25.4;
    layout.BackOffsetY = -0.8 / 25.4;
    // A sheet printed with this offset on a perfect printer reads the offset back negated;
    // entering that leaves no offset at all.
    ApplyAlignmentReading(layout, -1.5, 0.8);
    EXPECT_NEAR(layout.BackOffsetX, 0, 1e-17);
    EXPECT_NEAR(layout.BackOffsetY, 0, 1e-17);
    ApplyAlignmentReading(layout, 1e300, -HUGE_VAL);
    EXPECT_EQ(layout.BackOffsetX, MaxBackOffset);
    EXPECT_NEAR(layout.BackOffsetY, 0, 1e-17);
}
