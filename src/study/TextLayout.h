// SPDX-License-Identifier: GPL-3.0-or-later
// Word wrapping, alignment and inline styles of card text, worked out against an abstract
// text measurer so that the same rules serve the screen, paper and the tests.
#ifndef MNEMORA_STUDY_TEXTLAYOUT_H
#define MNEMORA_STUDY_TEXTLAYOUT_H

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <string>
#include <string_view>

/// Style bits of card text while it is laid out.
enum TextStyleFlags
{
    tsBold = 1,      ///< "**" toggles it.
    tsUnderline = 2, ///< "__" toggles it.
    tsItalic = 4,    ///< "//" toggles it.
    tsStyled = 8,    ///< A marker was met: the font follows the three flags, not the caller's.
    tsStyleCount = 16
};

/// Measures and draws runs of text in the fonts of the text styles; a device context
/// implements it for real output, tests use a fixed-width fake.
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    /// Width of text in the font of style (TextStyleFlags; 0 = the caller's font untouched).
    virtual int TextWidth(std::wstring_view text, int style) = 0;
    /// Height of one text line: the height of " " in the caller's font.
    virtual int LineHeight() = 0;
    /// Draws text with its top-left corner at (x, y) in the font of style.
    virtual void DrawRun(std::wstring_view text, int x, int y, int style) = 0;
};

/// True for every white-space character (Unicode White_Space); all of them count as blanks.
bool IsLayoutSpace(wchar_t c);

/// The text as it is laid out: a tab becomes eight blanks, any other white space except the
/// line feed becomes one blank.
std::wstring PrepareCardText(const wxString& text);

/// The text without its style markers ("**", "__", "//"), as a screen reader should say it;
/// line breaks and every other character stay.
wxString PlainCardText(const wxString& text);

/// Number of leading characters of paragraph that make the next line narrower than maxWidth,
/// measured in the font of style; may be 0 when not even one character fits.
int FitLine(TextMeasurer& measurer, std::wstring_view paragraph, int maxWidth, int style = 0);

/// Walks one line from left to right: draws its runs at (x, y) when draw is true, toggles the
/// styles at each marker and returns the line's width without the markers.
int WalkStyledLine(TextMeasurer& measurer, std::wstring_view line, int& style, bool draw, int x,
                   int y);

/// Draws (or with draw false only measures) wrapped, styled text in rect; alignment combines
/// wxALIGN_CENTER_HORIZONTAL, wxALIGN_RIGHT, wxALIGN_CENTER_VERTICAL and wxALIGN_BOTTOM.
/// Returns the widest line and the height used (rect.height when the text is cut).
wxSize DrawFormattedText(TextMeasurer& measurer, const wxString& text, const wxRect& rect,
                         int alignment, bool draw);

/// The factor that fits a width x height box into boxWidth x boxHeight; may exceed 1.
float FitScale(int width, int height, int boxWidth, int boxHeight);

/// Top-left corner of an innerWidth x innerHeight box placed in rect by alignment.
wxPoint AlignBox(int alignment, const wxRect& rect, int innerWidth, int innerHeight);

#endif
