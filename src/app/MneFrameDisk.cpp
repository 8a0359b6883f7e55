// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame and the deck's file on disk: a save that would replace another program's
// changes asks first, a deck changed elsewhere is offered for reloading, and a kept backup
// can be opened again.
#include "app/MneFrame.h"

#include <wx/choicdlg.h>
#include <wx/datetime.h>
#include <wx/msgdlg.h>

#include "deck/DeckBackup.h"
#include "deck/DeckFile.h"
#include "deck/DeckFileStamp.h"
#include "deck/mnemora.h"
#include "edit/MneEditPanel.h"

int MneFrame::ConfirmOverwrite()
{
    if (CheckDeckFile() != DiskChange::Changed)
        return wxID_YES;
    wxMessageDialog dialog(
        this,
        wxString::Format(_("The deck \"%s\" was changed by another program since you opened it. "
                           "Save your version over it, save under another name, or cancel?"),
                         FileName.GetFullName()),
        "Mnemora", wxYES_NO | wxCANCEL | wxICON_WARNING);
    dialog.SetYesNoCancelLabels(_("Overwrite"), _("Save As..."), _("Cancel"));
    return dialog.ShowModal();
}

void MneFrame::OnActivate(wxActivateEvent& event)
{
    event.Skip();
    // Asked once the activation is over: a dialog shown inside it would activate again.
    if (event.GetActive())
        CallAfter(&MneFrame::CheckDeckOnDisk);
}

void MneFrame::CheckDeckOnDisk()
{
    if (CheckingDisk)
        return;
    const bool wasMissing = DeckFileMissing();
    DeckFileStamp current;
    const DiskChange change = CheckDeckFile(&current);
    if (DeckFileMissing() != wasMissing)
        UpdateTitle();
    // Unsaved changes wait for Save, which asks. Other panels hold cards of the deck, so the
    // question waits until the card list shows again.
    if (change != DiskChange::Changed || current.Path.empty() || Modified ||
        CurrentPanel != pnCardList || (DeclinedKnown && current.Hash == DeclinedHash))
        return;
    CheckingDisk = true;
    wxMessageDialog dialog(this,
                           wxString::Format(_("The deck \"%s\" was changed by another program. "
                                              "Reload it, or keep the version shown here?"),
                                            FileName.GetFullName()),
                           "Mnemora", wxYES_NO | wxICON_QUESTION);
    dialog.SetYesNoLabels(_("Reload"), _("Keep"));
    const int answer = dialog.ShowModal();
    CheckingDisk = false;
    DeclinedKnown = answer != wxID_YES;
    DeclinedHash = current.Hash;
    if (answer == wxID_YES)
        ReloadDeck();
}

void MneFrame::ReloadDeck()
{
    const long row = EditPanel->GetCurrentCard();
    wxString question;
    wxString answer;
    if (row >= 0 && row < long(Cards.size()))
    {
        question = Cards[size_t(row)].Question;
        answer = Cards[size_t(row)].Answer;
    }
    OpenDeckFile(FileName.GetFullPath(), false);
    if (row < 0 || Cards.empty())
        return;
    // The same card where it is still there, otherwise the row it had.
    long found = row < long(Cards.size()) ? row : long(Cards.size()) - 1;
    for (size_t i = 0; i < Cards.size(); ++i)
    {
        if (Cards[i].Question == question && Cards[i].Answer == answer)
        {
            found = long(i);
            break;
        }
    }
    EditPanel->SelectCard(found);
}

void MneFrame::OnRevertToBackup(wxCommandEvent&)
{
    if (!QuerySaveChanges())
        return;
    const std::vector<DeckBackupEntry> backups = FileName.SameAs(wxFileName(UntitledName))
                                                     ? std::vector<DeckBackupEntry>()
                                                     : DeckBackup::List(FileName.GetFullPath());
    if (backups.empty())
    {
        wxMessageBox(_("There are no backups of this deck."), "Mnemora", wxOK | wxICON_INFORMATION,
                     this);
        return;
    }
    wxArrayString rows;
    for (const DeckBackupEntry& backup : backups)
    {
        const wxString when = wxDateTime(backup.Time).Format("%x %X");
        rows.Add(backup.Cards < 0
                     ? wxString::Format(_("%s, older format"), when)
                     : wxString::Format(wxPLURAL("%s, %ld card", "%s, %ld cards", backup.Cards),
                                        when, backup.Cards));
    }
    wxSingleChoiceDialog dialog(this, _("Open which backup? Saving writes it over the deck."),
                                _("Revert to Backup"), rows);
    if (dialog.ShowModal() != wxID_OK)
        return;
    std::vector<Card> current;
    current.swap(Cards);
    ActiveCards.clear();
    const LoadResult result = LoadDeckFrom(backups[size_t(dialog.GetSelection())].Path);
    if (result != LoadResult::Loaded && result != LoadResult::LegacyLoaded)
        current.swap(Cards); // the deck stays as it was
    else
        Modified = true;
    UpdateTitle();
    EditPanel->RefreshList();
}
