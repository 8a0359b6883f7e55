// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and broken deck files: decks larger than the memory, binary files, shared and huge
// pictures. Memory limits apply only inside a forked child, which reports back through a pipe.
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include "ChildProcess.h"
#include "ErrorLog.h"
#include "TempFolder.h"
#include "deck/DeckFile.h"
#include "deck/PictureHeader.h"
#include "deck/mnemora.h"

namespace
{
class HostileDeck : public TempFolder
{
protected:
    void SetUp() override
    {
        TempFolder::SetUp();
        Cards.clear();
    }

    std::string Path(const std::string& name) const { return Folder.utf8_string() + "/" + name; }

    /// Runs `body` in a forked child whose address space may grow by at most `extra` bytes
    /// beyond what it uses now; returns what the body returned, or "crashed".
    static std::string InChildWithMemoryLimit(size_t extra,
                                              const std::function<std::string()>& body)
    {
        return InChild(
            [&]() -> std::string
            {
                std::ifstream status("/proc/self/status");
                std::string line;
                size_t used = 0;
                while (std::getline(status, line))
                    if (line.rfind("VmSize:", 0) == 0)
                        used = std::stoul(line.substr(7)) * 1024;
                const rlimit limit = {used + extra, used + extra};
                if (used == 0 || setrlimit(RLIMIT_AS, &limit) != 0)
                    return "";
                return body();
            });
    }

    /// In the child: one card in the deck, then `path` loaded; what happened, as text.
    std::string LoadOverOneCard(const std::string& path)
    {
        Card card;
        card.Question = "kept";
        Cards.assign(1, card);
        FileName = wxFileName(path);
        const LoadResult result = LoadDeck();
        return std::string(result == LoadResult::Unreadable ? "unreadable" : "loaded") + " " +
               std::to_string(Cards.size()) + " " + std::string(Cards[0].Question.utf8_str()) +
               " " + std::string(Log.All().utf8_str());
    }

    static void WriteRepeated(const std::string& path, const std::string& head,
                              const std::string& unit, size_t count, const std::string& tail)
    {
        std::ofstream out(path, std::ios::binary);
        out << head;
        std::string block;
        for (int i = 0; i < 4096; ++i)
            block += unit;
        for (size_t i = 0; i < count / 4096; ++i)
            out << block;
        out << tail;
    }

    ErrorLog Log;
};

TEST_F(HostileDeck, ADeckLargerThanTheMemoryIsRefusedAndTheOpenDeckKept)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator ends the program instead of throwing";
#endif
    const size_t limit = 256u << 20;
    WriteRepeated(Path("elements.mnd"),
                  "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\">", "<a/>",
                  3u << 20, "</Mnemoras>\n");
    WriteRepeated(Path("lines.mnd"), "#mnemora file version 2\n", "\n", 12u << 20, "");
    for (const char* name : {"elements.mnd", "lines.mnd"})
    {
        const std::string result =
            InChildWithMemoryLimit(limit, [&] { return LoadOverOneCard(Path(name)); });
        EXPECT_EQ(result.substr(0, 18), "unreadable 1 kept ") << name << ": " << result;
        EXPECT_NE(result.find("not enough memory"), std::string::npos) << result;
        EXPECT_NE(result.find(Path(name)), std::string::npos) << result;
    }
}

TEST_F(HostileDeck, ABinaryFileIsRefusedAtItsFirstNulByte)
{
    // A gigabyte that is not there: reading it whole would break the memory limit.
    {
        std::ofstream out(Path("binary.mnd"), std::ios::binary);
        out << std::string("first line\n\0rest", 16);
    }
    ASSERT_EQ(truncate(Path("binary.mnd").c_str(), 1L << 30), 0);
    const std::string result =
        InChildWithMemoryLimit(128u << 20, [&] { return LoadOverOneCard(Path("binary.mnd")); });
    EXPECT_EQ(result.substr(0, 18), "unreadable 1 kept ") << result;
    EXPECT_NE(result.find("is not a Mnemora deck"), std::string::npos) << result;
}

TEST_F(HostileDeck, EachPictureIsDecodedOnceAndHugeOnesNotAtAll)
{
    wxImage photo(600, 400);
    photo.SetRGB(wxRect(0, 0, 600, 400), 10, 120, 200);
    ASSERT_TRUE(photo.SaveFile(Path("photo.jpg"), wxBITMAP_TYPE_JPEG));
    ASSERT_TRUE(photo.SaveFile(Path("photo.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(photo.SaveFile(Path("photo.bmp"), wxBITMAP_TYPE_BMP));
    for (const char* name : {"photo.jpg", "photo.png", "photo.bmp"})
        EXPECT_EQ(ReadPictureSize(Path(name)), wxSize(600, 400)) << name;
    EXPECT_EQ(ReadPictureSize(Path("missing.png")), wxDefaultSize);

    // Wider than any screen or page, though small on the disk and quick to decode.
    const wxImage strip(20000, 40);
    ASSERT_TRUE(strip.SaveFile(Path("strip.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(strip.SaveFile(Path("strip.jpg"), wxBITMAP_TYPE_JPEG));
    EXPECT_TRUE(IsPictureTooLarge(ReadPictureSize(Path("strip.jpg"))));
    EXPECT_FALSE(IsPictureTooLarge(wxSize(8000, 6000)));
    EXPECT_TRUE(IsPictureTooLarge(wxSize(10000, 10000)));

    std::string deck = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\">\n";
    for (int i = 0; i < 3; ++i)
        deck +=
            "<Card Question=\"q\" QuestionPicture=\"photo.jpg\" AnswerPicture=\"strip.png\"/>\n";
    deck += "<Card Question=\"q\" QuestionPicture=\"photo.png\" AnswerPicture=\"strip.jpg\"/>\n";
    deck += "</Mnemoras>\n";
    std::ofstream(Path("pictures.mnd"), std::ios::binary) << deck;
    FileName = wxFileName(Path("pictures.mnd"));
    ASSERT_EQ(LoadDeck(), LoadResult::Loaded);
    ASSERT_EQ(Cards.size(), 4u);
    ASSERT_TRUE(Cards[0].QuestionBitmap.IsOk());
    EXPECT_EQ(Cards[0].QuestionBitmap.GetSize(), wxSize(500, 333));
    for (int i = 1; i < 3; ++i)
        EXPECT_TRUE(Cards[size_t(i)].QuestionBitmap.IsSameAs(Cards[0].QuestionBitmap)) << i;
    EXPECT_FALSE(Cards[3].QuestionBitmap.IsSameAs(Cards[0].QuestionBitmap));
    for (const Card& card : Cards)
    {
        EXPECT_FALSE(card.AnswerBitmap.IsOk());
        EXPECT_TRUE(card.AnswerPicture.GetFullName().StartsWith("strip."));
    }
}
} // namespace
