// SPDX-License-Identifier: GPL-3.0-or-later
// The About box.
#ifndef MNEMORA_APP_MNEABOUTDIALOG_H
#define MNEMORA_APP_MNEABOUTDIALOG_H

#include <wx/dialog.h>

/// Shows the program's name, version and contact lines.
class mneAboutDialog : public wxDialog
{
public:
    explicit mneAboutDialog(wxWindow* parent);

private:
    void OnCharHook(wxKeyEvent& event);

    wxDECLARE_EVENT_TABLE();
};

#endif
