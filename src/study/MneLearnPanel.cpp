// The learn panel (its card list and controls are still to come).
#include "study/MneLearnPanel.h"

#include "deck/Card.h"

std::vector<Card*> NewCards;

wxBEGIN_EVENT_TABLE(MneLearnPanel, wxPanel)
wxEND_EVENT_TABLE()

MneLearnPanel::MneLearnPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER)
{
}

void MneLearnPanel::StartLearning()
{
}
