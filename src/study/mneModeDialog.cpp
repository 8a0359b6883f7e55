// SPDX-License-Identifier: GPL-3.0-or-later
// The study mode dialog: three exclusive choices, each with a short explanation.
#include "study/mneModeDialog.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>

mneModeDialog::mneModeDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Mnemora Study Mode"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)
{
    wxBoxSizer* outerSizer = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* mainSizer = new wxBoxSizer(wxVERTICAL);
    outerSizer->Add(mainSizer, 0, wxALL, 10);

    wxStaticText* heading = new wxStaticText(this, wxID_ANY, _("Select a Study Mode"));
    heading->SetFont(wxFont(24, wxFONTFAMILY_ROMAN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
    mainSizer->Add(heading, 0, wxALIGN_RIGHT | wxALL, 5);

    mainSizer->Add(
        new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxSize(20, -1), wxLI_HORIZONTAL), 0,
        wxEXPAND | wxALL, 5);

    mainSizer->Add(
        new wxStaticText(
            this, wxID_ANY,
            _("Mnemora offers several ways to learn.  Each of the following 'modes' is designed "
              "\nto serve a different part of the memorization process.  Choose from the "
              "following \nmodes, and hit Ok to continue.")),
        0, wxALL, 5);

    // One toolkit group: GTK can switch a radio button on but never off, so buttons in
    // groups of their own could all end up selected.
    wxFlexGridSizer* grid = new wxFlexGridSizer(2, 0, 0);
    LearnRadio = new wxRadioButton(this, idLearn, _("Learn Mode"), wxDefaultPosition, wxDefaultSize,
                                   wxRB_GROUP);
    grid->Add(LearnRadio, 0, wxALL, 5);
    grid->Add(new wxStaticText(this, wxID_ANY,
                               _("Progressively teaches you the flash cards by starting with a\n"
                                 "few and adding more until you've mastered the whole deck.  \n"
                                 "This is the best way to learn new cards.")),
              0, wxALL, 5);
    QuizRadio = new wxRadioButton(this, idQuiz, _("Quiz Mode"));
    grid->Add(QuizRadio, 0, wxALL, 5);
    grid->Add(new wxStaticText(this, wxID_ANY,
                               _("The deck is shown in random order, and at the end a grade \n"
                                 "is given based on how many you got right.  Use this mode to \n"
                                 "see how you would do on a real life test of the material.  ")),
              0, wxALL, 5);
    ReviewRadio = new wxRadioButton(this, idReview, _("Review Mode"));
    grid->Add(ReviewRadio, 0, wxALL, 5);
    grid->Add(new wxStaticText(this, wxID_ANY,
                               _("Cards are shown continuously in random order, as in previous\n"
                                 "versions of Mnemora.  This mode is good for quickly refreshing\n"
                                 "your memory.")),
              0, wxALL, 5);
    mainSizer->Add(grid, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    mainSizer->Add(
        new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxSize(20, -1), wxLI_HORIZONTAL), 0,
        wxEXPAND | wxALL, 5);

    wxBoxSizer* buttonSizer = new wxBoxSizer(wxHORIZONTAL);
    wxButton* okButton = new wxButton(this, wxID_OK, _("OK"));
    okButton->SetDefault();
    buttonSizer->Add(okButton, 0, wxALL, 5);
    buttonSizer->Add(new wxButton(this, wxID_CANCEL, _("Cancel")), 0, wxALL, 5);
    mainSizer->Add(buttonSizer, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    SetSizerAndFit(outerSizer);
}

void mneModeDialog::OnRadio(wxCommandEvent& event)
{
    LearnRadio->SetValue(event.GetId() == idLearn);
    QuizRadio->SetValue(event.GetId() == idQuiz);
    ReviewRadio->SetValue(event.GetId() == idReview);
}

// clang-format off
wxBEGIN_EVENT_TABLE(mneModeDialog, wxDialog)
    EVT_RADIOBUTTON(wxID_ANY, mneModeDialog::OnRadio)
wxEND_EVENT_TABLE()
