// The study mode dialog.
#include "study/mneModeDialog.h"

#include <wx/radiobut.h>

wxBEGIN_EVENT_TABLE(mneModeDialog, wxDialog)
    EVT_RADIOBUTTON(wxID_ANY, mneModeDialog::OnRadio)
wxEND_EVENT_TABLE()

mneModeDialog::mneModeDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Mnemora Study Mode"))
{
    LearnRadio = new wxRadioButton(this, 10000, _("Learn Mode"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    QuizRadio = new wxRadioButton(this, 10001, _("Quiz Mode"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    ReviewRadio = new wxRadioButton(this, 10002, _("Review Mode"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
}

void mneModeDialog::OnRadio(wxCommandEvent& event)
{
    LearnRadio->SetValue(event.GetId() == 10000);
    QuizRadio->SetValue(event.GetId() == 10001);
    ReviewRadio->SetValue(event.GetId() == 10002);
}
