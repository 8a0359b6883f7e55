// SPDX-License-Identifier: GPL-3.0-or-later
// The question after an alignment sheet: where the front's cross shows on the back's rulers.
#ifndef MNEMORA_PRINT_MNEALIGNMENTDIALOG_H
#define MNEMORA_PRINT_MNEALIGNMENTDIALOG_H

#include <wx/dialog.h>
#include <wx/textctrl.h>

/// Asks for the two readings of an alignment sheet, in millimetres.
class mneAlignmentDialog : public wxDialog
{
public:
    explicit mneAlignmentDialog(wxWindow* parent);

    /// The reading on the ruler across, in millimetres; 0 when it is no number.
    double Across() const;
    /// The reading on the ruler down, in millimetres; 0 when it is no number.
    double Down() const;

    /// A number of millimetres in the user's language; 0 for text that is no finite number.
    static double ParseMillimetres(const wxString& text);

    wxTextCtrl* AcrossText = nullptr;
    wxTextCtrl* DownText = nullptr;
};

#endif
