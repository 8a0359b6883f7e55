// The frame and the deck's file on disk: the question before replacing another program's changes,
// the offer to reload, a deck deleted meanwhile, two windows saving in turn, Revert to Backup.
#include "FrameFixture.h"

#include <wx/choicdlg.h>
#include <wx/listbox.h>
#include <wx/log.h>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "deck/DeckBackup.h"
#include "deck/DeckFileStamp.h"
#include "edit/MneEditPanel.h"

namespace
{
/// Chooses one row of a single-choice dialog, or cancels it.
class ExpectChoice : public wxExpectModalBase<wxSingleChoiceDialog>
{
public:
    explicit ExpectChoice(int row) : m_row(row) {}
    mutable wxArrayString Rows;

protected:
    int OnInvoked(wxSingleChoiceDialog* dlg) const override
    {
        wxListBox* list = nullptr;
        for (wxWindow* child : dlg->GetChildren())
            list = list ? list : wxDynamicCast(child, wxListBox);
        if (list)
            Rows = list->GetStrings();
        if (m_row < 0)
            return wxID_CANCEL;
        dlg->SetSelection(m_row);
        return wxID_OK;
    }

private:
    int m_row;
};

class FrameDisk : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Options.KeepBackups = 10;
        Path = WriteFile(Dir + "/deck.mnd", DeckXml(3));
        Frame->OpenDeckFile(Path, false);
    }

    void TearDown() override
    {
        DeckOnDisk = DeckFileStamp();
        FrameTest::TearDown();
    }

    /// Runs `code`; any dialog it opens fails the test.
    static void WithoutDialogs(const std::function<void()>& code)
    {
        ThrowingModalHook hook(__FILE__, __LINE__, "WithoutDialogs");
        code();
        hook.CheckUnmetExpectations();
    }

    /// The window becomes active again, and what that asks is asked.
    void Activate()
    {
        wxActivateEvent event(wxEVT_ACTIVATE, true);
        event.SetEventObject(Frame);
        Frame->ProcessWindowEvent(event);
        YieldFor(30);
    }

    /// A change of our own that Save writes.
    void Change(const wxString& question)
    {
        AddCard(question);
        Modified = true;
        Frame->UpdateTitle();
    }

    wxString Path;
};

const char* const ChangedQuestion =
    "The deck \"deck.mnd\" was changed by another program since you opened it. Save your "
    "version over it, save under another name, or cancel?";
} // namespace

TEST_F(FrameDisk, SaveAsksBeforeReplacingAnotherProgramsChanges)
{
    Change("mine");
    // Touched with the same bytes: no question.
    ASSERT_EQ(utimensat(AT_FDCWD, Path.fn_str(), nullptr, 0), 0);
    WithoutDialogs([&] { Menu(cmSave); });
    EXPECT_FALSE(Modified);

    struct Case
    {
        int Answer;
        wxString SaveAsPath; // for the Save As answer; empty cancels the file dialog
        bool Written;        // our deck is in deck.mnd afterwards
    };
    std::string theirs;
    for (const Case& test : {Case{wxID_CANCEL, "", false}, Case{wxID_NO, "", false},
                             Case{wxID_NO, Dir + "/copy.mnd", false}, Case{wxID_YES, "", true}})
    {
        theirs = DeckXml(int(Cards.size()) + 2, "T");
        Change("mine again");
        WriteFile(Path, theirs);
        ExpectMessage question(test.Answer);
        if (test.Answer == wxID_NO)
        {
            wxTEST_DIALOG(
                Menu(cmSave), question,
                ExpectFileDialog(test.SaveAsPath, test.SaveAsPath.empty() ? wxID_CANCEL : wxID_OK));
        }
        else
        {
            wxTEST_DIALOG(Menu(cmSave), question);
        }
        EXPECT_EQ(question.Message, ChangedQuestion);
        EXPECT_EQ(question.Caption, "Mnemora");
        const bool savedElsewhere = !test.SaveAsPath.empty();
        EXPECT_EQ(ReadFile(Path) == theirs, !test.Written) << test.Answer;
        EXPECT_EQ(Modified, !test.Written && !savedElsewhere) << test.Answer;
        EXPECT_EQ(Frame->GetTitle(),
                  savedElsewhere ? "copy.mnd - Mnemora"
                                 : (test.Written ? "deck.mnd - Mnemora" : "deck.mnd* - Mnemora"));
        if (savedElsewhere)
            Frame->OpenDeckFile(Path, false);
    }
    // Overwriting kept their version as the newest backup.
    EXPECT_EQ(ReadFile(DeckBackup::List(Path)[0].Path), theirs);
}

TEST_F(FrameDisk, TwoWindowsSavingInTurnTheSecondIsAsked)
{
    // Both windows read the deck; the first saves, then the second.
    const DeckFileStamp secondWindow = DeckOnDisk;
    Change("from the first window");
    WithoutDialogs([&] { Menu(cmSave); });
    const std::string first = ReadFile(Path);
    DeckOnDisk = secondWindow;
    Change("from the second window");
    wxTEST_DIALOG(Menu(cmSave), ExpectMessage(wxID_CANCEL));
    EXPECT_EQ(ReadFile(Path), first);
    EXPECT_TRUE(Modified);
}

TEST_F(FrameDisk, ADeckChangedElsewhereIsOfferedForReloadingOnActivation)
{
    Frame->EditPanel->SelectCard(1);     // Q2
    WithoutDialogs([&] { Activate(); }); // nothing changed
    WriteFile(Path, DeckXml(2, "K"));

    // Kept: the shown deck stays, and the same change is not asked about again.
    ExpectMessage keep(wxID_NO);
    wxTEST_DIALOG(Activate(), keep);
    EXPECT_TRUE(keep.Message.StartsWith("The deck \"deck.mnd\" was changed by another program."));
    EXPECT_EQ(Cards.size(), 3u);
    WithoutDialogs([&] { Activate(); });

    // With unsaved changes nothing is asked until Save.
    WriteFile(Path, DeckXml(4, "N"));
    Modified = true;
    WithoutDialogs([&] { Activate(); });
    Modified = false;

    WriteFile(Path, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\">"
                    "<Card Question=\"Q0\" Answer=\"A0\" History=\"\"/>" +
                        DeckXml(3).substr(DeckXml(3).find("<Card")));
    wxTEST_DIALOG(Activate(), ExpectMessage(wxID_YES));
    ASSERT_EQ(Cards.size(), 4u);
    EXPECT_EQ(CurrentPanel, pnCardList);
    EXPECT_EQ(Frame->EditPanel->GetCurrentCard(), 2) << "Q2 is selected where it is now";
    EXPECT_FALSE(Modified);
    WithoutDialogs([&] { Menu(cmSave); });
}

TEST_F(FrameDisk, ADeletedDeckShowsInTheTitleAndIsWrittenAgainWithoutAsking)
{
    ASSERT_EQ(unlink(Path.fn_str()), 0);
    WithoutDialogs([&] { Activate(); });
    EXPECT_EQ(Frame->GetTitle(), "deck.mnd (not on disk) - Mnemora");
    Change("still here");
    EXPECT_EQ(Frame->GetTitle(), "deck.mnd* (not on disk) - Mnemora");
    WithoutDialogs([&] { Menu(cmSave); });
    EXPECT_EQ(Frame->GetTitle(), "deck.mnd - Mnemora");
    EXPECT_NE(ReadFile(Path).find("still here"), std::string::npos);
}

TEST_F(FrameDisk, RevertOpensAChosenBackupAsAnUnsavedChange)
{
    ExpectMessage none;
    wxTEST_DIALOG(Menu(cmRevertToBackup), none);
    EXPECT_EQ(none.Message, "There are no backups of this deck.");

    Change("fourth");
    WithoutDialogs([&] { Menu(cmSave); }); // keeps the deck of 3
    Change("fifth");
    WithoutDialogs([&] { Menu(cmSave); }); // keeps the deck of 4

    wxTEST_DIALOG(Menu(cmRevertToBackup), ExpectChoice(-1));
    EXPECT_EQ(Cards.size(), 5u);
    EXPECT_FALSE(Modified);

    ExpectChoice older(1);
    wxTEST_DIALOG(Menu(cmRevertToBackup), older);
    ASSERT_EQ(older.Rows.size(), 2u);
    EXPECT_TRUE(older.Rows[0].EndsWith(", 4 cards")) << older.Rows[0];
    EXPECT_TRUE(older.Rows[1].EndsWith(", 3 cards")) << older.Rows[1];
    EXPECT_EQ(Cards.size(), 3u);
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "deck.mnd* - Mnemora");
    WithoutDialogs([&] { Menu(cmSave); });
    EXPECT_EQ(DeckBackup::List(Path)[0].Cards, 5);
    Frame->OpenDeckFile(Path, false);
    EXPECT_EQ(Cards.size(), 3u);

    // A damaged backup leaves the deck as it was.
    const std::vector<DeckBackupEntry> backups = DeckBackup::List(Path);
    WriteFile(backups[0].Path, "<?xml version=\"1.0\"?>\n<Mnemoras Version=\"1\"><Card");
    wxLogNull quiet;
    wxTEST_DIALOG(Menu(cmRevertToBackup), ExpectChoice(0));
    EXPECT_EQ(Cards.size(), 3u);
    EXPECT_FALSE(Modified);
}
