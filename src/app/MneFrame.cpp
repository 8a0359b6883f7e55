// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame: menus, title, panel switching and the deck file commands.
#include "app/MneFrame.h"

#include <wx/accel.h>
#include <wx/config.h>
#include <wx/filedlg.h>
#include <wx/filehistory.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>

#include "app/Options.h"
#include "app/mneApp.h"
#include "deck/DeckFile.h"
#include "deck/DeckFileStamp.h"
#include "deck/mnemora.h"
#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
#include "print/mnePrintDialog.h"
#include "study/MneLearnPanel.h"
#include "study/MneTestPanel.h"

#include "mnemora16.xpm"
#include "mnemora32.xpm"
#include "mnemora48.xpm"

namespace
{
void ShowNoCardsMessage()
{
    wxMessageBox(_("Add at least one card first."), "Mnemora", wxOK | wxICON_WARNING);
}

wxString DeckFilter()
{
    return _("Mnemora files (*.mnd)|*.mnd");
}
} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(MneFrame, wxFrame)
    EVT_MENU(idNew, MneFrame::OnNew)
    EVT_MENU(idOpen, MneFrame::OnOpen)
    EVT_MENU(idSave, MneFrame::OnSave)
    EVT_MENU(idSaveAs, MneFrame::OnSaveAs)
    EVT_MENU(idMerge, MneFrame::OnMerge)
    EVT_MENU(idImport, MneFrame::OnImport)
    EVT_MENU(idExport, MneFrame::OnExport)
    EVT_MENU_RANGE(idRecentFirst, idRecentLast, MneFrame::OnRecentFile)
    EVT_MENU_RANGE(idPrintStudySheet, idPrintDoubleSided, MneFrame::OnPrint)
    EVT_MENU(idStudyMode, MneFrame::OnStudyMode)
    EVT_MENU(idResetScores, MneFrame::OnResetScores)
    EVT_MENU(idKeepScore, MneFrame::OnOptionItem)
    EVT_MENU(idShuffleCards, MneFrame::OnOptionItem)
    EVT_MENU(idPlaySounds, MneFrame::OnOptionItem)
    EVT_MENU(idSwap, MneFrame::OnSwap)
    EVT_MENU(idShowTimer, MneFrame::OnShowTimer)
    EVT_MENU(idCardFont, MneFrame::OnCardFont)
    EVT_MENU(idCardBackground, MneFrame::OnCardBackground)
    EVT_MENU(idLanguage, MneFrame::OnLanguage)
    EVT_MENU(idAbout, MneFrame::OnAbout)
    EVT_MENU(idClose, MneFrame::OnCloseCommand)
    EVT_MENU(idRevertToBackup, MneFrame::OnRevertToBackup)
    EVT_ACTIVATE(MneFrame::OnActivate)
    EVT_CLOSE(MneFrame::OnClose)
wxEND_EVENT_TABLE()

MneFrame* MainFrame = nullptr;
const wxString UntitledName = "Untitled";
int CurrentPanel = 0;
// clang-format on

MneFrame::MneFrame() : wxFrame(nullptr, wxID_ANY, wxEmptyString)
{
    MainFrame = this;
    wxIconBundle icons;
    icons.AddIcon(wxIcon(mnemora16_xpm));
    icons.AddIcon(wxIcon(mnemora32_xpm));
    icons.AddIcon(wxIcon(mnemora48_xpm));
    SetIcons(icons);
    SetMenuBar(CreateMenus());
    // Ctrl+W and Ctrl+Q have no menu item; they close the window as its close box does.
    wxAcceleratorEntry closeKeys[] = {{wxACCEL_CTRL, 'W', idClose}, {wxACCEL_CTRL, 'Q', idClose}};
    SetAcceleratorTable(wxAcceleratorTable(2, closeKeys));
    // Loading first: Load clears the entries of every menu in use, which would eat the last
    // items of a menu that has not shown them yet.
    FileHistory->Load(*wxConfigBase::Get());
    FileHistory->UseMenu(FileMenu);
    FileHistory->AddFilesToMenu(FileMenu);
    LoadOptions();
    PlaySoundsItem = GetMenuBar()->FindItem(idPlaySounds);
    KeepScoreItem = GetMenuBar()->FindItem(idKeepScore);
    ShuffleCardsItem = GetMenuBar()->FindItem(idShuffleCards);
    SwapItem = GetMenuBar()->FindItem(idSwap);
    ShowTimerItem = GetMenuBar()->FindItem(idShowTimer);
    PlaySoundsItem->Check(Options.PlaySounds);
    KeepScoreItem->Check(Options.KeepScore);
    ShuffleCardsItem->Check(Options.ShuffleCards);
    SwapItem->Check(Options.SwapQuestionAnswer);
    ShowTimerItem->Check(Options.ShowTimer);

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

MneFrame::~MneFrame()
{
    // The recent-files list outlives the menu it fills.
    if (FileHistory)
        FileHistory->RemoveMenu(FileMenu);
    if (MainFrame == this)
        MainFrame = nullptr;
}

wxMenuBar* MneFrame::CreateMenus()
{
    FileMenu = new wxMenu;
    // TRANSLATORS: File menu command that starts an empty deck.
    FileMenu->Append(idNew, _("&New") + "\tCtrl+N", wxEmptyString);
    FileMenu->Append(idOpen, _("&Open...") + "\tCtrl+O", wxEmptyString);
    FileMenu->AppendSeparator();
    FileMenu->Append(idSave, _("&Save") + "\tCtrl+S", wxEmptyString);
    FileMenu->Append(idSaveAs, _("Save &As...") + "\tShift+Ctrl+S", wxEmptyString);
    FileMenu->Append(idRevertToBackup, _("Revert to &Backup..."), wxEmptyString);
    FileMenu->AppendSeparator();
    FileMenu->Append(idMerge, _("&Merge..."), wxEmptyString);
    FileMenu->Append(idImport, _("&Import..."), wxEmptyString);
    FileMenu->Append(idExport, _("&Export..."), wxEmptyString);

    wxMenu* printMenu = new wxMenu;
    printMenu->Append(idPrintStudySheet, _("Print Study S&heet"), wxEmptyString);
    printMenu->Append(idPrintSingleSided, _("Print &Single Sided Cards"), wxEmptyString);
    printMenu->Append(idPrintDoubleSided, _("Print &Double Sided Cards"), wxEmptyString);

    wxMenu* optionsMenu = new wxMenu;
    optionsMenu->Append(idStudyMode, _("Select Study &Mode..."), wxEmptyString);
    optionsMenu->Append(idResetScores, _("R&eset Scores"), wxEmptyString);
    optionsMenu->AppendSeparator();
    optionsMenu->AppendCheckItem(idKeepScore, _("&Keep Score"), wxEmptyString);
    optionsMenu->AppendCheckItem(idShuffleCards, _("S&huffle Cards"), wxEmptyString);
    optionsMenu->AppendCheckItem(idSwap, _("&Swap Question/Answer"), wxEmptyString);
    optionsMenu->AppendCheckItem(idPlaySounds, _("&Play Sounds"), wxEmptyString);
    optionsMenu->AppendCheckItem(idShowTimer, _("Show &Timer"), wxEmptyString);
    optionsMenu->AppendSeparator();
    optionsMenu->Append(idCardFont, _("Select Card &Font..."), wxEmptyString);
    optionsMenu->Append(idCardBackground, _("Select Card &Background..."), wxEmptyString);
    optionsMenu->AppendSeparator();
    optionsMenu->Append(idLanguage, _("Select &Language..."), wxEmptyString);

    wxMenu* helpMenu = new wxMenu;
    helpMenu->Append(idAbout, _("&About Mnemora..."), wxEmptyString);

    wxMenuBar* menuBar = new wxMenuBar;
    menuBar->Append(FileMenu, _("&File"));
    // TRANSLATORS: menu title of the print commands.
    menuBar->Append(printMenu, _("&Print"));
    menuBar->Append(optionsMenu, _("&Options"));
    menuBar->Append(helpMenu, _("&Help"));
    return menuBar;
}

void MneFrame::UpdateTitle()
{
    wxString name = FileName.GetFullName() + (Modified ? "*" : "");
    if (DeckFileMissing())
        // TRANSLATORS: window title of a deck whose file was deleted or renamed; %s is its name.
        name = wxString::Format(_("%s (not on disk)"), name);
    SetTitle(name + " - Mnemora");
}

void MneFrame::ShowPanel(int panel)
{
    CurrentPanel = panel;
    EditPanel->Show(panel == pnCardList);
    TestPanel->Show(panel == pnStudy);
    LearnPanel->Show(panel == pnLearn);
    AddPanel->Show(panel == pnEditor);
    EnableDeckCommands(panel == pnCardList);
    if (panel == pnCardList)
        EditPanel->ReloadList();
    else if (panel == pnStudy)
        TestPanel->StartStudying();
    else if (panel == pnLearn)
        LearnPanel->StartLearning();
    Layout();
}

void MneFrame::EnableDeckCommands(bool enable)
{
    wxMenuBar* menuBar = GetMenuBar();
    for (int id :
         {idNew, idOpen, idMerge, idImport, idExport, idResetScores, idStudyMode, idRevertToBackup})
        menuBar->Enable(id, enable);
    for (size_t i = 0; FileHistory && i < FileHistory->GetCount(); ++i)
        menuBar->Enable(idRecentFirst + int(i), enable);
}

void MneFrame::RememberFile(const wxString& path)
{
    FileHistory->AddFileToHistory(path);
    FileHistory->Save(*wxConfigBase::Get());
    wxConfigBase::Get()->Flush();
    // Save and Save As also work while studying, when a new entry must not open a deck.
    EnableDeckCommands(CurrentPanel == pnCardList);
}

bool MneFrame::QuerySaveChanges()
{
    if (!Modified)
        return true;
    const int answer =
        wxMessageBox(_("The current file has unsaved changes.  Do you want to save them?"),
                     "Mnemora v1.5", wxYES_NO | wxCANCEL | wxICON_QUESTION, this);
    if (answer == wxCANCEL)
        return false;
    if (answer == wxYES)
        return Save();
    return true;
}

bool MneFrame::Save()
{
    if (Cards.empty())
    {
        ShowNoCardsMessage();
        return false;
    }
    if (FileName.SameAs(wxFileName(UntitledName)) || (ConfirmDeckName && FileName.FileExists()))
        return SaveAs();
    const int overwrite = ConfirmOverwrite();
    if (overwrite == wxID_NO)
        return SaveAs();
    if (overwrite != wxID_YES)
        return false;
    const bool written = SaveDeck();
    if (written)
    {
        ConfirmDeckName = false;
        RememberFile(FileName.GetFullPath());
    }
    UpdateTitle();
    return written;
}

bool MneFrame::SaveAs()
{
    if (Cards.empty())
    {
        ShowNoCardsMessage();
        return false;
    }
    wxFileDialog dialog(this, _("Save Cards"), Options.DataDirectory, wxEmptyString, DeckFilter(),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    const wxString path = dialog.GetPath();
    Options.DataDirectory = wxFileName(path).GetPath();
    SaveOptions();
    const wxFileName previous = FileName;
    FileName = wxFileName(path);
    const bool written = SaveDeck();
    if (written)
    {
        ConfirmDeckName = false;
        RememberFile(path);
    }
    else
        FileName = previous; // nothing was written there, so the deck keeps its old name
    UpdateTitle();
    return written;
}

LoadResult MneFrame::OpenDeckFile(const wxString& path, bool remember)
{
    ActiveCards.clear();
    Cards.clear();
    FileName = wxFileName(path);
    ConfirmDeckName = false;
    DeclinedKnown = false;
    // Stamped before reading, so that a change made during the load is noticed later.
    RememberDeckFile();
    const LoadResult result = LoadDeck();
    if (result == LoadResult::Unreadable || result == LoadResult::WrongVersion)
    {
        Cards.clear();
        FileName = wxFileName(UntitledName);
    }
    else if (remember)
        RememberFile(FileName.GetFullPath());
    Modified = false;
    UpdateTitle();
    EditPanel->RefreshList();
    return result;
}

void MneFrame::OnNew(wxCommandEvent&)
{
    if (!QuerySaveChanges())
        return;
    FileName = wxFileName(UntitledName);
    ConfirmDeckName = false;
    Modified = false;
    UpdateTitle();
    ActiveCards.clear();
    Cards.clear();
    EditPanel->RefreshList();
}

void MneFrame::OnOpen(wxCommandEvent&)
{
    if (!QuerySaveChanges())
        return;
    wxFileDialog dialog(this, _("Load Cards"), Options.DataDirectory, wxEmptyString, DeckFilter(),
                        wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxString path = dialog.GetPath();
    Options.DataDirectory = wxFileName(path).GetPath();
    SaveOptions();
    OpenDeckFile(path, true);
}

void MneFrame::OnSave(wxCommandEvent&)
{
    Save();
}

void MneFrame::OnSaveAs(wxCommandEvent&)
{
    SaveAs();
}

void MneFrame::OnRecentFile(wxCommandEvent& event)
{
    if (!QuerySaveChanges())
        return;
    const size_t index = size_t(event.GetId() - idRecentFirst);
    if (index >= FileHistory->GetCount())
        return;
    const wxString path = FileHistory->GetHistoryFile(index);
    if (path.empty())
        return;
    if (!wxFileName::FileExists(path))
    {
        wxMessageBox(_("The selected file no longer exists."), "Mnemora", wxOK | wxICON_INFORMATION,
                     this);
        return;
    }
    OpenDeckFile(path, false);
}

void MneFrame::OnMerge(wxCommandEvent&)
{
    wxFileDialog dialog(this, _("Merge Cards"), Options.DataDirectory, wxEmptyString, DeckFilter(),
                        wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxString path = dialog.GetPath();
    if (!wxFileName::FileExists(path))
        return;
    Options.DataDirectory = wxFileName(path).GetPath();
    SaveOptions();
    const wxFileName current = FileName;
    FileName = wxFileName(path);
    ActiveCards.clear();
    const size_t before = Cards.size();
    LoadDeck();
    EditPanel->RefreshList();
    FileName = current;
    // A file that added no cards leaves the deck as it was.
    if (Cards.size() != before)
        Modified = true;
    UpdateTitle();
}

void MneFrame::OnPrint(wxCommandEvent& event)
{
    if (Cards.empty())
    {
        ShowNoCardsMessage();
        return;
    }
    mnePrintDialog dialog(this, event.GetId() - idPrintStudySheet);
    dialog.CentreOnParent();
    dialog.ShowModal();
}

void MneFrame::OnCloseCommand(wxCommandEvent&)
{
    Close();
}

void MneFrame::OnClose(wxCloseEvent& event)
{
    if (QuerySaveChanges() || !event.CanVeto())
        Destroy();
    else
        event.Veto();
}
