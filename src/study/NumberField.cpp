// SPDX-License-Identifier: GPL-3.0-or-later
// GTK lets an entry take clicks only on its text, inside the theme's padding: in a field 30
// pixels wide that is its middle third. The rest of the frame is handled here.
#include "study/NumberField.h"

NumberField::NumberField(wxWindow* parent, wxWindowID id, const wxSize& size, long style)
    : wxTextCtrl(parent, id, wxString(), wxDefaultPosition, size, style)
{
}

void NumberField::OnLeftDown(wxMouseEvent& event)
{
    if (!HasFocus())
    {
        SetFocus();
        // The side clicked decides where typing goes, as a click beside the text would.
        const bool leftHalf = event.GetX() < GetSize().x / 2;
        SetInsertionPoint(leftHalf ? 0 : GetLastPosition());
    }
    event.Skip();
}

// Kept as written: the formatter does not know the event table macros.
// clang-format off
wxBEGIN_EVENT_TABLE(NumberField, wxTextCtrl)
    EVT_LEFT_DOWN(NumberField::OnLeftDown)
wxEND_EVENT_TABLE()
