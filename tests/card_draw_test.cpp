// SPDX-License-Identifier: GPL-3.0-or-later
// Card faces drawn into memory bitmaps: placement, clipping, inline styles and pictures,
// checked pixel by pixel.
#include <wx/image.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "DrawCanvas.h"
#include "deck/Card.h"
#include "study/CardDraw.h"
#include "study/TextLayout.h"

namespace
{
/// Two by two pixels: red, blue / green, black.
wxBitmap Checker()
{
    wxImage image(2, 2);
    image.SetRGB(0, 0, 255, 0, 0);
    image.SetRGB(1, 0, 0, 0, 255);
    image.SetRGB(0, 1, 0, 255, 0);
    image.SetRGB(1, 1, 0, 0, 0);
    return wxBitmap(image);
}

/// One run of a line drawn by hand.
struct TextRun
{
    wxString Text;
    wxFont Font;
};

/// The lines drawn by hand, the runs of a line one after the other, each in its own font.
wxImage Expected(const std::vector<std::vector<TextRun>>& lines, int lineHeight)
{
    DrawCanvas canvas;
    int y = 0;
    for (const auto& line : lines)
    {
        int x = 0;
        for (const TextRun& run : line)
        {
            canvas.dc.SetFont(run.Font);
            canvas.dc.DrawText(run.Text, x, y);
            x += canvas.dc.GetTextExtent(run.Text).x;
        }
        y += lineHeight;
    }
    return canvas.Image();
}

wxImage Formatted(const wxString& text, int width = 400)
{
    DrawCanvas canvas;
    DrawFormattedText(canvas.dc, text, wxRect(0, 0, width, 300), 0, true);
    return canvas.Image();
}
} // namespace

TEST(CardSide, TextAloneIsCentredInsideTheInset)
{
    Card card;
    card.Question = "Capital of France?\nParis";
    DrawCanvas canvas;
    const wxSize block =
        DrawFormattedText(canvas.dc, card.Question, wxRect(10, 10, 380, 280), 0, false);
    DrawCardSide(canvas.dc, card, 0, 0, 400, 300, false, true);
    const wxRect ink = InkBox(canvas.Image());
    const int left = 10 + (380 - block.x) / 2;
    const int top = 10 + (280 - block.y) / 2;
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_TRUE(wxRect(left, top, block.x, block.y).Contains(ink)) << ink.x << "," << ink.y;
    EXPECT_NEAR(ink.x + ink.width / 2, 200, 4);
    EXPECT_NEAR(ink.y + ink.height / 2, 150, 6);
    EXPECT_LE(ink.x - left, 3); // the block's left edge is the widest line's
}

TEST(CardSide, PictureLeftAndTextRight)
{
    Card card;
    card.Question = "Hi";
    card.QuestionBitmap = SolidBitmap(40, 30, *wxRED);
    DrawCanvas canvas;
    DrawCardSide(canvas.dc, card, 0, 0, 400, 300, false, true);
    const wxImage image = canvas.Image();
    // Scale min(180 / 40, 280 / 30) = 4.5: 180 x 135, centred in (10, 10, 180, 280).
    EXPECT_EQ(InkBox(image, *wxWHITE, wxRect(0, 0, 200, 300)), wxRect(10, 82, 180, 135));
    EXPECT_EQ(At(image, 10, 82), *wxRED);
    EXPECT_EQ(At(image, 189, 216), *wxRED);
    const wxRect text = InkBox(image, *wxWHITE, wxRect(200, 0, 200, 300));
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_GE(text.x, 210);
    EXPECT_NEAR(text.x + text.width / 2, 300, 3);
    EXPECT_NEAR(text.y + text.height / 2, 150, 5); // the text uses the side's full height
}

TEST(CardSide, PictureAloneFillsTheSide)
{
    Card card;
    card.AnswerBitmap = SolidBitmap(40, 30, *wxRED);
    DrawCanvas canvas;
    DrawCardSide(canvas.dc, card, 0, 0, 400, 300, true, true);
    const float s = FitScale(40, 30, 380, 280);
    const int w = static_cast<int>(40 * s);
    const int h = static_cast<int>(30 * s);
    EXPECT_EQ(InkBox(canvas.Image()), wxRect(10 + (380 - w) / 2, 10 + (280 - h) / 2, w, h));
}

TEST(CardSide, TooTallTextStartsAtTheTopAndIsCutAtTheClip)
{
    const int lh = LineHeight();
    const int h = 10 + 3 * lh + 11; // the fourth line starts on the last row of the text area
    Card card;
    card.Question = "Wg1\nWg2\nWg3\nWg4\nWg5\nWg6";
    DrawCanvas canvas;
    EXPECT_EQ(FormattedTextHeight(canvas.dc, card.Question, wxRect(10, 10, 380, h - 20)), h - 20);
    DrawCardSide(canvas.dc, card, 0, 0, 400, h, false, true);
    const wxImage image = canvas.Image();
    const wxRect ink = InkBox(image);
    EXPECT_LT(ink.y, 10 + lh);     // first line at the top of the text area
    EXPECT_EQ(ink.GetBottom(), h); // the fourth line is cut by the clip, one below the side
    EXPECT_TRUE(InkBox(image, *wxWHITE, wxRect(0, h - 11, 400, 12)).height > 0);
}

TEST(CardSide, MeasureOnlyDrawsNothingAndLeavesNoClip)
{
    Card card;
    card.Question = "Text";
    card.QuestionBitmap = SolidBitmap(4, 4, *wxRED);
    DrawCanvas canvas;
    DrawCardSide(canvas.dc, card, 20, 20, 200, 100, false, false);
    wxCoord x, y, w, h;
    canvas.dc.GetClippingBox(&x, &y, &w, &h);
    EXPECT_EQ(wxRect(x, y, w, h), wxRect(0, 0, 400, 300));
    EXPECT_TRUE(InkBox(canvas.Image()).IsEmpty());
}

TEST(FormattedTextDc, BoldUnderlineItalicSpans)
{
    DrawCanvas canvas;
    const wxRect r(0, 0, 400, 300);
    EXPECT_GT(DrawFormattedText(canvas.dc, "**abc def**", r, 0, false).x,
              DrawFormattedText(canvas.dc, "abc def", r, 0, false).x);
    const wxFont before = canvas.dc.GetFont();
    DrawFormattedText(canvas.dc, "**a __b //c", r, 0, true);
    EXPECT_TRUE(canvas.dc.GetFont() == before); // the caller's font comes back

    const wxFont plain = TestFont();
    const int lh = LineHeight();
    // a, blank, **b**, blank, c: b bold, markers not drawn.
    EXPECT_TRUE(SamePixels(Formatted("a **b** c"), Expected({{{"a ", plain},
                                                              {"b", Styled(true, false, false)},
                                                              {" c", Styled(false, false, false)}}},
                                                            lh)));
    EXPECT_TRUE(SamePixels(Formatted("__under__"),
                           Expected({{{"under", Styled(false, true, false)}}}, lh)));
    EXPECT_FALSE(SamePixels(Formatted("__under__"), Expected({{{"under", plain}}}, lh)));
    EXPECT_TRUE(
        SamePixels(Formatted("//it//"), Expected({{{"it", Styled(false, false, true)}}}, lh)));
    EXPECT_TRUE(SamePixels(Formatted("a //b"),
                           Expected({{{"a ", plain}, {"b", Styled(false, false, true)}}}, lh)));
    EXPECT_TRUE(
        SamePixels(Formatted("***x"), Expected({{{"*x", Styled(true, false, false)}}}, lh)));
}

TEST(FormattedTextDc, BoldSpanCarriesOverTheWrap)
{
    // Lines are broken on the raw text, markers included: "aaa **bbb " fits, "c**" does not.
    DrawCanvas probe;
    const int blank = probe.dc.GetTextExtent(" ").x;
    const int width =
        probe.dc.GetTextExtent("aaa").x + 2 * blank + probe.dc.GetTextExtent("**bbb").x + 3;
    const wxFont bold = Styled(true, false, false);
    EXPECT_TRUE(SamePixels(Formatted("aaa **bbb c** d", width),
                           Expected({{{"aaa ", TestFont()}, {"bbb ", bold}},
                                     {{"c", bold}, {" d", Styled(false, false, false)}}},
                                    LineHeight())));
}

TEST(FormattedTextDc, TabsAreEightBlanks)
{
    const int lh = LineHeight();
    EXPECT_TRUE(SamePixels(Formatted("\tX"), Expected({{{"        X", TestFont()}}}, lh)));
    DrawCanvas canvas;
    EXPECT_EQ(DrawFormattedText(canvas.dc, "\tX", wxRect(0, 0, 400, 300), 0, false).x,
              canvas.dc.GetTextExtent("        X").x);
}

TEST(FormattedTextDc, WordWiderThanTheLineIsSplit)
{
    const wxString word = "abcdefghijklmnopqrstuvwxyz";
    DrawCanvas canvas;
    const int n = FitLine(canvas.dc, word, 100);
    ASSERT_GT(n, 0);
    EXPECT_LT(canvas.dc.GetTextExtent(word.Left(n)).x, 100);
    EXPECT_GE(canvas.dc.GetTextExtent(word.Left(n + 1)).x, 100);
    std::vector<std::vector<TextRun>> lines;
    for (wxString rest = word; !rest.empty();)
    {
        const int k = FitLine(canvas.dc, rest, 100);
        ASSERT_GT(k, 0);
        lines.push_back({{rest.Left(k), TestFont()}});
        rest = rest.Mid(k);
    }
    EXPECT_GE(lines.size(), 3u);
    EXPECT_EQ(FormattedTextHeight(canvas.dc, word, wxRect(0, 0, 100, 300)),
              static_cast<int>(lines.size()) * LineHeight());
    EXPECT_TRUE(SamePixels(Formatted(word, 100), Expected(lines, LineHeight())));
}

TEST(FormattedTextDc, NoRoomAndOddWhiteSpaceStillEnd)
{
    DrawCanvas canvas;
    const int lh = LineHeight();
    EXPECT_EQ(FormattedTextHeight(canvas.dc, "abc", wxRect(0, 0, 0, 16777216)), 3 * lh);
    EXPECT_EQ(FormattedTextHeight(canvas.dc, "abc", wxRect(0, 0, 2, 16777216)), 3 * lh);
    const wxString odd = wxString::FromUTF8("one\rtwo\xC2\xA0three\xE3\x80\x80"
                                            "four\x0C"
                                            "five");
    EXPECT_EQ(FormattedTextHeight(canvas.dc, odd, wxRect(0, 0, 400, 16777216)), lh);
    const int narrow = canvas.dc.GetTextExtent("three ").x + 2;
    EXPECT_EQ(FormattedTextHeight(canvas.dc, odd, wxRect(0, 0, narrow, 16777216)), 5 * lh);
    Card card;
    card.Question = "Question text";
    card.Answer = "Answer";
    EXPECT_GT(DrawCardRow(canvas.dc, card, 0, 0, 30, true, 0), 0); // columns of -5 units
}

TEST(CardRow, ColumnsAndPictureBlock)
{
    Card card;
    card.Question = "Q";
    card.Answer = "A";
    card.AnswerBitmap = SolidBitmap(20, 10, *wxRED);
    DrawCanvas canvas(400, 400);
    const int lh = LineHeight();
    // half 200, columns 180 wide at 10 and 210; picture scale 9: 180 x 90, block 90 + lh + 10.
    const int row = DrawCardRow(canvas.dc, card, 0, 0, 400, false, 7);
    EXPECT_EQ(row, 90 + lh + 10 + 7);
    EXPECT_EQ(DrawCardRow(canvas.dc, card, 0, 0, 400, true, 7), row);
    const wxImage image = canvas.Image();
    const int top = (row - (90 + lh + 10)) / 2;
    EXPECT_EQ(InkBox(image, *wxWHITE, wxRect(200, 0, 200, 400)).y, top);
    EXPECT_EQ(At(image, 210, top), *wxRED);
    EXPECT_EQ(At(image, 389, top + 89), *wxRED);
    EXPECT_NE(At(image, 210, top + 90), *wxRED);
    const wxRect answer = InkBox(image, *wxWHITE, wxRect(200, top + 90, 200, 400 - top - 90));
    EXPECT_GE(answer.y, top + 100); // the text starts 10 below the picture
    const wxRect question = InkBox(image, *wxWHITE, wxRect(0, 0, 200, 400));
    EXPECT_NEAR(question.x + question.width / 2, 100, 3);
    EXPECT_NEAR(question.y + question.height / 2, row / 2, 4);
}

TEST(ScaledBitmap, EnlargedWithHardPixelEdges)
{
    DrawCanvas canvas;
    DrawScaledBitmap(canvas.dc, Checker(), 10, 20, 50, 50);
    double sx, sy;
    canvas.dc.GetUserScale(&sx, &sy);
    EXPECT_EQ(sx, 1.0);
    EXPECT_EQ(sy, 1.0);
    const wxImage image = canvas.Image();
    EXPECT_EQ(InkBox(image), wxRect(10, 20, 100, 100));
    EXPECT_EQ(At(image, 10, 20), *wxRED);
    EXPECT_EQ(At(image, 59, 69), *wxRED);
    EXPECT_EQ(At(image, 60, 69), *wxBLUE);
    EXPECT_EQ(At(image, 59, 70), *wxGREEN);
    EXPECT_EQ(At(image, 60, 70), *wxBLACK);
    EXPECT_EQ(At(image, 109, 119), *wxBLACK);
}

TEST(ScaledBitmap, NoBlendedPixelsAtAnyScaleAndTheDcMappingStays)
{
    // As a printout sets up its page: a scale and a shifted origin.
    DrawCanvas canvas;
    canvas.dc.SetUserScale(2, 2);
    canvas.dc.SetDeviceOrigin(7, 9);
    DrawScaledBitmap(canvas.dc, Checker(), 5, 5, 37.3, 21.7);
    double sx, sy;
    canvas.dc.GetUserScale(&sx, &sy);
    EXPECT_EQ(sx, 2.0);
    EXPECT_EQ(sy, 2.0);
    EXPECT_EQ(canvas.dc.GetDeviceOrigin(), wxPoint(7, 9));
    EXPECT_EQ(canvas.dc.LogicalToDeviceX(5), 17);
    const wxImage image = canvas.Image();
    const std::set<unsigned long> allowed = {0xFFFFFF, 0xFF0000, 0x0000FF, 0x00FF00, 0x000000};
    int blended = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const unsigned long rgb = (unsigned long)image.GetRed(x, y) << 16 |
                                      image.GetGreen(x, y) << 8 | image.GetBlue(x, y);
            blended += allowed.count(rgb) == 0;
        }
    EXPECT_EQ(blended, 0);
    const wxRect ink = InkBox(image);
    EXPECT_EQ(ink.GetTopLeft(), wxPoint(17, 19));
    EXPECT_NEAR(ink.width, 2 * 2 * 37.3, 1);
    EXPECT_NEAR(ink.height, 2 * 2 * 21.7, 1);
}
