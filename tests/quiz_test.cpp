// SPDX-License-Identifier: GPL-3.0-or-later
// Quiz grading, the results dialog and its report: grades and comments at the thresholds, the
// report's exact bytes, the temporary file, and the opening in the desktop's text viewer.
#include "FrameFixture.h"

#include <wx/button.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/mimetype.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/mneApp.h"
#include "deck/mnemora.h"
#include "study/MneTestPanel.h"
#include "study/QuizReport.h"
#include "study/mneQuizDialog.h"

namespace
{
// A report and the empty file that reserved its name.
void RemoveReport(const wxString& path)
{
    wxFileName reserved(path);
    reserved.ClearExt();
    wxRemoveFile(path);
    wxRemoveFile(reserved.GetFullPath());
}

void SetClock(int hour, int minute)
{
    QuizClock = [hour, minute] { return wxDateTime(2, wxDateTime::Mar, 2024, hour, minute, 0); };
}

/// Answers the results dialog: keeps its texts and presses View Quiz Results once.
class ExpectResults : public wxExpectModalBase<mneQuizDialog>
{
public:
    mutable wxString Title;
    mutable wxString Grade;
    mutable wxString Comment;
    mutable wxString Counts;
    mutable wxString Time;
    mutable bool HasTime = false;

protected:
    int OnInvoked(mneQuizDialog* dialog) const override
    {
        Title = dialog->GetTitle();
        Grade = dialog->GradeText->GetLabel();
        Comment = dialog->CommentText->GetLabel();
        Counts = dialog->CountsText->GetLabel();
        HasTime = dialog->TimeText != nullptr;
        if (HasTime)
            Time = dialog->TimeText->GetLabel();
        ClickButton(dialog, mneQuizDialog::idViewResults);
        return wxID_CANCEL;
    }
};

class QuizTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Panel = Frame->TestPanel;
        Options.PlaySounds = false;
        Options.ShuffleCards = false;
        Options.TestMode = tmQuiz;
        SetClock(14, 0);
        ShowReportFile = [this](const wxString& path) { Opened.push_back(path); };
    }

    void TearDown() override
    {
        FrameTest::TearDown();
        ShowReportFile = OpenInTextViewer;
        QuizClock = [] { return wxDateTime::Now(); };
    }

    void Click(int id) { ClickButton(Panel, id); }

    /// Runs a whole quiz through the panel; the last answer opens the results.
    void RunQuiz(const std::vector<bool>& answers, ExpectResults& results)
    {
        Panel->ElapsedSeconds = 0;
        Frame->ShowPanel(pnStudy);
        for (size_t i = 0; i + 1 < answers.size(); ++i)
        {
            Click(MneTestPanel::idShowAnswer);
            Click(answers[i] ? MneTestPanel::idCorrect : MneTestPanel::idIncorrect);
        }
        Click(MneTestPanel::idShowAnswer);
        wxTEST_DIALOG(Click(answers.back() ? MneTestPanel::idCorrect : MneTestPanel::idIncorrect),
                      results);
    }

    /// The dialog as the panel builds it once `correct` of `total` cards were answered right.
    mneQuizDialog* Results(int correct, int total)
    {
        if (Cards.empty())
            MakeDeck(total);
        QuizCorrectCount = correct;
        return new mneQuizDialog(Panel);
    }

    MneTestPanel* Panel = nullptr;
    std::vector<wxString> Opened;
};
} // namespace

TEST(QuizGrade, LettersAndSuffixes)
{
    const struct
    {
        float Percentage;
        const char* Grade;
    } cases[] = {{100, "A+"}, {99.5f, "A+"}, {97, "A"},  {95, "A"},      {92, "A-"},
                 {90, "A-"},  {89.9f, "B+"}, {85, "B"},  {80, "B-"},     {79, "C+"},
                 {70, "C-"},  {68, "D+"},    {60, "D-"}, {59, "E+"},     {55, "E"},
                 {50, "E-"},  {45, "F"},     {41, "F-"}, {33.333f, "F"}, {0, "F-"}};
    for (const auto& c : cases)
        EXPECT_EQ(GradeLetter(c.Percentage), c.Grade) << c.Percentage;
}

TEST(QuizGrade, CommentsAtTheThresholdsAndTheHourOfAPerfectScore)
{
    EXPECT_EQ(QuizComment(69.99, 12), "Not so great. You need more practice!");
    EXPECT_EQ(QuizComment(QuizPercentage(7, 10), 12), "Not bad, but you need more practice!");
    EXPECT_EQ(QuizComment(80, 12), "Good score! You're starting to learn the material.");
    EXPECT_EQ(QuizComment(QuizPercentage(9, 10), 12),
              "Excellent score! Just a little more studying and you'll really know the "
              "material...");
    EXPECT_EQ(QuizComment(95, 12), "Excellent score! You definitely know the material.");
    EXPECT_EQ(QuizComment(QuizPercentage(99, 100), 23),
              "Excellent score! You definitely know the material.");
    const wxString bed = "Perfect score!! Turn off the computer and go to bed, you don't need "
                         "any more studying.";
    const wxString outside = "Perfect score!! Turn off the computer and go outside, you don't "
                             "need any more studying.";
    for (int hour : {20, 21, 23})
        EXPECT_EQ(QuizComment(100, hour), bed) << hour;
    for (int hour : {0, 7, 14, 19})
        EXPECT_EQ(QuizComment(100, hour), outside) << hour;

    EXPECT_EQ(QuizPercentage(7, 10), 70.0);
    EXPECT_EQ(QuizPercentage(9, 10), 90.0);
    EXPECT_EQ(QuizPercentage(0, 0), 0.0);
}

TEST(QuizReportText, ExactBytesWithCrLfAndPaddedResults)
{
    QuizReport report;
    report.DeckPath = "/home/ann/decks/capitals.mnd";
    report.Date = wxDateTime(2, wxDateTime::Mar, 2024, 14, 0, 0);
    report.Correct = 2;
    report.Total = 3;
    report.ShowTime = true;
    report.TimeTaken = "01:05";
    report.Lines = {{"France", "Paris", true},
                    {"(map.png) (q.wav) Spain", "Madrid", false},
                    {"Italy", "Rome", true}};
    EXPECT_EQ(std::string(QuizReportText(report).utf8_str()),
              "Mnemora Quiz Results\r\n"
              "\r\n"
              "File:\t/home/ann/decks/capitals.mnd\r\n"
              "Date:\tSat Mar  2 14:00:00 2024\r\n"
              "\r\n"
              "Grade: D (66.67%)\r\n"
              "Correct Answers: 2\r\n"
              "Incorrect Answers: 1\r\n"
              "Time taken: 01:05\r\n"
              "\r\n"
              "Correct  \tFrance / Paris\r\n"
              "Incorrect\t(map.png) (q.wav) Spain / Madrid\r\n"
              "Correct  \tItaly / Rome\r\n");

    report.ShowTime = false;
    report.DeckPath.clear();
    const std::string text(QuizReportText(report).utf8_str());
    EXPECT_EQ(text.find("Time taken"), std::string::npos);
    EXPECT_NE(text.find("\r\nFile:\t\r\nDate:"), std::string::npos);
}

TEST(QuizReportText, DeckPathIsEmptyOnlyForTheUnsavedDeck)
{
    EXPECT_EQ(ReportDeckPath(wxFileName("Untitled")), "");
    EXPECT_EQ(ReportDeckPath(wxFileName("/srv/decks/Untitled")), "/srv/decks/Untitled");
    EXPECT_EQ(ReportDeckPath(wxFileName("/srv/decks/words.mnd")), "/srv/decks/words.mnd");
    EXPECT_EQ(ReportDeckPath(wxFileName("decks/words.mnd")), wxGetCwd() + "/decks/words.mnd");
}

TEST(QuizReportFile, WritesANewUtf8TextFileAndFailsQuietly)
{
    const wxString text = wxString::FromUTF8("Correct  \tZ\xC3\xBCrich / \xE2\x82\xAC\r\n");
    const wxString first = WriteQuizReport(text);
    const wxString second = WriteQuizReport(text);
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    const wxFileName name(first);
    EXPECT_EQ(name.GetExt(), "txt");
    EXPECT_TRUE(name.GetName().StartsWith("mne"));
    EXPECT_EQ(name.GetPath(), wxFileName(wxFileName::GetTempDir(), "").GetPath());
    EXPECT_EQ(ReadFile(first), "Correct  \tZ\xC3\xBCrich / \xE2\x82\xAC\r\n");
    EXPECT_FALSE(wxFileExists(name.GetPath() + "/" + name.GetName())) << "one file per report";

    wxString tmp;
    const bool hadTmp = wxGetEnv("TMPDIR", &tmp);
    // A folder in which nobody, not even root, can create files.
    wxSetEnv("TMPDIR", "/proc");
    EXPECT_EQ(WriteQuizReport(text), "");
    if (hadTmp)
        wxSetEnv("TMPDIR", tmp);
    else
        wxUnsetEnv("TMPDIR");
    RemoveReport(first);
    RemoveReport(second);
}

TEST_F(QuizTest, NineOfTenGivesAMinusAndTheReportFollowsTheQuizOrder)
{
    MakeDeck(10);
    FileName = wxFileName("/srv/decks/capitals.mnd");
    Options.ShowTimer = true;
    ExpectResults results;
    RunQuiz({true, true, false, true, true, true, true, true, true, true}, results);

    EXPECT_EQ(results.Title, "Quiz Results");
    EXPECT_EQ(results.Grade, "Grade: A- (90.00%)");
    EXPECT_EQ(results.Comment, "Excellent score! Just a little more studying and you'll really "
                               "know the material...");
    EXPECT_EQ(results.Counts, "Correct answers: 9\nIncorrect answers: 1");
    ASSERT_TRUE(results.HasTime);
    EXPECT_EQ(results.Time, "Time taken: " + Panel->TimerLabel->GetLabel());
    EXPECT_EQ(CurrentPanel, pnCardList);

    ASSERT_EQ(Opened.size(), 1u);
    std::string expected = "Mnemora Quiz Results\r\n\r\n"
                           "File:\t/srv/decks/capitals.mnd\r\n"
                           "Date:\tSat Mar  2 14:00:00 2024\r\n\r\n"
                           "Grade: A- (90.00%)\r\n"
                           "Correct Answers: 9\r\n"
                           "Incorrect Answers: 1\r\n"
                           "Time taken: " +
                           std::string(Panel->TimerLabel->GetLabel().utf8_str()) + "\r\n\r\n";
    for (int i = 1; i <= 10; ++i)
        expected += std::string(i == 3 ? "Incorrect" : "Correct  ") + "\tQ" + std::to_string(i) +
                    " / A" + std::to_string(i) + "\r\n";
    EXPECT_EQ(ReadFile(Opened[0]), expected);
    RemoveReport(Opened[0]);
}

TEST_F(QuizTest, PerfectScoreCommentDependsOnTheLocalHour)
{
    SetClock(21, 30);
    mneQuizDialog* dialog = Results(10, 10);
    EXPECT_EQ(dialog->GradeText->GetLabel(), "Grade: A+ (100.00%)");
    EXPECT_EQ(dialog->CommentText->GetLabel(), "Perfect score!! Turn off the computer and go to "
                                               "bed, you don't need any more studying.");
    EXPECT_GT(dialog->GradeText->GetTextExtent("Hg").y,
              3 * dialog->CommentText->GetTextExtent("Hg").y / 2);
    dialog->Destroy();

    SetClock(14, 0);
    dialog = Results(10, 10);
    EXPECT_EQ(dialog->CommentText->GetLabel(), "Perfect score!! Turn off the computer and go "
                                               "outside, you don't need any more studying.");
    dialog->Destroy();
}

TEST_F(QuizTest, SevenOfTenAndOneOfThree)
{
    mneQuizDialog* dialog = Results(7, 10);
    EXPECT_EQ(dialog->GradeText->GetLabel(), "Grade: C- (70.00%)");
    EXPECT_EQ(dialog->CommentText->GetLabel(), "Not bad, but you need more practice!");
    dialog->Destroy();

    ResetDeck();
    dialog = Results(1, 3);
    EXPECT_EQ(dialog->GradeText->GetLabel(), "Grade: F (33.33%)");
    EXPECT_EQ(dialog->CommentText->GetLabel(), "Not so great. You need more practice!");
    EXPECT_EQ(dialog->CountsText->GetLabel(), "Correct answers: 1\nIncorrect answers: 2");
    dialog->Destroy();
}

TEST_F(QuizTest, HiddenTimerAndUnsavedDeckLeaveOutTimeAndPath)
{
    MakeDeck(2);
    Options.ShowTimer = false;
    ExpectResults results;
    RunQuiz({false, true}, results);
    EXPECT_FALSE(results.HasTime);
    ASSERT_EQ(Opened.size(), 1u);
    const std::string report = ReadFile(Opened[0]);
    EXPECT_NE(report.find("\r\n\r\nFile:\t\r\nDate:\t"), std::string::npos) << report;
    EXPECT_EQ(report.find("Time taken"), std::string::npos);
    EXPECT_NE(report.find("Incorrect\tQ1 / A1\r\nCorrect  \tQ2 / A2\r\n"), std::string::npos);
    RemoveReport(Opened[0]);
}

TEST_F(QuizTest, WithoutKeepScoreTheReportStillShowsThisQuizsAnswers)
{
    MakeDeck(3);
    Cards[0].History = "N";
    Cards[1].History = "Y";
    Options.KeepScore = false;
    ExpectResults results;
    RunQuiz({true, false, false}, results);
    EXPECT_EQ(results.Counts, "Correct answers: 1\nIncorrect answers: 2");
    ASSERT_EQ(Opened.size(), 1u);
    const std::string report = ReadFile(Opened[0]);
    EXPECT_NE(report.find("Correct  \tQ1 / A1\r\nIncorrect\tQ2 / A2\r\nIncorrect\tQ3 / A3\r\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(Cards[0].History, "N");
    RemoveReport(Opened[0]);
}

TEST_F(QuizTest, EveryPressWritesANewReport)
{
    mneQuizDialog* dialog = Results(2, 4);
    ClickButton(dialog, mneQuizDialog::idViewResults);
    ClickButton(dialog, mneQuizDialog::idViewResults);
    ASSERT_EQ(Opened.size(), 2u);
    EXPECT_NE(Opened[0], Opened[1]);
    EXPECT_EQ(dialog->ReportPath, Opened[1]);
    EXPECT_EQ(ReadFile(Opened[0]), ReadFile(Opened[1]));
    dialog->Destroy();
    RemoveReport(Opened[0]);
    RemoveReport(Opened[1]);
}

TEST(ReportViewer, FileTypeDatabaseCommandNamesTheReport)
{
    wxFileTypeInfo info("text/plain");
    info.SetOpenCommand("mnetestview %s");
    info.AddExtension("txt");
    wxMimeTypesManager* manager = MimeManager ? MimeManager : wxTheMimeTypesManager;
    delete manager->Associate(info);
    const wxString command = MimeOpenCommand("/tmp/mneAbc123.txt");
    EXPECT_TRUE(command.StartsWith("mnetestview ")) << command;
    EXPECT_TRUE(command.Contains("/tmp/mneAbc123.txt")) << command;
}

TEST(ReportViewer, TheDesktopDefaultForPlainTextOpensTheReport)
{
    // ctest points XDG_DATA_HOME at a private folder; there a stand-in viewer becomes the
    // default for text/plain and notes which file it was asked to open.
    wxString data;
    if (!wxGetEnv("XDG_DATA_HOME", &data) || !data.EndsWith("quiz-viewer"))
        GTEST_SKIP() << "run through ctest, which gives the test its own XDG_DATA_HOME";
    const wxString apps = data + "/applications";
    wxFileName::Mkdir(apps, 0700, wxPATH_MKDIR_FULL);
    const wxString marker = data + "/opened.txt";
    if (wxFileExists(marker))
        wxRemoveFile(marker);
    const wxString script = data + "/viewer.sh";
    {
        wxFFile out(script, "w");
        out.Write("#!/bin/sh\nprintf '%s' \"$1\" > '" + marker + "'\n");
    }
    wxExecute("chmod 755 '" + script + "'", wxEXEC_SYNC);
    {
        wxFFile out(apps + "/mnetestview.desktop", "w");
        out.Write("[Desktop Entry]\nType=Application\nName=Test viewer\nExec=" + script +
                  " %f\nMimeType=text/plain;\n");
    }
    {
        wxFFile out(apps + "/mimeapps.list", "w");
        out.Write("[Default Applications]\ntext/plain=mnetestview.desktop\n");
    }

    const wxString report = WriteQuizReport("Mnemora Quiz Results\r\n");
    ASSERT_FALSE(report.empty());
    OpenInTextViewer(report);
    for (int i = 0; i < 100 && !wxFileExists(marker); ++i)
        YieldFor(50);
    YieldFor(100);
    EXPECT_EQ(ReadFile(marker), std::string(report.utf8_str()));
    RemoveReport(report);
}
