// SPDX-License-Identifier: GPL-3.0-or-later
// The deck file's stamp and the backups each save keeps: every way a file can change, rotation,
// a backup folder that is a file or a link, a clock set back, 10,000 old backups.
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/log.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/Options.h"
#include "deck/ContentHash.h"
#include "deck/DeckBackup.h"
#include "deck/DeckFile.h"
#include "deck/DeckFileStamp.h"
#include "deck/mnemora.h"

namespace
{
/// Counts the warnings, which is how a failed backup is reported.
class WarningLog : public wxLog
{
public:
    int Warnings = 0;

protected:
    void DoLogRecord(wxLogLevel level, const wxString&, const wxLogRecordInfo&) override
    {
        Warnings += level == wxLOG_Warning;
    }
};

void Write(const std::string& path, const std::string& bytes)
{
    wxFFile(path, "wb").Write(bytes.data(), bytes.size());
}

std::string Read(const std::string& path)
{
    wxFFile file(path, "rb");
    std::string bytes(file.IsOpened() ? size_t(file.Length()) : 0, '\0');
    if (!bytes.empty())
        file.Read(&bytes[0], bytes.size());
    return bytes;
}

/// The file names in a folder, sorted.
std::vector<std::string> Names(const std::string& folder)
{
    wxArrayString files;
    if (wxDirExists(folder))
        wxDir::GetAllFiles(folder, &files, "", wxDIR_FILES | wxDIR_HIDDEN);
    std::vector<std::string> names;
    for (const wxString& file : files)
        names.push_back(std::string(wxFileName(file).GetFullName().fn_str()));
    std::sort(names.begin(), names.end());
    return names;
}

class DeckBackups : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/mnemora-backup-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        Folder = pattern;
        Deck = Folder + "/deck.mnd";
        Backups = Folder + "/.mnemora-backup";
        Options.KeepBackups = 10;
        DeckBackup::ResetWarning();
        Previous = wxLog::SetActiveTarget(&Log);
        SaveCards(1);
    }

    void TearDown() override
    {
        wxLog::SetActiveTarget(Previous);
        std::system(("rm -rf '" + Folder + "'").c_str());
        Cards.clear();
        DeckOnDisk = DeckFileStamp();
        FileName = wxFileName("Untitled");
    }

    /// Saves a deck of `count` cards to the deck file.
    void SaveCards(int count)
    {
        Cards.assign(size_t(count), Card());
        for (int i = 0; i < count; ++i)
            Cards[size_t(i)].Question = wxString::Format("Q%d", i);
        FileName = wxFileName(wxString(Deck));
        ASSERT_TRUE(SaveDeck());
    }

    std::string Folder, Deck, Backups;
    WarningLog Log;
    wxLog* Previous = nullptr;
};
} // namespace

TEST(ContentHash, TheSameBytesHashAlikeHowEverTheyAreSplit)
{
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += char(i * 7 + i / 13);
    ContentHash whole, pieces;
    whole.Add(bytes.data(), bytes.size());
    for (size_t at = 0; at < bytes.size(); at += 33)
        pieces.Add(bytes.data() + at, std::min<size_t>(33, bytes.size() - at));
    EXPECT_EQ(pieces.Value(), whole.Value());
}

TEST_F(DeckBackups, TheChangeCheckTellsEveryKindOfChange)
{
    const std::string saved = Read(Deck), other = Folder + "/other.mnd";
    const timespec past[2] = {{1000000000, 5}, {1000000000, 5}};
    const struct
    {
        const char* What;
        std::function<void()> Change;
        DiskChange Expected;
    } cases[] = {
        {"untouched", [] {}, DiskChange::Unchanged},
        {"touched", [&] { utimensat(AT_FDCWD, Deck.c_str(), past, 0); }, DiskChange::Unchanged},
        {"same bytes anew", [&] { Write(other, saved), rename(other.c_str(), Deck.c_str()); },
         DiskChange::Unchanged},
        {"other bytes", [&] { Write(Deck, saved + " "); }, DiskChange::Changed},
        {"deleted", [&] { unlink(Deck.c_str()); }, DiskChange::Missing},
        {"renamed away", [&] { rename(Deck.c_str(), other.c_str()); }, DiskChange::Missing},
        {"a link to the same bytes",
         [&] { Write(other, saved), unlink(Deck.c_str()), symlink(other.c_str(), Deck.c_str()); },
         DiskChange::Changed},
        {"a folder", [&] { unlink(Deck.c_str()), mkdir(Deck.c_str(), 0700); }, DiskChange::Changed},
    };
    for (const auto& test : cases)
    {
        std::system(("rm -rf '" + Deck + "' '" + other + "'").c_str());
        Write(Deck, saved);
        RememberDeckFile();
        test.Change();
        EXPECT_EQ(CheckDeckFile(), test.Expected) << test.What;
        EXPECT_EQ(DeckFileMissing(), test.Expected == DiskChange::Missing) << test.What;
        // Only touched: the new time is taken in, and the next check needs no reading.
        struct stat info;
        EXPECT_TRUE(test.Expected != DiskChange::Unchanged || stat(Deck.c_str(), &info) != 0 ||
                    DeckOnDisk.SameFileInfo(info))
            << test.What;
    }
    FileName = wxFileName(wxString(other)); // never read from this name: not compared
    EXPECT_EQ(CheckDeckFile(), DiskChange::Unchanged);
}

TEST_F(DeckBackups, WithoutInodeNumbersTheHashDecidesAndALinkPutThereIsReplaced)
{
    // Same size, same time, other bytes: only the content tells.
    const std::string saved = Read(Deck);
    struct stat before;
    ASSERT_EQ(stat(Deck.c_str(), &before), 0);
    Write(Deck, std::string(saved).replace(saved.size() - 4, 1, "X"));
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, Deck.c_str(), times, 0), 0);
    DeckOnDisk.Inode = 0; // as a file system without inode numbers has it
    EXPECT_EQ(CheckDeckFile(), DiskChange::Changed);
    Write(Deck, saved);
    EXPECT_EQ(CheckDeckFile(), DiskChange::Unchanged);

    // The deck read as a plain file is a link now: the save replaces the link, not its target.
    Write(Folder + "/theirs.mnd", "their file");
    unlink(Deck.c_str());
    ASSERT_EQ(symlink((Folder + "/theirs.mnd").c_str(), Deck.c_str()), 0);
    ASSERT_TRUE(SaveDeck());
    EXPECT_EQ(Read(Folder + "/theirs.mnd"), "their file");
    struct stat info;
    ASSERT_EQ(lstat(Deck.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
}

TEST_F(DeckBackups, TenRotateAndReadBackIntoTheDeck)
{
    for (int count = 2; count <= 13; ++count)
        SaveCards(count);
    const std::vector<std::string> names = Names(Backups);
    ASSERT_EQ(names.size(), 10u);
    EXPECT_EQ(names[0].substr(0, 5) + names[0].substr(13, 1) + names[0].substr(20),
              "deck.-.mnd");
    struct stat folder;
    ASSERT_EQ(stat(Backups.c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    // Newest first, each the deck as its save found it.
    const std::vector<DeckBackupEntry> list = DeckBackup::List(wxString(Deck));
    ASSERT_EQ(list.size(), 10u);
    for (size_t i = 0; i < list.size(); ++i)
    {
        EXPECT_EQ(list[i].Cards, long(12 - i));
        EXPECT_EQ(wxFileName(list[i].Path).GetFullName(), names[9 - i]);
        EXPECT_TRUE(i == 0 || list[i - 1].Time > list[i].Time);
    }
    // Read back, its media names still belong to the deck's folder.
    Cards.assign(1, Card());
    Cards[0].QuestionPicture = wxFileName(wxString(Folder + "/pics/a.png"));
    ASSERT_TRUE(SaveDeck() && SaveDeck());
    Cards.clear();
    ASSERT_EQ(LoadDeckFrom(DeckBackup::List(wxString(Deck))[0].Path), LoadResult::Loaded);
    EXPECT_EQ(Cards.at(0).QuestionPicture.GetFullPath(), wxString(Folder + "/pics/a.png"));

    Options.KeepBackups = 0;
    SaveCards(1);
    EXPECT_EQ(Names(Backups).size(), 10u) << "off: none made, none removed";
}

TEST_F(DeckBackups, AClockSetBackNeverReusesOrOutranksAName)
{
    // A backup made "in the future", then two saves in the same second.
    const std::string future = DeckBackup::NameFor("deck", std::time(nullptr) + 3600);
    mkdir(Backups.c_str(), 0700);
    Write(Backups + "/" + future, "future");
    Options.KeepBackups = 2;
    SaveCards(2);
    SaveCards(3);
    const std::vector<std::string> names = Names(Backups);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_GT(names[0], future) << "the old one went, not the new ones";
    EXPECT_NE(names[0], names[1]);
    EXPECT_EQ(DeckBackup::List(wxString(Deck))[0].Cards, 2);
}

TEST_F(DeckBackups, ABackupFolderThatIsAFileOrALinkGetsNothingAndTheSaveGoesOn)
{
    const std::string outside = Folder + "/outside";
    mkdir(outside.c_str(), 0700);
    for (bool link : {false, true})
    {
        DeckBackup::ResetWarning();
        Log.Warnings = 0;
        std::system(("rm -rf '" + Backups + "'").c_str());
        if (link)
            ASSERT_EQ(symlink(outside.c_str(), Backups.c_str()), 0);
        else
            Write(Backups, "a file");
        SaveCards(4);
        SaveCards(5);
        EXPECT_NE(Read(Deck).find("Q4"), std::string::npos) << link;
        EXPECT_EQ(Log.Warnings, 1) << "one warning per session";
        EXPECT_TRUE(Names(outside).empty()) << "nothing written through the link";
        EXPECT_TRUE(link || Read(Backups) == "a file");
    }
}

TEST_F(DeckBackups, TenThousandOldBackupsAreCutToTheNewestTen)
{
    mkdir(Backups.c_str(), 0700);
    const std::time_t start = std::time(nullptr) - 20000;
    for (int i = 0; i < 10000; ++i)
        close(open((Backups + "/" + DeckBackup::NameFor("deck", start + i)).c_str(),
                   O_CREAT | O_WRONLY, 0600));
    // Another deck's backups in the same folder are not counted or touched.
    Write(Backups + "/" + DeckBackup::NameFor("deck.mnd.old", start), "other deck");
    SaveCards(2);
    const std::vector<std::string> names = Names(Backups);
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names.back(), DeckBackup::NameFor("deck.mnd.old", start));
    EXPECT_EQ(names[0], DeckBackup::NameFor("deck", start + 9991));
}
