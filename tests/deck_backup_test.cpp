// A deck on disk changed by others, and the backups each save keeps: the change check for every
// way a file can change, rotation, the faults of the backup folder and of the clock.
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include <dirent.h>
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
/// Keeps the warnings, which is how a failed backup is reported.
class WarningLog : public wxLog
{
public:
    std::vector<wxString> Warnings;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo&) override
    {
        if (level == wxLOG_Warning)
            Warnings.push_back(message);
    }
};

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
        Cards.clear();
        for (int i = 0; i < count; ++i)
        {
            Card card;
            card.Question = wxString::Format("Q%d", i);
            Cards.push_back(card);
        }
        FileName = wxFileName(wxString(Deck));
        ASSERT_TRUE(SaveDeck());
    }

    static void Write(const std::string& path, const std::string& bytes)
    {
        wxFFile file(path, "wb");
        ASSERT_TRUE(file.IsOpened());
        file.Write(bytes.data(), bytes.size());
    }

    static std::string Read(const std::string& path)
    {
        std::string bytes;
        wxFFile file(path, "rb");
        if (file.IsOpened())
        {
            bytes.resize(size_t(file.Length()));
            file.Read(&bytes[0], bytes.size());
        }
        return bytes;
    }

    /// The names in a folder, sorted, without "." and "..".
    static std::vector<std::string> Names(const std::string& folder)
    {
        std::vector<std::string> names;
        if (DIR* dir = opendir(folder.c_str()))
        {
            while (const dirent* entry = readdir(dir))
            {
                if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                    names.push_back(entry->d_name);
            }
            closedir(dir);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Folder;
    std::string Deck;
    std::string Backups;
    WarningLog Log;
    wxLog* Previous = nullptr;
};
} // namespace

TEST(ContentHash, MatchesTheReferenceAndIgnoresHowTheBytesAreSplit)
{
    EXPECT_EQ(ContentHash().Value(), 0xEF46DB3751D8E999ULL);
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += char(i * 7 + i / 13);
    for (size_t length : {1u, 3u, 4u, 8u, 31u, 32u, 33u, 64u, 100u, 1000u})
    {
        ContentHash whole;
        whole.Add(bytes.data(), length);
        for (size_t step : {1u, 5u, 31u, 33u})
        {
            ContentHash pieces;
            for (size_t at = 0; at < length; at += step)
                pieces.Add(bytes.data() + at, std::min(step, length - at));
            EXPECT_EQ(pieces.Value(), whole.Value()) << length << " in steps of " << step;
        }
        ContentHash other;
        other.Add(bytes.data() + 1, length);
        EXPECT_NE(other.Value(), whole.Value()) << length;
    }
}

TEST_F(DeckBackups, TheChangeCheckTellsEveryKindOfChange)
{
    const std::string saved = Read(Deck);
    struct Case
    {
        const char* What;
        std::function<void()> Change;
        DiskChange Expected;
    };
    const timespec past[2] = {{1000000000, 5}, {1000000000, 5}};
    const Case cases[] = {
        {"untouched", [] {}, DiskChange::Unchanged},
        {"touched, same bytes", [&] { utimensat(AT_FDCWD, Deck.c_str(), past, 0); },
         DiskChange::Unchanged},
        {"replaced by a copy of the same bytes",
         [&]
         {
             Write(Deck + ".new", saved);
             rename((Deck + ".new").c_str(), Deck.c_str());
         },
         DiskChange::Unchanged},
        {"other bytes", [&] { Write(Deck, saved + " "); }, DiskChange::Changed},
        {"deleted", [&] { unlink(Deck.c_str()); }, DiskChange::Missing},
        {"renamed away", [&] { rename(Deck.c_str(), (Deck + ".old").c_str()); },
         DiskChange::Missing},
        {"a link to the same bytes",
         [&]
         {
             Write(Folder + "/elsewhere.mnd", saved);
             unlink(Deck.c_str());
             symlink((Folder + "/elsewhere.mnd").c_str(), Deck.c_str());
         },
         DiskChange::Changed},
        {"a folder",
         [&]
         {
             unlink(Deck.c_str());
             mkdir(Deck.c_str(), 0700);
         },
         DiskChange::Changed},
    };
    for (const Case& test : cases)
    {
        std::system(("rm -rf '" + Deck + "' '" + Folder + "/elsewhere.mnd'").c_str());
        Write(Deck, saved);
        RememberDeckFile();
        test.Change();
        EXPECT_EQ(CheckDeckFile(), test.Expected) << test.What;
        EXPECT_EQ(DeckFileMissing(), test.Expected == DiskChange::Missing) << test.What;
        // Only touched: the new time is taken in, and the next check needs no reading.
        if (test.Expected == DiskChange::Unchanged)
        {
            struct stat info;
            ASSERT_EQ(stat(Deck.c_str(), &info), 0);
            EXPECT_TRUE(DeckOnDisk.SameFileInfo(info)) << test.What;
        }
    }
    // A deck never read from this name is not compared.
    FileName = wxFileName(wxString(Folder + "/other.mnd"));
    EXPECT_EQ(CheckDeckFile(), DiskChange::Unchanged);
}

TEST_F(DeckBackups, WithoutInodeNumbersTheHashDecides)
{
    // Same size, same time, other bytes: only the content tells.
    const std::string saved = Read(Deck);
    struct stat before;
    ASSERT_EQ(stat(Deck.c_str(), &before), 0);
    std::string other = saved;
    other[other.size() - 3] ^= 1;
    Write(Deck, other);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, Deck.c_str(), times, 0), 0);
    DeckOnDisk.Inode = 0; // as a file system without inode numbers reports
    EXPECT_EQ(CheckDeckFile(), DiskChange::Changed);
    Write(Deck, saved);
    EXPECT_EQ(CheckDeckFile(), DiskChange::Unchanged);
}

TEST_F(DeckBackups, ADeckReplacedByALinkIsReplacedItselfAndTheLinkedFileKept)
{
    Write(Folder + "/theirs.mnd", "their file");
    unlink(Deck.c_str());
    ASSERT_EQ(symlink((Folder + "/theirs.mnd").c_str(), Deck.c_str()), 0);
    ASSERT_TRUE(SaveDeck());
    EXPECT_EQ(Read(Folder + "/theirs.mnd"), "their file");
    struct stat info;
    ASSERT_EQ(lstat(Deck.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(CheckDeckFile(), DiskChange::Unchanged);
}

TEST_F(DeckBackups, TenRotateNewestLastAndEachHoldsTheReplacedDeck)
{
    for (int count = 2; count <= 13; ++count)
        SaveCards(count);
    const std::vector<std::string> names = Names(Backups);
    ASSERT_EQ(names.size(), 10u);
    for (const std::string& name : names)
        EXPECT_TRUE(name.size() == 28 && name.compare(0, 9, "deck.mnd.") == 0 &&
                    name.compare(24, 4, ".mnd") == 0)
            << name;
    struct stat folder;
    ASSERT_EQ(stat(Backups.c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);

    // Listed newest first with their card counts: the deck as each save found it.
    const std::vector<DeckBackupEntry> list = DeckBackup::List(wxString(Deck));
    ASSERT_EQ(list.size(), 10u);
    for (size_t i = 0; i < list.size(); ++i)
    {
        EXPECT_EQ(list[i].Cards, long(12 - i));
        EXPECT_EQ(std::string(list[i].Path.fn_str()), Backups + "/" + names[9 - i]);
        if (i > 0)
        {
            EXPECT_GT(list[i - 1].Time, list[i].Time);
        }
    }
    // Read back into the deck: media names still belong to the deck's folder.
    Cards.clear();
    Cards.emplace_back();
    Cards[0].QuestionPicture = wxFileName(wxString(Folder + "/pics/a.png"));
    ASSERT_TRUE(SaveDeck());
    ASSERT_TRUE(SaveDeck());
    Cards.clear();
    ASSERT_EQ(LoadDeckFrom(DeckBackup::List(wxString(Deck))[0].Path), LoadResult::Loaded);
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_EQ(std::string(Cards[0].QuestionPicture.GetFullPath().fn_str()), Folder + "/pics/a.png");

    Options.KeepBackups = 0;
    SaveCards(1);
    EXPECT_EQ(Names(Backups).size(), 10u) << "off: none made, none removed";
}

TEST_F(DeckBackups, AClockSetBackNeverReusesOrOutranksAName)
{
    // A backup made "in the future", then two saves in the same second.
    const std::string future = DeckBackup::NameFor("deck.mnd", std::time(nullptr) + 3600);
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
        Log.Warnings.clear();
        std::system(("rm -rf '" + Backups + "'").c_str());
        if (link)
            ASSERT_EQ(symlink(outside.c_str(), Backups.c_str()), 0);
        else
            Write(Backups, "a file");
        SaveCards(4);
        SaveCards(5);
        EXPECT_EQ(Read(Deck).find("Q4") != std::string::npos, true) << link;
        EXPECT_EQ(Log.Warnings.size(), 1u) << "one warning per session";
        EXPECT_TRUE(Names(outside).empty()) << "nothing written through the link";
        if (!link)
        {
            EXPECT_EQ(Read(Backups), "a file");
        }
    }
}

TEST_F(DeckBackups, TenThousandOldBackupsAreCutToTheNewestTen)
{
    mkdir(Backups.c_str(), 0700);
    const std::time_t start = std::time(nullptr) - 20000;
    for (int i = 0; i < 10000; ++i)
        close(open((Backups + "/" + DeckBackup::NameFor("deck.mnd", start + i)).c_str(),
                   O_CREAT | O_WRONLY, 0600));
    // Another deck's backups in the same folder are not counted or touched.
    Write(Backups + "/" + DeckBackup::NameFor("deck.mnd.old", start), "other deck");
    SaveCards(2);
    const std::vector<std::string> names = Names(Backups);
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names.back(), DeckBackup::NameFor("deck.mnd.old", start));
    EXPECT_EQ(names[0], DeckBackup::NameFor("deck.mnd", start + 9991));
}
