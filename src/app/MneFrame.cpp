// The main frame.
#include "app/MneFrame.h"

#include <wx/sizer.h>

#include "deck/mnemora.h"
#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
#include "study/MneLearnPanel.h"
#include "study/MneTestPanel.h"

MneFrame* MainFrame = nullptr;
int CurrentPanel = 0;

wxBEGIN_EVENT_TABLE(MneFrame, wxFrame)
wxEND_EVENT_TABLE()

MneFrame::MneFrame() : wxFrame(nullptr, wxID_ANY, wxEmptyString)
{
    MainFrame = this;
    EditPanel = new MneEditPanel(this);
    EditPanel->CreateControls();
    LearnPanel = new MneLearnPanel(this);
    TestPanel = new MneTestPanel(this);
    AddPanel = new MneAddPanel(this);
    UpdateTitle();
    PanelSizer = new wxBoxSizer(wxVERTICAL);
    PanelSizer->Add(EditPanel, 1, wxEXPAND);
    PanelSizer->Add(LearnPanel, 1, wxEXPAND);
    PanelSizer->Add(TestPanel, 1, wxEXPAND);
    PanelSizer->Add(AddPanel, 1, wxEXPAND);
    ShowPanel(pnCardList);
    PanelSizer->SetMinSize(500, 400);
    SetSizerAndFit(PanelSizer);
    Centre(wxBOTH);
    Layout();
    EditPanel->CreateColumns();
    CurCard = -1;
    Show();
}

void MneFrame::UpdateTitle()
{
    SetTitle(FileName.GetFullName() + (Modified ? "*" : "") + " - Mnemora");
}

void MneFrame::ShowPanel(int panel)
{
    CurrentPanel = panel;
    EditPanel->Show(panel == pnCardList);
    TestPanel->Show(panel == pnStudy);
    LearnPanel->Show(panel == pnLearn);
    AddPanel->Show(panel == pnEditor);
    if (panel == pnCardList)
        EditPanel->ReloadList();
    else if (panel == pnStudy)
        TestPanel->StartStudying();
    else if (panel == pnLearn)
        LearnPanel->StartLearning();
    Layout();
}

bool MneFrame::QuerySaveChanges() { return true; }
bool MneFrame::Save() { return false; }
bool MneFrame::SaveAs() { return false; }
