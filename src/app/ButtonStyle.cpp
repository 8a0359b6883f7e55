// SPDX-License-Identifier: GPL-3.0-or-later
// The look of the windows' buttons.
#include "app/ButtonStyle.h"

#include <wx/button.h>

#include <algorithm>

wxFont SmallButtonFont()
{
    return wxFont(7, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false,
                  "MS Sans Serif");
}

wxButton* LabelSizedButton(wxWindow* parent, int id, const wxString& label, const wxFont& font)
{
    wxButton* button =
        new wxButton(parent, id, label, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    if (font.IsOk())
        button->SetFont(font);
    // GTK measures a label in a new font only once the window is realised, so the label is
    // measured here: 8 pixels of room on each side of it.
    const int width = button->GetTextExtent(wxStripMenuCodes(label)).x + 16;
    button->SetMinSize(wxSize(std::max(width, button->GetBestSize().x), -1));
    return button;
}
