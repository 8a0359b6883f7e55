// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame's Import and Export commands: cards from a text file, a picture sequence or
// an Anki package, and every card out to a text file.
#include "app/MneFrame.h"

#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/utils.h>

#include "app/Options.h"
#include "app/mneImportDialog.h"
#include "deck/AnkiPackage.h"
#include "deck/CardText.h"
#include "deck/mnemora.h"
#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"

void MneFrame::OnImport(wxCommandEvent&)
{
    if (!QuerySaveChanges())
        return;
    mneImportDialog dialog(this);
    dialog.ExcelRadio->SetValue(true);
    dialog.PictureRadio->SetValue(false);
    dialog.AnkiRadio->SetValue(false);
    dialog.CentreOnParent();
    if (dialog.ShowModal() != wxID_OK)
        return;
    const bool ignoreHeaderRow = dialog.IgnoreHeaderRow->GetValue();
    if (dialog.ExcelRadio->GetValue())
        ImportFile(_("Text files (*.txt;*.csv)|*.txt;*.csv"),
                   [ignoreHeaderRow](const wxString& path)
                   { return ImportTextFile(path, ignoreHeaderRow); });
    else if (dialog.PictureRadio->GetValue())
        ImportPictures();
    else if (dialog.AnkiRadio->GetValue())
        ImportFile(_("Anki deck packages (*.apkg)|*.apkg"), ImportAnkiPackage);
}

void MneFrame::ImportFile(const wxString& wildcard,
                          const std::function<bool(const wxString&)>& import)
{
    wxFileDialog dialog(this, _("Choose file to import."), Options.DataDirectory, wxEmptyString,
                        wildcard, wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxString path = dialog.GetPath();
    Options.DataDirectory = wxFileName(path).GetPath();
    SaveOptions();
    {
        wxBusyCursor busy;
        if (!import(path))
            return;
        EditPanel->RefreshList();
    }
    // A deck file of the new name may already lie beside the imported file: the first Save asks.
    ConfirmDeckName = true;
    UpdateTitle();
}

wxString MneFrame::ChoosePicture(const wxString& title)
{
    wxFileDialog dialog(this, title, Options.DataDirectory, wxEmptyString,
                        _("Image Files ") + MneAddPanel::GetImageWildcard(), wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK)
        return wxString();
    const wxString path = dialog.GetPath();
    Options.DataDirectory = wxFileName(path).GetPath();
    SaveOptions();
    return path;
}

void MneFrame::ImportPictures()
{
    ActiveCards.clear();
    Cards.clear();
    for (int n = 1;; ++n)
    {
        const wxString question =
            ChoosePicture(wxString::Format(_("Choose Question Picture #%d (Cancel to stop)"), n));
        if (question.empty())
            break;
        const wxString answer =
            ChoosePicture(wxString::Format(_("Choose Answer Picture #%d (Cancel to stop)"), n));
        if (answer.empty())
            break;
        wxBusyCursor busy;
        Card card;
        card.QuestionPicture = wxFileName(question);
        card.AnswerPicture = wxFileName(answer);
        card.LoadPictures();
        Cards.push_back(card);
    }
    UpdateScores();
    EditPanel->RefreshList();
    FileName = wxFileName(UntitledName);
    ConfirmDeckName = false;
    Modified = true;
    UpdateTitle();
}

void MneFrame::OnExport(wxCommandEvent&)
{
    if (Cards.empty())
    {
        wxMessageBox(_("Add at least one card first."), "Mnemora", wxOK | wxICON_EXCLAMATION);
        return;
    }
    wxFileDialog dialog(
        this, _("Export Cards"), Options.DataDirectory, wxEmptyString,
        _("Tab Delimited Text files (*.txt)|*.txt|Comma Separated Value files (*.csv)|*.csv"),
        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxString path = dialog.GetPath();
    Options.DataDirectory = wxFileName(path).GetPath();
    SaveOptions();
    // The chosen filter decides, whatever extension the name has.
    const wxChar delimiter = dialog.GetFilterIndex() == 0 ? wxChar('\t') : wxChar(',');
    wxBusyCursor busy;
    ExportTextFile(path, delimiter);
}
