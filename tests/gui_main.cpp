// SPDX-License-Identifier: GPL-3.0-or-later
// Test main for tests that need the real toolkit under Xvfb: starts a wxApp, turns assertions
// into test failures and keeps every settings write in a temporary file.
#include "GuiTest.h"

#include <wx/app.h>
#include <wx/config.h>
#include <wx/dir.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/mneApp.h"
#include "deck/mnemora.h"
#include "study/MneLearnPanel.h"

namespace
{
std::vector<wxString> TempDirs;

void AssertToFailure(const wxString& file, int line, const wxString& func, const wxString& cond,
                     const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_string().c_str(), line)
        << "wx assertion in " << func.utf8_string() << ": " << cond.utf8_string() << " "
        << msg.utf8_string();
}

class TestApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};
} // namespace

int ExpectFileDialog::OnInvoked(wxFileDialog* dlg) const
{
    dlg->SetPath(m_path);
    for (int i = 0; i < 200 && dlg->GetPath() != m_path; ++i)
    {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    return m_id;
}

void YieldFor(int milliseconds)
{
    const wxLongLong end = wxGetLocalTimeMillis() + milliseconds;
    do
    {
        wxTheApp->Yield(true);
        wxMilliSleep(2);
    } while (wxGetLocalTimeMillis() < end);
}

wxString MakeTempDir()
{
    wxString dir = wxFileName::CreateTempFileName(wxFileName::GetTempDir() + "/mnetest");
    wxRemoveFile(dir);
    wxFileName::Mkdir(dir, 0700);
    TempDirs.push_back(dir);
    return dir;
}

wxString UseFreshConfig()
{
    const wxString path = MakeTempDir() + "/Mnemora.conf";
    delete wxConfigBase::Set(
        new wxFileConfig("Mnemora", wxEmptyString, path, wxEmptyString, wxCONFIG_USE_LOCAL_FILE));
    return path;
}

void ResetDeck()
{
    ActiveCards.clear();
    NewCards.clear();
    Cards.clear();
    CurCard = -1;
    FileName = wxFileName("Untitled");
    Modified = false;
}

void ClickButton(wxWindow* parent, int id)
{
    wxWindow* button = parent->FindWindow(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
    {
        fprintf(stderr, "cannot start the toolkit (is DISPLAY set?)\n");
        return 1;
    }
    // A log pop-up would block a headless run at exit.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(AssertToFailure);
    wxInitAllImageHandlers();
    UseFreshConfig();
    // The services the main frame needs: recent-files list, MIME types manager.
    mneApp::CreateServices();
    const int result = RUN_ALL_TESTS();
    mneApp::DestroyServices();
    for (const wxString& dir : TempDirs)
        wxFileName::Rmdir(dir, wxPATH_RMDIR_RECURSIVE);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
