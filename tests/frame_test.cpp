// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame driven through its real menu commands: title, menus, panels and deck files.
#include "FrameFixture.h"

#include <wx/filename.h>
#include <wx/log.h>

#include <unistd.h>

#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
#include "study/MneTestPanel.h"

namespace
{
const char* const UnsavedQuestion =
    "The current file has unsaved changes.  Do you want to save them?";
} // namespace

TEST_F(FrameTest, TitleShowsFileNameAndChanges)
{
    EXPECT_EQ(Frame->GetTitle(), "Untitled - Mnemora");
    Modified = true;
    Frame->UpdateTitle();
    EXPECT_EQ(Frame->GetTitle(), "Untitled* - Mnemora");
    FileName = wxFileName(Dir + "/cards.mnd");
    Frame->UpdateTitle();
    EXPECT_EQ(Frame->GetTitle(), "cards.mnd* - Mnemora");
    Modified = false;
    Frame->UpdateTitle();
    EXPECT_EQ(Frame->GetTitle(), "cards.mnd - Mnemora");
    EXPECT_EQ(CurrentPanel, pnCardList);
    EXPECT_EQ(CurCard, -1);
    EXPECT_TRUE(Frame->IsShown());
    EXPECT_GE(Frame->GetClientSize().x, 500);
    EXPECT_GE(Frame->GetClientSize().y, 400);
    EXPECT_TRUE(Frame->GetIcon().IsOk());
}

TEST_F(FrameTest, MenuBarHasEveryCommand)
{
    wxMenuBar* bar = Frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&File");
    EXPECT_EQ(bar->GetMenuLabel(1), "&Print");
    EXPECT_EQ(bar->GetMenuLabel(2), "&Options");
    EXPECT_EQ(bar->GetMenuLabel(3), "&Help");
    struct Item
    {
        int Menu;
        int Id; // 0 for a rule
        const char* Label;
        wxItemKind Kind;
    };
    const Item items[] = {
        {0, MneFrame::idNew, "&New", wxITEM_NORMAL},
        {0, MneFrame::idOpen, "&Open...", wxITEM_NORMAL},
        {0, 0, "", wxITEM_SEPARATOR},
        {0, MneFrame::idSave, "&Save", wxITEM_NORMAL},
        {0, MneFrame::idSaveAs, "Save &As...", wxITEM_NORMAL},
        {0, MneFrame::idRevertToBackup, "Revert to &Backup...", wxITEM_NORMAL},
        {0, 0, "", wxITEM_SEPARATOR},
        {0, MneFrame::idMerge, "&Merge...", wxITEM_NORMAL},
        {0, MneFrame::idImport, "&Import...", wxITEM_NORMAL},
        {0, MneFrame::idExport, "&Export...", wxITEM_NORMAL},
        {1, MneFrame::idPrintStudySheet, "Print Study S&heet", wxITEM_NORMAL},
        {1, MneFrame::idPrintSingleSided, "Print &Single Sided Cards", wxITEM_NORMAL},
        {1, MneFrame::idPrintDoubleSided, "Print &Double Sided Cards", wxITEM_NORMAL},
        {2, MneFrame::idStudyMode, "Select Study &Mode...", wxITEM_NORMAL},
        {2, MneFrame::idResetScores, "R&eset Scores", wxITEM_NORMAL},
        {2, 0, "", wxITEM_SEPARATOR},
        {2, MneFrame::idKeepScore, "&Keep Score", wxITEM_CHECK},
        {2, MneFrame::idShuffleCards, "S&huffle Cards", wxITEM_CHECK},
        {2, MneFrame::idSwap, "&Swap Question/Answer", wxITEM_CHECK},
        {2, MneFrame::idPlaySounds, "&Play Sounds", wxITEM_CHECK},
        {2, MneFrame::idShowTimer, "Show &Timer", wxITEM_CHECK},
        {2, 0, "", wxITEM_SEPARATOR},
        {2, MneFrame::idCardFont, "Select Card &Font...", wxITEM_NORMAL},
        {2, MneFrame::idCardBackground, "Select Card &Background...", wxITEM_NORMAL},
        {2, 0, "", wxITEM_SEPARATOR},
        {2, MneFrame::idLanguage, "Select &Language...", wxITEM_NORMAL},
        {3, MneFrame::idAbout, "&About Mnemora...", wxITEM_NORMAL},
    };
    size_t position[4] = {0, 0, 0, 0};
    for (const Item& expected : items)
    {
        wxMenu* menu = bar->GetMenu(expected.Menu);
        ASSERT_LT(position[expected.Menu], menu->GetMenuItemCount()) << expected.Label;
        const wxMenuItem* item = menu->FindItemByPosition(position[expected.Menu]++);
        EXPECT_EQ(item->GetKind(), expected.Kind) << expected.Label;
        if (expected.Kind == wxITEM_SEPARATOR)
            continue;
        EXPECT_EQ(item->GetId(), expected.Id) << expected.Label;
        // Shortcuts follow a tab; the label before it is the command's own.
        EXPECT_EQ(item->GetItemLabel().BeforeFirst('\t'), expected.Label);
        EXPECT_EQ(item->GetHelp(), "") << expected.Label;
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bar->GetMenu(i)->GetMenuItemCount(), position[i]) << "menu " << i;
    // Fresh options: score keeping, shuffling and sounds on, swap and timer off.
    EXPECT_TRUE(Checked(MneFrame::idKeepScore));
    EXPECT_TRUE(Checked(MneFrame::idShuffleCards));
    EXPECT_TRUE(Checked(MneFrame::idPlaySounds));
    EXPECT_FALSE(Checked(MneFrame::idSwap));
    EXPECT_FALSE(Checked(MneFrame::idShowTimer));
}

TEST_F(FrameTest, CheckItemsFollowStoredOptions)
{
    Frame->Destroy();
    YieldFor(20);
    wxConfigBase::Get()->Write("PlaySounds", false);
    wxConfigBase::Get()->Write("ShuffleCards", false);
    wxConfigBase::Get()->Write("SwapQuestionAnswer", true);
    wxConfigBase::Get()->Write("ShowTimer", true);
    Frame = new MneFrame();
    EXPECT_FALSE(Checked(MneFrame::idPlaySounds));
    EXPECT_TRUE(Checked(MneFrame::idKeepScore));
    EXPECT_FALSE(Checked(MneFrame::idShuffleCards));
    EXPECT_TRUE(Checked(MneFrame::idSwap));
    EXPECT_TRUE(Checked(MneFrame::idShowTimer));
}

TEST_F(FrameTest, DeckCommandsAreGreyedOutawayFromTheCardList)
{
    for (const char* name : {"a", "b", "c"})
        AddCard(name);
    for (Card& card : Cards)
        ActiveCards.push_back(&card);
    const int deckCommands[] = {MneFrame::idNew,       MneFrame::idOpen,
                                MneFrame::idMerge,     MneFrame::idImport,
                                MneFrame::idExport,    MneFrame::idResetScores,
                                MneFrame::idStudyMode, MneFrame::idRevertToBackup};
    const int otherCommands[] = {MneFrame::idSave,
                                 MneFrame::idSaveAs,
                                 MneFrame::idPrintStudySheet,
                                 MneFrame::idPrintSingleSided,
                                 MneFrame::idPrintDoubleSided,
                                 MneFrame::idKeepScore,
                                 MneFrame::idShuffleCards,
                                 MneFrame::idSwap,
                                 MneFrame::idPlaySounds,
                                 MneFrame::idShowTimer,
                                 MneFrame::idCardFont,
                                 MneFrame::idCardBackground,
                                 MneFrame::idLanguage,
                                 MneFrame::idAbout};
    const wxString recent = WriteFile(Dir + "/recent.mnd", DeckXml(1));
    FileHistory->AddFileToHistory(recent);
    Frame->ShowPanel(pnCardList);

    Frame->AddPanel->SetCard(0, false);
    for (int panel : {pnStudy, pnLearn, pnEditor})
    {
        Frame->ShowPanel(panel);
        EXPECT_EQ(CurrentPanel, panel);
        for (int id : deckCommands)
            EXPECT_FALSE(Enabled(id)) << "panel " << panel << " id " << id;
        EXPECT_FALSE(Enabled(MneFrame::idRecentFirst)) << "panel " << panel;
        for (int id : otherCommands)
            EXPECT_TRUE(Enabled(id)) << "panel " << panel << " id " << id;
        EXPECT_EQ(Frame->EditPanel->IsShown(), false);
        EXPECT_EQ(Frame->TestPanel->IsShown(), panel == pnStudy);
        EXPECT_EQ(Frame->AddPanel->IsShown(), panel == pnEditor);
        Frame->ShowPanel(pnCardList);
        for (int id : deckCommands)
            EXPECT_TRUE(Enabled(id)) << "card list, id " << id;
        EXPECT_TRUE(Enabled(MneFrame::idRecentFirst));
        EXPECT_TRUE(Frame->EditPanel->IsShown());
    }

    // Saving while studying records the file, and its new recent entry stays greyed out.
    Frame->ShowPanel(pnStudy);
    const wxString saved = Dir + "/studied.mnd";
    wxTEST_DIALOG(Menu(MneFrame::idSave), ExpectFileDialog(saved));
    ASSERT_EQ(RecentFiles().size(), 2u);
    EXPECT_EQ(RecentFiles()[0], saved);
    EXPECT_FALSE(Enabled(MneFrame::idRecentFirst));
    EXPECT_FALSE(Enabled(MneFrame::idRecentFirst + 1));
    Frame->ShowPanel(pnCardList);
    EXPECT_TRUE(Enabled(MneFrame::idRecentFirst));
    EXPECT_TRUE(Enabled(MneFrame::idRecentFirst + 1));
}

TEST_F(FrameTest, SavingAnEmptyDeckIsRefused)
{
    Modified = true;
    for (int id : {MneFrame::idSave, MneFrame::idSaveAs})
    {
        ExpectMessage refusal(wxID_OK);
        wxTEST_DIALOG(Menu(id), refusal);
        EXPECT_EQ(refusal.Message, "Add at least one card first.");
        EXPECT_EQ(refusal.Caption, "Mnemora");
        EXPECT_TRUE(refusal.Style & wxICON_WARNING);
        EXPECT_TRUE(refusal.Style & wxOK);
        EXPECT_FALSE(refusal.Style & wxCANCEL);
    }
    EXPECT_TRUE(Modified);
}

TEST_F(FrameTest, SaveOfANewDeckAsksForANameAndCancelKeepsItChanged)
{
    AddCard("Q1", "Y");
    Modified = true;
    wxTEST_DIALOG(Menu(MneFrame::idSave), ExpectFileDialog(Dir + "/never.mnd", wxID_CANCEL));
    EXPECT_TRUE(Modified);
    EXPECT_EQ(FileName.GetFullName(), "Untitled");
    EXPECT_FALSE(wxFileExists(Dir + "/never.mnd"));
    EXPECT_TRUE(RecentFiles().empty());

    const wxString sub = Dir + "/sub";
    wxMkdir(sub);
    const wxString path = sub + "/mine.mnd";
    wxTEST_DIALOG(Menu(MneFrame::idSave), ExpectFileDialog(path));
    EXPECT_FALSE(Modified);
    EXPECT_EQ(FileName.GetFullPath(), path);
    EXPECT_EQ(Frame->GetTitle(), "mine.mnd - Mnemora");
    EXPECT_NE(ReadFile(path).find("Question=\"Q1\""), std::string::npos);
    EXPECT_EQ(Options.DataDirectory, sub);
    EXPECT_EQ(wxConfigBase::Get()->Read("DataDirectory"), sub);
    ASSERT_EQ(RecentFiles().size(), 1u);
    EXPECT_EQ(RecentFiles()[0], path);
    EXPECT_EQ(wxConfigBase::Get()->Read("file1"), path);

    // A named deck saves without asking.
    Cards[0].History = "YYN";
    Modified = true;
    Frame->UpdateTitle();
    EXPECT_EQ(Frame->GetTitle(), "mine.mnd* - Mnemora");
    Menu(MneFrame::idSave);
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "mine.mnd - Mnemora");
    EXPECT_NE(ReadFile(path).find("History=\"YYN\""), std::string::npos);
}

TEST_F(FrameTest, NewOnAChangedDeckWithoutCards)
{
    FileName = wxFileName(Dir + "/emptied.mnd");
    Modified = true;

    ExpectMessage question(wxID_YES);
    ExpectMessage refusal(wxID_OK);
    wxTEST_DIALOG(Menu(MneFrame::idNew), question, refusal);
    EXPECT_EQ(question.Message, UnsavedQuestion);
    EXPECT_EQ(question.Caption, "Mnemora v1.5");
    EXPECT_TRUE(question.Style & wxYES_NO);
    EXPECT_TRUE(question.Style & wxCANCEL);
    EXPECT_TRUE(question.Style & wxICON_QUESTION);
    EXPECT_EQ(refusal.Message, "Add at least one card first.");
    EXPECT_EQ(FileName.GetFullName(), "emptied.mnd");
    EXPECT_TRUE(Modified);

    wxTEST_DIALOG(Menu(MneFrame::idNew), ExpectMessage(wxID_CANCEL));
    EXPECT_EQ(FileName.GetFullName(), "emptied.mnd");
    EXPECT_TRUE(Modified);

    wxTEST_DIALOG(Menu(MneFrame::idNew), ExpectMessage(wxID_NO));
    EXPECT_EQ(FileName.GetFullName(), "Untitled");
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "Untitled - Mnemora");
}

TEST_F(FrameTest, FailedSaveKeepsTheChangesGuarded)
{
    AddCard("precious");
    FileName = wxFileName(Dir + "/no-such-folder/deck.mnd");
    Modified = true;
    wxLogNull quiet;
    Menu(MneFrame::idSave);
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "deck.mnd* - Mnemora");
    EXPECT_TRUE(RecentFiles().empty());

    // Yes to saving, the save fails: the new deck must not replace the unsaved one.
    wxTEST_DIALOG(Menu(MneFrame::idNew), ExpectMessage(wxID_YES));
    EXPECT_EQ(Cards.size(), 1u);
    EXPECT_TRUE(Modified);
    EXPECT_EQ(FileName.GetFullName(), "deck.mnd");
}

TEST_F(FrameTest, NewSavesFirstWhenAsked)
{
    const wxString path = WriteFile(Dir + "/kept.mnd", DeckXml(1));
    Frame->OpenDeckFile(path, true);
    Cards[0].History += "Y";
    Modified = true;
    wxTEST_DIALOG(Menu(MneFrame::idNew), ExpectMessage(wxID_YES));
    EXPECT_TRUE(Cards.empty());
    EXPECT_EQ(FileName.GetFullName(), "Untitled");
    EXPECT_NE(ReadFile(path).find("History=\"YNY\""), std::string::npos);
}

TEST_F(FrameTest, OpenLoadsTheChosenDeck)
{
    const wxString path = WriteFile(Dir + "/three.mnd", DeckXml(3));
    AddCard("old");
    Modified = true;
    wxTEST_DIALOG(Menu(MneFrame::idOpen), ExpectMessage(wxID_CANCEL));
    EXPECT_EQ(Cards.size(), 1u);

    wxTEST_DIALOG(Menu(MneFrame::idOpen), ExpectMessage(wxID_NO),
                  ExpectFileDialog(path, wxID_CANCEL));
    EXPECT_EQ(Cards.size(), 1u);
    EXPECT_TRUE(Modified);

    Options.DataDirectory = wxGetCwd();
    wxTEST_DIALOG(Menu(MneFrame::idOpen), ExpectMessage(wxID_NO), ExpectFileDialog(path));
    ASSERT_EQ(Cards.size(), 3u);
    EXPECT_EQ(Cards[0].Question, "Q1");
    EXPECT_FLOAT_EQ(Cards[0].Score, 50.0f);
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "three.mnd - Mnemora");
    EXPECT_EQ(Options.DataDirectory, Dir);
    ASSERT_EQ(RecentFiles().size(), 1u);
    EXPECT_EQ(RecentFiles()[0], path);
}

TEST_F(FrameTest, UnreadableDeckIsNeverOverwritten)
{
    AddCard("before");
    const std::string broken =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\">"
        "<Card Question=\"lost\"";
    const wxString path = WriteFile(Dir + "/broken.mnd", broken);
    wxArrayString messages;
    SetDeckMessageHandler([&](const wxString& text) { messages.Add(text); });
    wxLogNull quiet;
    wxTEST_DIALOG(Menu(MneFrame::idOpen), ExpectFileDialog(path));
    EXPECT_TRUE(Cards.empty());
    EXPECT_EQ(FileName.GetFullName(), "Untitled");
    EXPECT_EQ(Frame->GetTitle(), "Untitled - Mnemora");
    EXPECT_TRUE(RecentFiles().empty());

    // Saving afterwards asks for a name instead of replacing the unreadable file.
    AddCard("new");
    Modified = true;
    wxTEST_DIALOG(Menu(MneFrame::idSave), ExpectFileDialog(path, wxID_CANCEL));
    EXPECT_EQ(ReadFile(path), broken);
}

TEST_F(FrameTest, DeckOfAnotherVersionFallsBackToUntitled)
{
    const std::string future = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                               "<Mnemoras Version=\"2\"><Card Question=\"x\"/></Mnemoras>\n";
    const wxString path = WriteFile(Dir + "/future.mnd", future);
    const wxString good = WriteFile(Dir + "/good.mnd", DeckXml(2));
    FileHistory->AddFileToHistory(path);
    FileHistory->AddFileToHistory(good);
    Frame->ShowPanel(pnCardList);
    Menu(MneFrame::idRecentFirst);
    ASSERT_EQ(Cards.size(), 2u);

    ExpectMessage version(wxID_OK);
    wxTEST_DIALOG(Menu(MneFrame::idRecentFirst + 1), version);
    EXPECT_EQ(version.Message, "This version of Mnemora cannot open the file you have selected.");
    EXPECT_EQ(version.Caption, "Mnemora");
    EXPECT_TRUE(version.Style & wxICON_WARNING);
    EXPECT_TRUE(Cards.empty());
    EXPECT_EQ(FileName.GetFullName(), "Untitled");
    EXPECT_EQ(ReadFile(path), future);
}

TEST_F(FrameTest, RecentFilesOpenWithoutReorderingTheList)
{
    const wxString first = WriteFile(Dir + "/first.mnd", DeckXml(1));
    const wxString second = WriteFile(Dir + "/second.mnd", DeckXml(2));
    FileHistory->AddFileToHistory(first);
    FileHistory->AddFileToHistory(second);
    Frame->ShowPanel(pnCardList);
    Options.DataDirectory = wxGetCwd();
    Menu(MneFrame::idRecentFirst + 1);
    EXPECT_EQ(Cards.size(), 1u);
    EXPECT_EQ(Frame->GetTitle(), "first.mnd - Mnemora");
    ASSERT_EQ(RecentFiles().size(), 2u);
    EXPECT_EQ(RecentFiles()[0], second);
    EXPECT_EQ(Options.DataDirectory, wxGetCwd());
}

TEST_F(FrameTest, DeletedRecentFileKeepsTheDeck)
{
    const wxString current = WriteFile(Dir + "/current.mnd", DeckXml(2));
    const wxString gone = WriteFile(Dir + "/gone.mnd", DeckXml(4));
    FileHistory->AddFileToHistory(gone);
    Frame->OpenDeckFile(current, true);
    wxRemoveFile(gone);
    ExpectMessage notice(wxID_OK);
    wxTEST_DIALOG(Menu(MneFrame::idRecentFirst + 1), notice);
    EXPECT_EQ(notice.Message, "The selected file no longer exists.");
    EXPECT_EQ(notice.Caption, "Mnemora");
    EXPECT_TRUE(notice.Style & wxICON_INFORMATION);
    EXPECT_EQ(Cards.size(), 2u);
    EXPECT_EQ(FileName.GetFullPath(), current);
    ASSERT_EQ(RecentFiles().size(), 2u);
    EXPECT_EQ(RecentFiles()[1], gone);
}

TEST_F(FrameTest, AFailedSaveKeepsTheDeckMarkedAsChanged)
{
    const wxString loop = Dir + "/loop.mnd";
    ASSERT_EQ(symlink("loop.mnd", loop.fn_str()), 0);
    FileName = wxFileName(loop);
    AddCard("Q1");
    Modified = true;
    Frame->UpdateTitle();
    wxLogNull quiet;
    Menu(MneFrame::idSave);
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "loop.mnd* - Mnemora");
    EXPECT_TRUE(RecentFiles().empty());
}

TEST_F(FrameTest, MergeKeepsTheNameAndTheRecentList)
{
    const wxString base = WriteFile(Dir + "/base.mnd", DeckXml(5));
    const wxString other = MakeTempDir();
    const wxString extra = WriteFile(other + "/extra.mnd", DeckXml(3, "X"));
    Frame->OpenDeckFile(base, true);
    const wxArrayString recentBefore = RecentFiles();

    wxTEST_DIALOG(Menu(MneFrame::idMerge), ExpectFileDialog(other + "/missing.mnd"));
    EXPECT_EQ(Cards.size(), 5u);
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Options.DataDirectory, Dir);

    // A file that cannot be read adds nothing and leaves the deck unchanged.
    const wxString binary = WriteFile(other + "/binary.mnd", std::string("ab\ncd\0ef", 8));
    wxTEST_DIALOG(Menu(MneFrame::idMerge), ExpectFileDialog(binary));
    EXPECT_EQ(Cards.size(), 5u);
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "base.mnd - Mnemora");

    wxTEST_DIALOG(Menu(MneFrame::idMerge), ExpectFileDialog(extra));
    ASSERT_EQ(Cards.size(), 8u);
    EXPECT_EQ(Cards[5].Question, "X1");
    EXPECT_EQ(FileName.GetFullPath(), base);
    EXPECT_TRUE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "base.mnd* - Mnemora");
    EXPECT_EQ(RecentFiles(), recentBefore);
    EXPECT_EQ(Options.DataDirectory, other);
}

TEST_F(FrameTest, ClosingAsksAboutChanges)
{
    AddCard("Q");
    Modified = true;
    bool destroyed = false;
    Frame->Bind(wxEVT_DESTROY,
                [&](wxWindowDestroyEvent& event)
                {
                    destroyed = destroyed || event.GetEventObject() == Frame;
                    event.Skip();
                });
    bool closed = true;
    wxTEST_DIALOG(closed = Frame->Close(), ExpectMessage(wxID_CANCEL));
    YieldFor(20);
    EXPECT_FALSE(closed);
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(Frame->IsShown());

    wxTEST_DIALOG(closed = Frame->Close(), ExpectMessage(wxID_NO));
    YieldFor(20);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(MainFrame, nullptr);
    Frame = new MneFrame();
}
