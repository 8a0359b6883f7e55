// The card list panel.
#include "edit/MneEditPanel.h"

#include <wx/listctrl.h>

wxBEGIN_EVENT_TABLE(MneEditPanel, wxPanel)
wxEND_EVENT_TABLE()

MneEditPanel::MneEditPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER)
{
}

void MneEditPanel::CreateControls() {}
void MneEditPanel::CreateColumns() {}
void MneEditPanel::RefreshList() {}
void MneEditPanel::RefreshRow(int) {}
void MneEditPanel::ReloadList() {}
