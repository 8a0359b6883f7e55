// SPDX-License-Identifier: GPL-3.0-or-later
// Anki deck packages: both layouts with their media, names already taken, and broken packages
// that must leave the open deck as it was.
#include <string>

#include "ErrorLog.h"
#include "PackageBuilder.h"
#include "TempFolder.h"
#include "deck/AnkiPackage.h"

namespace
{
const std::string Picture = "picture bytes";
const std::string Sound = "sound bytes";

class AnkiPackage : public TempFolder
{
protected:
    /// Writes the package `name`.apkg into the folder and returns its path.
    wxString Package(const std::string& name, const ZipMembers& members) const
    {
        const std::string path = Folder.utf8_string() + "/" + name + ".apkg";
        EXPECT_TRUE(WriteZip(path, members));
        return wxString::FromUTF8(path);
    }

    ErrorLog Log;
};
} // namespace

TEST_F(AnkiPackage, BothLayoutsGiveTheNotesInOrderWithTheirMedia)
{
    // Ids give the order the notes were made in, not the order of the rows.
    const std::vector<std::string> notes = {"<b>Gato</b><img src=\"cat.png\">\x1f"
                                            "cat [sound:meow.mp3]\x1f"
                                            "extra field",
                                            "Only one field", "\x1f\x1f",
                                            "{{c1::Madrid}} is the capital\x1fSpain"};
    const std::vector<long long> ids = {20, 10, 30, 40};
    for (const bool newer : {false, true})
    {
        const wxString path = Package(
            newer ? "Spanish new" : "Spanish old",
            PackageMembers(newer, notes,
                           {{"cat.png", Picture}, {"unused.png", "x"}, {"meow.mp3", Sound}}, ids));
        ASSERT_TRUE(ImportAnkiPackage(path)) << Log.All();
        const wxString media = Folder + (newer ? "/Spanish new media/" : "/Spanish old media/");
        ASSERT_EQ(PairsOf(Cards), (Pairs{{"Only one field", ""},
                                         {"**Gato**", "cat "},
                                         {"Madrid is the capital", "Spain"}}));
        EXPECT_EQ(Cards[1].QuestionPicture.GetFullPath(), media + "cat.png");
        EXPECT_EQ(Cards[1].AnswerSound.GetFullPath(), media + "meow.mp3");
        EXPECT_EQ(Read(media + "cat.png"), Picture);
        EXPECT_EQ(Read(media + "meow.mp3"), Sound);
        EXPECT_FALSE(wxFileName::FileExists(media + "unused.png"));
        EXPECT_TRUE(Cards[1].History.empty());
        EXPECT_TRUE(Modified);
        EXPECT_EQ(FileName.GetFullName(), newer ? "Spanish new.mnd" : "Spanish old.mnd");
    }
}

TEST_F(AnkiPackage, AFileOfTheSameNameIsKeptUnlessItIsTheSame)
{
    const wxString path =
        Package("deck", PackageMembers(false, {"<img src=\"a.png\">\x1f<img src=\"b.png\">"},
                                       {{"a.png", "new a"}, {"b.png", "same b"}}));
    ASSERT_TRUE(wxFileName::Mkdir(Folder + "/deck media"));
    Write("deck media/a.png", "old a");
    Write("deck media/b.png", "same b");
    ASSERT_TRUE(ImportAnkiPackage(path)) << Log.All();
    EXPECT_EQ(Read(Folder + "/deck media/a.png"), "old a");
    EXPECT_EQ(Cards[0].QuestionPicture.GetFullPath(), Folder + "/deck media/a (2).png");
    EXPECT_EQ(Read(Folder + "/deck media/a (2).png"), "new a");
    EXPECT_EQ(Cards[0].AnswerPicture.GetFullPath(), Folder + "/deck media/b.png");
}

TEST_F(AnkiPackage, BrokenPackagesAreRefusedWithTheOpenDeckKept)
{
    const std::string collection = MakeCollection({"q\x1f"
                                                   "a"});
    const std::string zeros(20 << 20, '\0');
    auto withMedia = [](const std::string& list)
    {
        ZipMembers members = PackageMembers(false, {"q\x1f<img src=\"x.png\">"}, {{"x.png", "x"}});
        members[1].second = list;
        return members;
    };
    // A member whose stated size is past 1 GB is refused before a byte is unpacked.
    const wxString lying = Package("lying", {{"collection.anki2", collection}});
    std::string bytes = Read(lying);
    bytes.replace(bytes.find("PK\x01\x02") + 24, 4, std::string("\x00\x00\x00\x50", 4));
    Write("lying.apkg", bytes);
    const std::pair<wxString, const char*> cases[] = {
        {Write("text.apkg", "just text"), "is not an Anki deck package"},
        {Package("no-collection", {{"readme.txt", "hello"}}), "is not an Anki deck package"},
        {Package("not-sqlite", {{"collection.anki2", "plain text, not a database"}}),
         "not an SQLite"},
        {Package("encrypted", {{"collection.anki21", std::string(4096, '\x5A')}}), "encrypted"},
        {Package("empty", {{"collection.anki2", ""}}), "is empty"},
        {Package("truncated", {{"collection.anki2", collection.substr(0, collection.size() / 2)}}),
         "truncated or damaged"},
        {Package("no-notes", {{"collection.anki2", MakeCollection({}).substr(0, 4096)}}),
         "damaged"},
        {Package("bomb", {{"collection.anki2", zeros}}), "200 times"},
        {Package("zstd-bomb", {{"collection.anki21b", ZstdFrame(zeros)}}), "200 times"},
        {lying, "1 GB"},
        {Package("climbing", withMedia("{\"0\": \"../x.png\"}")), "outside its folder: '../x.png'"},
        {Package("absolute", withMedia("{\"0\": \"/tmp/x.png\"}")), "outside its folder"},
        {Package("nul", withMedia("{\"0\": \"x\\u0000.png\"}")), "outside its folder"},
        {Package("broken-media-list", withMedia("{\"0\": ")), "media files"},
    };
    for (const auto& [path, message] : cases)
    {
        Log.Errors.clear();
        EXPECT_FALSE(ImportAnkiPackage(path)) << path;
        EXPECT_NE(Log.Last().find(message), wxString::npos) << path << ": " << Log.Last();
        ExpectOldDeck();
        EXPECT_FALSE(wxFileName::DirExists(path.BeforeLast('.') + " media")) << path;
    }
}

TEST_F(AnkiPackage, AHundredThousandNotes)
{
    std::vector<std::string> notes;
    for (int i = 0; i < 100000; ++i)
        notes.push_back("q" + std::to_string(i) + "\x1f" + "a");
    ASSERT_TRUE(ImportAnkiPackage(Package("big", PackageMembers(true, notes))));
    ASSERT_EQ(Cards.size(), 100000u);
    EXPECT_EQ(Cards[99999].Question, "q99999");
}
