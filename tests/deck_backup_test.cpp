// SPDX-License-Identifier: GPL-3.0-or-later
// The deck file's stamp and the backups each save keeps: every way a file can change (a link put
// there is replaced, not written through), rotation beside 10,000 old backups and a clock set
// back, a backup folder that is a file or a link.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ErrorLog.h"
#include "app/Options.h"
#include "deck/ContentHash.h"
#include "deck/DeckBackup.h"
#include "deck/DeckFile.h"
#include "deck/DeckFileStamp.h"
#include "deck/mnemora.h"

namespace
{
void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

/// How many entries a folder holds; none for a folder that is not there.
long Entries(const std::string& folder)
{
    std::error_code missing;
    return std::distance(std::filesystem::directory_iterator(folder, missing), {});
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
        SaveCards(1);
    }

    void TearDown() override { std::filesystem::remove_all(Folder); }

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
    ErrorLog Log;
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
        {"other bytes of the same size and time, no inode numbers: only the content tells",
         [&]
         {
             Write(Deck, std::string(saved).replace(saved.size() - 4, 1, "X"));
             const timespec times[2] = {DeckOnDisk.Modified, DeckOnDisk.Modified};
             utimensat(AT_FDCWD, Deck.c_str(), times, 0), DeckOnDisk.Inode = 0;
         },
         DiskChange::Changed},
        {"deleted", [&] { unlink(Deck.c_str()); }, DiskChange::Missing},
        {"renamed away", [&] { rename(Deck.c_str(), other.c_str()); }, DiskChange::Missing},
        {"a folder", [&] { unlink(Deck.c_str()), mkdir(Deck.c_str(), 0700); }, DiskChange::Changed},
        {"a link to the same bytes",
         [&] { Write(other, saved), unlink(Deck.c_str()), symlink(other.c_str(), Deck.c_str()); },
         DiskChange::Changed},
    };
    for (const auto& test : cases)
    {
        std::filesystem::remove_all(Deck);
        std::filesystem::remove(other);
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
    // Saving over the link replaces it and leaves the file it pointed to alone.
    Cards[0].Question = "mine";
    ASSERT_TRUE(SaveDeck());
    EXPECT_EQ(Read(other), saved);
    EXPECT_NE(Read(Deck).find("mine"), std::string::npos);
    FileName = wxFileName(wxString(other)); // never read from this name: not compared
    EXPECT_EQ(CheckDeckFile(), DiskChange::Unchanged);
}

TEST_F(DeckBackups, TenRotateBesideTenThousandOldOnesAndAClockSetBack)
{
    // Old backups, one made "in the future" (new names still sort after it) and another deck's,
    // which is neither counted nor touched.
    mkdir(Backups.c_str(), 0700);
    const std::time_t now = std::time(nullptr);
    for (int i = 0; i < 10000; ++i)
        close(open((Backups + "/" + DeckBackup::NameFor("deck", now - 20000 + i)).c_str(),
                   O_CREAT | O_WRONLY, 0600));
    const std::string future = DeckBackup::NameFor("deck", now + 3600),
                      other = DeckBackup::NameFor("deck.mnd.old", now);
    Write(Backups + "/" + future, "future");
    Write(Backups + "/" + other, "other deck");
    for (int count = 2; count <= 13; ++count)
        SaveCards(count);
    // Newest first, each the deck as its save found it (none "from the future").
    const std::vector<DeckBackupEntry> list = DeckBackup::List(wxString(Deck));
    ASSERT_EQ(list.size(), 10u);
    for (size_t i = 0; i < list.size(); ++i)
    {
        EXPECT_EQ(list[i].Cards, long(12 - i));
        EXPECT_TRUE(i == 0 || list[i - 1].Time > list[i].Time);
    }
    const wxString newest = wxFileName(list[0].Path).GetFullName();
    EXPECT_EQ(newest.substr(0, 5) + newest.substr(13, 1) + newest.substr(20), "deck.-.mnd");
    EXPECT_EQ(Entries(Backups), 11) << "nothing else left behind";
    EXPECT_EQ(Read(Backups + "/" + other), "other deck");
    // Read back, its media names still belong to the deck's folder.
    Cards.assign(1, Card());
    Cards[0].QuestionPicture = wxFileName(wxString(Folder + "/pics/a.png"));
    ASSERT_TRUE(SaveDeck() && SaveDeck());
    Cards.clear();
    ASSERT_EQ(LoadDeckFrom(DeckBackup::List(wxString(Deck))[0].Path), LoadResult::Loaded);
    EXPECT_EQ(Cards.at(0).QuestionPicture.GetFullPath(), wxString(Folder + "/pics/a.png"));

    Options.KeepBackups = 0;
    SaveCards(1);
    EXPECT_EQ(Entries(Backups), 11) << "off: none made, none removed";
}

TEST_F(DeckBackups, ABackupFolderThatIsAFileOrALinkGetsNothingAndTheSaveGoesOn)
{
    const std::string outside = Folder + "/outside";
    mkdir(outside.c_str(), 0700);
    for (bool link : {false, true})
    {
        DeckBackup::ResetWarning();
        Log.Warnings = 0;
        std::filesystem::remove_all(Backups);
        if (link)
            ASSERT_EQ(symlink(outside.c_str(), Backups.c_str()), 0);
        else
            Write(Backups, "a file");
        SaveCards(4);
        SaveCards(5);
        EXPECT_NE(Read(Deck).find("Q4"), std::string::npos) << link;
        EXPECT_EQ(Log.Warnings, 1) << "one warning per session";
        EXPECT_EQ(Entries(outside), 0) << "nothing written through the link";
        EXPECT_TRUE(link || Read(Backups) == "a file");
    }
}
