// The card editor panel (its controls are still to come; the card list already hands cards to it).
#include "edit/MneAddPanel.h"

wxBEGIN_EVENT_TABLE(MneAddPanel, wxPanel)
wxEND_EVENT_TABLE()

MneAddPanel::MneAddPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER)
{
}

void MneAddPanel::SetCard(int index, bool isNew)
{
    CardIndex = index;
    IsNewCard = isNew;
}
