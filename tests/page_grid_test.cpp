// The card grid of the printouts: cell sizes, cells per page on both passes, and layouts that
// leave no room.
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
    layout.Name = "8.5\" x 11\" Letter - 2 by 4 cards";
    layout.Width = 8.5;
    layout.Height = 11;
    layout.LeftMargin = layout.RightMargin = layout.TopMargin = layout.BottomMargin = 0.5;
    layout.HorizontalSpacing = layout.VerticalSpacing = 0.2;
    layout.NumColumns = 2;
    layout.NumRows = 4;
    return layout;
}

PageLayout IndexCard()
{
    PageLayout layout = Letter2By4();
    layout.Width = 6;
    layout.Height = 4;
    layout.HorizontalSpacing = layout.VerticalSpacing = 0;
    layout.NumColumns = layout.NumRows = 1;
    return layout;
}

/// Cells per page until a page places nothing.
std::vector<std::vector<GridCell>> SingleSidedPages(const PageLayout& layout, int cards)
{
    std::vector<std::vector<GridCell>> pages;
    GridPosition position;
    while (position.NextCard < cards)
    {
        std::vector<GridCell> cells = SingleSidedPage(layout, cards, position);
        if (cells.empty())
            break;
        pages.push_back(cells);
    }
    return pages;
}
} // namespace

TEST(PageGrid, LetterTwoByFourCellSize)
{
    EXPECT_NEAR(CardCellWidth(Letter2By4(), false), 3.65, 1e-9);
    EXPECT_NEAR(CardCellHeight(Letter2By4()), 2.35, 1e-9);
    // One pair per row: the pair's two cells share the width without a gap.
    EXPECT_NEAR(CardCellWidth(Letter2By4(), true), 3.75, 1e-9);
}

TEST(PageGrid, DoubleSidedPassesHoldTheSameCards)
{
    for (bool back : {false, true})
    {
        GridPosition position;
        const std::vector<GridCell> first = DoubleSidedPage(Letter2By4(), back, 10, position);
        ASSERT_EQ(first.size(), 8u);
        const std::vector<GridCell> second = DoubleSidedPage(Letter2By4(), back, 10, position);
        ASSERT_EQ(second.size(), 2u);
        EXPECT_EQ(position.NextCard, 10);
        for (size_t i = 0; i < first.size(); ++i)
        {
            EXPECT_EQ(first[i].Card, static_cast<int>(i));
            EXPECT_EQ(first[i].AnswerSide, back);
            EXPECT_NEAR(first[i].Y, 0.5 + (i / 2) * 2.55, 1e-9);
        }
        EXPECT_EQ(second[1].Card, 9);
    }
    GridPosition front, back;
    const std::vector<GridCell> fronts = DoubleSidedPage(Letter2By4(), false, 10, front);
    const std::vector<GridCell> backs = DoubleSidedPage(Letter2By4(), true, 10, back);
    EXPECT_NEAR(fronts[0].X, 0.5, 1e-9);
    EXPECT_NEAR(fronts[1].X, 4.35, 1e-9);
    // Turned over about the vertical axis, each answer lies behind its question.
    EXPECT_NEAR(backs[0].X, 4.35, 1e-9);
    EXPECT_NEAR(backs[1].X, 0.5, 1e-9);
}

TEST(PageGrid, SingleSidedPairsAndPages)
{
    const auto pages = SingleSidedPages(Letter2By4(), 9);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 8u);
    EXPECT_EQ(pages[2].size(), 2u);
    const GridCell& question = pages[0][2];
    const GridCell& answer = pages[0][3];
    EXPECT_EQ(question.Card, 1);
    EXPECT_FALSE(question.AnswerSide);
    EXPECT_EQ(answer.Card, 1);
    EXPECT_TRUE(answer.AnswerSide);
    EXPECT_NEAR(answer.X, question.X + 3.75, 1e-9);
    EXPECT_NEAR(question.Y, 0.5 + 2.55, 1e-9);

    PageLayout four = Letter2By4();
    four.NumColumns = 4;
    const auto wide = SingleSidedPages(four, 2);
    ASSERT_EQ(wide.size(), 1u);
    ASSERT_EQ(wide[0].size(), 4u);
    // Spacing falls between the pairs only.
    const double width = CardCellWidth(four, true);
    EXPECT_NEAR(width, (7.5 - 0.2) / 4, 1e-9);
    EXPECT_NEAR(wide[0][2].X, 0.5 + 2 * width + 0.2, 1e-9);
}

TEST(PageGrid, OneColumnSplitsCardsAcrossRowsAndPages)
{
    const auto pages = SingleSidedPages(IndexCard(), 2);
    ASSERT_EQ(pages.size(), 4u);
    for (int page = 0; page < 4; ++page)
    {
        ASSERT_EQ(pages[page].size(), 1u);
        EXPECT_EQ(pages[page][0].Card, page / 2);
        EXPECT_EQ(pages[page][0].AnswerSide, page % 2 == 1);
    }

    PageLayout column = Letter2By4();
    column.NumColumns = 1;
    const auto rows = SingleSidedPages(column, 3);
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[0].size(), 4u);
    EXPECT_TRUE(rows[0][1].AnswerSide);
    EXPECT_NEAR(rows[0][1].Y, rows[0][0].Y + 2.55, 1e-9);
    EXPECT_EQ(rows[1].size(), 2u);
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

    // Cells of no size with negative spacing: the page ends after its rows and columns.
    PageLayout flat = Letter2By4();
    flat.Height = 1;
    flat.TopMargin = flat.BottomMargin = 0.5;
    flat.VerticalSpacing = flat.HorizontalSpacing = -1;
    flat.NumRows = 1;
    flat.NumColumns = 2;
    GridPosition flatPosition;
    EXPECT_LE(DoubleSidedPage(flat, false, 1000, flatPosition).size(), 2u);
}

TEST(PageGrid, CellRectsInLogicalUnits)
{
    const GridCell cell{0.5, 2.75, 0, false};
    const wxRect rect = CellRect(96, 96, cell, 3.65, 2.35);
    EXPECT_EQ(rect, wxRect(48, 264, 351, 226));
    EXPECT_EQ(InchesToUnits(96, -0.5), -48);
    EXPECT_EQ(InchesToUnits(96, 1e300), INT_MAX);
    EXPECT_EQ(InchesToUnits(96, -1e300), INT_MIN);
    EXPECT_EQ(InchesToUnits(96, std::nan("")), 0);
}
