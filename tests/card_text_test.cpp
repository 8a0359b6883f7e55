// SPDX-License-Identifier: GPL-3.0-or-later
// Card text files: splitting at commas and tabs, encodings, the header row, export bytes and
// the round trip, spreadsheet files, and broken input.
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>

#include "ChildProcess.h"
#include "ErrorLog.h"
#include "TempFolder.h"
#include "deck/CardText.h"
#include "deck/CardTextReader.h"
#include "deck/mnemora.h"

namespace
{
Pairs Parse(const std::string& bytes, wxChar delimiter, bool ignoreHeaderRow = false)
{
    std::vector<Card> cards;
    EXPECT_TRUE(ParseCardText(bytes.data(), bytes.size(), delimiter, ignoreHeaderRow, cards));
    return PairsOf(cards);
}

Card MakeCard(const wxString& question, const wxString& answer)
{
    Card card;
    card.Question = question;
    card.Answer = answer;
    return card;
}

using CardText = TempFolder;
} // namespace

TEST(CardTextSplit, CommaEndsEveryField)
{
    EXPECT_EQ(Parse(",b\na,b,c\nalone\n\na, spaced\n", ','),
              (Pairs{{"", "b"}, {"a", "b"}, {"alone", ""}, {"a", " spaced"}}));
    EXPECT_EQ(Parse("a,\n,,,\n,\n", ','), (Pairs{{"a", ""}}));
}

TEST(CardTextSplit, QuotedFieldsHeaderLinesAndHtml)
{
    const struct
    {
        const char* bytes;
        wxChar delimiter;
        Pairs cards;
    } cases[] = {
        // Quoted fields hold delimiters, doubled quotes and line breaks, with either delimiter.
        {"\"Paris, France\",capital\n", ',', {{"Paris, France", "capital"}}},
        {"\"a \"\"b\"\"\",\"x\r\ny\rz\"\nnext,line",
         ',',
         {{"a \"b\"", "x\ny\nz"}, {"next", "line"}}},
        {"\"t\tab\"\t\"two\nlines\"\n", '\t', {{"t\tab", "two\nlines"}}},
        {"\"\",b\n\"\"\tc\n", ',', {{"", "b"}, {"\tc", ""}}},
        // A field that does not start with a quote keeps its quotes; text after a closing
        // quote is kept.
        {"He said \"hi\",x\n\"a\"b,c\n", ',', {{"He said \"hi\"", "x"}, {"ab", "c"}}},
        // A quote that never closes runs to the end of the file.
        {"q,\"open\nrest,of\nfile", ',', {{"q", "open\nrest,of\nfile"}}},
        // Header lines: separators by name in any case and as one character; skipped columns.
        {"#separator:Semicolon\n#html:false\na;b\n", ',', {{"a", "b"}}},
        {"#separator:|\na|b\n", ',', {{"a", "b"}}},
        {"#separator:tab\n#notetype column:1\n#guid column:2\nBasic\tg1\tfront\t\tt\n",
         ',',
         {{"front", ""}}},
        {"#separator:comma\n#columns:Tags,Front,Back\ntag,f,b\n", ',', {{"f", "b"}}},
        {"#unknown:thing\n#just a comment\nq,a\n", ',', {{"#just a comment", ""}, {"q", "a"}}},
        {"q,a\n#separator:tab\n", ',', {{"q", "a"}, {"#separator:tab", ""}}},
        // HTML fields: markup, line breaks, entities, cloze; media not found stays out.
        {"#separator:tab\n#html:true\n<b>bold</b> <I>it</I> <u>u</u><br>x\t"
         "<div>a &amp; b&nbsp;&#233;&#x20AC;</div><div>{{c1::Paris::city}}</div>\n",
         ',',
         {{"**bold** //it// __u__\nx", L"a & b\u00A0\u00E9\u20AC\nParis"}}},
        {"#html:true\n<span style=\"x\">kept</span><img src=\"none.jpg\">\t[sound:none.mp3]\n",
         '\t',
         {{"kept", "[sound:none.mp3]"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.bytes, c.delimiter), c.cards) << c.bytes;
}

TEST(CardTextSplit, Utf16WithAMarkAndTheFilesRefused)
{
    // "a<TAB>\U0001F600" with a pair, then a lone high surrogate, in both byte orders.
    const std::string little("\xFF\xFE"
                             "a\0\t\0\x3D\xD8\x00\xDE\n\0b\0\t\0\x3D\xD8",
                             18);
    const std::string big("\xFE\xFF"
                          "\0a\0\t\xD8\x3D\xDE\x00\0\n\0b\0\t\xD8\x3D",
                          18);
    for (const std::string& bytes : {little, big})
        EXPECT_EQ(Parse(bytes, '\t'), (Pairs{{"a", L"\U0001F600"}, {"b", L"\uFFFD"}}));

    const std::pair<std::string, CardTextProblem> refused[] = {
        {little + "x", CardTextProblem::Utf16OddLength},
        {std::string("a\0,\0b\0\n\0", 8), CardTextProblem::Utf16WithoutMark},
        {std::string("\x89PNG\0\0\0\rIHDR\x01\x02", 14), CardTextProblem::NotText},
        {"#separator:\na,b\n", CardTextProblem::EmptySeparator},
        {"#separator:dash\na,b\n", CardTextProblem::UnknownSeparator},
    };
    for (const auto& [bytes, problem] : refused)
    {
        std::vector<Card> cards;
        EXPECT_EQ(ReadCardText(bytes.data(), bytes.size(), CardTextSettings(), cards).Problem,
                  problem);
        EXPECT_TRUE(cards.empty());
    }
}

TEST(CardTextSplit, TabRunsJoinAndLeadingTabsAreSkipped)
{
    EXPECT_EQ(Parse("\tb\na\t\tb\nq\ta\tmore\na,b\n\t\t\n", '\t'),
              (Pairs{{"b", ""}, {"a", "b"}, {"q", "a"}, {"a,b", ""}}));
}

TEST(CardTextSplit, EveryLineEndAndTheHeaderRow)
{
    EXPECT_EQ(Parse("1,a\r\n2,b\r3,c\n4,d", ','),
              (Pairs{{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}}));
    EXPECT_EQ(Parse("Question,Answer\r\nq,a\r\n", ',', true), (Pairs{{"q", "a"}}));
    EXPECT_EQ(Parse("\nq,a", ',', true), (Pairs{{"q", "a"}}));
}

TEST(CardTextSplit, EncodingIsUtf8WithOrWithoutMarkElseWindows1252)
{
    EXPECT_EQ(Parse("\xEF\xBB\xBF\xC3\xA4pfel,\xE2\x82\xAC", ','),
              (Pairs{{L"\u00E4pfel", L"\u20AC"}}));
    // A file that is not UTF-8 as a whole is Windows-1252 throughout, also in lines that would be.
    EXPECT_EQ(Parse("\xE4pfel,\x80\n\xC3\xA4,x", ','),
              (Pairs{{L"\u00E4pfel", L"\u20AC"}, {L"\u00C3\u00A4", "x"}}));
    std::vector<Card> cards;
    EXPECT_FALSE(ParseCardText("a,b\0c", 5, ',', false, cards)); // NUL: no text file
    EXPECT_TRUE(cards.empty());
}

TEST_F(CardText, DelimiterFollowsTheExtension)
{
    EXPECT_EQ(ImportDelimiter("/d/cards.CSV"), wxChar(','));
    EXPECT_EQ(ImportDelimiter("/d/cards.txt"), wxChar('\t'));
    EXPECT_EQ(ImportDelimiter("/d/cards"), wxChar('\t'));
    ASSERT_TRUE(ImportTextFile(Write("plain", "a,b\tc\n"), false));
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_EQ(Cards[0].Question, "a,b");
    EXPECT_EQ(FileName.GetFullPath(), Folder + "/plain.mnd");
}

TEST_F(CardText, HeaderRowOnAOneLineFileLeavesAnEmptyModifiedDeck)
{
    ASSERT_TRUE(ImportTextFile(Write("one.csv", "Question,Answer\n"), true));
    EXPECT_TRUE(Cards.empty());
    EXPECT_TRUE(Modified);
    EXPECT_EQ(FileName.GetFullPath(), Folder + "/one.mnd");
}

TEST_F(CardText, ExportWritesEachFilterAndReadsBackTheSameCards)
{
    Cards = {MakeCard(L"Stra\u00DFe", "street"), MakeCard("\"quoted\"", L"\u20AC 5")};
    Cards[0].History = "YYN";
    std::vector<Card> exported = Cards;
    ASSERT_TRUE(ExportTextFile(Folder + "/tabs.csv", '\t'));
    EXPECT_EQ(Read(Folder + "/tabs.csv"), "Stra\xC3\x9F"
                                          "e\tstreet\n\"\"\"quoted\"\"\"\t\xE2\x82\xAC 5\n");
    ASSERT_TRUE(ExportTextFile(Folder + "/commas.txt", ','));
    EXPECT_EQ(Read(Folder + "/commas.txt"), "Stra\xC3\x9F"
                                            "e,street\n\"\"\"quoted\"\"\",\xE2\x82\xAC 5\n");
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Cards[0].History, "YYN");

    // Long texts that mix ASCII runs with other letters, and one larger than a write block.
    Cards.push_back(MakeCard(wxString('a', 37) + L"\u00E4" + wxString('b', 21) + L"\U0001F0CF",
                             wxString('c', 300000) + L"\u6771"));
    exported.push_back(Cards.back());
    ASSERT_TRUE(ExportTextFile(Folder + "/commas.txt", ','));
    ASSERT_TRUE(wxRenameFile(Folder + "/commas.txt", Folder + "/commas.csv"));
    ASSERT_TRUE(ImportTextFile(Folder + "/commas.csv", false));
    ASSERT_EQ(Cards.size(), exported.size());
    for (size_t i = 0; i < Cards.size(); ++i)
    {
        EXPECT_EQ(Cards[i].Question, exported[i].Question);
        EXPECT_EQ(Cards[i].Answer, exported[i].Answer);
    }
}

TEST_F(CardText, ExportWritesEveryCharacterAsValidUtf8)
{
    // Texts of every length up to 40 from ASCII and letters of two, three and four bytes, so
    // that each of them falls at every place of a sixteen-character run and of a text's end.
    const wchar_t alphabet[] = {L'a',      L'Z',      L' ',          L'\u00E9',     L'\u07FF',
                                L'\u20AC', L'\uFFFD', L'\U00010000', L'\U0001F600', L'\U0010FFFF'};
    std::mt19937 random(7);
    std::vector<Card> cards;
    std::string expected;
    for (int length = 0; length <= 40; ++length)
    {
        for (int round = 0; round < 20; ++round)
        {
            std::wstring text;
            for (int i = 0; i < length; ++i)
                text += random() % 3 != 0
                            ? wchar_t(L'a' + random() % 26)
                            : alphabet[random() % (sizeof alphabet / sizeof *alphabet)];
            cards.push_back(MakeCard(text, text.substr(0, size_t(length) / 2)));
            expected += cards.back().Question.utf8_string() + "," +
                        cards.back().Answer.utf8_string() + "\n";
        }
    }
    // Values that are no character become U+FFFD, also within and at the end of a long text.
    const std::wstring invalid = {wchar_t(0x110000), wchar_t(-1), wchar_t(0xD800), wchar_t(0xDFFF)};
    cards.push_back(MakeCard(wxString('q', 17) + invalid, invalid + wxString('r', 20) + invalid));
    const std::string replaced = "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD";
    expected +=
        std::string(17, 'q') + replaced + "," + replaced + std::string(20, 'r') + replaced + "\n";
    Cards = cards;
    ASSERT_TRUE(ExportTextFile(Folder + "/all.csv", ','));
    EXPECT_EQ(Read(Folder + "/all.csv"), expected);
    EXPECT_EQ(FormatCardText(cards, ','), expected);
}

TEST_F(CardText, ExportThatRunsOutOfRoomKeepsTheOldFile)
{
    // Files may grow to 1 MB only: the write of a later block fails on the writing thread,
    // and its message reaches the log of the exporting one.
    struct Collect : wxLog
    {
        std::string text;
        void DoLogTextAtLevel(wxLogLevel, const wxString& message) override
        {
            text += message.utf8_string();
        }
    };
    const wxString path = Write("cards.csv", "old,file\n");
    const std::string outcome = InChild(
        [&]
        {
            auto* log = new Collect;
            delete wxLog::SetActiveTarget(log);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit = {1 << 20, 1 << 20};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return std::string();
            Cards.assign(20000, MakeCard(wxString('q', 100), wxString('a', 100)));
            const bool exported = ExportTextFile(path, ',');
            wxArrayString files;
            wxDir::GetAllFiles(Folder, &files, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN);
            return std::string(exported ? "exported" : "refused") + " " + Read(path) +
                   std::to_string(files.size()) +
                   (log->text.find("Cannot save \"" + path.utf8_string()) != std::string::npos
                        ? " logged"
                        : "");
        });
    EXPECT_EQ(outcome, "refused old,file\n1 logged");
}

TEST_F(CardText, SpreadsheetFilesGiveTheTwoColumns)
{
    const char* source = std::getenv("MNEMORA_SOURCE_DIR");
    const wxString data =
        (source != nullptr ? wxString(source) + "/tests" : wxFileName(__FILE__).GetPath()) +
        "/data/spreadsheet/";
    const Pairs euro = {
        {L"Gr\u00FC\u00DFe", "greetings"}, {L"\u20AC", "euro sign"}, {L"caf\u00E9", "coffee shop"}};
    const std::pair<const char*, Pairs> files[] = {
        {"utf8-bom.csv", euro},
        {"utf8.csv", euro},
        {"windows-1252.csv", euro},
        {"utf8.txt", euro},
        {"windows-1252.txt", euro},
        {"quoted.csv",
         {{"Paris, France", "capital"},
          {"He said \"hi\"", "a quote and\na line break"},
          {L"Gr\u00FC\u00DFe", "greetings"}}},
        {"unicode-text.txt",
         {{L"Gr\u00FC\u00DFe", "greetings"},
          {"Zeile 1\nZeile 2", "multi-line cell"},
          {L"\U0001D11E", "G clef"}}},
    };
    for (const auto& [name, cards] : files)
    {
        ASSERT_TRUE(ImportTextFile(data + name, true)) << name;
        EXPECT_EQ(PairsOf(Cards), cards) << name;
    }
}

TEST_F(CardText, AnkiTextExportFindsItsMediaBesideTheFile)
{
    Write("cat.png", "not decoded here");
    Write("meow.mp3", "sound");
    const wxString path =
        Write("anki.txt", "#separator:tab\n#html:true\n#guid column:1\n"
                          "g\t<img src=\"cat.png\"><img src=\"dog.png\">Cat?\t[sound:meow.mp3] "
                          "[sound:meow.mp3]<img src=\"../cat.png\">\n");
    ASSERT_TRUE(ImportTextFile(path, false));
    ASSERT_EQ(PairsOf(Cards), (Pairs{{"Cat?", " [sound:meow.mp3]"}}));
    EXPECT_EQ(Cards[0].QuestionPicture.GetFullPath(), Folder + "/cat.png");
    EXPECT_EQ(Cards[0].AnswerSound.GetFullPath(), Folder + "/meow.mp3");
    EXPECT_FALSE(Cards[0].AnswerPicture.IsOk());
}

TEST_F(CardText, ExportQuotesOnlyWhatWouldNotReadBack)
{
    const std::vector<Card> odd = {MakeCard("#key:value", "a,b"), MakeCard("", "empty question"),
                                   MakeCard("two\nlines", "\"quoted\""),
                                   MakeCard("tab\there", "He said \"hi\""),
                                   MakeCard(L"\uFEFFmark", "")};
    for (const wxChar delimiter : {wxChar(','), wxChar('\t')})
    {
        Cards = odd;
        Cards.insert(Cards.begin(), MakeCard(L"\uFEFFfirst", "x"));
        const wxString path = Folder + (delimiter == ',' ? "/odd.csv" : "/odd.txt");
        ASSERT_TRUE(ExportTextFile(path, delimiter));
        ASSERT_TRUE(ImportTextFile(path, false));
        ASSERT_FALSE(Cards.empty());
        EXPECT_EQ(PairsOf({Cards.begin() + 1, Cards.end()}), PairsOf(odd)) << delimiter;
    }
    // Only texts that need it are quoted: the rest are the bytes of before.
    EXPECT_EQ(FormatCardText({MakeCard("He said \"hi\"", "a b"), MakeCard("x,y", "")}, ','),
              "He said \"hi\",a b\n\"x,y\",\n");
}

TEST_F(CardText, BrokenInputHasAClearOutcome)
{
    wxLogNull quiet;
    // Unreadable: a folder, a file that is gone, a binary file. The old deck stays.
    EXPECT_FALSE(ImportTextFile(Folder, false));
    ExpectOldDeck();
    EXPECT_FALSE(ImportTextFile(Folder + "/vanished.csv", false));
    ExpectOldDeck();
    EXPECT_FALSE(ImportTextFile(
        Write("picture.txt", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)), false));
    ExpectOldDeck();

    // Readable, if odd: an empty file, delimiters only, a 5 MB line, 100,000 lines.
    EXPECT_TRUE(ImportTextFile(Write("empty.csv", ""), false));
    EXPECT_TRUE(Cards.empty());
    EXPECT_TRUE(ImportTextFile(Write("commas.csv", std::string(1000, ',') + "\n"), false));
    EXPECT_TRUE(Cards.empty());
    EXPECT_TRUE(ImportTextFile(Write("long.csv", std::string(5 << 20, 'x') + ",y"), false));
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_EQ(Cards[0].Question.length(), size_t(5 << 20));
    // A quote left open at the end of 5 MB: the card keeps the rest, and the user is told.
    wxLog::EnableLogging(true);
    {
        ErrorLog log;
        EXPECT_TRUE(ImportTextFile(
            Write("open.csv", "q,a\nlast,\"" + std::string(5 << 20, 'y') + "\n,end"), false));
        EXPECT_EQ(log.Warnings, 1);
    }
    wxLog::EnableLogging(false);
    ASSERT_EQ(Cards.size(), 2u);
    EXPECT_EQ(Cards[1].Answer.length(), size_t(5 << 20) + 5);
    std::string lines;
    for (int i = 0; i < 100000; ++i)
        lines += "q" + std::to_string(i) + "\ta\n";
    EXPECT_TRUE(ImportTextFile(Write("many.txt", lines), false));
    ASSERT_EQ(Cards.size(), 100000u);
    EXPECT_EQ(Cards[99999].Question, "q99999");

    // An export that cannot be written changes neither the deck nor its flag.
    Cards = {MakeCard("kept", "card")};
    Modified = true;
    EXPECT_FALSE(ExportTextFile("/proc/cards.txt", ','));
    EXPECT_FALSE(ExportTextFile(Folder + "/no/such/folder/cards.txt", ','));
    ASSERT_EQ(Cards.size(), 1u);
    EXPECT_TRUE(Modified);
}
