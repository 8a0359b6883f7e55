// The card display panel.
#include "study/MneCardPanel.h"

#include <wx/dcclient.h>

wxBEGIN_EVENT_TABLE(MneCardPanel, wxPanel)
    EVT_PAINT(MneCardPanel::OnPaint)
wxEND_EVENT_TABLE()

MneCardPanel::MneCardPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxPanel(parent, id, pos, size, wxRAISED_BORDER | wxFULL_REPAINT_ON_RESIZE)
{
}

void MneCardPanel::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
}
