// SPDX-License-Identifier: GPL-3.0-or-later
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
    /// Reports an exception that escaped a command and keeps the program running, so that no
    /// failed command can take unsaved changes with it.
    bool OnExceptionInMainLoop() override;

    /// Logs the exception being handled as an error; call it only inside a catch block.
    static void ReportCurrentException();

    /// Creates the configuration store (unless one is set already), the MIME types manager, the
    /// recent-files list and the image decoders.
    static void CreateServices();
    /// Shows the deck file messages in message boxes.
    static void InstallDeckMessageBox();
    /// Sets up the user-interface language and loads the catalog "mnemora" for it.
    static void InitLocale(long language);
    /// Parses the command line; false when the program is to end at once. `deckPath` receives
    /// the deck named on it, made absolute, or stays empty.
    static bool ParseCommandLine(int argc, wxChar** argv, wxString& deckPath);
    /// Parses the command line and opens the deck named on it in the main frame; false when the
    /// program is to end at once.
    static bool HandleCommandLine(int argc, wxChar** argv);
    /// Releases what CreateServices and InitLocale made.
    static void DestroyServices();
};

/// The recent-files list (9 entries, ids 5050-5058).
extern wxFileHistory* FileHistory;
/// The desktop's file-type database.
extern wxMimeTypesManager* MimeManager;
/// The user-interface locale.
extern wxLocale* Locale;

wxDECLARE_APP(mneApp);

#endif
