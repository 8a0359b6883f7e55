// SPDX-License-Identifier: GPL-3.0-or-later
// The import dialog: three exclusive sources, each with a short explanation.
#include "app/mneImportDialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>

mneImportDialog::mneImportDialog(wxWindow* parent) : wxDialog(parent, wxID_ANY, _("Import Cards"))
{
    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);

    wxStaticText* heading = new wxStaticText(this, wxID_ANY, _("Import Cards"));
    heading->SetFont(wxFont(24, wxFONTFAMILY_ROMAN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
    sizer->Add(heading, 0, wxALIGN_RIGHT | wxALL, 10);
    sizer->Add(new wxStaticLine(this, wxID_ANY), 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    sizer->Add(new wxStaticText(this, wxID_ANY,
                                _("Mnemora supports importing cards from several sources.  "
                                  "Select appropriate options below, and click the \n"
                                  "Import button.")),
               0, wxALL, 10);

    // One toolkit group: GTK can switch a radio button on but never off, so two buttons in
    // groups of their own would both stay selected.
    wxBoxSizer* excelRow = new wxBoxSizer(wxHORIZONTAL);
    ExcelRadio =
        new wxRadioButton(this, idExcel, _("Excel"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    excelRow->Add(ExcelRadio, 0, wxALIGN_CENTER_VERTICAL);
    IgnoreHeaderRow = new wxCheckBox(this, idIgnoreHeader, _("Ignore Header Row"));
    excelRow->Add(IgnoreHeaderRow, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
    sizer->Add(excelRow, 0, wxALL, 10);
    sizer->Add(new wxStaticText(
                   this, wxID_ANY,
                   _("To import flash cards from Excel, create a 2 column spreadsheet with the "
                     "question and answer for \neach card. Choose Save As, and select either CSV "
                     "or Text (Tab-delimited) as the Type.\n\nCheck Ignore Header Row to skip "
                     "the first row in the spreadsheet when importing.")),
               0, wxLEFT, 25);

    PictureRadio =
        new wxRadioButton(this, idPictures, _("Scanner, Digital Camera or Picture Sequence"));
    sizer->Add(PictureRadio, 0, wxALL, 10);
    sizer->Add(new wxStaticText(
                   this, wxID_ANY,
                   _("To import flash cards from an image sequence, first save the images using "
                     "your scanner or digital \ncamera program. Then click the Import button and "
                     "choose an image for each question and answer \nin the set.\n\nNo text is "
                     "imported, although you can go in and add text to the cards later.")),
               0, wxLEFT, 25);

    AnkiRadio = new wxRadioButton(this, idAnki, _("Anki deck package (.apkg)"));
    sizer->Add(AnkiRadio, 0, wxALL, 10);
    sizer->Add(new wxStaticText(this, wxID_ANY,
                                _("To import a deck shared as an Anki package, click the Import "
                                  "button and choose the .apkg file. Its pictures and \nsounds are "
                                  "saved in a folder beside the package.")),
               0, wxLEFT, 25);

    wxBoxSizer* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    wxButton* importButton = new wxButton(this, wxID_OK, _("Import"));
    importButton->SetDefault();
    buttonRow->Add(importButton, 0, wxALL, 5);
    buttonRow->Add(new wxButton(this, wxID_CANCEL, _("Cancel")), 0, wxALL, 5);
    sizer->Add(buttonRow, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 10);

    SetSizerAndFit(sizer);
}

void mneImportDialog::OnRadio(wxCommandEvent& event)
{
    ExcelRadio->SetValue(event.GetId() == idExcel);
    PictureRadio->SetValue(event.GetId() == idPictures);
    AnkiRadio->SetValue(event.GetId() == idAnki);
}

// clang-format off
wxBEGIN_EVENT_TABLE(mneImportDialog, wxDialog)
    EVT_RADIOBUTTON(wxID_ANY, mneImportDialog::OnRadio)
wxEND_EVENT_TABLE()
