// The study panel.
#include "study/MneTestPanel.h"

#include <wx/stattext.h>

#include "study/MneCardPanel.h"

int AnsweredCount = 0;
int QuizCorrectCount = 0;

wxBEGIN_EVENT_TABLE(MneTestPanel, wxPanel)
wxEND_EVENT_TABLE()

MneTestPanel::MneTestPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER)
{
    CardDisplay = new MneCardPanel(this, 15000, wxDefaultPosition, wxSize(200, 320));
    TimerLabel = new wxStaticText(this, wxID_ANY, "00:00");
}

MneTestPanel::~MneTestPanel() = default;

void MneTestPanel::StartStudying() {}
void MneTestPanel::OnTimer(wxTimerEvent&) {}
