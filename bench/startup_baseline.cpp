// SPDX-License-Identifier: GPL-3.0-or-later
// The smallest program that shows a toolkit frame: the floor under Mnemora's start-up time.
#include <wx/app.h>
#include <wx/frame.h>

class BaselineApp : public wxApp
{
public:
    bool OnInit() override
    {
        (new wxFrame(nullptr, wxID_ANY, "Baseline - Frame"))->Show();
        return true;
    }
};

wxIMPLEMENT_APP(BaselineApp);
