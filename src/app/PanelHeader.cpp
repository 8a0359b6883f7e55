// SPDX-License-Identifier: GPL-3.0-or-later
// The header row of the panels: its two texts, and the line breaking of the description.
#include "app/PanelHeader.h"

#include <wx/arrstr.h>
#include <wx/stattext.h>

namespace
{
wxString TrimmedEnd(wxString text)
{
    return text.Trim(true);
}

/// Appends the lines of one paragraph, filled word by word up to `width`.
void FlowParagraph(const wxString& paragraph, int width, const PanelHeader::LineMeasure& measure,
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

PanelHeader::PanelHeader(wxWindow* window, const wxString& description, const wxString& title,
                         int border)
    : wxBoxSizer(wxHORIZONTAL), Window(window), Border(border), Flows(!window->IsTopLevel()),
      DescriptionText(description)
{
    Description = new wxStaticText(window, wxID_ANY, description);
    Add(Description, 1, wxALL | wxALIGN_CENTER_VERTICAL, border);
    Title = new wxStaticText(window, wxID_ANY, title);
    Title->SetFont(wxFont(22, wxFONTFAMILY_ROMAN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD));
    Add(Title, 0, wxALL | wxALIGN_CENTER_VERTICAL, border);
    SetTitle(title);
    // A sizer has no events of its own: the row follows the size of its window.
    if (Flows)
        Window->Bind(wxEVT_SIZE, &PanelHeader::OnSize, this);
}

PanelHeader::~PanelHeader()
{
    if (Flows)
        Window->Unbind(wxEVT_SIZE, &PanelHeader::OnSize, this);
}

void PanelHeader::SetTitle(const wxString& title)
{
    Title->SetLabel(title);
    // GTK measures a label in a new font only once the window is realised; measure it here so
    // that the row makes room for the whole title.
    Title->SetInitialSize(Title->GetTextExtent(title) + wxSize(1, 0));
    const bool flowed = FitDescription();
    Layout();
    if (flowed)
        Window->Layout();
}

void PanelHeader::SetDescription(const wxString& description)
{
    DescriptionText = description;
    Description->SetLabel(description);
    FittedRoom = -1;
    FitDescription();
    Window->Layout();
}

int PanelHeader::Room()
{
    int room = Window->GetClientSize().x - 4 * Border - Title->GetMinSize().x;
    // The border that the window's sizer keeps around the row.
    wxSizer* outer = Window->GetSizer();
    if (wxSizerItem* row = outer ? outer->GetItem(this, true) : nullptr)
    {
        if (row->GetFlag() & wxLEFT)
            room -= row->GetBorder();
        if (row->GetFlag() & wxRIGHT)
            room -= row->GetBorder();
    }
    return room;
}

bool PanelHeader::FitDescription()
{
    const int room = Room();
    if (!Flows || room <= 50 || room == FittedRoom)
        return false;
    FittedRoom = room;
    const wxString flowed =
        FlowText(DescriptionText, room,
                 [this](const wxString& line) { return Description->GetTextExtent(line).x; });
    if (flowed == Description->GetLabel())
        return false;
    Description->SetLabel(flowed);
    return true;
}

void PanelHeader::OnSize(wxSizeEvent& event)
{
    // The window lays itself out after this, with the description's new lines.
    FitDescription();
    event.Skip();
}

wxString PanelHeader::FlowText(const wxString& text, int width, const LineMeasure& measure)
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
