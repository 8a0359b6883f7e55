// SPDX-License-Identifier: GPL-3.0-or-later
// The import dialog: cards from a two-column text file, from a sequence of pictures or from
// an Anki deck package.
#ifndef MNEMORA_APP_MNEIMPORTDIALOG_H
#define MNEMORA_APP_MNEIMPORTDIALOG_H

#include <wx/dialog.h>

class wxCheckBox;
class wxRadioButton;

/// Lets the user choose the source of an import; the caller presets and reads the controls.
class mneImportDialog : public wxDialog
{
public:
    explicit mneImportDialog(wxWindow* parent);

    wxRadioButton* ExcelRadio = nullptr;   ///< id 10000: a text file from a spreadsheet.
    wxCheckBox* IgnoreHeaderRow = nullptr; ///< id 10001: skip the file's first line.
    wxRadioButton* PictureRadio = nullptr; ///< id 10002: a sequence of pictures.
    wxRadioButton* AnkiRadio = nullptr;    ///< id 10003: an Anki deck package.

private:
    void OnRadio(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};

#endif
