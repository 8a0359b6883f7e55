// SPDX-License-Identifier: GPL-3.0-or-later
// The learn panel's narrow number field, which takes a click anywhere inside its frame.
#ifndef MNEMORA_STUDY_NUMBERFIELD_H
#define MNEMORA_STUDY_NUMBERFIELD_H

#include <wx/textctrl.h>

/// A single-line text field that a click on its padding focuses as a click on its text does.
class NumberField : public wxTextCtrl
{
public:
    NumberField(wxWindow* parent, wxWindowID id, const wxSize& size, long style);

private:
    void OnLeftDown(wxMouseEvent& event);

    wxDECLARE_EVENT_TABLE();
};

#endif
