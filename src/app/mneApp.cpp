// Application start-up and shut-down.
#include "app/mneApp.h"

#include <wx/filehistory.h>
#include <wx/intl.h>
#include <wx/mimetype.h>

#include "app/MneFrame.h"

wxFileHistory* FileHistory = nullptr;
wxMimeTypesManager* MimeManager = nullptr;
wxLocale* Locale = nullptr;

bool mneApp::OnInit()
{
    FileHistory = new wxFileHistory(9, 5050);
    new MneFrame();
    return true;
}

int mneApp::OnExit()
{
    delete FileHistory;
    FileHistory = nullptr;
    return 0;
}
