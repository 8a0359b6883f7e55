// SPDX-License-Identifier: GPL-3.0-or-later
// The question after an alignment sheet, with the two readings in millimetres.
#include "print/mneAlignmentDialog.h"

#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <cmath>
#include <cstdlib>

mneAlignmentDialog::mneAlignmentDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Alignment Sheet"))
{
    wxBoxSizer* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, _("Where does the cross fall on the back scale?")), 0,
             wxALL, 10);
    wxFlexGridSizer* grid = new wxFlexGridSizer(3, 5, 10);
    const auto field = [&](const wxString& label)
    {
        grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        wxTextCtrl* text = new wxTextCtrl(this, wxID_ANY, "0");
        grid->Add(text, 0, wxALIGN_CENTER_VERTICAL);
        // TRANSLATORS: millimetres, after a number field.
        grid->Add(new wxStaticText(this, wxID_ANY, _("mm")), 0, wxALIGN_CENTER_VERTICAL);
        return text;
    };
    AcrossText = field(_("Across:"));
    DownText = field(_("Down:"));
    top->Add(grid, 0, wxLEFT | wxRIGHT, 10);
    top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(top);
    AcrossText->SetFocus();
    AcrossText->SelectAll();
}

double mneAlignmentDialog::Across() const
{
    return ParseMillimetres(AcrossText->GetValue());
}

double mneAlignmentDialog::Down() const
{
    return ParseMillimetres(DownText->GetValue());
}

double mneAlignmentDialog::ParseMillimetres(const wxString& text)
{
    // Read in the user's language, as the print dialog's lengths are: "1,5" in German.
    const double mm = std::strtod(text.utf8_string().c_str(), nullptr);
    return std::isfinite(mm) ? mm : 0;
}
