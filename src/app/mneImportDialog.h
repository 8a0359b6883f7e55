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
    /// Ids of this window's controls; other windows use the same numbers for their own.
    enum WindowIds
    {
        idExcel = 10000,
        idIgnoreHeader,
        idPictures,
        idAnki
    };
    static_assert(idPictures == 10002, "ids are numbered as before");

    explicit mneImportDialog(wxWindow* parent);

    wxRadioButton* ExcelRadio = nullptr;   ///< A text file from a spreadsheet.
    wxCheckBox* IgnoreHeaderRow = nullptr; ///< Skip the file's first line.
    wxRadioButton* PictureRadio = nullptr; ///< A sequence of pictures.
    wxRadioButton* AnkiRadio = nullptr;    ///< An Anki deck package.

private:
    void OnRadio(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};

#endif
