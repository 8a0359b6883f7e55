// SPDX-License-Identifier: GPL-3.0-or-later
// Deck files: the XML format byte for byte, the older line formats, media names, merging,
// safe saving and broken input.
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ErrorLog.h"
#include "TempFolder.h"
#include "deck/DeckFile.h"
#include "deck/mnemora.h"

namespace
{
const char Declaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
const wxString VersionMessage = "This version of Mnemora cannot open the file you have selected.";
const wxString OlderNotice =
    "The file you have opened was saved by an older version of Mnemora.  If you save the file "
    "using this version,\nyou will no longer be able to open it with the older version.";

class DeckFile : public TempFolder
{
protected:
    void SetUp() override
    {
        TempFolder::SetUp();
        Cards.clear();
        PreviousHandler =
            SetDeckMessageHandler([this](const wxString& text) { Messages.push_back(text); });
    }

    void TearDown() override
    {
        SetDeckMessageHandler(PreviousHandler);
        TempFolder::TearDown();
    }

    wxString Path(const wxString& name) const { return Folder + "/" + name; }

    static void WriteBytes(const wxString& path, const std::string& bytes)
    {
        wxFileName::Mkdir(wxFileName(path).GetPath(), 0755, wxPATH_MKDIR_FULL);
        wxFFile file(path, "wb");
        ASSERT_TRUE(file.IsOpened());
        ASSERT_TRUE(file.Write(bytes.data(), bytes.size()) == bytes.size());
    }

    static std::string ReadBytes(const wxString& path)
    {
        wxFFile file(path, "rb");
        std::string bytes;
        char chunk[4096];
        size_t got;
        while (file.IsOpened() && (got = file.Read(chunk, sizeof chunk)) > 0)
            bytes.append(chunk, got);
        return bytes;
    }

    static void WritePicture(const wxString& path, int width, int height)
    {
        wxFileName::Mkdir(wxFileName(path).GetPath(), 0755, wxPATH_MKDIR_FULL);
        wxImage image(width, height);
        image.SetRGB(wxRect(0, 0, width, height), 200, 30, 40);
        ASSERT_TRUE(image.SaveFile(path, wxBITMAP_TYPE_PNG));
    }

    // Loads `bytes` as the deck file `name` into the current deck.
    LoadResult Load(const std::string& bytes, const wxString& name = "deck.mnd")
    {
        WriteBytes(Path(name), bytes);
        FileName = wxFileName(Path(name));
        return LoadDeck();
    }

    static std::string Xml(const std::string& body)
    {
        return Declaration + std::string("<Mnemoras Version=\"1\">\n") + body + "</Mnemoras>\n";
    }

    std::vector<wxString> FolderEntries() const
    {
        std::vector<wxString> names;
        wxDir dir(Folder);
        wxString name;
        for (bool more = dir.GetFirst(&name, "", wxDIR_FILES | wxDIR_HIDDEN | wxDIR_DIRS); more;
             more = dir.GetNext(&name))
            names.push_back(name);
        return names;
    }

    ErrorLog Log;
    DeckMessageHandler PreviousHandler;
    std::vector<wxString> Messages;
};

Card MakeCard(const wxString& question, const wxString& answer, const wxString& history)
{
    Card card;
    card.Question = question;
    card.Answer = answer;
    card.History = history;
    return card;
}
} // namespace

TEST_F(DeckFile, WritesTheExactBytes)
{
    FileName = wxFileName(Path("deck.mnd"));
    Cards.push_back(MakeCard("2+2?", "4", "YY"));
    Cards[0].QuestionPicture = wxFileName(Path("pics/four.png"));
    Cards.push_back(MakeCard(wxString(L"\"Caf\u00e9\" & <b>\tx\ny\rz \u20ac\U0001F600"), "", "N"));
    Cards[1].AnswerSound = wxFileName(Path("sub/a.ogg"));
    Cards[1].QuestionSound = wxFileName(Path("q.wav"));
    wxFileName up(Folder + "/../up.png");
    up.MakeAbsolute();
    Cards[1].AnswerPicture = up;
    // Characters XML cannot carry are left out rather than spoiling the whole file.
    Cards.push_back(MakeCard(wxString(L"a\x01"
                                      L"b\x0B"
                                      L"c"),
                             wxString(L"\xFFFE"
                                      L"d"),
                             ""));
    Modified = true;

    ASSERT_TRUE(SaveDeck());
    EXPECT_FALSE(Modified);
    EXPECT_EQ(ReadBytes(Path("deck.mnd")),
              std::string(Declaration) +
                  "<Mnemoras Version=\"1\">\n"
                  "  <Card Question=\"2+2?\" Answer=\"4\" History=\"YY\" "
                  "QuestionPicture=\"pics/four.png\"/>\n"
                  "  <Card Question=\"&quot;Caf\xC3\xA9&quot; &amp; &lt;b&gt;&#x9;x&#xA;y&#xD;z "
                  "\xE2\x82\xAC\xF0\x9F\x98\x80\" Answer=\"\" History=\"N\" "
                  "AnswerPicture=\"../up.png\" QuestionSound=\"q.wav\" "
                  "AnswerSound=\"sub/a.ogg\"/>\n"
                  "  <Card Question=\"abc\" Answer=\"d\" History=\"\"/>\n"
                  "</Mnemoras>\n");

    Cards.clear();
    ASSERT_TRUE(SaveDeck());
    EXPECT_EQ(ReadBytes(Path("deck.mnd")),
              std::string(Declaration) + "<Mnemoras Version=\"1\"/>\n");
    EXPECT_TRUE(Log.Errors.empty());
}

TEST_F(DeckFile, LongTextsLeaveOutWhatXmlCannotCarryAtEveryPlace)
{
    // Control characters, surrogates, U+FFFE, U+FFFF and values past U+10FFFF, with an escape
    // and a letter, at each place of the sixteen-character runs long texts are encoded in.
    const std::wstring left = {1, 0x1F, 0xD800, 0xDFFF, 0xFFFE, 0xFFFF, 0x110000, wchar_t(-1)};
    FileName = wxFileName(Path("deck.mnd"));
    std::string expected = std::string(Declaration) + "<Mnemoras Version=\"1\">\n";
    for (size_t at = 0; at <= 20; ++at)
    {
        Cards.push_back(MakeCard(
            std::wstring(at, 'x') + left + L"&\u00e9" + std::wstring(20 - at, 'y'), "", ""));
        expected += "  <Card Question=\"" + std::string(at, 'x') + "&amp;\xC3\xA9" +
                    std::string(20 - at, 'y') + "\" Answer=\"\" History=\"\"/>\n";
    }
    ASSERT_TRUE(SaveDeck());
    EXPECT_EQ(ReadBytes(Path("deck.mnd")), expected + "</Mnemoras>\n");
}

TEST_F(DeckFile, EveryTextSurvivesASaveAndALoad)
{
    const wxString texts[] = {
        wxString(L"  two  blanks\tand\ttabs  "), wxString(L"line one\nline two\r\nline three\r"),
        wxString(L"**bold** __under__ //italic// <not a tag> &amp; \"q\" 'a'"),
        wxString(L"\u00e9\u00fc\u20ac\u201c\u201d \u65e5\u672c \U0001F30D"),
        wxString(1000000, 'x')};
    FileName = wxFileName(Path("round.mnd"));
    for (const wxString& text : texts)
        Cards.push_back(MakeCard(text, text + "!", "YNNY"));
    ASSERT_TRUE(SaveDeck());
    Cards.clear();
    ASSERT_EQ(LoadDeck(), LoadResult::Loaded);
    ASSERT_EQ(Cards.size(), std::size(texts));
    for (size_t i = 0; i < Cards.size(); ++i)
    {
        EXPECT_EQ(Cards[i].Question, texts[i]);
        EXPECT_EQ(Cards[i].Answer, texts[i] + "!");
        EXPECT_EQ(Cards[i].History, "YNNY");
        EXPECT_EQ(Cards[i].Score, 50.0f);
    }
}

TEST_F(DeckFile, EscapesAndNonAsciiAreRightAtEveryPosition)
{
    // Plain ASCII runs are handled in blocks: put each special character at every offset.
    const wxString specials[] = {"&",
                                 "<",
                                 ">",
                                 "\"",
                                 "\t",
                                 "\n",
                                 "\r",
                                 " ",
                                 "~",
                                 "'",
                                 wxString(L"\x7F"),
                                 wxString(L"\u00e9"),
                                 wxString(L"\u20ac"),
                                 wxString(L"\U0001F600")};
    FileName = wxFileName(Path("positions.mnd"));
    std::vector<wxString> expected;
    for (const wxString& special : specials)
    {
        for (int before = 0; before < 20; ++before)
        {
            const wxString text = wxString(before, 'a') + special + wxString(19 - before, 'b');
            Cards.push_back(MakeCard(text, text + wxString(L"\x01") + text, ""));
            expected.push_back(text);
        }
    }
    ASSERT_TRUE(SaveDeck());
    Cards.clear();
    ASSERT_EQ(LoadDeck(), LoadResult::Loaded);
    ASSERT_EQ(Cards.size(), expected.size());
    for (size_t i = 0; i < Cards.size(); ++i)
    {
        EXPECT_EQ(Cards[i].Question, expected[i]);
        EXPECT_EQ(Cards[i].Answer, expected[i] + expected[i]);
    }
}

TEST_F(DeckFile, AttributeValuesAreReadAsXmlDefinesThem)
{
    ASSERT_EQ(Load(std::string(Declaration) +
                   "<!DOCTYPE Mnemoras [<!ENTITY city \"Paris\">]>\n"
                   "<Mnemoras Version=\"1\">\n"
                   "<Card Question=\"a\nb\tc\r\nd\" Answer=\"a&#10;b&#xA;c&#9;d&#13;\" "
                   "History=\"YN\"/>\n"
                   "<Card Question=\"&amp;&lt;&gt;&quot;&apos;\" Answer=\"&city; &#x1F600;\" "
                   "Extra=\"ignored\"/>\n"
                   "<Card Answer='single &quot;quoted&quot;'/>\n"
                   "</Mnemoras>\n"),
              LoadResult::Loaded);
    ASSERT_EQ(Cards.size(), 3u);
    EXPECT_EQ(Cards[0].Question, "a b c d");
    EXPECT_EQ(Cards[0].Answer, "a\nb\nc\td\r");
    EXPECT_EQ(Cards[1].Question, "&<>\"'");
    EXPECT_EQ(Cards[1].Answer, wxString(L"Paris \U0001F600"));
    EXPECT_EQ(Cards[1].History, "");
    EXPECT_EQ(Cards[2].Question, "");
    EXPECT_EQ(Cards[2].Answer, "single \"quoted\"");
    EXPECT_EQ(Cards[0].Score, 50.0f);
}

TEST_F(DeckFile, OnlyElementChildrenOfTheRootBecomeCards)
{
    ASSERT_EQ(Load(std::string(Declaration) +
                   "<?style sheet?>\n<!-- before -->\n"
                   "<Deck Version=\"1\">stray text<!-- comment --><?pi data?><![CDATA[<Card/>]]>"
                   "<Card Question=\"one\"><Card Question=\"nested\"/></Card>"
                   "<Other Question=\"two\" Answer=\"2\"/>\n"
                   "  <Card Question=\"three\"/>\n"
                   "</Deck>\n<!-- after -->\n"),
              LoadResult::Loaded);
    ASSERT_EQ(Cards.size(), 3u);
    EXPECT_EQ(Cards[0].Question, "one");
    EXPECT_EQ(Cards[1].Question, "two");
    EXPECT_EQ(Cards[1].Answer, "2");
    EXPECT_EQ(Cards[2].Question, "three");
}

TEST_F(DeckFile, AnotherVersionShowsTheMessageAndAddsNothing)
{
    Cards.push_back(MakeCard("kept", "", ""));
    for (const char* root : {"<Mnemoras Version=\"2\">", "<Mnemoras>", "<Mnemoras Version=\"\">",
                             "<Mnemoras Version=\"one\">", "<Mnemoras Version=\"-1\">",
                             "<Mnemoras Version=\"10000000000000000000001\">"})
    {
        Messages.clear();
        EXPECT_EQ(Load(Declaration + std::string(root) + "<Card Question=\"q\"/></Mnemoras>"),
                  LoadResult::WrongVersion)
            << root;
        EXPECT_EQ(Messages, std::vector<wxString>{VersionMessage});
        EXPECT_EQ(Cards.size(), 1u);
    }
    // The number is read like a C integer: blanks, a sign, digits up to the first non-digit.
    for (const char* root : {"<Mnemoras Version=\" +1x\">", "<Mnemoras Version=\"01\">",
                             "<Mnemoras Version=\"1.5\">", "<Mnemoras Version=\"&#9;1\">"})
    {
        Messages.clear();
        EXPECT_EQ(Load(Declaration + std::string(root) + "<Card Question=\"q\"/></Mnemoras>"),
                  LoadResult::Loaded)
            << root;
        EXPECT_TRUE(Messages.empty());
    }
    EXPECT_EQ(Cards.size(), 5u);
    EXPECT_TRUE(Log.Errors.empty());
}

TEST_F(DeckFile, TheFirstLineDecidesTheFormat)
{
    const std::string body = "<Mnemoras Version=\"1\"><Card Question=\"q\"/></Mnemoras>\n";
    EXPECT_EQ(Load("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n" + body), LoadResult::Loaded);
    EXPECT_EQ(Load("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + body),
              LoadResult::Loaded);
    EXPECT_EQ(Cards.size(), 2u);
    EXPECT_TRUE(Messages.empty());

    // An XML declaration however spelt goes to the XML reader, never to the older formats.
    Cards.clear();
    for (const char* declaration :
         {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<?xml version='1.0' encoding='utf-8'?>",
          "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>",
          "\xEF\xBB\xBF<?xml\tversion=\"1.0\"?>"})
        EXPECT_EQ(Load(declaration + std::string("\n") + body), LoadResult::Loaded) << declaration;
    EXPECT_EQ(Cards.size(), 4u);
    EXPECT_EQ(Load("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Mnemoras Version=\"1\">\n"),
              LoadResult::Unreadable);
    EXPECT_EQ(Cards.size(), 4u);
    EXPECT_TRUE(Messages.empty());

    // Any other first line is an older deck's.
    Cards.clear();
    EXPECT_EQ(Load("<?xml-stylesheet?>\n<Card/>\n"), LoadResult::LegacyLoaded);
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_EQ(Cards[0].Question, "<Card/>");
    EXPECT_EQ(Messages, std::vector<wxString>{OlderNotice});
}

TEST_F(DeckFile, AnUnparsableDocumentAddsNothing)
{
    Cards.push_back(MakeCard("one", "1", "Y"));
    Cards.push_back(MakeCard("two", "2", "N"));
    const std::string broken[] = {
        Declaration,
        Declaration + std::string("<Mnemoras Version=\"1\"><Card Question=\"q\"/>"),
        Declaration + std::string("<Mnemoras Version=\"1\"><Card Question=\"q"),
        Xml("<Card Question=\"q\"/>") + "<Second/>",
        Xml("<Card Question=\"caf\xE9\"/>"),
        Xml("<Card Question=\"a\" Question=\"b\"/>"),
        Xml("<Card Question=\"&nosuch;\"/>"),
        Xml("<Card Question=\"a<b\"/>"),
        Xml("<Card Question=\"&#1;\"/>"),
        Xml("<Card Question=\"q\"/><!-- open"),
        Declaration + std::string("<Mnemoras Version=\"2\"><Card></Mnemoras>"),
        Declaration + std::string(1000, '\x01')};
    for (const std::string& bytes : broken)
    {
        Log.Errors.clear();
        EXPECT_EQ(Load(bytes), LoadResult::Unreadable) << bytes;
        EXPECT_EQ(Log.Errors.size(), 1u) << bytes;
        ASSERT_EQ(Cards.size(), 2u) << bytes;
    }
    EXPECT_EQ(Cards[1].Question, "two");
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(Log.Errors.front().StartsWith("XML parsing error: '")) << Log.Errors.front();
}

TEST_F(DeckFile, OlderVersionsFollowTheirLineLayouts)
{
    // Seven lines after a version-2 header: two whole cards and one with only its question.
    EXPECT_EQ(Load("#mnemora file version 2\nQ1\nA1\nYN\nQ2\nA2\nY\nQ3\n"),
              LoadResult::LegacyLoaded);
    ASSERT_EQ(Cards.size(), 3u);
    EXPECT_EQ(Cards[1].History, "Y");
    EXPECT_EQ(Cards[0].Score, 50.0f);
    EXPECT_EQ(Cards[2].Question, "Q3");
    EXPECT_EQ(Cards[2].Answer, "");
    EXPECT_EQ(Messages, std::vector<wxString>{OlderNotice});

    // Version 1: the first line is a title; DEL is a line break in texts but not in histories.
    Cards.clear();
    EXPECT_EQ(Load("My deck\r\nfirst\x7Fsecond\r\nA1\x7F"), LoadResult::LegacyLoaded);
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_EQ(Cards[0].Question, "first\nsecond");
    EXPECT_EQ(Cards[0].Answer, "A1\n");

    Cards.clear();
    EXPECT_EQ(Load("#mnemora file version 2\rQ\x7F\rA\rY\x7FN\r"), LoadResult::LegacyLoaded);
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_EQ(Cards[0].Question, "Q\n");
    EXPECT_EQ(Cards[0].History, wxString(L"Y\x7FN"));

    // Headers are compared exactly: anything else is a version-1 title.
    Cards.clear();
    EXPECT_EQ(Load("#mnemora file version 2 \nQ\nA\nYY\n"), LoadResult::LegacyLoaded);
    ASSERT_EQ(Cards.size(), 2u);
    EXPECT_EQ(Cards[1].Question, "YY");
    EXPECT_EQ(Cards[1].History, "");

    // Version 3 adds two picture lines, resolved against the deck's folder.
    WritePicture(Path("pics/q.png"), 20, 10);
    Cards.clear();
    EXPECT_EQ(Load("#mnemora file version 3\nQ\nA\nNNY\npics/q.png\n\nQ2\nA2\n\n\n" +
                   std::string(Folder.utf8_str()) + "/pics/q.png\n"),
              LoadResult::LegacyLoaded);
    ASSERT_EQ(Cards.size(), 2u);
    EXPECT_EQ(Cards[0].QuestionPicture.GetFullPath(), Path("pics/q.png"));
    EXPECT_EQ(Cards[0].QuestionBitmap.GetWidth(), 20);
    EXPECT_FALSE(Cards[0].AnswerPicture.IsOk());
    EXPECT_FALSE(Cards[0].AnswerBitmap.IsOk());
    EXPECT_EQ(Cards[1].History, "");
    EXPECT_EQ(Cards[1].QuestionPicture.GetFullPath(), "");
    EXPECT_EQ(Cards[1].AnswerPicture.GetFullPath(), Path("pics/q.png"));
    EXPECT_TRUE(Cards[1].AnswerBitmap.IsOk());
}

TEST_F(DeckFile, OlderLinesAreUtf8WhenValidAndWindows1252Otherwise)
{
    EXPECT_EQ(Load("#mnemora file version 2\n"
                   "caf\xE9 \xFC\xE4\n"
                   "\x80 5, \x93quoted\x94 \x91single\x92 \x85 \x81\n"
                   "Y\n"
                   "caf\xC3\xA9 \xE2\x82\xAC\n"
                   "na\xEFve\x7F\xE0 la carte\n"
                   "N\n"),
              LoadResult::LegacyLoaded);
    ASSERT_EQ(Cards.size(), 2u);
    EXPECT_EQ(Cards[0].Question, wxString(L"caf\u00e9 \u00fc\u00e4"));
    EXPECT_EQ(Cards[0].Answer,
              wxString(L"\u20ac 5, \u201cquoted\u201d \u2018single\u2019 \u2026 \u0081"));
    EXPECT_EQ(Cards[1].Question, wxString(L"caf\u00e9 \u20ac"));
    EXPECT_EQ(Cards[1].Answer, wxString(L"na\u00efve\n\u00e0 la carte"));
}

TEST_F(DeckFile, MediaNamesAreAbsoluteInMemoryAndRelativeOnDisk)
{
    WritePicture(Path("pics/four.png"), 30, 20);
    const wxString home = wxGetHomeDir();
    ASSERT_EQ(Load(Xml("<Card Question=\"q\" QuestionPicture=\"pics/four.png\" "
                       "AnswerPicture=\"./pics/../pics/four.png\" QuestionSound=\"../s.wav\" "
                       "AnswerSound=\"/snd/a.wav\"/>\n"
                       "<Card QuestionSound=\"~/x.wav\" QuestionPicture=\"\" "
                       "AnswerSound=\"~no-such-user-here/b.wav\"/>\n")),
              LoadResult::Loaded);
    ASSERT_EQ(Cards.size(), 2u);
    EXPECT_EQ(Cards[0].QuestionPicture.GetFullPath(), Path("pics/four.png"));
    EXPECT_EQ(Cards[0].AnswerPicture.GetFullPath(), Path("pics/four.png"));
    EXPECT_EQ(Cards[0].QuestionSound.GetFullPath(), wxFileName(Folder).GetPath() + "/s.wav");
    EXPECT_EQ(Cards[0].AnswerSound.GetFullPath(), "/snd/a.wav");
    EXPECT_EQ(Cards[0].QuestionBitmap.GetSize(), wxSize(30, 20));
    EXPECT_EQ(Cards[0].AnswerBitmap.GetSize(), wxSize(30, 20));
    EXPECT_EQ(Cards[1].QuestionSound.GetFullPath(), home + "/x.wav");
    EXPECT_FALSE(Cards[1].QuestionPicture.IsOk());
    // "~" of an unknown user is an ordinary folder beside the deck, and stays one on saving.
    EXPECT_EQ(Cards[1].AnswerSound.GetFullPath(), Path("~no-such-user-here/b.wav"));

    // Saved beside the pictures, the names become bare names again.
    FileName = wxFileName(Path("pics/copy.mnd"));
    ASSERT_TRUE(SaveDeck());
    const std::string saved = ReadBytes(Path("pics/copy.mnd"));
    EXPECT_NE(saved.find("QuestionPicture=\"four.png\" AnswerPicture=\"four.png\" "
                         "QuestionSound=\"../../s.wav\" AnswerSound=\"../../../snd/a.wav\""),
              std::string::npos)
        << saved;
    EXPECT_NE(saved.find("AnswerSound=\"../~no-such-user-here/b.wav\""), std::string::npos);
    FileName = wxFileName(Path("copy.mnd"));
    ASSERT_TRUE(SaveDeck());
    EXPECT_NE(ReadBytes(Path("copy.mnd")).find("AnswerSound=\"./~no-such-user-here/b.wav\""),
              std::string::npos);
}

TEST_F(DeckFile, WindowsMediaNamesFindTheirFilesBesideTheDeck)
{
    WritePicture(Path("deck/pics/four.png"), 12, 8);
    ASSERT_EQ(
        Load(Xml("<Card QuestionPicture=\"pics\\four.png\" AnswerPicture=\"C:\\img\\cat.jpg\" "
                 "QuestionSound=\"pics\\none.wav\" AnswerSound=\"..\\deck\\pics\\four.png\"/>"),
             "deck/deck.mnd"),
        LoadResult::Loaded);
    ASSERT_EQ(Cards.size(), 1u);
    const wxString deck = Path("deck");
    EXPECT_EQ(Cards[0].QuestionPicture.GetFullPath(), deck + "/pics/four.png");
    EXPECT_TRUE(Cards[0].QuestionBitmap.IsOk());
    // An absolute Windows name has no file here: the picture is missing, the card loads.
    EXPECT_EQ(Cards[0].AnswerPicture.GetFullPath(), deck + "/C:\\img\\cat.jpg");
    EXPECT_FALSE(Cards[0].AnswerBitmap.IsOk());
    EXPECT_EQ(Cards[0].QuestionSound.GetFullPath(), deck + "/pics\\none.wav");
    EXPECT_EQ(Cards[0].AnswerSound.GetFullPath(), deck + "/pics/four.png");

    ASSERT_TRUE(SaveDeck());
    EXPECT_NE(ReadBytes(Path("deck/deck.mnd"))
                  .find("QuestionPicture=\"pics/four.png\" AnswerPicture=\"C:\\img\\cat.jpg\" "
                        "QuestionSound=\"pics\\none.wav\" AnswerSound=\"pics/four.png\""),
              std::string::npos);
}

TEST_F(DeckFile, MergeAppendsAndResolvesAgainstTheMergedFile)
{
    WritePicture(Path("other/pics/p.png"), 5, 5);
    WriteBytes(Path("other/three.mnd"),
               Xml("<Card Question=\"m1\" QuestionPicture=\"pics/p.png\"/><Card Question=\"m2\"/>"
                   "<Card Question=\"m3\" History=\"YYYYYYYYYN\"/>"));
    for (int i = 0; i < 5; ++i)
        Cards.push_back(MakeCard(wxString::Format("c%d", i), "", ""));
    const wxFileName current(Path("main/deck.mnd"));
    wxFileName::Mkdir(Path("main"));

    FileName = wxFileName(Path("other/three.mnd"));
    ASSERT_EQ(LoadDeck(), LoadResult::Loaded);
    FileName = current;
    ASSERT_EQ(Cards.size(), 8u);
    EXPECT_EQ(Cards[4].Question, "c4");
    EXPECT_EQ(Cards[5].Question, "m1");
    EXPECT_EQ(Cards[7].Score, 90.0f);
    EXPECT_EQ(Cards[5].QuestionPicture.GetFullPath(), Path("other/pics/p.png"));
    EXPECT_FALSE(Modified);

    ASSERT_TRUE(SaveDeck());
    EXPECT_NE(ReadBytes(Path("main/deck.mnd")).find("QuestionPicture=\"../other/pics/p.png\""),
              std::string::npos);
}

TEST_F(DeckFile, AFailedSaveLeavesTheOldFileAndReportsTheError)
{
    Cards.push_back(MakeCard("q", "a", "Y"));
    Modified = true;
    WriteBytes(Path("not-a-folder"), "plain file");
    wxFileName::Mkdir(Path("a-folder.mnd"));
    for (const wxString& target :
         {Path("missing/deck.mnd"), Path("not-a-folder/deck.mnd"), Path("a-folder.mnd")})
    {
        Log.Errors.clear();
        FileName = wxFileName(target);
        EXPECT_FALSE(SaveDeck()) << target;
        EXPECT_TRUE(Modified);
        EXPECT_FALSE(Log.Errors.empty()) << target;
    }
    EXPECT_TRUE(wxDirExists(Path("a-folder.mnd")));
    EXPECT_EQ(ReadBytes(Path("not-a-folder")), "plain file");
    EXPECT_EQ(FolderEntries().size(), 2u);
}

TEST_F(DeckFile, AWriteThatFailsPartWayLeavesTheOldFileByteForByte)
{
    const std::string old = "#mnemora file version 2\nold\ndeck\nY\n";
    WriteBytes(Path("deck.mnd"), old);
    ASSERT_EQ(chmod(Path("deck.mnd").fn_str(), 0640), 0);
    FileName = wxFileName(Path("deck.mnd"));
    for (int i = 0; i < 2000; ++i)
        Cards.push_back(MakeCard(wxString::Format("question %d", i), "answer", "YNYN"));
    Modified = true;

    // The file size limit makes the disk refuse the write after the first 4 KB.
    rlimit previous;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveDeck();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(Modified);
    EXPECT_FALSE(Log.Errors.empty());
    EXPECT_EQ(ReadBytes(Path("deck.mnd")), old);
    EXPECT_EQ(FolderEntries(), std::vector<wxString>{"deck.mnd"});

    // Without the limit the same save succeeds and keeps the file's permissions.
    ASSERT_TRUE(SaveDeck());
    EXPECT_FALSE(Modified);
    struct stat info;
    ASSERT_EQ(stat(Path("deck.mnd").fn_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // The replaced file is kept in the backup folder; nothing else is left behind.
    std::vector<wxString> entries = FolderEntries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<wxString>{".mnemora-backup", "deck.mnd"}));
    Cards.clear();
    ASSERT_EQ(LoadDeck(), LoadResult::Loaded);
    EXPECT_EQ(Cards.size(), 2000u);
}

TEST_F(DeckFile, SavingThroughALinkReplacesTheLinkedFile)
{
    WriteBytes(Path("real/deck.mnd"), "old");
    ASSERT_EQ(symlink(Path("real/deck.mnd").fn_str(), Path("link.mnd").fn_str()), 0);
    FileName = wxFileName(Path("link.mnd"));
    Cards.push_back(MakeCard("q", "a", ""));
    ASSERT_TRUE(SaveDeck());
    struct stat info;
    ASSERT_EQ(lstat(Path("link.mnd").fn_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadBytes(Path("real/deck.mnd")).substr(0, sizeof Declaration - 1), Declaration);
}

TEST_F(DeckFile, BrokenInputEndsWithAClearOutcome)
{
    Modified = true;
    FileName = wxFileName(Path("nothing-here.mnd"));
    EXPECT_EQ(LoadDeck(), LoadResult::Missing);
    FileName = wxFileName(Folder);
    EXPECT_EQ(LoadDeck(), LoadResult::Unreadable);
    ASSERT_EQ(mkfifo(Path("pipe.mnd").fn_str(), 0600), 0);
    FileName = wxFileName(Path("pipe.mnd"));
    EXPECT_EQ(LoadDeck(), LoadResult::Unreadable);
    EXPECT_EQ(Load(""), LoadResult::Unreadable);
    EXPECT_EQ(Load(std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)), LoadResult::Unreadable);
    EXPECT_TRUE(Cards.empty());
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Log.Errors.size(), 4u);

    EXPECT_EQ(Load("just one line"), LoadResult::LegacyLoaded);
    EXPECT_TRUE(Cards.empty());
    EXPECT_EQ(Load("#mnemora file version 3"), LoadResult::LegacyLoaded);
    EXPECT_TRUE(Cards.empty());
    EXPECT_TRUE(Modified);
}

TEST_F(DeckFile, HugeValuesAndBadPicturesStillLoad)
{
    WriteBytes(Path("text.png"), "this is not a picture");
    WritePicture(Path("huge.png"), 4000, 3000);
    const std::string history = std::string(9990, 'N') + "YYYYYYYYYN";
    ASSERT_EQ(Load(Xml("<Card Question=\"" + std::string(1 << 20, 'q') + "\" History=\"" + history +
                       "\" QuestionPicture=\"text.png\" AnswerPicture=\"huge.png\"/>")),
              LoadResult::Loaded);
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_EQ(Cards[0].Question.length(), 1u << 20);
    EXPECT_EQ(Cards[0].History.length(), 10000u);
    EXPECT_EQ(Cards[0].Score, 90.0f);
    EXPECT_EQ(Cards[0].QuestionPicture.GetFullName(), "text.png");
    EXPECT_FALSE(Cards[0].QuestionBitmap.IsOk());
    EXPECT_EQ(Cards[0].AnswerBitmap.GetSize(), wxSize(500, 375));

    Cards.clear();
    EXPECT_EQ(Load("#mnemora file version 2\n" + std::string(1 << 20, 'q') + "\nA\n" + history),
              LoadResult::LegacyLoaded);
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_EQ(Cards[0].Question.length(), 1u << 20);
    EXPECT_EQ(Cards[0].Score, 90.0f);
}

TEST_F(DeckFile, TheSampleDeckLoadsAndSavesUnchanged)
{
    const char* source = std::getenv("MNEMORA_SOURCE_DIR");
    const wxString root =
        source != nullptr ? wxString(source) : wxFileName(__FILE__).GetPath() + "/..";
    const wxString sample = root + "/resources/sample/";
    wxFileName::Mkdir(Path("flags"));
    for (const char* name : {"capitals.mnd", "flags/france.png", "flags/germany.png",
                             "flags/italy.png", "flags/japan.png"})
        ASSERT_TRUE(wxCopyFile(sample + name, Path(name))) << name;
    FileName = wxFileName(Path("capitals.mnd"));
    ASSERT_EQ(LoadDeck(), LoadResult::Loaded);
    ASSERT_GE(Cards.size(), 30u);
    int pictures = 0;
    for (const Card& card : Cards)
    {
        pictures += card.QuestionBitmap.IsOk() + card.AnswerBitmap.IsOk();
        EXPECT_EQ(card.QuestionPicture.IsOk(), card.QuestionBitmap.IsOk()) << card.Question;
    }
    EXPECT_EQ(pictures, 4);
    EXPECT_TRUE(Log.Errors.empty());

    FileName = wxFileName(Path("copy.mnd"));
    ASSERT_TRUE(SaveDeck());
    EXPECT_EQ(ReadBytes(Path("copy.mnd")), ReadBytes(Path("capitals.mnd")));
}
