// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a deck where the file or its folder is protected, through links, and under the longest
// names: a refused save leaves everything as it was and names the deck in its message.
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ChildProcess.h"
#include "ErrorLog.h"
#include "TempFolder.h"
#include "deck/DeckFile.h"
#include "deck/mnemora.h"

namespace
{
constexpr uid_t Nobody = 65534;

class DeckSave : public TempFolder
{
protected:
    void SetUp() override
    {
        TempFolder::SetUp();
        ASSERT_EQ(chmod(Folder.c_str(), 0777), 0);
        Cards[0].Question = "new question";
        Cards[0].Answer = "new answer";
    }

    void TearDown() override
    {
        std::system(("chmod -R u+w '" + Folder + "'").c_str());
        TempFolder::TearDown();
    }

    std::string Path(const std::string& name) const { return Folder.utf8_string() + "/" + name; }

    static void Write(const std::string& path, const std::string& bytes, mode_t mode, uid_t owner)
    {
        wxFFile file(path, "wb");
        ASSERT_TRUE(file.IsOpened());
        ASSERT_TRUE(file.Write(bytes.data(), bytes.size()) == bytes.size());
        file.Close();
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        if (geteuid() == 0)
        {
            ASSERT_EQ(chown(path.c_str(), owner, owner), 0);
        }
    }

    static std::string Read(const std::string& path)
    {
        wxFFile file(path, "rb");
        wxString text;
        return file.IsOpened() && file.ReadAll(&text) ? std::string(text.utf8_str()) : "";
    }

    /// Saves `path` as another user than root (a forked child that gives up root) and returns
    /// "saved" or "kept*", then the error message.
    std::string SaveAsUser(const std::string& path)
    {
        return InChild(
            [&]() -> std::string
            {
                if (geteuid() == 0 && (setgid(Nobody) != 0 || setuid(Nobody) != 0))
                    return "";
                FileName = wxFileName(path);
                Modified = true;
                const bool saved = SaveDeck();
                return std::string(saved ? "saved" : "kept") + (Modified ? "*" : "") + " " +
                       std::string(Log.Last().utf8_str());
            });
    }

    /// How many entries the folder holds, hidden ones too.
    static size_t Entries(const wxString& folder)
    {
        wxDir dir(folder);
        wxString name;
        size_t count = 0;
        for (bool more = dir.GetFirst(&name, "", wxDIR_FILES | wxDIR_HIDDEN | wxDIR_DIRS); more;
             more = dir.GetNext(&name))
            ++count;
        return count;
    }

    ErrorLog Log;
};

TEST_F(DeckSave, FilesTheUserMayNotWriteAreLeftAsTheyWere)
{
    // A root folder only root may enter (as in some chroots) would refuse every save for reasons
    // of its own, and the refusals below would prove nothing.
    const std::string reach = InChild(
        [&]() -> std::string
        {
            if (geteuid() == 0 && (setgid(Nobody) != 0 || setuid(Nobody) != 0))
                return "";
            return access(Folder.c_str(), W_OK | X_OK) == 0 ? "yes" : "no";
        });
    if (reach != "yes")
        GTEST_SKIP() << "user nobody cannot reach " << Folder;
    const uid_t user = geteuid() == 0 ? Nobody : geteuid();
    const uid_t other = geteuid() == 0 ? 0 : geteuid();
    Write(Path("protected.mnd"), "read-only deck", 0444, user);
    Write(Path("own.mnd"), "own deck", 0644, user);
    if (geteuid() == 0)
    {
        Write(Path("theirs.mnd"), "their deck", 0644, other);
        Write(Path("shared.mnd"), "shared deck", 0666, other);
    }
    ASSERT_EQ(mkdir(Path("locked").c_str(), 0755), 0);
    Write(Path("locked/deck.mnd"), "locked deck", 0666, user);
    if (geteuid() == 0)
    {
        ASSERT_EQ(chown(Path("locked").c_str(), user, user), 0);
    }
    ASSERT_EQ(chmod(Path("locked").c_str(), 0555), 0);

    for (const char* name : {"protected.mnd", "theirs.mnd", "shared.mnd", "locked/deck.mnd"})
    {
        const std::string path = Path(name);
        if (!wxFileExists(path))
            continue;
        const std::string before = Read(path);
        struct stat was;
        ASSERT_EQ(stat(path.c_str(), &was), 0);
        const std::string result = SaveAsUser(path);
        EXPECT_EQ(result.substr(0, 6), "kept* ") << name;
        EXPECT_NE(result.find(path), std::string::npos) << result;
        EXPECT_EQ(result.find("/."), std::string::npos) << "no temporary name: " << result;
        EXPECT_EQ(Read(path), before) << name;
        struct stat now;
        ASSERT_EQ(stat(path.c_str(), &now), 0);
        EXPECT_EQ(now.st_ino, was.st_ino) << name;
        EXPECT_EQ(now.st_uid, was.st_uid) << name;
    }
    EXPECT_NE(SaveAsUser(Path("locked/deck.mnd")).find("Permission denied"), std::string::npos);
    EXPECT_NE(SaveAsUser(Path("protected.mnd")).find("Permission denied"), std::string::npos);

    EXPECT_EQ(SaveAsUser(Path("own.mnd")), "saved ");
    EXPECT_NE(Read(Path("own.mnd")).find("new question"), std::string::npos);
    struct stat own;
    ASSERT_EQ(stat(Path("own.mnd").c_str(), &own), 0);
    EXPECT_EQ(own.st_uid, user);
    EXPECT_EQ(own.st_mode & 0777, 0644u);
    // One more entry: the backup folder that the save of own.mnd made for the file it replaced.
    EXPECT_EQ(Entries(Folder), geteuid() == 0 ? 6u : 4u) << "no temporary file is left";
    EXPECT_EQ(Entries(Path(".mnemora-backup")), 1u);
}

TEST_F(DeckSave, LinksAreFollowedOrRefused)
{
    // A link to a file not yet there: the file is written where the link points.
    ASSERT_EQ(symlink("decks/new.mnd", Path("link.mnd").c_str()), 0);
    ASSERT_EQ(mkdir(Path("decks").c_str(), 0755), 0);
    FileName = wxFileName(Path("link.mnd"));
    ASSERT_TRUE(SaveDeck()) << Log.Last();
    struct stat info;
    ASSERT_EQ(lstat(Path("link.mnd").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_NE(Read(Path("decks/new.mnd")).find("new question"), std::string::npos);

    ASSERT_EQ(symlink("loop-b.mnd", Path("loop-a.mnd").c_str()), 0);
    ASSERT_EQ(symlink("loop-a.mnd", Path("loop-b.mnd").c_str()), 0);
    FileName = wxFileName(Path("loop-a.mnd"));
    Modified = true;
    EXPECT_FALSE(SaveDeck());
    EXPECT_TRUE(Modified);
    EXPECT_NE(Log.Last().find(Path("loop-a.mnd")), wxString::npos) << Log.Last();
    EXPECT_NE(Log.Last().find("symbolic links"), wxString::npos) << Log.Last();
    EXPECT_EQ(lstat(Path("loop-a.mnd").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(Entries(Folder), 4u);
}

TEST_F(DeckSave, EveryNameTheFolderTakesCanBeSaved)
{
    for (size_t length = 247; length <= 255; ++length)
    {
        // Two-byte letters at the end: the temporary name must not split one.
        const std::string name = std::string(length - 6, 'd') + "\xC3\xA4.mnd";
        ASSERT_EQ(name.size(), length);
        FileName = wxFileName(wxString::FromUTF8(Path(name)));
        Modified = true;
        ASSERT_TRUE(SaveDeck()) << length << " " << Log.Last();
        EXPECT_FALSE(Modified);
        Cards.clear();
        ASSERT_EQ(LoadDeck(), LoadResult::Loaded) << length;
        ASSERT_EQ(Cards.size(), 1u);
        EXPECT_EQ(Cards[0].Question, "new question");
        ASSERT_EQ(unlink(Path(name).c_str()), 0);
        EXPECT_EQ(Entries(Folder), 0u) << length;
    }
}
} // namespace
