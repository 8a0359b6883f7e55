// SPDX-License-Identifier: GPL-3.0-or-later
// Double-sided cards on paper: the back offset and the flip edge on rendered pages and in the PDF
// export, cut marks, margins without room, and the alignment sheet's reading brought to 0.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "GuiTest.h"
#include "PdfTools.h"
#include "PrintRender.h"
#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/MneAlignmentPrintout.h"
#include "print/MneDoubleSidedPrintout.h"
#include "print/MneSingleSidedPrintout.h"
#include "print/PdfExport.h"

namespace
{
// Ten pixels to the millimetre.
constexpr int Ppi = 254;

class DoubleSidedTest : public testing::Test
{
protected:
    void SetUp() override
    {
        UseFreshConfig();
        LoadOptions();
        Options.PrintPageLayout = 0;
        MakePictureDeck(10);
    }

    static PageLayout& Layout() { return Options.PageLayouts[Options.PrintPageLayout]; }

    /// Where the centre of card's answer must land on back page pixels: the back cell, turned
    /// for the short edge, then moved by the offset.
    static wxPoint ExpectedBack(int column, int row, bool shortEdge)
    {
        const double width = 3.65, height = 2.35;
        double x = 8.5 - 0.5 - width - column * (width + 0.2) + width / 2;
        double y = 0.5 + row * (height + 0.2) + height / 2;
        if (shortEdge)
        {
            x = 8.5 - x;
            y = 11 - y;
        }
        return wxPoint(static_cast<int>((x + Layout().BackOffsetX) * Ppi),
                       static_cast<int>((y + Layout().BackOffsetY) * Ppi));
    }

    static wxPoint Centre(const wxRect& box)
    {
        return wxPoint(box.x + box.width / 2, box.y + box.height / 2);
    }
};

/// The column and row with the most ink within area: the lines of a cross or a ruler.
wxPoint DarkestLines(const wxImage& image, const wxRect& area)
{
    std::vector<long> columns(area.width), rows(area.height);
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x)
        {
            const int ink = 255 - image.GetGreen(area.x + x, area.y + y);
            columns[x] += ink;
            rows[y] += ink;
        }
    return area.GetPosition() +
           wxPoint(
               static_cast<int>(std::max_element(columns.begin(), columns.end()) - columns.begin()),
               static_cast<int>(std::max_element(rows.begin(), rows.end()) - rows.begin()));
}
} // namespace

TEST_F(DoubleSidedTest, OffsetAndFlipEdgeMoveOnlyTheBackPass)
{
    // Card 0 answers with its top half in another colour, to tell which way is up.
    wxImage twoTone(4, 4);
    twoTone.SetRGB(wxRect(0, 0, 4, 4), 10, 200, 60);
    twoTone.SetRGB(wxRect(0, 0, 4, 2), 250, 250, 0);
    Cards[0].AnswerBitmap = wxBitmap(twoTone);
    const wxColour topHalf(250, 250, 0);
    for (bool shortEdge : {false, true})
        for (double offsetX : {0.0, 1.5 / 25.4})
        {
            Layout().BackOffsetX = offsetX;
            Layout().BackOffsetY = offsetX == 0 ? 0 : -0.8 / 25.4;
            Layout().FlipShortEdge = shortEdge;
            SCOPED_TRACE(testing::Message()
                         << "short edge " << shortEdge << ", offset " << offsetX);
            MneDoubleSidedPrintout front(false), back(true);
            const wxPoint question =
                Centre(ColourBox(RenderPage(front, 1, Ppi, Ppi), SideColour(1, false)));
            EXPECT_NEAR(question.x, (4.35 + 3.65 / 2) * Ppi, 3);
            EXPECT_NEAR(question.y, (0.5 + 2.35 / 2) * Ppi, 3);
            // Drawn into a bitmap, and through the printer context of the PDF export, whose
            // pages alternate front and back.
            const wxString pdf = MakeTempDir() + "/karten.pdf";
            ASSERT_TRUE(PrintToPdf({&front, &back}, Layout(), pdf));
            const wxImage pages[] = {RenderPage(back, 1, Ppi, Ppi), RenderPage(back, 2, Ppi, Ppi),
                                     PdfPage(pdf, 2, Ppi), PdfPage(pdf, 4, Ppi)};
            for (int i = 0; i < 4; i += 2)
            {
                const wxRect top = ColourBox(pages[i], topHalf, 6);
                EXPECT_EQ(top.y < ColourBox(pages[i], SideColour(0, true), 6).y, !shortEdge);
            }
            for (const auto& [image, card, column, row] : {std::tuple{0, 0, 0, 0},
                                                           {0, 1, 1, 0},
                                                           {0, 7, 1, 3},
                                                           {1, 9, 1, 0},
                                                           {2, 0, 0, 0},
                                                           {2, 7, 1, 3},
                                                           {3, 9, 1, 0}})
            {
                wxRect box = ColourBox(pages[image], SideColour(card, true), 6);
                if (card == 0)
                    box.Union(ColourBox(pages[image], topHalf, 6));
                const wxPoint want = ExpectedBack(column, row, shortEdge);
                EXPECT_NEAR(Centre(box).x, want.x, 3) << "page " << image << " card " << card;
                EXPECT_NEAR(Centre(box).y, want.y, 3) << "page " << image << " card " << card;
            }
        }
}

TEST_F(DoubleSidedTest, CutMarksOnEveryFrontPageOutsideTheCells)
{
    Layout().CutMarks = true;
    const auto black = [](const wxImage& image, double x, double y)
    {
        const int px = static_cast<int>(x * Ppi), py = static_cast<int>(y * Ppi);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (image.GetRed(px + dx, py + dy) < 40 && image.GetGreen(px + dx, py + dy) < 40 &&
                    image.GetBlue(px + dx, py + dy) < 40)
                    return true;
        return false;
    };
    MneDoubleSidedPrintout front(false), back(true);
    MneSingleSidedPrintout single;
    for (int page : {1, 2})
    {
        const wxImage image = RenderPage(front, page, Ppi, Ppi);
        // In the top margin above the first cell's corner, left of it, and in the gap between
        // the two columns; none inside a cell.
        EXPECT_TRUE(black(image, 0.5, 0.35)) << page;
        EXPECT_TRUE(black(image, 0.35, 0.5)) << page;
        EXPECT_TRUE(black(image, 4.2, 0.5)) << page;
        EXPECT_FALSE(black(image, 0.5 + 3.65 / 2, 0.5 + 0.1)) << page;
        const wxRect firstCell(0.5 * Ppi + 3, 0.5 * Ppi + 3, 3.65 * Ppi - 6, 2.35 * Ppi - 6);
        EXPECT_TRUE(ColourBox(image.GetSubImage(firstCell), *wxBLACK, 30).IsEmpty()) << page;
        EXPECT_TRUE(ColourBox(RenderPage(back, page, Ppi, Ppi), *wxBLACK, 30).IsEmpty()) << page;
    }
    EXPECT_TRUE(black(RenderPage(single, 1, Ppi, Ppi), 0.35, 0.5));
    Layout().CutMarks = false;
    EXPECT_TRUE(ColourBox(RenderPage(front, 1, Ppi, Ppi), *wxBLACK, 30).IsEmpty());
}

TEST_F(DoubleSidedTest, MarginsWithoutRoomDownThePagePrintNothing)
{
    Options.PrintPageLayout = 2;
    Layout().TopMargin = Layout().BottomMargin = 2.5;
    MneSingleSidedPrintout single;
    const wxImage page = RenderPage(single, 1, 50, 50);
    EXPECT_EQ(single.PageCount, 1);
    // Not even the outline of a cell.
    EXPECT_EQ(ColourBox(page, wxColour(128, 128, 128), 100), wxRect());
}

TEST_F(DoubleSidedTest, AlignmentSheetReadingLeadsToZero)
{
    {
        // Both pages go into the PDF export too, sheet by sheet.
        MneAlignmentPrintout front(false), back(true);
        const wxString path = MakeTempDir() + "/ausrichtung.pdf";
        ASSERT_TRUE(PrintToPdf({&front, &back}, Layout(), path));
        EXPECT_EQ(PdfPages(Output(("pdfinfo '" + path + "'").utf8_string())), 2);
        if (const char* keep = std::getenv("MNEMORA_KEEP_ALIGNMENT_PDF"))
            wxCopyFile(path, keep);
    }
    for (bool shortEdge : {false, true})
    {
        SCOPED_TRACE(shortEdge ? "short edge" : "long edge");
        Layout().FlipShortEdge = shortEdge;
        Layout().BackOffsetX = 1.5 / 25.4;
        Layout().BackOffsetY = -0.8 / 25.4;
        MneAlignmentPrintout front(false);
        const wxImage crosses = RenderPage(front, 1, Ppi, Ppi);
        // The reading of the cell in the second column, second row, in millimetres on the
        // back page's scales.
        const auto reading = [&]
        {
            MneAlignmentPrintout back(true);
            const wxImage rulers = RenderPage(back, 1, Ppi, Ppi);
            const wxPoint cross =
                DarkestLines(crosses, wxRect(4.45 * Ppi, 3.15 * Ppi, 3.45 * Ppi, 2.15 * Ppi));
            // The cross as seen from the back: mirrored across, or turned top to bottom.
            const wxPoint seen = shortEdge ? wxPoint(cross.x, crosses.GetHeight() - 1 - cross.y)
                                           : wxPoint(crosses.GetWidth() - 1 - cross.x, cross.y);
            // Within 3.5 mm: the ruler's lines, clear of its numbers.
            const wxPoint zero =
                DarkestLines(rulers, wxRect(seen - wxPoint(35, 35), wxSize(71, 71)));
            return wxRealPoint((seen.x - zero.x) / 10.0, (seen.y - zero.y) / 10.0);
        };
        const wxRealPoint first = reading();
        EXPECT_NEAR(first.x, -1.5, 0.15);
        EXPECT_NEAR(first.y, 0.8, 0.15);
        ApplyAlignmentReading(Layout(), first.x, first.y);
        const wxRealPoint second = reading();
        // Exact but for the pixel the lines are rounded to.
        EXPECT_NEAR(second.x, 0, 0.1);
        EXPECT_NEAR(second.y, 0, 0.1);
    }
}
