// SPDX-License-Identifier: GPL-3.0-or-later
// Wrapping, alignment and inline styles of card text against a fixed-width fake measurer, and
// the card text that screen readers are given.
#include <wx/defs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/Card.h"
#include "study/CardSpeech.h"
#include "study/TextLayout.h"

namespace
{
/// Every character is 10 wide, 12 in bold; a line is 15 high. Records what is drawn.
class FakeMeasurer : public TextMeasurer
{
public:
    struct Run
    {
        std::wstring Text;
        int X;
        int Y;
        int Style;
    };

    int TextWidth(std::wstring_view text, int style) override
    {
        MeasuredChars += text.size();
        return static_cast<int>(text.size()) * ((style & tsBold) ? 12 : 10);
    }
    int LineHeight() override { return 15; }
    void DrawRun(std::wstring_view text, int x, int y, int style) override
    {
        Runs.push_back({std::wstring(text), x, y, style});
    }

    std::vector<Run> Runs;
    size_t MeasuredChars = 0;
};

wxSize Draw(FakeMeasurer& m, const wxString& text, const wxRect& rect, int alignment = 0)
{
    return DrawFormattedText(m, text, rect, alignment, true);
}

const wxRect Wide(0, 0, 1000, 16777216);
} // namespace

TEST(FitLine, BreaksBetweenWordsAndStaysStrictlyNarrower)
{
    FakeMeasurer m;
    EXPECT_EQ(FitLine(m, L"aaa bbb ccc", 75), 8); // the blank after "bbb" fills the line
    EXPECT_EQ(FitLine(m, L"aaa bbb ccc", 70), 4); // exactly 70 is too wide
    EXPECT_EQ(FitLine(m, L"aaa bbb ccc", 1000), 11);
    EXPECT_EQ(FitLine(m, L"aa   bbbb", 60), 5); // the blanks stay at the end of the line
    EXPECT_EQ(FitLine(m, L"   abc", 25), 3);    // leading blanks alone fill the line
    EXPECT_EQ(FitLine(m, L"abc   ", 1000), 6);
    EXPECT_EQ(FitLine(m, L"", 100), 0);
}

TEST(FitLine, SplitsAWordTooWideForAnEmptyLine)
{
    FakeMeasurer m;
    EXPECT_EQ(FitLine(m, L"abcdefghij", 35), 3);
    EXPECT_EQ(FitLine(m, L"abcdefghij", 40), 3);
    EXPECT_EQ(FitLine(m, L"abcdefghij klm", 41), 4);
    EXPECT_EQ(FitLine(m, L"ab abcdefghij", 60), 3); // not split when the line already has a word
    EXPECT_EQ(FitLine(m, L"abc", 5), 0);            // one character is wider than the line
    EXPECT_EQ(FitLine(m, L"abc", 0), 0);
    EXPECT_EQ(FitLine(m, L"abc", -20), 0);
}

TEST(FitLine, MeasuresMarkersInTheCurrentStyle)
{
    FakeMeasurer m;
    EXPECT_EQ(FitLine(m, L"**ab** cd", 75), 7); // markers count: "**ab**" is 60 wide
    EXPECT_EQ(FitLine(m, L"aaaaa bb", 81, tsBold | tsStyled), 6); // bold "aaaaa" is 60 wide
    EXPECT_EQ(FitLine(m, L"aaaaa bb", 81), 8);
}

TEST(FitLine, OtherWhiteSpaceCountsAsABlank)
{
    FakeMeasurer m;
    for (const wchar_t* text : {L"ab\rcd", L"ab\u00A0cd", L"ab\u3000cd", L"ab\fcd", L"ab\tcd"})
    {
        SCOPED_TRACE(std::string(text, text + 5));
        EXPECT_EQ(FitLine(m, text, 1000), 5);
        EXPECT_EQ(FitLine(m, text, 45), 3);
    }
    EXPECT_EQ(FitLine(m, L"\r\r\rab", 1000), 5);
}

TEST(FitLine, LongWordCostsAboutOneLinePerLine)
{
    // Laying out a single huge word measures a bounded amount per line, so ten times the
    // text costs about ten times the measuring, not a hundred times.
    size_t measured[2] = {};
    const size_t lengths[2] = {1000, 10000};
    for (int i = 0; i < 2; ++i)
    {
        FakeMeasurer m;
        const wxString word(wxUniChar('x'), lengths[i]);
        const wxSize size = DrawFormattedText(m, word, wxRect(0, 0, 400, 16777216), 0, false);
        EXPECT_EQ(size.y, static_cast<int>((lengths[i] + 38) / 39) * 15); // 39 characters a line
        measured[i] = m.MeasuredChars;
    }
    EXPECT_LE(measured[1], measured[0] * 12);
}

TEST(FitScale, SmallerOfTheTwoRatiosAndMayEnlarge)
{
    EXPECT_FLOAT_EQ(FitScale(200, 100, 100, 100), 0.5f);
    EXPECT_FLOAT_EQ(FitScale(100, 200, 100, 100), 0.5f);
    EXPECT_FLOAT_EQ(FitScale(10, 20, 100, 100), 5.0f);
    EXPECT_FLOAT_EQ(FitScale(40, 30, 380, 16777216), 9.5f);
}

TEST(AlignBox, PlacesTheInnerBox)
{
    const wxRect r(10, 20, 100, 50);
    EXPECT_EQ(AlignBox(0, r, 30, 10), wxPoint(10, 20));
    EXPECT_EQ(AlignBox(wxALIGN_CENTER, r, 30, 10), wxPoint(45, 40));
    EXPECT_EQ(AlignBox(wxALIGN_RIGHT | wxALIGN_BOTTOM, r, 30, 10), wxPoint(80, 60));
    EXPECT_EQ(AlignBox(wxALIGN_CENTER_HORIZONTAL | wxALIGN_RIGHT, r, 31, 10), wxPoint(44, 20));
    // Integer halves truncate toward zero, also when the box is larger than the rectangle.
    EXPECT_EQ(AlignBox(wxALIGN_CENTER, wxRect(0, 0, 5, 5), 10, 10), wxPoint(-2, -2));
}

TEST(FormattedText, ParagraphsAndLineFeeds)
{
    FakeMeasurer m;
    EXPECT_EQ(Draw(m, "", Wide), wxSize(0, 0));
    EXPECT_EQ(Draw(m, "\n", Wide), wxSize(0, 15));
    EXPECT_EQ(Draw(m, "ab\n", Wide), wxSize(20, 15)); // a final line feed adds nothing
    EXPECT_EQ(Draw(m, "\nab", Wide), wxSize(20, 30));
    EXPECT_EQ(Draw(m, "ab\n\ncde", Wide), wxSize(30, 45)); // an empty paragraph is a full line
    EXPECT_EQ(Draw(m, "\tx", Wide), wxSize(90, 15));       // a tab is eight blanks
    EXPECT_EQ(DrawFormattedText(m, "ab\n\ncde", Wide, 0, false), wxSize(30, 45));
}

TEST(FormattedText, StylesToggleAndMarkersDrawNothing)
{
    FakeMeasurer m;
    EXPECT_EQ(Draw(m, "a **b** c", Wide), wxSize(52, 15));
    ASSERT_EQ(m.Runs.size(), 3u);
    EXPECT_EQ(m.Runs[0].Text, L"a ");
    EXPECT_EQ(m.Runs[0].Style, 0);
    EXPECT_EQ(m.Runs[1].Text, L"b");
    EXPECT_EQ(m.Runs[1].X, 20);
    EXPECT_EQ(m.Runs[1].Style, tsBold | tsStyled);
    EXPECT_EQ(m.Runs[2].Text, L" c");
    EXPECT_EQ(m.Runs[2].X, 32);
    EXPECT_EQ(m.Runs[2].Style, tsStyled);

    m.Runs.clear();
    Draw(m, "***x __u__ //i", Wide);
    ASSERT_EQ(m.Runs.size(), 4u);
    EXPECT_EQ(m.Runs[0].Text, L"*x ");
    EXPECT_EQ(m.Runs[0].Style, tsBold | tsStyled);
    EXPECT_EQ(m.Runs[1].Style, tsBold | tsUnderline | tsStyled);
    EXPECT_EQ(m.Runs[2].Style, tsBold | tsStyled);
    EXPECT_EQ(m.Runs[3].Text, L"i");
    EXPECT_EQ(m.Runs[3].Style, tsBold | tsItalic | tsStyled);

    m.Runs.clear();
    EXPECT_EQ(Draw(m, "a //b", Wide).x, 30);
    ASSERT_EQ(m.Runs.size(), 2u);
    EXPECT_EQ(m.Runs[1].Text, L"b");
    EXPECT_EQ(m.Runs[1].Style, tsItalic | tsStyled);

    m.Runs.clear();
    EXPECT_EQ(Draw(m, "**__//", Wide), wxSize(0, 15));
    EXPECT_TRUE(m.Runs.empty());
    EXPECT_EQ(Draw(m, "a*b_c/d", Wide).x, 70); // single markers are text
}

TEST(FormattedText, StylesCarryAcrossWrappedLinesAndParagraphs)
{
    FakeMeasurer m;
    Draw(m, "aa **bb cc** dd", wxRect(0, 0, 90, 1000));
    // Lines: "aa **bb " / "cc** dd".
    ASSERT_EQ(m.Runs.size(), 4u);
    EXPECT_EQ(m.Runs[1].Text, L"bb ");
    EXPECT_EQ(m.Runs[1].Style, tsBold | tsStyled);
    EXPECT_EQ(m.Runs[2].Text, L"cc");
    EXPECT_EQ(m.Runs[2].Y, 15);
    EXPECT_EQ(m.Runs[2].Style, tsBold | tsStyled);
    EXPECT_EQ(m.Runs[3].Style, tsStyled);

    m.Runs.clear();
    Draw(m, "//a\nb", Wide);
    ASSERT_EQ(m.Runs.size(), 2u);
    EXPECT_EQ(m.Runs[1].Style, tsItalic | tsStyled);

    // A pair split by the line end is two ordinary characters.
    m.Runs.clear();
    Draw(m, "abcd**ef", wxRect(0, 0, 55, 1000));
    ASSERT_EQ(m.Runs.size(), 2u);
    EXPECT_EQ(m.Runs[0].Text, L"abcd*");
    EXPECT_EQ(m.Runs[1].Text, L"*ef");
    EXPECT_EQ(m.Runs[1].Style, 0);
}

TEST(FormattedText, AlignsTheBlockAsAWhole)
{
    FakeMeasurer m;
    const wxRect r(100, 200, 300, 100);
    EXPECT_EQ(Draw(m, "abcd\nab", r, wxALIGN_CENTER), wxSize(40, 30));
    ASSERT_EQ(m.Runs.size(), 2u);
    EXPECT_EQ(m.Runs[0].X, 230); // 100 + (300 - 40) / 2
    EXPECT_EQ(m.Runs[1].X, 230); // every line starts at the same left edge
    EXPECT_EQ(m.Runs[0].Y, 235); // 200 + (100 - 30) / 2
    m.Runs.clear();
    Draw(m, "abcd", r, wxALIGN_RIGHT | wxALIGN_BOTTOM);
    EXPECT_EQ(m.Runs[0].X, 100 + 300 - 40 - 1);
    EXPECT_EQ(m.Runs[0].Y, 200 + 100 - 15 - 1);
}

TEST(FormattedText, TooTallTextStartsAtTheTopAndStops)
{
    FakeMeasurer m;
    const wxRect r(0, 50, 100, 40);
    EXPECT_EQ(Draw(m, "a\nb\nc\nd\ne", r, wxALIGN_CENTER), wxSize(10, 40));
    ASSERT_EQ(m.Runs.size(), 3u); // tops 50, 65 and 80 lie inside, 95 does not
    EXPECT_EQ(m.Runs[0].Y, 50);
    EXPECT_EQ(m.Runs[2].Y, 80);
}

TEST(FormattedText, NarrowColumnTakesOneCharacterPerLine)
{
    // With no room at all the text still ends: one character a line, in a rectangle as high
    // as the measuring rectangles of a card row.
    FakeMeasurer m;
    EXPECT_EQ(DrawFormattedText(m, "abc", wxRect(0, 0, 0, 16777216), 0, false), wxSize(10, 45));
    EXPECT_EQ(DrawFormattedText(m, "abc", wxRect(0, 0, -30, 16777216), 0, false).y, 45);
    EXPECT_EQ(DrawFormattedText(m, "ab", wxRect(0, 0, 5, 16777216), 0, false).y, 30);
    EXPECT_EQ(DrawFormattedText(m, "a**b", wxRect(0, 0, 0, 16777216), 0, false).y, 60);
}

TEST(FormattedText, OtherWhiteSpaceDoesNotStallTheBreaking)
{
    FakeMeasurer m;
    const wxString text = wxString::FromUTF8("ab\rcd\xC2\xA0"
                                             "ef\xE3\x80\x80gh\x0B"
                                             "ij");
    EXPECT_EQ(Draw(m, text, wxRect(0, 0, 35, 16777216)).y, 5 * 15);
    for (const FakeMeasurer::Run& run : m.Runs)
        EXPECT_EQ(run.Text.find_first_of(L"\r\u00A0\u3000\x0B"), std::wstring::npos);
    EXPECT_EQ(PrepareCardText(text), L"ab cd ef gh ij");
    EXPECT_EQ(PrepareCardText("a\tb\n"), L"a        b\n");
}

TEST(CardSpeech, MarkersGoLineBreaksStayPicturesAndSoundsAreSaid)
{
    const std::pair<const char*, const char*> texts[] = {
        {"a **b** c", "a b c"},
        {"__under__ and //slanted//", "under and slanted"},
        {"two\nlines\twith tab", "two\nlines\twith tab"},
        {"http://host", "http:host"},
        {"***", "*"},
        {"a*b_c/d", "a*b_c/d"},
        {"**__//", ""},
        {"", ""}};
    for (const auto& [text, plain] : texts)
        EXPECT_EQ(PlainCardText(text), plain) << text;

    Card card;
    card.Question = "**Capital** of France?";
    card.Answer = "Paris";
    card.AnswerPicture = wxFileName("/pictures/paris.png");
    card.AnswerSound = wxFileName("/sounds/paris.wav");
    EXPECT_EQ(SpokenCard(nullptr, true, false), "");
    EXPECT_EQ(SpokenCard(&card, false, true), "Paris\npicture\nsound");
    EXPECT_EQ(SpokenCardWithHeadings(&card, true, true),
              "Answer: Paris\npicture\nsound\nQuestion: Capital of France?");
    card.Answer.clear();
    card.AnswerSound = MediaFile();
    EXPECT_EQ(SpokenSide(card, true), "picture");
}
