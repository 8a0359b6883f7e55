// SPDX-License-Identifier: GPL-3.0-or-later
// The About box.
#include "app/mneAboutDialog.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

mneAboutDialog::mneAboutDialog(wxWindow* parent) : wxDialog(parent, wxID_ANY, _("About Mnemora"))
{
    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
    wxStaticText* name = new wxStaticText(this, wxID_ANY, "Mnemora v1.5");
    name->SetFont(wxFont(24, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
    sizer->Add(name, 1, wxALL | wxALIGN_CENTER, 15);
    wxStaticText* contact =
        new wxStaticText(this, wxID_ANY,
                         _("Flash cards for learning anything by heart.\n"
                           "Questions and suggestions: mnemora@example.org\n"
                           "https://mnemora.example.org"),
                         wxDefaultPosition, wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL);
    sizer->Add(contact, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxALIGN_CENTER, 25);
    SetSizerAndFit(sizer);
}

void mneAboutDialog::OnCharHook(wxKeyEvent& event)
{
    // Without a Cancel button the toolkit leaves Escape alone; here it closes the box.
    if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers())
        Close();
    else
        event.Skip();
}

// Kept as written: the formatter does not know the event table macros.
// clang-format off
wxBEGIN_EVENT_TABLE(mneAboutDialog, wxDialog)
    EVT_CHAR_HOOK(mneAboutDialog::OnCharHook)
wxEND_EVENT_TABLE()
