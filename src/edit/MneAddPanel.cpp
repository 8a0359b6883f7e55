// SPDX-License-Identifier: GPL-3.0-or-later
// The card editor panel: one card of the deck in text boxes and file buttons, or in a preview.
#include "edit/MneAddPanel.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include <vector>

#include "app/ButtonStyle.h"
#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/PanelHeader.h"
#include "deck/mnemora.h"
#include "edit/CardSwap.h"
#include "edit/FileLabel.h"
#include "study/MneCardPanel.h"

namespace
{
wxString PicturePlaceholder()
{
    return _("Click here to add a picture.");
}

wxString DescriptionText()
{
    return _("Enter your question and answer in the boxes below.\nUse the buttons "
             "at the bottom to save your changes.\n");
}

wxString SoundPlaceholder()
{
    return _("Click here to add a sound.");
}

/// One side's text box above its picture and sound buttons, framed and captioned.
wxStaticBoxSizer* SideBox(wxWindow* parent, const wxString& caption, wxTextCtrl* text,
                          wxButton* picture, wxButton* sound)
{
    wxStaticBoxSizer* box = new wxStaticBoxSizer(wxVERTICAL, parent, caption);
    wxBoxSizer* textRow = new wxBoxSizer(wxHORIZONTAL);
    textRow->Add(text, 1, wxEXPAND);
    box->Add(textRow, 1, wxEXPAND);
    box->Add(picture, 0, wxEXPAND);
    box->Add(sound, 0, wxEXPAND);
    return box;
}
} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(MneAddPanel, wxPanel)
    EVT_BUTTON(idAddAnother, MneAddPanel::OnAddAnotherCard)
    EVT_BUTTON(idFinished, MneAddPanel::OnFinished)
    EVT_BUTTON(idQuestionPicture, MneAddPanel::OnChoosePicture)
    EVT_BUTTON(idAnswerPicture, MneAddPanel::OnChoosePicture)
    EVT_BUTTON(idQuestionSound, MneAddPanel::OnChooseSound)
    EVT_BUTTON(idAnswerSound, MneAddPanel::OnChooseSound)
    EVT_BUTTON(idNext, MneAddPanel::OnNextCard)
    EVT_BUTTON(idPrevious, MneAddPanel::OnPreviousCard)
    EVT_BUTTON(idPreview, MneAddPanel::OnPreview)
    EVT_SHOW(MneAddPanel::OnShow)
wxEND_EVENT_TABLE()
    // clang-format on

    MneAddPanel::MneAddPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER)
{
    CreateControls();
}

void MneAddPanel::CreateControls()
{
    wxBoxSizer* outerSizer = new wxBoxSizer(wxVERTICAL);
    wxPanel* inner = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxTAB_TRAVERSAL | wxNO_BORDER);
    outerSizer->Add(inner, 1, wxEXPAND);

    MainSizer = new wxBoxSizer(wxVERTICAL);
    Header = new PanelHeader(inner, DescriptionText(), _("Add Cards"));
    MainSizer->Add(Header, 0, wxALL | wxEXPAND, 5);

    // A child of the inner panel like everything else: a sizer places only its own window's
    // children correctly.
    Preview = new MneCardPanel(inner, wxID_ANY, wxDefaultPosition, wxSize(200, 160));
    MainSizer->Add(Preview, 1, wxALL | wxEXPAND, 5);

    EditingArea = new wxBoxSizer(wxVERTICAL);
    MainSizer->Add(EditingArea, 1, wxEXPAND);
    QuestionText = new wxTextCtrl(inner, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(90, 60),
                                  wxTE_MULTILINE);
    QuestionPictureButton = new wxButton(inner, idQuestionPicture, PicturePlaceholder());
    QuestionSoundButton = new wxButton(inner, idQuestionSound, SoundPlaceholder());
    EditingArea->Add(
        SideBox(inner, _("Question"), QuestionText, QuestionPictureButton, QuestionSoundButton), 1,
        wxEXPAND | wxLEFT | wxRIGHT, 10);
    AnswerText = new wxTextCtrl(inner, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(90, 60),
                                wxTE_MULTILINE);
    AnswerPictureButton = new wxButton(inner, idAnswerPicture, PicturePlaceholder());
    AnswerSoundButton = new wxButton(inner, idAnswerSound, SoundPlaceholder());
    EditingArea->Add(
        SideBox(inner, _("Answer"), AnswerText, AnswerPictureButton, AnswerSoundButton), 1,
        wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);

    BottomRow = new wxBoxSizer(wxHORIZONTAL);
    MainSizer->Add(BottomRow, 0, wxALL | wxEXPAND, 5);
    const wxFont buttonFont = SmallButtonFont();
    PreviousButton =
        new wxButton(inner, idPrevious, "<", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    NextButton = new wxButton(inner, idNext, ">", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    PreviewButton = new wxButton(inner, idPreview, wxEmptyString);
    AddAnotherButton = new wxButton(inner, idAddAnother, _("Add another card"));
    // TRANSLATORS: button that stores the card and returns to the card list.
    FinishedButton = new wxButton(inner, idFinished, _("Finished"));
    for (wxButton* button : {PreviousButton, NextButton, PreviewButton})
    {
        button->SetFont(buttonFont);
        // "<" and ">" are lower than "Preview"; they sit level with its middle.
        BottomRow->Add(button, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    }
    BottomRow->Add(0, 1, 8192);
    for (wxButton* button : {AddAnotherButton, FinishedButton})
    {
        button->SetFont(buttonFont);
        BottomRow->Add(button, 0, wxALL, 5);
    }

    inner->SetSizerAndFit(MainSizer);
    SetSizer(outerSizer);
    SetPreview(false);
}

void MneAddPanel::SetCard(int index, bool isNew)
{
    Header->SetTitle(isNew ? _("Add Cards") : _("Edit Cards"));
    BottomRow->Show(AddAnotherButton, isNew);
    BottomRow->Show(PreviousButton, !isNew);
    BottomRow->Show(NextButton, !isNew);
    PreviousButton->Enable(index > 0);
    NextButton->Enable(index < static_cast<int>(Cards.size()) - 1);
    BottomRow->Layout();
    CardIndex = index;
    TransferDataToWindow();
    QuestionText->SetFocus();
    // A position outside the deck (no caller passes one) leaves the preview empty.
    const bool valid = index >= 0 && index < static_cast<int>(Cards.size());
    Preview->DisplayedCard = valid ? &Cards[index] : nullptr;
    Preview->AnswerShown = true;
    Preview->Swapped = false;
    Preview->DescribeCard();
    if (isNew)
        SetPreview(false);
    Layout();
    MainSizer->Layout();
    Refresh();
}

bool MneAddPanel::TransferDataToWindow()
{
    if (CardIndex < 0 || CardIndex >= static_cast<int>(Cards.size()))
        return true;
    const Card& card = Cards[CardIndex];
    QuestionText->SetValue(card.Question);
    AnswerText->SetValue(card.Answer);
    QuestionPictureButton->SetLabelText(GetFileLabel(card.QuestionPicture, PicturePlaceholder()));
    AnswerPictureButton->SetLabelText(GetFileLabel(card.AnswerPicture, PicturePlaceholder()));
    QuestionSoundButton->SetLabelText(GetFileLabel(card.QuestionSound, SoundPlaceholder()));
    AnswerSoundButton->SetLabelText(GetFileLabel(card.AnswerSound, SoundPlaceholder()));
    return true;
}

bool MneAddPanel::TransferDataFromWindow()
{
    if (CardIndex < 0 || CardIndex >= static_cast<int>(Cards.size()))
        return true;
    Card& card = Cards[CardIndex];
    bool changed = false;
    const wxString question = QuestionText->GetValue();
    if (question != card.Question)
        changed = true;
    card.Question = question;
    const wxString answer = AnswerText->GetValue();
    if (answer != card.Answer)
        changed = true;
    card.Answer = answer;

    const struct
    {
        wxButton* Button;
        MediaFile* Field;
        wxString Placeholder;
    } files[] = {{QuestionPictureButton, &card.QuestionPicture, PicturePlaceholder()},
                 {AnswerPictureButton, &card.AnswerPicture, PicturePlaceholder()},
                 {QuestionSoundButton, &card.QuestionSound, SoundPlaceholder()},
                 {AnswerSoundButton, &card.AnswerSound, SoundPlaceholder()}};
    for (const auto& file : files)
    {
        const MediaFile name =
            FileFromLabel(file.Button->GetLabelText(), file.Placeholder, LabelFolder);
        if (!SameMediaFile(*file.Field, name))
            changed = true;
        *file.Field = name;
    }

    if (changed)
    {
        card.LoadPictures();
        Modified = true;
        if (MainFrame)
            MainFrame->UpdateTitle();
    }
    return true;
}

void MneAddPanel::SetPreview(bool on)
{
    MainSizer->Show(Preview, on);
    MainSizer->Show(EditingArea, !on);
    MainSizer->Layout();
    // TRANSLATORS: button that leaves the card preview for the text boxes again.
    const wxString editLabel = _("Edit");
    // TRANSLATORS: button that shows the card as it looks when studied.
    const wxString previewLabel = _("Preview");
    PreviewButton->SetLabel(on ? editLabel : previewLabel);
    Previewing = on;
    Preview->DescribeCard();
    Preview->Refresh();
}

wxString MneAddPanel::GetFileLabel(const MediaFile& file, const wxString& placeholder)
{
    LabelFolder = FileLabelFolder(FileName);
    return FileLabel(file, placeholder, FileName, LabelFolder);
}

wxString MneAddPanel::GetImageWildcard()
{
    std::vector<wxString> extensions;
    for (wxList::compatibility_iterator node = wxImage::GetHandlers().GetFirst(); node;
         node = node->GetNext())
        extensions.push_back(static_cast<wxImageHandler*>(node->GetData())->GetExtension());
    return ImageWildcard(extensions);
}

void MneAddPanel::OnShow(wxShowEvent& event)
{
    event.Skip();
    wxTopLevelWindow* frame = wxDynamicCast(wxGetTopLevelParent(this), wxTopLevelWindow);
    if (!frame)
        return;
    if (event.IsShown())
    {
        // The frame has one default button; the card list's comes back when the editor goes.
        wxWindow* previous = frame->GetDefaultItem();
        if (previous != FinishedButton)
            FormerDefault = previous;
        FinishedButton->SetDefault();
        QuestionText->SetFocus();
    }
    else if (frame->GetDefaultItem() == FinishedButton)
        frame->SetDefaultItem(FormerDefault);
}

void MneAddPanel::OnAddAnotherCard(wxCommandEvent&)
{
    TransferDataFromWindow();
    const int index = CardIndex;
    // Appended, then exchanged up into place: inserting would copy every later card.
    Cards.emplace_back();
    for (int i = static_cast<int>(Cards.size()) - 1; i > index + 1; --i)
        SwapCards(Cards[i], Cards[i - 1]);
    Modified = true;
    if (MainFrame)
        MainFrame->UpdateTitle();
    SetCard(index + 1, true);
}

void MneAddPanel::OnFinished(wxCommandEvent&)
{
    TransferDataFromWindow();
    if (MainFrame)
        MainFrame->ShowPanel(pnCardList);
}

void MneAddPanel::OnPreviousCard(wxCommandEvent&)
{
    const int index = CardIndex;
    TransferDataFromWindow();
    SetCard(index - 1, false);
}

void MneAddPanel::OnNextCard(wxCommandEvent&)
{
    const int index = CardIndex;
    TransferDataFromWindow();
    SetCard(index + 1, false);
}

void MneAddPanel::OnPreview(wxCommandEvent&)
{
    TransferDataFromWindow();
    SetPreview(!Previewing);
}

void MneAddPanel::OnChoosePicture(wxCommandEvent& event)
{
    ChooseFile(event.GetId() == idQuestionPicture ? QuestionPictureButton : AnswerPictureButton,
               PicturePlaceholder(), _("Choose Picture"), _("Image Files ") + GetImageWildcard());
}

void MneAddPanel::OnChooseSound(wxCommandEvent& event)
{
    ChooseFile(event.GetId() == idQuestionSound ? QuestionSoundButton : AnswerSoundButton,
               SoundPlaceholder(), _("Choose Sound"), _("Sound Files (*.wav)|*.wav"));
}

void MneAddPanel::ChooseFile(wxButton* button, const wxString& placeholder, const wxString& message,
                             const wxString& filter)
{
    if (button->GetLabelText() != placeholder)
    {
        button->SetLabelText(placeholder);
        return;
    }
    wxFileDialog dialog(this, message, Options.DataDirectory, wxEmptyString, filter, wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxFileName chosen(dialog.GetPath());
    Options.DataDirectory = chosen.GetPath(wxPATH_GET_VOLUME);
    SaveOptions();
    button->SetLabelText(chosen.GetFullPath());
}
