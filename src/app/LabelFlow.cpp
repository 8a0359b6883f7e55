// SPDX-License-Identifier: GPL-3.0-or-later
// Line breaking for descriptions: written lines where they fit, running text where they do not.
#include "app/LabelFlow.h"

#include <wx/arrstr.h>
#include <wx/stattext.h>

namespace
{
wxString TrimmedEnd(wxString text)
{
    return text.Trim(true);
}

/// Appends the lines of one paragraph, filled word by word up to `width`.
void FlowParagraph(const wxString& paragraph, int width, const LineMeasure& measure,
                   wxArrayString& lines)
{
    wxString line;
    size_t pos = 0;
    const size_t length = paragraph.length();
    while (pos < length)
    {
        // Each word keeps the blanks written before it, so "below.  Press" stays as it is.
        const size_t wordStart = paragraph.find_first_not_of(' ', pos);
        if (wordStart == wxString::npos)
            break;
        size_t wordEnd = paragraph.find(' ', wordStart);
        if (wordEnd == wxString::npos)
            wordEnd = length;
        const wxString blanks = paragraph.substr(pos, wordStart - pos);
        const wxString word = paragraph.substr(wordStart, wordEnd - wordStart);
        pos = wordEnd;
        if (line.empty())
            line = word;
        else if (measure(line + blanks + word) <= width)
            line += blanks + word;
        else
        {
            lines.Add(line);
            line = word;
        }
    }
    if (!line.empty())
        lines.Add(line);
}
} // namespace

wxString FlowText(const wxString& text, int width, const LineMeasure& measure)
{
    wxArrayString lines = wxSplit(text, '\n', '\0');
    while (!lines.empty() && TrimmedEnd(lines.Last()).empty())
        lines.RemoveAt(lines.size() - 1);

    bool fits = true;
    for (const wxString& line : lines)
        fits = fits && measure(TrimmedEnd(line)) <= width;
    if (fits)
        return wxJoin(lines, '\n', '\0');

    wxArrayString flowed;
    wxString paragraph;
    for (const wxString& writtenLine : lines)
    {
        const wxString line = TrimmedEnd(writtenLine);
        if (line.empty())
        {
            FlowParagraph(paragraph, width, measure, flowed);
            paragraph.clear();
            flowed.Add(wxString());
        }
        else
            paragraph += (paragraph.empty() ? wxString() : wxString(" ")) + line;
    }
    FlowParagraph(paragraph, width, measure, flowed);
    return wxJoin(flowed, '\n', '\0');
}

bool FitLabelToWidth(wxStaticText* label, const wxString& text, int width)
{
    const wxString flowed = FlowText(
        text, width, [label](const wxString& line) { return label->GetTextExtent(line).x; });
    if (flowed == label->GetLabel())
        return false;
    label->SetLabel(flowed);
    return true;
}
