// SPDX-License-Identifier: GPL-3.0-or-later
// Word wrapping, alignment and inline styles of card text.
#include "study/TextLayout.h"

#include <wx/defs.h>

#include <algorithm>

namespace
{
// A word longer than this is first measured in prefixes, so that a single huge word costs
// about one line's worth of measuring per line instead of its whole length.
constexpr size_t FirstProbeLength = 64;

bool IsMarker(wchar_t c)
{
    return c == L'*' || c == L'_' || c == L'/';
}

int ToggleFor(wchar_t marker)
{
    switch (marker)
    {
    case L'*':
        return tsBold;
    case L'_':
        return tsUnderline;
    default:
        return tsItalic;
    }
}

// Largest count of leading characters of word narrower than maxWidth, knowing that the first
// failLength characters are failWidth >= maxWidth wide. Guesses from the widths measured so far
// (text widths grow almost linearly, so a guess is usually within a character) and falls back to
// halving whenever a guess gains too little.
size_t LongestFittingPrefix(TextMeasurer& measurer, std::wstring_view word, size_t failLength,
                            int failWidth, int maxWidth, int style)
{
    size_t lo = 0;
    int loWidth = 0;
    size_t hi = failLength;
    int hiWidth = failWidth;
    bool halve = false;
    while (hi - lo > 1)
    {
        size_t guess = lo + (hi - lo) / 2;
        if (!halve && hiWidth > loWidth)
            guess = lo + static_cast<size_t>(static_cast<double>(maxWidth - loWidth) *
                                             static_cast<double>(hi - lo) / (hiWidth - loWidth));
        guess = std::clamp(guess, lo + 1, hi - 1);
        const size_t before = hi - lo;
        const int width = measurer.TextWidth(word.substr(0, guess), style);
        if (width < maxWidth)
        {
            lo = guess;
            loWidth = width;
        }
        else
        {
            hi = guess;
            hiWidth = width;
        }
        halve = !halve && (hi - lo) * 2 > before;
    }
    return lo;
}
} // namespace

bool IsLayoutSpace(wchar_t c)
{
    if (c <= 0x20)
        return c == 0x20 || (c >= 0x09 && c <= 0x0D);
    if (c < 0x85)
        return false;
    return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
           c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::wstring PrepareCardText(const wxString& text)
{
    const std::wstring& chars = text.ToStdWstring();
    std::wstring out;
    out.reserve(chars.size() + 16);
    for (const wchar_t c : chars)
    {
        if (c == L'\t')
            out.append(8, L' ');
        else if (c != L'\n' && IsLayoutSpace(c))
            out.push_back(L' ');
        else
            out.push_back(c);
    }
    return out;
}

int FitLine(TextMeasurer& measurer, std::wstring_view paragraph, int maxWidth, int style)
{
    const size_t n = paragraph.size();
    const int blankWidth = measurer.TextWidth(L" ", style);
    size_t pos = 0;
    int lineWidth = 0;
    for (;;)
    {
        // Every white-space character is skipped like a blank, so none can stall the loop.
        const size_t blankStart = pos;
        while (pos < n && IsLayoutSpace(paragraph[pos]))
            ++pos;
        const int blanksWidth = static_cast<int>(pos - blankStart) * blankWidth;
        if (lineWidth + blanksWidth >= maxWidth)
            return static_cast<int>(pos);

        const size_t wordStart = pos;
        const int room = maxWidth - lineWidth - blanksWidth;
        bool fits = false;
        size_t failLength = 0;
        int failWidth = 0;
        int wordWidth = 0;
        for (size_t probe = FirstProbeLength;; probe *= 2)
        {
            const size_t scanEnd = std::min(n, wordStart + probe);
            while (pos < scanEnd && !IsLayoutSpace(paragraph[pos]))
                ++pos;
            if (pos < scanEnd || pos == n)
            {
                wordWidth = measurer.TextWidth(paragraph.substr(wordStart, pos - wordStart), style);
                fits = wordWidth < room;
                failLength = pos - wordStart;
                failWidth = wordWidth;
                break;
            }
            // A prefix that is already too wide settles it without measuring the whole word.
            failWidth = measurer.TextWidth(paragraph.substr(wordStart, probe), style);
            if (failWidth >= room)
            {
                failLength = probe;
                break;
            }
        }
        if (!fits)
        {
            if (lineWidth + blanksWidth != 0)
                return static_cast<int>(wordStart);
            const size_t split = LongestFittingPrefix(measurer, paragraph.substr(wordStart),
                                                      failLength, failWidth, maxWidth, style);
            return static_cast<int>(wordStart + split);
        }
        lineWidth += blanksWidth + wordWidth;
        if (pos == n)
            return static_cast<int>(pos);
    }
}

wxString PlainCardText(const wxString& text)
{
    // A marker is the same pair that WalkStyledLine toggles on, found left to right.
    wxString plain;
    plain.reserve(text.length());
    for (auto it = text.begin(); it != text.end(); ++it)
    {
        const wxUniChar c = *it;
        const auto next = it + 1;
        if (c.IsAscii() && IsMarker(static_cast<wchar_t>(c.GetValue())) && next != text.end() &&
            *next == c)
            it = next;
        else
            plain += c;
    }
    return plain;
}

int WalkStyledLine(TextMeasurer& measurer, std::wstring_view line, int& style, bool draw, int x,
                   int y)
{
    int width = 0;
    size_t runStart = 0;
    size_t i = 0;
    const auto flush = [&](size_t end)
    {
        if (end == runStart)
            return;
        const std::wstring_view run = line.substr(runStart, end - runStart);
        if (draw)
            measurer.DrawRun(run, x + width, y, style);
        width += measurer.TextWidth(run, style);
    };
    while (i < line.size())
    {
        const wchar_t c = line[i];
        if (IsMarker(c) && i + 1 < line.size() && line[i + 1] == c)
        {
            flush(i);
            style = (style ^ ToggleFor(c)) | tsStyled;
            i += 2;
            runStart = i;
        }
        else
            ++i;
    }
    flush(line.size());
    return width;
}

wxSize DrawFormattedText(TextMeasurer& measurer, const wxString& text, const wxRect& rect,
                         int alignment, bool draw)
{
    int left = rect.x;
    int top = rect.y;
    if (alignment &
        (wxALIGN_CENTER_HORIZONTAL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL | wxALIGN_BOTTOM))
    {
        const wxSize size = DrawFormattedText(measurer, text, rect, 0, false);
        if (alignment & wxALIGN_CENTER_VERTICAL)
            top = rect.y + (rect.height - size.y) / 2;
        else if (alignment & wxALIGN_BOTTOM)
            top = rect.y + rect.height - size.y - 1;
        if (alignment & wxALIGN_CENTER_HORIZONTAL)
            left = rect.x + (rect.width - size.x) / 2;
        else if (alignment & wxALIGN_RIGHT)
            left = rect.x + rect.width - size.x - 1;
    }

    const int lineHeight = measurer.LineHeight();
    const std::wstring work = PrepareCardText(text);
    const std::wstring_view all(work);
    const int bottom = rect.y + rect.height - 1;
    int style = 0;
    int y = top;
    int widest = 0;
    size_t pos = 0;
    while (pos < all.size())
    {
        size_t lineFeed = all.find(L'\n', pos);
        if (lineFeed == std::wstring_view::npos)
            lineFeed = all.size();
        std::wstring_view paragraph = all.substr(pos, lineFeed - pos);
        pos = std::min(all.size(), lineFeed + 1);
        do
        {
            size_t n = static_cast<size_t>(FitLine(measurer, paragraph, rect.width, style));
            // Not even one character fits: take it anyway, or the text would never end.
            if (n == 0 && !paragraph.empty())
                n = 1;
            const std::wstring_view line = paragraph.substr(0, n);
            const int width = WalkStyledLine(measurer, line, style, draw, left, y);
            paragraph.remove_prefix(n);
            widest = std::max(widest, width);
            y += lineHeight;
            if (y > bottom)
                return wxSize(widest, rect.height);
        } while (!paragraph.empty());
    }
    return wxSize(widest, y - top);
}

float FitScale(int width, int height, int boxWidth, int boxHeight)
{
    return std::min(static_cast<float>(boxWidth) / static_cast<float>(width),
                    static_cast<float>(boxHeight) / static_cast<float>(height));
}

wxPoint AlignBox(int alignment, const wxRect& rect, int innerWidth, int innerHeight)
{
    wxPoint corner(rect.x, rect.y);
    if (alignment & wxALIGN_CENTER_HORIZONTAL)
        corner.x = rect.x + (rect.width - innerWidth) / 2;
    else if (alignment & wxALIGN_RIGHT)
        corner.x = rect.x + rect.width - innerWidth;
    if (alignment & wxALIGN_CENTER_VERTICAL)
        corner.y = rect.y + (rect.height - innerHeight) / 2;
    else if (alignment & wxALIGN_BOTTOM)
        corner.y = rect.y + rect.height - innerHeight;
    return corner;
}
