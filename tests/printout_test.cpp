// SPDX-License-Identifier: GPL-3.0-or-later
// The three printouts rendered into bitmaps as a printer at 100 pixels per inch would get them:
// cell positions on both passes, pages per deck, the study sheet's header and paging order.
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <gtest/gtest.h>

#include <memory>

#include "GuiTest.h"
#include "PrintRender.h"
#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/MneDoubleSidedPrintout.h"
#include "print/MneSingleSidedPrintout.h"
#include "print/MneStudySheetPrintout.h"

namespace
{
constexpr int Ppi = 100;

class PrintoutTest : public testing::Test
{
protected:
    void SetUp() override
    {
        UseFreshConfig();
        LoadOptions();
        Options.PrintPageLayout = 0;
    }

    /// Page `page` of printout on white paper of the selected layout, printerPpi pixels per
    /// inch on paper, drawn into a bitmap of bitmapPpi pixels per inch.
    wxImage Render(wxPrintoutManager& printout, int page, int bitmapPpi = Ppi, int printerPpi = Ppi)
    {
        return RenderPage(printout, page, bitmapPpi, printerPpi, Ppi);
    }

    static wxColour At(const wxImage& image, double x, double y)
    {
        const int px = static_cast<int>(x * Ppi);
        const int py = static_cast<int>(y * Ppi);
        return wxColour(image.GetRed(px, py), image.GetGreen(px, py), image.GetBlue(px, py));
    }

    /// True when a grey outline pixel lies on row y within one pixel of x (inches).
    static bool OutlineNear(const wxImage& image, double x, double y)
    {
        const int px = static_cast<int>(x * Ppi + 0.5);
        const int py = static_cast<int>(y * Ppi);
        for (int dx = -1; dx <= 1; ++dx)
            if (image.GetRed(px + dx, py) == 128 && image.GetGreen(px + dx, py) == 128)
                return true;
        return false;
    }
};
} // namespace

TEST_F(PrintoutTest, DoubleSidedLetterBothPasses)
{
    MakePictureDeck(10);
    MneDoubleSidedPrintout front(false);
    const wxImage frontPage = Render(front, 1);
    EXPECT_EQ(front.PageCount, 2);
    EXPECT_EQ(front.GetTitle(), "Vokabeln.mnd - Double Sided Cards");
    // Cells 3.65 x 2.35 inches from (0.5, 0.5), 0.2 inch apart.
    EXPECT_EQ(At(frontPage, 0.5 + 3.65 / 2, 0.5 + 2.35 / 2), SideColour(0, false));
    EXPECT_EQ(At(frontPage, 4.35 + 3.65 / 2, 0.5 + 2.35 / 2), SideColour(1, false));
    EXPECT_EQ(At(frontPage, 4.35 + 3.65 / 2, 8.15 + 2.35 / 2), SideColour(7, false));
    EXPECT_TRUE(OutlineNear(frontPage, 0.5, 1.0));
    EXPECT_TRUE(OutlineNear(frontPage, 4.35, 1.0));
    const wxImage frontTwo = Render(front, 2);
    EXPECT_EQ(At(frontTwo, 4.35 + 3.65 / 2, 0.5 + 2.35 / 2), SideColour(9, false));
    EXPECT_EQ(At(frontTwo, 2, 3.5), *wxWHITE);
    EXPECT_FALSE(front.HasPage(3));

    MneDoubleSidedPrintout back(true);
    const wxImage backPage = Render(back, 1);
    EXPECT_EQ(back.PageCount, 2);
    EXPECT_EQ(At(backPage, 4.35 + 3.65 / 2, 0.5 + 2.35 / 2), SideColour(0, true));
    EXPECT_EQ(At(backPage, 0.5 + 3.65 / 2, 0.5 + 2.35 / 2), SideColour(1, true));
    EXPECT_TRUE(OutlineNear(backPage, 4.35, 1.0));
    const wxImage backTwo = Render(back, 2);
    EXPECT_EQ(At(backTwo, 4.35 + 3.65 / 2, 0.5 + 2.35 / 2), SideColour(8, true));
    EXPECT_EQ(At(backTwo, 0.5 + 3.65 / 2, 0.5 + 2.35 / 2), SideColour(9, true));
}

TEST_F(PrintoutTest, SingleSidedPairsAndIndexCards)
{
    MakePictureDeck(9);
    MneSingleSidedPrintout sheet;
    const wxImage first = Render(sheet, 1);
    EXPECT_EQ(sheet.PageCount, 3);
    // Question and answer share the row's width without a gap: cells of 3.75 inches.
    EXPECT_EQ(At(first, 0.5 + 3.75 / 2, 0.5 + 2.35 / 2), SideColour(0, false));
    EXPECT_EQ(At(first, 4.25 + 3.75 / 2, 0.5 + 2.35 / 2), SideColour(0, true));
    EXPECT_EQ(At(first, 4.25 + 3.75 / 2, 8.15 + 2.35 / 2), SideColour(3, true));
    const wxImage last = Render(sheet, 3);
    EXPECT_EQ(At(last, 0.5 + 3.75 / 2, 0.5 + 2.35 / 2), SideColour(8, false));
    EXPECT_EQ(At(last, 4.25 + 3.75 / 2, 0.5 + 2.35 / 2), SideColour(8, true));
    EXPECT_EQ(At(last, 2, 4), *wxWHITE);

    Options.PrintPageLayout = 2;
    MakePictureDeck(2);
    MneSingleSidedPrintout index;
    EXPECT_EQ(At(Render(index, 1), 3, 2), SideColour(0, false));
    EXPECT_EQ(index.PageCount, 4);
    EXPECT_EQ(At(Render(index, 2), 3, 2), SideColour(0, true));
    EXPECT_EQ(At(Render(index, 4), 3, 2), SideColour(1, true));
}

TEST_F(PrintoutTest, StudySheetHeaderAndRows)
{
    // Square pictures fill a column 3.55 inches wide: two rows to a page.
    MakePictureDeck(5);
    MneStudySheetPrintout sheet;
    const wxImage first = Render(sheet, 1);
    ASSERT_EQ(sheet.PageCount, 3);
    EXPECT_EQ(sheet.GetTitle(), "Vokabeln.mnd - Study Sheet");
    // The header's two lines end at the right margin and keep clear of the left half.
    int inkLeft = first.GetWidth(), inkRight = 0;
    for (int y = 50; y < 80; ++y)
        for (int x = 0; x < first.GetWidth(); ++x)
            if (first.GetRed(x, y) < 128 && first.GetGreen(x, y) < 128)
            {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    EXPECT_GT(inkLeft, 425);
    EXPECT_LE(inkRight, 800);
    EXPECT_GE(inkRight, 780);
    const wxImage last = Render(sheet, 3);
    EXPECT_EQ(At(last, 2.5, 3), SideColour(4, false));
    EXPECT_EQ(At(last, 6, 3), SideColour(4, true));
    EXPECT_EQ(At(last, 2.5, 7), *wxWHITE);
}

TEST_F(PrintoutTest, StudySheetFirstCardTallerThanThePage)
{
    MakePictureDeck(3, 4, 40);
    MneStudySheetPrintout sheet;
    const wxImage page = Render(sheet, 1);
    EXPECT_EQ(sheet.PageCount, 1);
    EXPECT_FALSE(sheet.HasPage(2));
    for (double y = 2; y < 10.5; y += 0.5)
        EXPECT_EQ(At(page, 2.5, y), *wxWHITE);
}

TEST_F(PrintoutTest, PreviewScalesToItsBitmap)
{
    // A 600 dpi page in a bitmap of 50 pixels per inch: the page shrinks to half of Render's.
    MakePictureDeck(3);
    MneDoubleSidedPrintout printout(false);
    printout.ScaleToDevice = true;
    wxImage half = Render(printout, 1, 50, 600);
    ASSERT_EQ(half.GetWidth(), 425);
    half.Rescale(850, 1100, wxIMAGE_QUALITY_NEAREST);
    EXPECT_EQ(At(half, 0.5 + 3.65 / 2, 0.5 + 2.35 / 2), SideColour(0, false));
    EXPECT_EQ(At(half, 4.35 + 3.65 / 2, 0.5 + 2.35 / 2), SideColour(1, false));
    EXPECT_EQ(At(half, 0.5 + 3.65 / 2, 3.05 + 2.35 / 2), SideColour(2, false));
    EXPECT_EQ(At(half, 0.3, 0.3), *wxWHITE);
}

TEST_F(PrintoutTest, PagesInAnyOrderMatchPagesInOrder)
{
    MakePictureDeck(30);
    MneDoubleSidedPrintout inOrder(false);
    std::vector<wxImage> pages;
    for (int page = 1; page <= 4; ++page)
        pages.push_back(Render(inOrder, page));
    ASSERT_EQ(inOrder.PageCount, 4);
    MneDoubleSidedPrintout jumping(false);
    Render(jumping, 1);
    for (int page : {4, 2, 3})
    {
        const wxImage image = Render(jumping, page);
        EXPECT_EQ(0, memcmp(image.GetData(), pages[page - 1].GetData(),
                            static_cast<size_t>(image.GetWidth()) * image.GetHeight() * 3))
            << "page " << page;
    }
}
