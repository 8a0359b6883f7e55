// SPDX-License-Identifier: GPL-3.0-or-later
// The frame and the deck's file on disk: the question before replacing another program's changes,
// two windows saving in turn, the offer to reload, a deleted deck, Revert to Backup.
#include "FrameFixture.h"

#include <wx/choicdlg.h>
#include <wx/log.h>

#include <unistd.h>

#include "deck/DeckBackup.h"
#include "deck/DeckFileStamp.h"
#include "edit/MneEditPanel.h"

namespace
{
/// Chooses one row of a single-choice dialog.
struct ExpectChoice : wxExpectModalBase<wxSingleChoiceDialog>
{
    explicit ExpectChoice(int row) : Row(row) {}
    int OnInvoked(wxSingleChoiceDialog* dlg) const override
    {
        dlg->SetSelection(Row);
        return wxID_OK;
    }
    int Row;
};

class FrameDisk : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Path = WriteFile(Dir + "/deck.mnd", DeckXml(3));
        Frame->OpenDeckFile(Path, false);
    }

    /// The window becomes active again.
    void Activate()
    {
        wxActivateEvent event(wxEVT_ACTIVATE, true);
        Frame->ProcessWindowEvent(event);
        YieldFor(30);
    }

    /// A change of our own for Save to write.
    void Change(const wxString& question)
    {
        AddCard(question);
        Modified = true;
        Frame->UpdateTitle();
    }

    /// Any dialog that no wxTEST_DIALOG expects fails the test.
    ThrowingModalHook NoOtherDialogs{__FILE__, __LINE__, "FrameDisk"};
    wxString Path;
};
} // namespace

TEST_F(FrameDisk, SaveAsksBeforeReplacingAnotherProgramsChanges)
{
    const struct
    {
        int Answer;
        wxString SaveAs; // the Save As answer's file; empty cancels the file dialog
        const char* Title;
    } cases[] = {{wxID_CANCEL, "", "deck.mnd*"},
                 {wxID_NO, "", "deck.mnd*"},
                 {wxID_NO, Dir + "/copy.mnd", "copy.mnd"},
                 {wxID_YES, "", "deck.mnd"}};
    std::string theirs;
    for (const auto& test : cases)
    {
        Frame->OpenDeckFile(Path, false);
        Change("mine again");
        WriteFile(Path, theirs = DeckXml(int(Cards.size()) + 2, "T"));
        ExpectMessage question(test.Answer);
        ExpectFileDialog file(test.SaveAs, test.SaveAs.empty() ? wxID_CANCEL : wxID_OK);
        ThrowingModalHook hook(__FILE__, __LINE__, test.Title);
        hook.AddExpectation(question);
        if (test.Answer == wxID_NO)
            hook.AddExpectation(file);
        Menu(MneFrame::idSave);
        hook.CheckUnmetExpectations();
        EXPECT_EQ(question.Message,
                  "The deck \"deck.mnd\" was changed by another program since you opened it. Save "
                  "your version over it, save under another name, or cancel?");
        EXPECT_EQ(ReadFile(Path) == theirs, test.Answer != wxID_YES) << test.Title;
        EXPECT_EQ(Frame->GetTitle(), wxString(test.Title) + " - Mnemora");
    }
    // Overwriting kept their version as the newest backup.
    EXPECT_EQ(ReadFile(DeckBackup::List(Path)[0].Path), theirs);
}

TEST_F(FrameDisk, TwoWindowsSavingInTurnTheSecondIsAsked)
{
    const DeckFileStamp secondWindow = DeckOnDisk; // both read the deck
    Change("from the first window");
    Menu(MneFrame::idSave);
    const std::string first = ReadFile(Path);
    DeckOnDisk = secondWindow;
    Change("from the second window");
    wxTEST_DIALOG(Menu(MneFrame::idSave), ExpectMessage(wxID_CANCEL));
    EXPECT_EQ(ReadFile(Path), first);
    EXPECT_TRUE(Modified);
}

TEST_F(FrameDisk, ADeckChangedElsewhereIsOfferedForReloadingOnActivation)
{
    Frame->EditPanel->SelectCard(1); // Q2
    Activate();
    // Kept: the shown deck stays, and the same change is not asked about again.
    WriteFile(Path, DeckXml(2, "K"));
    wxTEST_DIALOG(Activate(), ExpectMessage(wxID_NO));
    EXPECT_EQ(Cards.size(), 3u);
    Activate();
    // With unsaved changes nothing is asked until Save.
    WriteFile(Path, DeckXml(4, "N"));
    Modified = true;
    Activate();
    Modified = false;
    // Reloaded: Q2 is still the selected card, now in the third row.
    WriteFile(Path, DeckXml(4).insert(DeckXml(4).find("<Card"), "<Card Question=\"Q0\"/>"));
    wxTEST_DIALOG(Activate(), ExpectMessage(wxID_YES));
    ASSERT_EQ(Cards.size(), 5u);
    EXPECT_EQ(Frame->EditPanel->GetCurrentCard(), 2);
    EXPECT_EQ(CurrentPanel, pnCardList);
    Menu(MneFrame::idSave);
}

TEST_F(FrameDisk, ADeletedDeckShowsInTheTitleAndIsWrittenAgainWithoutAsking)
{
    ASSERT_EQ(unlink(Path.fn_str()), 0);
    Activate();
    EXPECT_EQ(Frame->GetTitle(), "deck.mnd (not on disk) - Mnemora");
    Change("still here");
    EXPECT_EQ(Frame->GetTitle(), "deck.mnd* (not on disk) - Mnemora");
    Menu(MneFrame::idSave);
    EXPECT_EQ(Frame->GetTitle(), "deck.mnd - Mnemora");
    EXPECT_NE(ReadFile(Path).find("still here"), std::string::npos);
}

TEST_F(FrameDisk, RevertOpensAChosenBackupAsAnUnsavedChange)
{
    wxTEST_DIALOG(Menu(MneFrame::idRevertToBackup), ExpectMessage()); // none yet
    for (const char* question : {"fourth", "fifth"})
    {
        Change(question);
        Menu(MneFrame::idSave); // keeps the deck of 3, then of 4
    }
    wxTEST_DIALOG(Menu(MneFrame::idRevertToBackup),
                  wxExpectDismissableModal<wxSingleChoiceDialog>(wxID_CANCEL));
    EXPECT_EQ(Cards.size(), 5u);
    wxTEST_DIALOG(Menu(MneFrame::idRevertToBackup), ExpectChoice(1));
    EXPECT_EQ(Cards.size(), 3u);
    EXPECT_EQ(Frame->GetTitle(), "deck.mnd* - Mnemora");
    Menu(MneFrame::idSave);
    Frame->OpenDeckFile(Path, false);
    EXPECT_EQ(Cards.size(), 3u);

    // A damaged backup leaves the deck as it was.
    WriteFile(DeckBackup::List(Path)[0].Path, "<?xml version=\"1.0\"?>\n<Mnemoras><Card");
    wxLogNull quiet;
    wxTEST_DIALOG(Menu(MneFrame::idRevertToBackup), ExpectChoice(0));
    EXPECT_EQ(Cards.size(), 3u);
    EXPECT_FALSE(Modified);
}
