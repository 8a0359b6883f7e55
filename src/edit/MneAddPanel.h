// SPDX-License-Identifier: GPL-3.0-or-later
// The card editor panel: types a card's texts, attaches its files, previews it and steps through
// the deck.
#ifndef MNEMORA_EDIT_MNEADDPANEL_H
#define MNEMORA_EDIT_MNEADDPANEL_H

#include <wx/panel.h>

class wxBoxSizer;
class wxButton;
class wxTextCtrl;
class MediaFile;
class MneCardPanel;
class PanelHeader;

/// Panel 3: edits one card of the deck in place, in add mode (a card just created) or edit mode.
class MneAddPanel : public wxPanel
{
public:
    /// Ids of this window's controls; other windows use the same numbers for their own.
    enum WindowIds
    {
        idAddAnother = 10000,
        idFinished,
        idQuestionPicture,
        idAnswerPicture,
        idQuestionSound,
        idAnswerSound,
        idNext,
        idPrevious,
        idPreview
    };
    static_assert(idPreview == 10008, "ids are numbered as before");

    /// Creates the panel and its controls, hidden behind the card list until SetCard.
    explicit MneAddPanel(wxWindow* parent);

    /// Builds the controls; the constructor calls it.
    void CreateControls();

    /// Loads card `index` of Cards into the editor; isNew selects add mode for a card just
    /// inserted.
    void SetCard(int index, bool isNew);

    /// Card texts and file names into the controls.
    bool TransferDataToWindow() override;
    /// Stores the controls into the card; marks the deck modified only when something changed.
    bool TransferDataFromWindow() override;

    /// Shows the preview instead of the text boxes (on) or the text boxes again (off).
    void SetPreview(bool on);

    /// The label of a file button: the placeholder, the full path in an "Untitled" deck, or the
    /// name relative to the deck's folder.
    wxString GetFileLabel(const MediaFile& file, const wxString& placeholder);

    /// The picture filter built from the registered image handlers: "(*.bmp;...)|*.bmp;...".
    static wxString GetImageWildcard();

    bool Previewing = false; ///< The preview is shown in place of the text boxes.

private:
    void OnAddAnotherCard(wxCommandEvent& event);
    void OnFinished(wxCommandEvent& event);
    void OnChoosePicture(wxCommandEvent& event);
    void OnChooseSound(wxCommandEvent& event);
    void OnNextCard(wxCommandEvent& event);
    void OnPreviousCard(wxCommandEvent& event);
    void OnPreview(wxCommandEvent& event);
    void OnShow(wxShowEvent& event);

    /// Lets the user pick a file for `button`, or clears a file it shows.
    void ChooseFile(wxButton* button, const wxString& placeholder, const wxString& message,
                    const wxString& filter);

    int CardIndex = -1;   ///< Position in Cards of the card being edited.
    wxString LabelFolder; ///< The folder GetFileLabel made relative names against.
    wxTextCtrl* QuestionText = nullptr;
    wxTextCtrl* AnswerText = nullptr;
    wxButton* QuestionPictureButton = nullptr;
    wxButton* AnswerPictureButton = nullptr;
    wxButton* QuestionSoundButton = nullptr;
    wxButton* AnswerSoundButton = nullptr;
    wxButton* PreviousButton = nullptr;
    wxButton* NextButton = nullptr;
    wxButton* PreviewButton = nullptr;
    wxButton* AddAnotherButton = nullptr;
    wxButton* FinishedButton = nullptr;
    wxWindow* FormerDefault = nullptr; ///< The frame's default button before the editor showed.
    MneCardPanel* Preview = nullptr;
    wxBoxSizer* MainSizer = nullptr;
    PanelHeader* Header = nullptr;
    wxBoxSizer* EditingArea = nullptr;
    wxBoxSizer* BottomRow = nullptr;

    wxDECLARE_EVENT_TABLE();
};

#endif
