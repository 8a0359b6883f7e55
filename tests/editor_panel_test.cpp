// SPDX-License-Identifier: GPL-3.0-or-later
// The card editor driven through the card list and its own buttons: modes, storing, stepping,
// adding, preview and the picture and sound buttons.
#include "FrameFixture.h"

#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "edit/FileLabel.h"
#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
#include "study/MneCardPanel.h"

namespace
{
const char* const PicturePlaceholder = "Click here to add a picture.";
const char* const SoundPlaceholder = "Click here to add a sound.";

/// Records what a file dialog was opened with, then cancels it.
class RecordFileDialog : public wxExpectModalBase<wxFileDialog>
{
public:
    mutable wxString Message;
    mutable wxString Directory;
    mutable wxString Wildcard;
    mutable wxString FileName;

protected:
    int OnInvoked(wxFileDialog* dlg) const override
    {
        Message = dlg->GetMessage();
        Directory = dlg->GetDirectory();
        Wildcard = dlg->GetWildcard();
        FileName = dlg->GetFilename();
        return wxID_CANCEL;
    }
};

/// Writes a small red PNG.
void WritePicture(const wxString& path)
{
    wxImage image(40, 30);
    image.SetRGB(wxRect(0, 0, 40, 30), 255, 0, 0);
    ASSERT_TRUE(image.SaveFile(path, wxBITMAP_TYPE_PNG));
}

class EditorTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Editor = Frame->AddPanel;
    }

    template <typename T = wxButton> T* Control(int id) const
    {
        return dynamic_cast<T*>(Editor->FindWindow(id));
    }

    /// Sends a click to one of the editor's buttons.
    void Click(int id)
    {
        ClickButton(Editor, id);
        YieldFor(10);
    }

    /// Opens card `index` as the card list's Edit Card does.
    void Edit(int index)
    {
        Editor->SetCard(index, false);
        Frame->ShowPanel(pnEditor);
        YieldFor(20);
    }

    /// The multi-line text boxes, question first.
    wxTextCtrl* Text(int which) const
    {
        int found = 0;
        for (wxWindow* child : Editor->GetChildren().front()->GetChildren())
            if (wxTextCtrl* text = dynamic_cast<wxTextCtrl*>(child))
                if (found++ == which)
                    return text;
        return nullptr;
    }

    /// Presses the card list's New Card button.
    void NewCardFromList()
    {
        ClickButton(Frame->EditPanel, MneEditPanel::idNewCard);
        YieldFor(30);
    }

    wxString Label(int id) const { return Control(id)->GetLabelText(); }
    bool Visible(int id) const { return Control(id)->IsShown(); }

    /// The text beside the header's description.
    wxStaticText* Title() const
    {
        for (wxWindow* child : Editor->GetChildren().front()->GetChildren())
            if (dynamic_cast<wxStaticText*>(child))
                return dynamic_cast<wxStaticText*>(child->GetNextSibling());
        return nullptr;
    }

    MneCardPanel* Preview() const
    {
        for (wxWindow* child : Editor->GetChildren().front()->GetChildren())
            if (MneCardPanel* preview = dynamic_cast<MneCardPanel*>(child))
                return preview;
        return nullptr;
    }

    MneAddPanel* Editor = nullptr;
};
} // namespace

TEST_F(EditorTest, NewCardOpensAnEmptyCardInAddMode)
{
    AddCard("one");
    Frame->ShowPanel(pnCardList);
    NewCardFromList();
    ASSERT_EQ(CurrentPanel, pnEditor);
    ASSERT_EQ(Cards.size(), 2u);

    ASSERT_NE(Title(), nullptr);
    EXPECT_EQ(Title()->GetLabel(), "Add Cards");
    // The whole title is visible at the right end of the header.
    EXPECT_GE(Title()->GetSize().x, Title()->GetTextExtent("Add Cards").x);
    EXPECT_GT(Title()->GetPosition().x, Editor->GetClientSize().x / 2);
    bool describedAt = false;
    // In a narrow window the description flows to the room beside the title.
    auto words = [](wxString text) { return wxJoin(wxSplit(text.Trim(), '\n', '\0'), ' ', '\0'); };
    for (wxWindow* child : Editor->GetChildren().front()->GetChildren())
        if (words(child->GetLabel()) ==
            words("Enter your question and answer in the boxes below.\n"
                  "Use the buttons at the bottom to save your changes.\n"))
            describedAt = true;
    EXPECT_TRUE(describedAt);

    EXPECT_TRUE(Visible(MneAddPanel::idAddAnother));
    EXPECT_FALSE(Visible(MneAddPanel::idNext));
    EXPECT_FALSE(Visible(MneAddPanel::idPrevious));
    EXPECT_TRUE(Visible(MneAddPanel::idFinished));
    EXPECT_EQ(Label(MneAddPanel::idAddAnother), "Add another card");
    EXPECT_EQ(Label(MneAddPanel::idFinished), "Finished");
    EXPECT_EQ(Label(MneAddPanel::idNext), ">");
    EXPECT_EQ(Label(MneAddPanel::idPrevious), "<");
    EXPECT_EQ(Label(MneAddPanel::idPreview), "Preview");
    EXPECT_EQ(Label(MneAddPanel::idQuestionPicture), PicturePlaceholder);
    EXPECT_EQ(Label(MneAddPanel::idAnswerPicture), PicturePlaceholder);
    EXPECT_EQ(Label(MneAddPanel::idQuestionSound), SoundPlaceholder);
    EXPECT_EQ(Label(MneAddPanel::idAnswerSound), SoundPlaceholder);
    // Question box above the answer box, each text above its picture and sound buttons.
    EXPECT_LT(Text(0)->GetRect().GetBottom(),
              Control(MneAddPanel::idQuestionPicture)->GetPosition().y);
    EXPECT_LT(Control(MneAddPanel::idQuestionPicture)->GetPosition().y,
              Control(MneAddPanel::idQuestionSound)->GetPosition().y);
    EXPECT_LT(Control(MneAddPanel::idQuestionSound)->GetRect().GetBottom(),
              Text(1)->GetPosition().y);
    EXPECT_LT(Control(MneAddPanel::idAnswerSound)->GetRect().GetBottom(),
              Control(MneAddPanel::idFinished)->GetPosition().y);
    EXPECT_EQ(Control(MneAddPanel::idQuestionPicture)->GetSize().x,
              Control(MneAddPanel::idQuestionSound)->GetSize().x);
    // Finished at the right end, Add another card just before it.
    EXPECT_LT(Control(MneAddPanel::idAddAnother)->GetRect().GetRight(),
              Control(MneAddPanel::idFinished)->GetPosition().x);
    EXPECT_GT(Control(MneAddPanel::idFinished)->GetRect().GetRight(),
              Editor->GetClientSize().x - 20);

    EXPECT_FALSE(Editor->Previewing);
    EXPECT_FALSE(Preview()->IsShown());
    EXPECT_EQ(Frame->GetDefaultItem(), Control(MneAddPanel::idFinished));
    EXPECT_EQ(wxWindow::FindFocus(), Text(0));
    EXPECT_EQ(Preview()->DisplayedCard, &Cards[1]);
    EXPECT_TRUE(Preview()->AnswerShown);
    EXPECT_FALSE(Preview()->Swapped);
}

TEST_F(EditorTest, FinishedWithoutTypingKeepsTheNewEmptyCard)
{
    Frame->ShowPanel(pnCardList);
    NewCardFromList();
    Modified = true;
    Click(MneAddPanel::idFinished);
    EXPECT_EQ(CurrentPanel, pnCardList);
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_TRUE(Cards[0].Question.empty());
    EXPECT_TRUE(Cards[0].Answer.empty());
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "Untitled* - Mnemora");
    // Back on the list, its Study button is the default again.
    EXPECT_EQ(Frame->GetDefaultItem(), Frame->EditPanel->FindWindow(MneEditPanel::idStudy));
}

TEST_F(EditorTest, StoresOnlyWhatChanged)
{
    const wxString path = WriteFile(Dir + "/deck.mnemora", DeckXml(3));
    Frame->OpenDeckFile(path, false);
    ASSERT_EQ(Cards.size(), 3u);
    ASSERT_FALSE(Modified);
    Edit(1);
    EXPECT_EQ(Title()->GetLabel(), "Edit Cards");
    // The longer title shows whole.
    EXPECT_GE(Title()->GetSize().x, Title()->GetTextExtent("Edit Cards").x);
    EXPECT_FALSE(Visible(MneAddPanel::idAddAnother));
    EXPECT_TRUE(Visible(MneAddPanel::idNext));
    EXPECT_TRUE(Visible(MneAddPanel::idPrevious));
    EXPECT_EQ(Text(0)->GetValue(), "Q2");
    EXPECT_EQ(Text(1)->GetValue(), "A2");
    Click(MneAddPanel::idFinished);
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "deck.mnemora - Mnemora");

    Edit(1);
    const wxString typed = wxString::FromUTF8("  Größe\n\tzwei  ");
    Text(0)->SetValue(typed);
    Text(1)->SetValue("");
    // Typing alone stores nothing.
    EXPECT_EQ(Cards[1].Question, "Q2");
    Click(MneAddPanel::idFinished);
    EXPECT_EQ(Cards[1].Question, typed);
    EXPECT_EQ(Cards[1].Answer, "");
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "deck.mnemora* - Mnemora");
}

TEST_F(EditorTest, StepsThroughTheDeckStoringEachCard)
{
    for (const char* question : {"one", "two", "three"})
        AddCard(question);
    Edit(0);
    EXPECT_FALSE(Control(MneAddPanel::idPrevious)->IsEnabled());
    EXPECT_TRUE(Control(MneAddPanel::idNext)->IsEnabled());
    Text(0)->SetValue("first");
    Click(MneAddPanel::idNext);
    EXPECT_EQ(Cards[0].Question, "first");
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Text(0)->GetValue(), "two");
    EXPECT_TRUE(Control(MneAddPanel::idPrevious)->IsEnabled());
    EXPECT_TRUE(Control(MneAddPanel::idNext)->IsEnabled());
    EXPECT_EQ(wxWindow::FindFocus(), Text(0));

    // The preview stays on while stepping and follows the card.
    Click(MneAddPanel::idPreview);
    EXPECT_TRUE(Editor->Previewing);
    EXPECT_EQ(Label(MneAddPanel::idPreview), "Edit");
    EXPECT_TRUE(Preview()->IsShown());
    EXPECT_FALSE(Text(0)->IsShown());
    Click(MneAddPanel::idNext);
    EXPECT_TRUE(Editor->Previewing);
    EXPECT_EQ(Preview()->DisplayedCard, &Cards[2]);
    EXPECT_FALSE(Control(MneAddPanel::idNext)->IsEnabled());
    EXPECT_TRUE(Control(MneAddPanel::idPrevious)->IsEnabled());
    Click(MneAddPanel::idPrevious);
    EXPECT_EQ(Preview()->DisplayedCard, &Cards[1]);
    Click(MneAddPanel::idPreview);
    EXPECT_FALSE(Editor->Previewing);
    EXPECT_EQ(Label(MneAddPanel::idPreview), "Preview");
    EXPECT_TRUE(Text(0)->IsShown());
    // The editor keeps the preview choice across visits in edit mode.
    Click(MneAddPanel::idPreview);
    Click(MneAddPanel::idFinished);
    Edit(0);
    EXPECT_TRUE(Editor->Previewing);

    Cards.resize(1);
    Edit(0);
    EXPECT_FALSE(Control(MneAddPanel::idPrevious)->IsEnabled());
    EXPECT_FALSE(Control(MneAddPanel::idNext)->IsEnabled());
}

TEST_F(EditorTest, AddAnotherCardInsertsAfterTheCurrentOne)
{
    for (const char* question : {"c1", "c2", "c3", "c4", "c5", "c6"})
        AddCard(question);
    Editor->SetCard(3, true);
    Frame->ShowPanel(pnEditor);
    YieldFor(20);
    Text(0)->SetValue("fourth");
    Click(MneAddPanel::idPreview);
    ASSERT_TRUE(Editor->Previewing);
    Click(MneAddPanel::idAddAnother);
    ASSERT_EQ(Cards.size(), 7u);
    EXPECT_EQ(Cards[3].Question, "fourth");
    EXPECT_TRUE(Cards[4].Question.empty());
    EXPECT_TRUE(Cards[4].Answer.empty());
    EXPECT_TRUE(Cards[4].History.empty());
    EXPECT_EQ(Cards[5].Question, "c5");
    EXPECT_EQ(Cards[6].Question, "c6");
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Title()->GetLabel(), "Add Cards");
    EXPECT_FALSE(Editor->Previewing);
    EXPECT_TRUE(Text(0)->IsShown());
    EXPECT_EQ(Text(0)->GetValue(), "");
    EXPECT_EQ(Preview()->DisplayedCard, &Cards[4]);
    EXPECT_EQ(wxWindow::FindFocus(), Text(0));
    Text(0)->SetValue("fifth");
    Click(MneAddPanel::idFinished);
    EXPECT_EQ(Cards[4].Question, "fifth");
    EXPECT_EQ(CurrentPanel, pnCardList);
}

TEST_F(EditorTest, PictureButtonClearsOrChoosesAndThePreviewShowsItAtOnce)
{
    const wxString pictures = MakeTempDir();
    const wxString picture = pictures + "/red.png";
    WritePicture(picture);
    AddCard("one");
    Cards[0].AnswerPicture = wxFileName(Dir + "/old.png");
    Edit(0);
    EXPECT_EQ(Label(MneAddPanel::idAnswerPicture), Dir + "/old.png");

    // A shown file is removed without a dialog (an unexpected one fails the test).
    Click(MneAddPanel::idAnswerPicture);
    EXPECT_EQ(Label(MneAddPanel::idAnswerPicture), PicturePlaceholder);
    EXPECT_TRUE(Cards[0].AnswerPicture.IsOk());

    RecordFileDialog record;
    wxTEST_DIALOG(Click(MneAddPanel::idAnswerPicture), record);
    EXPECT_EQ(record.Message, "Choose Picture");
    EXPECT_EQ(record.Directory, Dir);
    EXPECT_EQ(record.FileName, "");
    EXPECT_EQ(record.Wildcard, "Image Files " + MneAddPanel::GetImageWildcard());
    EXPECT_EQ(Label(MneAddPanel::idAnswerPicture), PicturePlaceholder);

    wxTEST_DIALOG(Click(MneAddPanel::idQuestionPicture), ExpectFileDialog(picture));
    EXPECT_EQ(Label(MneAddPanel::idQuestionPicture), picture);
    EXPECT_EQ(Options.DataDirectory, pictures);
    wxString stored;
    EXPECT_TRUE(wxConfigBase::Get()->Read("DataDirectory", &stored));
    EXPECT_EQ(stored, pictures);
    EXPECT_FALSE(Modified);

    Click(MneAddPanel::idPreview);
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Cards[0].QuestionPicture.GetFullPath(), picture);
    EXPECT_FALSE(Cards[0].AnswerPicture.IsOk());
    ASSERT_TRUE(Cards[0].QuestionBitmap.IsOk());
    EXPECT_EQ(Cards[0].QuestionBitmap.GetWidth(), 40);
    // The preview draws the red picture.
    MneCardPanel* preview = Preview();
    wxBitmap shot(preview->GetClientSize());
    {
        wxMemoryDC dc(shot);
        preview->PaintCard(dc, preview->GetClientSize());
    }
    const wxImage image = shot.ConvertToImage();
    int red = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (image.GetRed(x, y) == 255 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 0)
                ++red;
    EXPECT_GE(red, 40 * 30 / 2);

    // The sound dialog opens in the folder of the picture; cancelling it changes nothing.
    Click(MneAddPanel::idPreview);
    RecordFileDialog sound;
    wxTEST_DIALOG(Click(MneAddPanel::idAnswerSound), sound);
    EXPECT_EQ(sound.Message, "Choose Sound");
    EXPECT_EQ(sound.Directory, pictures);
    EXPECT_EQ(sound.Wildcard, "Sound Files (*.wav)|*.wav");
    EXPECT_EQ(Label(MneAddPanel::idAnswerSound), SoundPlaceholder);
}

TEST_F(EditorTest, FilesBesideASavedDeckShowRelativeAndStoreUnchanged)
{
    wxFileName::Mkdir(Dir + "/pics");
    const std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\">\n"
                            "<Card Question=\"q\" Answer=\"a\" QuestionPicture=\"cat.png\" "
                            "AnswerPicture=\"pics/dog.png\" QuestionSound=\"/elsewhere/s.wav\" "
                            "AnswerSound=\"../up.wav\"/>\n</Mnemoras>\n";
    Frame->OpenDeckFile(WriteFile(Dir + "/deck.mnemora", xml), false);
    ASSERT_EQ(Cards.size(), 1u);
    const Card before = Cards[0];
    ASSERT_EQ(before.QuestionPicture.GetFullPath(), Dir + "/cat.png");
    Edit(0);
    EXPECT_EQ(Label(MneAddPanel::idQuestionPicture), "cat.png");
    EXPECT_EQ(Label(MneAddPanel::idAnswerPicture), "pics/dog.png");
    EXPECT_TRUE(Label(MneAddPanel::idQuestionSound).EndsWith("elsewhere/s.wav"));
    EXPECT_EQ(Label(MneAddPanel::idAnswerSound), "../up.wav");
    Click(MneAddPanel::idFinished);
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Cards[0].QuestionPicture, before.QuestionPicture);
    EXPECT_EQ(Cards[0].AnswerPicture, before.AnswerPicture);
    EXPECT_EQ(Cards[0].QuestionSound, before.QuestionSound);
    EXPECT_EQ(Cards[0].AnswerSound, before.AnswerSound);

    // A deck without a file shows full paths, and storing them is no change either.
    FileName = wxFileName("Untitled");
    Edit(0);
    EXPECT_EQ(Label(MneAddPanel::idQuestionPicture), Dir + "/cat.png");
    EXPECT_EQ(Label(MneAddPanel::idAnswerPicture), Dir + "/pics/dog.png");
    Click(MneAddPanel::idFinished);
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Cards[0].AnswerPicture.GetFullPath(), Dir + "/pics/dog.png");
}

TEST_F(EditorTest, SaveAsWhileEditingKeepsTheShownFiles)
{
    const std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\">\n"
                            "<Card Question=\"q\" Answer=\"a\" QuestionPicture=\"cat.png\"/>\n"
                            "</Mnemoras>\n";
    Frame->OpenDeckFile(WriteFile(Dir + "/deck.mnemora", xml), false);
    Edit(0);
    ASSERT_EQ(Label(MneAddPanel::idQuestionPicture), "cat.png");
    // The deck moves to another folder while the editor shows a relative name.
    FileName = wxFileName(MakeTempDir() + "/moved.mnemora");
    Click(MneAddPanel::idFinished);
    EXPECT_EQ(Cards[0].QuestionPicture.GetFullPath(), Dir + "/cat.png");
    EXPECT_FALSE(Modified);
}

TEST(EditorFiles, ImageWildcardLeavesOutIconsOnly)
{
    EXPECT_EQ(ImageWildcard({"bmp", "png", "jpg", "ico", "cur"}),
              "(*.bmp;*.png;*.jpg;*.cur)|*.bmp;*.png;*.jpg;*.cur");
    EXPECT_EQ(ImageWildcard({"bmp", "ico"}), "(*.bmp;)|*.bmp;");
    EXPECT_EQ(ImageWildcard({"ICO", "png"}), "(*.ICO;*.png)|*.ICO;*.png");
    EXPECT_EQ(ImageWildcard({}), "()|");
    // The registered handlers, BMP first and no icons.
    const wxString wildcard = MneAddPanel::GetImageWildcard();
    EXPECT_TRUE(wildcard.StartsWith("(*.bmp;*.png;"));
    EXPECT_EQ(wildcard.Find("*.ico"), wxNOT_FOUND);
    EXPECT_EQ(wildcard.BeforeFirst('|'), "(" + wildcard.AfterFirst('|') + ")");
}

TEST(EditorFiles, LabelsReadBackAsTheSameFile)
{
    const wxFileName deck("/decks/words/deck.mnemora");
    const wxString folder = FileLabelFolder(deck);
    EXPECT_EQ(folder, "/decks/words");
    const MediaFile beside(wxFileName("/decks/words/cat.png"));
    const MediaFile below(wxFileName("/decks/words/pics/dog.png"));
    const MediaFile above(wxFileName("/decks/up.wav"));
    EXPECT_EQ(FileLabel(MediaFile(), "none", deck, folder), "none");
    EXPECT_EQ(FileLabel(beside, "none", deck, folder), "cat.png");
    EXPECT_EQ(FileLabel(below, "none", deck, folder), "pics/dog.png");
    EXPECT_EQ(FileLabel(above, "none", deck, folder), "../up.wav");
    EXPECT_EQ(FileLabel(below, "none", wxFileName("Untitled"), folder),
              "/decks/words/pics/dog.png");
    for (const MediaFile& file : {beside, below, above})
        EXPECT_EQ(FileFromLabel(FileLabel(file, "none", deck, folder), "none", folder), file);
    EXPECT_FALSE(FileFromLabel("none", "none", folder).IsOk());
    // A folder named like a home folder stays beside the deck.
    const MediaFile tilde(wxFileName("/decks/words/~pics/a.png"));
    EXPECT_EQ(FileFromLabel(FileLabel(tilde, "none", deck, folder), "none", folder), tilde);

    EXPECT_TRUE(SameMediaFile(MediaFile(), MediaFile()));
    EXPECT_FALSE(SameMediaFile(MediaFile(), beside));
    EXPECT_TRUE(SameMediaFile(MediaFile(wxFileName("/decks/words/./x/../cat.png")), beside));
    EXPECT_FALSE(SameMediaFile(below, beside));
}
