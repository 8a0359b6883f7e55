// SPDX-License-Identifier: GPL-3.0-or-later
// The three printouts rendered into bitmaps as a printer at 100 pixels per inch would get them:
// cell positions on both passes, pages per deck, the study sheet's header and paging order; and
// double-sided cards at ten pixels to the millimetre: back offset, flip edge, cut marks and the
// alignment sheet, on rendered pages and in the PDF export.
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "DrawCanvas.h"
#include "GuiTest.h"
#include "PdfTools.h"
#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/MneAlignmentPrintout.h"
#include "print/MneDoubleSidedPrintout.h"
#include "print/MneSingleSidedPrintout.h"
#include "print/MneStudySheetPrintout.h"
#include "print/PdfExport.h"

namespace
{
constexpr int Ppi = 100;

wxColour SideColour(int card, bool answer)
{
    return wxColour(static_cast<unsigned char>(10 + 20 * card), answer ? 200 : 0, 60);
}

/// A deck of picture cards, each side a solid colour of its own; pictures width x height.
void MakeDeck(int count, int width = 4, int height = 4)
{
    ResetDeck();
    FileName = wxFileName("/tmp/Vokabeln.mnd");
    for (int i = 0; i < count; ++i)
    {
        Card card;
        card.QuestionBitmap = SolidBitmap(width, height, SideColour(i, false));
        card.AnswerBitmap = SolidBitmap(width, height, SideColour(i, true));
        Cards.push_back(card);
    }
}

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
        const PageLayout& layout = Options.PageLayouts[Options.PrintPageLayout];
        wxBitmap bitmap(static_cast<int>(layout.Width * bitmapPpi),
                        static_cast<int>(layout.Height * bitmapPpi), 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            const wxSize paper(static_cast<int>(layout.Width * printerPpi),
                               static_cast<int>(layout.Height * printerPpi));
            printout.SetPPIScreen(Ppi, Ppi);
            printout.SetPPIPrinter(printerPpi, printerPpi);
            printout.SetPageSizePixels(paper.x, paper.y);
            printout.SetPaperRectPixels(wxRect(paper));
            printout.SetDC(&dc);
            if (page == 1)
                printout.OnPreparePrinting();
            EXPECT_TRUE(printout.HasPage(page));
            EXPECT_TRUE(printout.OnPrintPage(page));
            printout.SetDC(nullptr);
        }
        return bitmap.ConvertToImage();
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
    MakeDeck(10);
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
    MakeDeck(9);
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
    MakeDeck(2);
    MneSingleSidedPrintout index;
    EXPECT_EQ(At(Render(index, 1), 3, 2), SideColour(0, false));
    EXPECT_EQ(index.PageCount, 4);
    EXPECT_EQ(At(Render(index, 2), 3, 2), SideColour(0, true));
    EXPECT_EQ(At(Render(index, 4), 3, 2), SideColour(1, true));
}

TEST_F(PrintoutTest, StudySheetHeaderAndRows)
{
    // Square pictures fill a column 3.55 inches wide: two rows to a page.
    MakeDeck(5);
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
    MakeDeck(3, 4, 40);
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
    MakeDeck(3);
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
    MakeDeck(30);
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

namespace
{
// Ten pixels to the millimetre.
constexpr int Fine = 254;
using DoubleSidedTest = PrintoutTest;

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
           wxPoint(int(std::max_element(columns.begin(), columns.end()) - columns.begin()),
                   int(std::max_element(rows.begin(), rows.end()) - rows.begin()));
}
} // namespace

TEST_F(DoubleSidedTest, OffsetAndFlipEdgeMoveOnlyTheBackPass)
{
    MakeDeck(10);
    // Card 0 answers with its top half in another colour, to tell which way is up.
    wxImage twoTone = SolidBitmap(4, 4, SideColour(0, true)).ConvertToImage();
    twoTone.SetRGB(wxRect(0, 0, 4, 2), 250, 250, 0);
    Cards[0].AnswerBitmap = wxBitmap(twoTone);
    PageLayout& layout = Options.PageLayouts[0];
    const auto centre = [](const wxRect& r)
    { return wxRealPoint(r.x + r.width / 2.0, r.y + r.height / 2.0); };
    for (bool shortEdge : {false, true})
        for (const wxRealPoint mm : {wxRealPoint(0, 0), wxRealPoint(1.5, -0.8)})
        {
            SCOPED_TRACE(testing::Message() << "short edge " << shortEdge << ", offset " << mm.x);
            layout.FlipShortEdge = shortEdge;
            layout.BackOffsetX = mm.x / 25.4;
            layout.BackOffsetY = mm.y / 25.4;
            MneDoubleSidedPrintout front(false), back(true);
            const wxRealPoint question =
                centre(ColourBox(Render(front, 1, Fine, Fine), SideColour(1, false)));
            EXPECT_NEAR(question.x, (4.35 + 3.65 / 2) * Fine, 3.5);
            EXPECT_NEAR(question.y, (0.5 + 2.35 / 2) * Fine, 3.5);
            // Drawn into a bitmap, and through the PDF export, whose pages alternate front and
            // back.
            const wxString pdf = MakeTempDir() + "/karten.pdf";
            ASSERT_TRUE(PrintToPdf({&front, &back}, layout, pdf));
            const wxImage pages[] = {Render(back, 1, Fine, Fine), Render(back, 2, Fine, Fine),
                                     PdfPage(pdf, 2, Fine), PdfPage(pdf, 4, Fine)};
            for (const auto& [page, card, column, row] : {std::tuple{0, 0, 0, 0},
                                                          {0, 1, 1, 0},
                                                          {0, 7, 1, 3},
                                                          {1, 9, 1, 0},
                                                          {2, 0, 0, 0},
                                                          {2, 7, 1, 3},
                                                          {3, 9, 1, 0}})
            {
                // The long-edge back cell, turned about the page centre for the short edge.
                double x = 8.5 - 0.5 - 3.65 / 2 - column * 3.85, y = 0.5 + 2.35 / 2 + row * 2.55;
                if (shortEdge)
                    std::tie(x, y) = std::tuple(8.5 - x, 11 - y);
                wxRect box = ColourBox(pages[page], SideColour(card, true), 6);
                if (card == 0)
                {
                    const wxRect top = ColourBox(pages[page], wxColour(250, 250, 0), 6);
                    EXPECT_EQ(top.y < box.y, !shortEdge) << "upright, page " << page;
                    box.Union(top);
                }
                EXPECT_NEAR(centre(box).x, (x + mm.x / 25.4) * Fine, 3.5) << page << card;
                EXPECT_NEAR(centre(box).y, (y + mm.y / 25.4) * Fine, 3.5) << page << card;
            }
        }
}

TEST_F(DoubleSidedTest, CutMarksOnEveryFrontPageOutsideTheCells)
{
    MakeDeck(10);
    Options.PageLayouts[0].CutMarks = true;
    const auto dark = [](const wxImage& image, const wxRect& area = wxRect()) {
        return !ColourBox(area.IsEmpty() ? image : image.GetSubImage(area), *wxBLACK, 35).IsEmpty();
    };
    const auto near = [](double x, double y)
    { return wxRect(int(x * Fine) - 2, int(y * Fine) - 2, 5, 5); };
    const wxRect firstCell(wxPoint(Fine / 2 + 3, Fine / 2 + 3),
                           wxSize(3.65 * Fine - 6, 2.35 * Fine - 6));
    MneDoubleSidedPrintout front(false), back(true);
    for (int number : {1, 2})
    {
        // Above and left of the first cell's corner, and in the gap between the columns.
        const wxImage image = Render(front, number, Fine, Fine);
        EXPECT_TRUE(dark(image, near(0.5, 0.35)) && dark(image, near(0.35, 0.5)) &&
                    dark(image, near(4.2, 0.5)))
            << number;
        EXPECT_FALSE(dark(image, firstCell)) << number;
        EXPECT_FALSE(dark(Render(back, number, Fine, Fine))) << number;
    }
    MneSingleSidedPrintout single;
    EXPECT_TRUE(dark(Render(single, 1, Fine, Fine), near(0.35, 0.5)));
    Options.PageLayouts[0].CutMarks = false;
    EXPECT_FALSE(dark(Render(front, 1, Fine, Fine)));
}

TEST_F(PrintoutTest, MarginsWithoutRoomDownThePagePrintNothing)
{
    MakeDeck(10);
    Options.PrintPageLayout = 2;
    Options.PageLayouts[2].TopMargin = Options.PageLayouts[2].BottomMargin = 2.5;
    MneSingleSidedPrintout single;
    MneDoubleSidedPrintout front(false), back(true);
    // Not even the outline of a cell.
    for (wxPrintoutManager* printout :
         std::initializer_list<wxPrintoutManager*>{&single, &front, &back})
        EXPECT_EQ(InkBox(Render(*printout, 1, 50, 50)), wxRect());
    EXPECT_EQ(single.PageCount, 1);
}

TEST_F(DoubleSidedTest, AlignmentSheetReadingLeadsToZero)
{
    PageLayout& layout = Options.PageLayouts[0];
    // The screenshot script keeps the sheet's PDF export.
    MneAlignmentPrintout sheetFront(false), sheetBack(true);
    const wxString path = MakeTempDir() + "/ausrichtung.pdf";
    ASSERT_TRUE(PrintToPdf({&sheetFront, &sheetBack}, layout, path));
    if (const char* keep = std::getenv("MNEMORA_KEEP_ALIGNMENT_PDF"))
        wxCopyFile(path, keep);
    for (bool shortEdge : {false, true})
    {
        SCOPED_TRACE(shortEdge ? "short edge" : "long edge");
        layout.FlipShortEdge = shortEdge;
        layout.BackOffsetX = 1.5 / 25.4;
        layout.BackOffsetY = -0.8 / 25.4;
        MneAlignmentPrintout front(false);
        const wxImage crosses = Render(front, 1, Fine, Fine);
        // The reading of the cell in the second column, second row, in millimetres on the back
        // page's scales.
        const auto reading = [&]
        {
            MneAlignmentPrintout back(true);
            const wxImage rulers = Render(back, 1, Fine, Fine);
            const wxPoint cross =
                DarkestLines(crosses, wxRect(4.45 * Fine, 3.15 * Fine, 3.45 * Fine, 2.15 * Fine));
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
        ApplyAlignmentReading(layout, first.x, first.y);
        // Exact but for the pixel the lines are rounded to.
        const wxRealPoint second = reading();
        EXPECT_NEAR(second.x, 0, 0.1);
        EXPECT_NEAR(second.y, 0, 0.1);
    }
}
