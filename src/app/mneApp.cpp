// SPDX-License-Identifier: GPL-3.0-or-later
// Application start-up and shut-down: the shared services, the language, the main frame and the
// deck named on the command line.
#include "app/mneApp.h"

#include <wx/cmdline.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/mimetype.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/translation.h>

#include <exception>
#include <new>

#include "app/MneFrame.h"
#include "deck/DeckFile.h"

wxFileHistory* FileHistory = nullptr;
wxMimeTypesManager* MimeManager = nullptr;
wxLocale* Locale = nullptr;

bool mneApp::OnInit()
{
    CreateServices();
    InstallDeckMessageBox();
    InitLocale(wxConfigBase::Get()->ReadLong("Language", wxLANGUAGE_DEFAULT));
    new MneFrame();
    return HandleCommandLine(argc, argv);
}

int mneApp::OnExit()
{
    DestroyServices();
    return 0;
}

bool mneApp::OnExceptionInMainLoop()
{
    ReportCurrentException();
    return true;
}

void mneApp::ReportCurrentException()
{
    try
    {
        throw;
    }
    catch (const std::bad_alloc&)
    {
        wxLogError(_("There is not enough memory to finish the command."));
    }
    catch (const std::exception& error)
    {
        wxLogError(_("The command failed: %s"), wxString::FromUTF8(error.what()));
    }
    catch (...)
    {
        wxLogError(_("The command failed."));
    }
}

void mneApp::CreateServices()
{
    if (!wxConfigBase::Get(false))
    {
        // The store lives in ~/.config/Mnemora.conf; keys missing there come from /etc.
        wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
        // On a new account the folder may not exist yet, and the store cannot create it.
        const wxString folder = wxStandardPaths::Get().GetUserConfigDir();
        if (!wxFileName::DirExists(folder))
            wxFileName::Mkdir(folder, 0700, wxPATH_MKDIR_FULL);
        wxConfigBase::Set(new wxFileConfig("Mnemora", wxEmptyString, wxEmptyString, wxEmptyString,
                                           wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_GLOBAL_FILE));
    }
    if (!MimeManager)
        MimeManager = new wxMimeTypesManager;
    if (!FileHistory)
        FileHistory = new wxFileHistory(9, MneFrame::idRecentFirst);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxInitAllImageHandlers();
}

void mneApp::InstallDeckMessageBox()
{
    SetDeckMessageHandler([](const wxString& message)
                          { wxMessageBox(message, "Mnemora", wxOK | wxICON_WARNING); });
}

void mneApp::InitLocale(long language)
{
    // Catalogs sit in <lang>/mnemora.mo below the working directory (the build folder) or in
    // the installed share/locale tree, found also when the installation was moved.
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxGetCwd());
    wxFileName installed(wxStandardPaths::Get().GetExecutablePath());
    installed.AppendDir("..");
    installed.AppendDir("share");
    installed.AppendDir("locale");
    installed.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(installed.GetPath());
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(MNEMORA_LOCALE_DIR);
    if (language != wxLANGUAGE_DEFAULT && !wxLocale::GetLanguageInfo(language))
        language = wxLANGUAGE_DEFAULT;
    delete Locale;
    Locale = new wxLocale;
    {
        // Without the system locale for the language the catalog still loads and the texts
        // are translated, so the toolkit's warning would only alarm the user at every start.
        wxLogNull quiet;
        Locale->Init(language, wxLOCALE_LOAD_DEFAULT);
    }
    Locale->AddCatalog("mnemora");
}

bool mneApp::ParseCommandLine(int argc, wxChar** argv, wxString& deckPath)
{
    static const wxCmdLineEntryDesc description[] = {
        {wxCMD_LINE_PARAM, nullptr, nullptr, "Map file", wxCMD_LINE_VAL_STRING,
         wxCMD_LINE_PARAM_OPTIONAL},
        {wxCMD_LINE_NONE, nullptr, nullptr, nullptr, wxCMD_LINE_VAL_NONE, 0}};
    wxCmdLineParser parser(description, argc, argv);
    parser.SetLogo("Mnemora v1.5");
    deckPath.clear();
    if (parser.Parse(true) == -1)
        return false;
    if (parser.GetParamCount() > 0 && !parser.GetParam(0).empty())
    {
        // An absolute name stays valid in the recent-files list whatever the next start's
        // working directory.
        wxFileName name(parser.GetParam(0));
        name.MakeAbsolute();
        deckPath = name.GetFullPath();
    }
    return true;
}

bool mneApp::HandleCommandLine(int argc, wxChar** argv)
{
    wxString deckPath;
    if (!ParseCommandLine(argc, argv, deckPath))
        return false;
    if (!deckPath.empty())
        MainFrame->OpenDeckFile(deckPath, true);
    return true;
}

void mneApp::DestroyServices()
{
    delete wxConfigBase::Set(nullptr);
    delete MimeManager;
    MimeManager = nullptr;
    delete FileHistory;
    FileHistory = nullptr;
    delete Locale;
    Locale = nullptr;
}
