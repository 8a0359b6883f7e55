// SPDX-License-Identifier: GPL-3.0-or-later
// Printout pages drawn into bitmaps, and decks of picture cards.
#include "PrintRender.h"

#include <wx/dcmemory.h>
#include <wx/filename.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "GuiTest.h"
#include "app/Options.h"
#include "deck/mnemora.h"

wxColour SideColour(int card, bool answer)
{
    return wxColour(static_cast<unsigned char>(10 + 20 * card), answer ? 200 : 0, 60);
}

namespace
{
wxBitmap Solid(const wxColour& colour, int width, int height)
{
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), colour.Red(), colour.Green(), colour.Blue());
    return wxBitmap(image);
}
} // namespace

void MakePictureDeck(int count, int width, int height)
{
    ResetDeck();
    FileName = wxFileName("/tmp/Vokabeln.mnd");
    for (int i = 0; i < count; ++i)
    {
        Card card;
        card.QuestionBitmap = Solid(SideColour(i, false), width, height);
        card.AnswerBitmap = Solid(SideColour(i, true), width, height);
        Cards.push_back(card);
    }
}

wxImage RenderPage(wxPrintoutManager& printout, int page, int bitmapPpi, int printerPpi,
                   int screenPpi)
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
        printout.SetPPIScreen(screenPpi, screenPpi);
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

wxRect ColourBox(const wxImage& image, const wxColour& colour, int tolerance)
{
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    const unsigned char* pixel = image.GetData();
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x, pixel += 3)
            if (std::abs(pixel[0] - colour.Red()) <= tolerance &&
                std::abs(pixel[1] - colour.Green()) <= tolerance &&
                std::abs(pixel[2] - colour.Blue()) <= tolerance)
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? wxRect() : wxRect(left, top, right - left + 1, bottom - top + 1);
}
