// The application object: process-wide services, the main frame and the start-up deck.
#ifndef MNEMORA_APP_MNEAPP_H
#define MNEMORA_APP_MNEAPP_H

#include <wx/app.h>

class wxFileHistory;
class wxLocale;
class wxMimeTypesManager;

/// Brings the program up and releases its services at exit.
class mneApp : public wxApp
{
public:
    bool OnInit() override;
    int OnExit() override;
};

/// The recent-files list (9 entries, ids 5050-5058).
extern wxFileHistory* FileHistory;
/// The desktop's file-type database.
extern wxMimeTypesManager* MimeManager;
/// The user-interface locale.
extern wxLocale* Locale;

wxDECLARE_APP(mneApp);

#endif
