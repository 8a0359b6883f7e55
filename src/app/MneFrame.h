// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: menu bar, title, the four content panels and every menu command.
#ifndef MNEMORA_APP_MNEFRAME_H
#define MNEMORA_APP_MNEFRAME_H

#include <wx/frame.h>

#include <functional>

class wxBoxSizer;
class wxMenu;
class wxMenuItem;
class MneEditPanel;
class MneTestPanel;
class MneLearnPanel;
class MneAddPanel;
enum class LoadResult;

/// Content panel numbers for MneFrame::ShowPanel.
enum PanelNumbers
{
    pnCardList = 0,
    pnStudy = 1,
    pnLearn = 2,
    pnEditor = 3
};

/// The program's only top-level window.
class MneFrame : public wxFrame
{
public:
    /// Menu command ids, handled in the frame's event table. The recent files take
    /// idRecentFirst..idRecentLast, and the print commands run in the order of PrintTypes.
    enum WindowIds
    {
        idOpen = 10001,
        idSave,
        idSaveAs,
        idNew = 10005,
        idMerge,
        idImport,
        idPrintStudySheet = 10009,
        idPrintSingleSided,
        idPrintDoubleSided,
        idStudyMode,
        idResetScores,
        idKeepScore,
        idShuffleCards,
        idSwap,
        idPlaySounds,
        idCardFont,
        idCardBackground,
        idLanguage,
        idExport = 10022,
        idShowTimer,
        idRevertToBackup,
        idClose = wxID_CLOSE,
        idAbout = 5013,
        idRecentFirst = 5050,
        idRecentLast = 5058
    };
    static_assert(idSaveAs == 10003 && idImport == 10007 && idLanguage == 10020 &&
                      idShowTimer == 10023,
                  "ids are numbered as before");

    MneFrame();
    ~MneFrame() override;

    /// Title: file name, "*" when modified, " - Mnemora".
    void UpdateTitle();
    /// Shows exactly one content panel, enables the menu for it and starts it.
    void ShowPanel(int panel);
    /// Asks about unsaved changes; false when the user cancelled.
    bool QuerySaveChanges();
    /// Saves under the current name (Save As for a new deck); true when written.
    bool Save();
    /// Asks for a name and saves; true when written.
    bool SaveAs();
    /// Replaces the deck with the file at `path`, optionally recording it in the recent-files
    /// list. A file that exists but cannot be read leaves an empty "Untitled" deck, so that no
    /// later Save overwrites it.
    LoadResult OpenDeckFile(const wxString& path, bool remember);

    MneEditPanel* EditPanel = nullptr;   ///< Card list, panel 0.
    MneTestPanel* TestPanel = nullptr;   ///< Study panel, panel 1.
    MneLearnPanel* LearnPanel = nullptr; ///< Learn panel, panel 2.
    MneAddPanel* AddPanel = nullptr;     ///< Card editor, panel 3.

private:
    wxMenuBar* CreateMenus();
    void EnableDeckCommands(bool enable);
    void RememberFile(const wxString& path);
    void RefreshCardDisplay();
    /// Imports the file the user chooses with `wildcard` through `import`, which replaces the
    /// deck and reports false when the file cannot be read.
    void ImportFile(const wxString& wildcard, const std::function<bool(const wxString&)>& import);
    void ImportPictures();
    wxString ChoosePicture(const wxString& title);
    /// Before Save replaces the deck: wxID_YES to go on, wxID_NO to save under another name,
    /// wxID_CANCEL to stop. Asks only when another program changed the file.
    int ConfirmOverwrite();
    /// Offers to reload a deck that another program changed while it has no unsaved changes.
    void CheckDeckOnDisk();
    /// Reads the deck's file again, keeping the card list's current card where it can.
    void ReloadDeck();

    void OnNew(wxCommandEvent& event);
    void OnOpen(wxCommandEvent& event);
    void OnSave(wxCommandEvent& event);
    void OnSaveAs(wxCommandEvent& event);
    void OnMerge(wxCommandEvent& event);
    void OnImport(wxCommandEvent& event);
    void OnExport(wxCommandEvent& event);
    void OnRecentFile(wxCommandEvent& event);
    void OnPrint(wxCommandEvent& event);
    void OnStudyMode(wxCommandEvent& event);
    void OnResetScores(wxCommandEvent& event);
    void OnOptionItem(wxCommandEvent& event);
    void OnShowTimer(wxCommandEvent& event);
    void OnSwap(wxCommandEvent& event);
    void OnCardFont(wxCommandEvent& event);
    void OnCardBackground(wxCommandEvent& event);
    void OnLanguage(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnCloseCommand(wxCommandEvent& event);
    void OnRevertToBackup(wxCommandEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnClose(wxCloseEvent& event);

    wxBoxSizer* PanelSizer = nullptr;
    wxMenu* FileMenu = nullptr;
    wxMenuItem* PlaySoundsItem = nullptr;
    wxMenuItem* KeepScoreItem = nullptr;
    wxMenuItem* ShuffleCardsItem = nullptr;
    wxMenuItem* SwapItem = nullptr;
    wxMenuItem* ShowTimerItem = nullptr;
    /// The deck was named after an imported text file: a plain Save must not replace a deck
    /// file of that name without asking.
    bool ConfirmDeckName = false;
    /// The reload question is showing.
    bool CheckingDisk = false;
    /// The user kept the shown deck over the file's bytes with this hash: not asked again.
    bool DeclinedKnown = false;
    unsigned long long DeclinedHash = 0;

    wxDECLARE_EVENT_TABLE();
};

/// The name of a deck that has no file yet.
extern const wxString UntitledName;

/// The one main frame; set at the start of its constructor.
extern MneFrame* MainFrame;
/// The visible content panel (0..3).
extern int CurrentPanel;

#endif
