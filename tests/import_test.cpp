// SPDX-License-Identifier: GPL-3.0-or-later
// Import and Export through the frame: the import dialog, text and picture-sequence imports,
// the exports with each filter, and the deck named after an imported file.
#include "FrameFixture.h"

#include <wx/checkbox.h>
#include <wx/image.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include <vector>

#include "ErrorLog.h"
#include "PackageBuilder.h"
#include "app/mneImportDialog.h"
#include "edit/MneEditPanel.h"

namespace
{
using ExpectImportDialog = ExpectDialog<mneImportDialog>;

/// A file dialog answered with a path and a filter, keeping the title it showed.
class ExpectNamedFileDialog : public ExpectFileDialog
{
public:
    ExpectNamedFileDialog(std::vector<wxString>& titles, const wxString& path, int id = wxID_OK,
                          int filter = -1)
        : ExpectFileDialog(path, id), m_titles(titles), m_filter(filter)
    {
    }

protected:
    int OnInvoked(wxFileDialog* dialog) const override
    {
        m_titles.push_back(dialog->GetMessage());
        // After the path: GTK picks the filter that matches a new name's extension.
        const int answer = ExpectFileDialog::OnInvoked(dialog);
        if (m_filter >= 0)
            dialog->SetFilterIndex(m_filter);
        return answer;
    }

private:
    std::vector<wxString>& m_titles;
    int m_filter;
};

ExpectImportDialog ChooseText(bool ignoreHeaderRow)
{
    return ExpectImportDialog([=](mneImportDialog* dialog)
                              { dialog->IgnoreHeaderRow->SetValue(ignoreHeaderRow); });
}

// Picks the picture sequence or the Anki package by id, as a click does.
ExpectImportDialog Choose(int id)
{
    return ExpectImportDialog(
        [=](mneImportDialog* dialog)
        {
            wxStaticCast(dialog->FindWindow(id), wxRadioButton)->SetValue(true);
            wxCommandEvent click(wxEVT_RADIOBUTTON, id);
            dialog->GetEventHandler()->ProcessEvent(click);
        });
}

class ImportTest : public FrameTest
{
protected:
    wxListCtrl* List() const
    {
        for (wxWindow* child : Frame->EditPanel->GetChildren())
            if (auto* list = dynamic_cast<wxListCtrl*>(child))
                return list;
        return nullptr;
    }

    wxString Picture(const wxString& name) const
    {
        wxImage image(8, 8);
        image.SaveFile(Dir + "/" + name, wxBITMAP_TYPE_PNG);
        return Dir + "/" + name;
    }

    std::vector<wxString> Titles;
};
} // namespace

TEST_F(ImportTest, DialogTextsFontsAndExclusiveRadios)
{
    mneImportDialog dialog(Frame);
    EXPECT_FALSE(dialog.IgnoreHeaderRow->GetValue());
    std::vector<wxString> texts;
    for (wxWindow* child : dialog.GetChildren())
        if (auto* text = dynamic_cast<wxStaticText*>(child))
            texts.push_back(text->GetLabel());
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[1], "Mnemora supports importing cards from several sources.  Select "
                        "appropriate options below, and click the \nImport button.");
    // The heading stands out in large type.
    EXPECT_GT(dialog.GetChildren().front()->GetTextExtent("Hg").y,
              3 * dialog.GetTextExtent("Hg").y / 2);

    EXPECT_EQ(dialog.AnkiRadio->GetLabel(), "Anki deck package (.apkg)");
    for (wxRadioButton* clicked :
         {dialog.PictureRadio, dialog.ExcelRadio, dialog.AnkiRadio, dialog.PictureRadio})
    {
        clicked->SetValue(true);
        wxCommandEvent click(wxEVT_RADIOBUTTON, clicked->GetId());
        dialog.GetEventHandler()->ProcessEvent(click);
        for (wxRadioButton* radio : {dialog.ExcelRadio, dialog.PictureRadio, dialog.AnkiRadio})
            EXPECT_EQ(radio->GetValue(), radio == clicked);
    }
}

TEST_F(ImportTest, TextImportAsksFirstThenFillsTheListAndTitle)
{
    const wxString path = WriteFile(Dir + "/words.CSV", "Question,Answer\nHaus,house\n,empty\n");
    AddCard("unsaved");
    Modified = true;
    wxTEST_DIALOG(Menu(MneFrame::idImport), ExpectMessage(wxID_CANCEL));
    ASSERT_EQ(Cards.size(), 1u);

    wxTEST_DIALOG(Menu(MneFrame::idImport), ExpectMessage(wxID_NO), ChooseText(true),
                  ExpectNamedFileDialog(Titles, path));
    EXPECT_EQ(Titles, std::vector<wxString>{"Choose file to import."});
    ASSERT_EQ(Cards.size(), 2u);
    EXPECT_EQ(List()->GetItemCount(), 2);
    EXPECT_EQ(List()->GetItemText(0, 0), "Haus");
    EXPECT_EQ(Frame->GetTitle(), "words.mnd* - Mnemora");
    EXPECT_EQ(Options.DataDirectory, Dir);

    // A cancelled file dialog keeps the deck.
    wxTEST_DIALOG(Menu(MneFrame::idImport), ExpectMessage(wxID_NO), ChooseText(false),
                  ExpectFileDialog(path, wxID_CANCEL));
    EXPECT_EQ(Cards.size(), 2u);
    EXPECT_EQ(Frame->GetTitle(), "words.mnd* - Mnemora");
}

TEST_F(ImportTest, SaveAfterImportAsksBeforeReplacingADeckOfThatName)
{
    const wxString deck = WriteFile(Dir + "/words.mnd", DeckXml(3));
    const wxString path = WriteFile(Dir + "/words.txt", "eins\tone\n");
    wxTEST_DIALOG(Menu(MneFrame::idImport), ChooseText(false), ExpectFileDialog(path));
    wxTEST_DIALOG(Menu(MneFrame::idSave), ExpectFileDialog(Dir + "/other.mnd"));
    EXPECT_EQ(ReadFile(deck), DeckXml(3));
    EXPECT_EQ(Frame->GetTitle(), "other.mnd - Mnemora");

    // Without such a deck the plain Save writes beside the text file.
    const wxString fresh = WriteFile(Dir + "/fresh.txt", "zwei\ttwo\n");
    wxTEST_DIALOG(Menu(MneFrame::idImport), ChooseText(false), ExpectFileDialog(fresh));
    Menu(MneFrame::idSave);
    EXPECT_NE(ReadFile(Dir + "/fresh.mnd").find("zwei"), std::string::npos);
}

TEST_F(ImportTest, PictureSequences)
{
    AddCard("old");
    wxTEST_DIALOG(Menu(MneFrame::idImport), Choose(mneImportDialog::idPictures),
                  ExpectNamedFileDialog(Titles, wxString(), wxID_CANCEL));
    EXPECT_TRUE(Cards.empty());
    EXPECT_EQ(Frame->GetTitle(), "Untitled* - Mnemora");
    EXPECT_EQ(Titles, std::vector<wxString>{"Choose Question Picture #1 (Cancel to stop)"});

    Titles.clear();
    Modified = false;
    const wxString q[] = {Picture("q1.png"), Picture("q2.png"), Picture("q3.png")};
    const wxString a[] = {Picture("a1.png"), Picture("a2.png"), Picture("a3.png")};
    {
        // More answers than the test macro takes: the hook it builds, filled by hand.
        ThrowingModalHook hook(__FILE__, __LINE__, "PictureSequences");
        const ExpectImportDialog choose = Choose(mneImportDialog::idPictures);
        hook.AddExpectation(choose);
        std::vector<ExpectNamedFileDialog> answers;
        answers.reserve(8);
        for (int i = 0; i < 3; ++i)
        {
            answers.emplace_back(Titles, q[i]);
            answers.emplace_back(Titles, a[i]);
        }
        answers.emplace_back(Titles, q[0]);
        answers.emplace_back(Titles, wxString(), wxID_CANCEL);
        for (const ExpectNamedFileDialog& answer : answers)
            hook.AddExpectation(answer);
        Menu(MneFrame::idImport);
        hook.CheckUnmetExpectations();
    }
    ASSERT_EQ(Cards.size(), 3u);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(Cards[i].QuestionPicture.GetFullPath(), q[i]);
        EXPECT_EQ(Cards[i].AnswerPicture.GetFullPath(), a[i]);
        EXPECT_TRUE(Cards[i].QuestionBitmap.IsOk() && Cards[i].AnswerBitmap.IsOk());
        EXPECT_TRUE(Cards[i].Question.empty() && Cards[i].Answer.empty());
    }
    ASSERT_EQ(Titles.size(), 8u);
    EXPECT_EQ(Titles[5], "Choose Answer Picture #3 (Cancel to stop)");
    EXPECT_EQ(Titles[7], "Choose Answer Picture #4 (Cancel to stop)");
    EXPECT_EQ(List()->GetItemCount(), 3);
    EXPECT_EQ(Frame->GetTitle(), "Untitled* - Mnemora");
}

TEST_F(ImportTest, AnkiPackagesComeInWithTheirPicturesAndARefusalKeepsTheDeck)
{
    const wxString path = Dir + "/Spanish verbs.apkg";
    ASSERT_TRUE(
        WriteZip(path.utf8_string(), PackageMembers(true, {"<img src=\"q.png\">hablar\x1fto speak"},
                                                    {{"q.png", ReadFile(Picture("q.png"))}})));
    wxTEST_DIALOG(Menu(MneFrame::idImport), Choose(mneImportDialog::idAnki),
                  ExpectNamedFileDialog(Titles, path));
    EXPECT_EQ(Titles, std::vector<wxString>{"Choose file to import."});
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_EQ(List()->GetItemText(0, 0), "(q.png) hablar");
    EXPECT_EQ(Cards[0].QuestionPicture.GetFullPath(), Dir + "/Spanish verbs media/q.png");
    EXPECT_TRUE(Cards[0].QuestionBitmap.IsOk());
    EXPECT_EQ(Frame->GetTitle(), "Spanish verbs.mnd* - Mnemora");

    ErrorLog log;
    const wxString text = WriteFile(Dir + "/notes.apkg", "not a zip");
    wxTEST_DIALOG(Menu(MneFrame::idImport), ExpectMessage(wxID_NO), Choose(mneImportDialog::idAnki),
                  ExpectFileDialog(text));
    EXPECT_NE(log.Last().find("is not an Anki deck package"), wxString::npos) << log.All();
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_EQ(Frame->GetTitle(), "Spanish verbs.mnd* - Mnemora");
}

TEST_F(ImportTest, ExportWritesTheChosenFilterAndLeavesTheDeckAlone)
{
    ExpectMessage refusal;
    wxTEST_DIALOG(Menu(MneFrame::idExport), refusal);
    EXPECT_EQ(refusal.Message, "Add at least one card first.");
    EXPECT_EQ(refusal.Caption, "Mnemora");
    EXPECT_TRUE(refusal.Style & wxICON_EXCLAMATION);

    AddCard("one");
    AddCard("two");
    wxTEST_DIALOG(Menu(MneFrame::idExport),
                  ExpectNamedFileDialog(Titles, Dir + "/tabs.txt", wxID_OK, 0));
    EXPECT_EQ(ReadFile(Dir + "/tabs.txt"), "one\tanswer of one\ntwo\tanswer of two\n");
    wxTEST_DIALOG(Menu(MneFrame::idExport),
                  ExpectNamedFileDialog(Titles, Dir + "/commas.txt", wxID_OK, 1));
    EXPECT_EQ(ReadFile(Dir + "/commas.txt"), "one,answer of one\ntwo,answer of two\n");
    EXPECT_EQ(Titles[0], "Export Cards");
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "Untitled - Mnemora");
}

TEST_F(ImportTest, AFiveMegabyteLineShowsAsOneRow)
{
    const wxString path = WriteFile(Dir + "/long.csv", std::string(5 << 20, 'x') + ",y\n");
    wxTEST_DIALOG(Menu(MneFrame::idImport), ChooseText(false), ExpectFileDialog(path));
    Frame->Refresh();
    YieldFor(200);
    ASSERT_EQ(List()->GetItemCount(), 1);
    EXPECT_EQ(List()->GetItemText(0, 0), wxString('x', 1000));
    EXPECT_EQ(List()->GetItemText(0, 1), "y");
    EXPECT_EQ(Cards[0].Question.length(), size_t(5 << 20));
}
