// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the command-line deck, the user-interface language and the real program.
#include "FrameFixture.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/utils.h>

#include <clocale>
#include <new>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "ErrorLog.h"

namespace
{
/// Runs the command-line handling on "mnemora" followed by `args`.
bool HandleArguments(const std::vector<wxString>& args)
{
    std::vector<std::wstring> texts = {L"mnemora"};
    for (const wxString& arg : args)
        texts.push_back(arg.ToStdWstring());
    std::vector<wxChar*> argv;
    for (std::wstring& text : texts)
        argv.push_back(&text[0]);
    argv.push_back(nullptr);
    return mneApp::HandleCommandLine(int(texts.size()), argv.data());
}

/// True when the C library can switch to `name`.
bool SystemHasLocale(const char* name)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const bool available = std::setlocale(LC_ALL, name) != nullptr;
    std::setlocale(LC_ALL, saved.c_str());
    return available;
}

/// Generates the German locale as the setup script does, when it is missing and we may.
void GenerateGermanLocale()
{
    if (SystemHasLocale("de_DE.UTF-8") || geteuid() != 0)
        return;
    if (std::system("sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen && "
                    "locale-gen >/dev/null 2>&1") != 0)
        ADD_FAILURE() << "locale-gen failed";
}

/// The menu titles and a few item labels of the frame, joined with "|".
wxString MenuTexts(MneFrame* frame)
{
    wxMenuBar* bar = frame->GetMenuBar();
    wxString texts;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        texts += bar->GetMenuLabel(i) + "|";
    for (int id : {MneFrame::idNew, MneFrame::idOpen, MneFrame::idSwap, MneFrame::idLanguage})
        texts += bar->FindItem(id)->GetItemLabel().BeforeFirst('\t') + "|";
    return texts;
}

const wxString GermanMenus = wxString::FromUTF8(
    "&Datei|D&rucken|&Optionen|&Hilfe|&Neu|Ö&ffnen...|Frage/Antwort &tauschen|S&prache wählen...|");
} // namespace

using StartupTest = FrameTest;

TEST_F(StartupTest, CommandLineDeckIsOpenedAndRemembered)
{
    const wxString path = WriteFile(Dir + "/capitals.mnd", DeckXml(4));
    EXPECT_TRUE(HandleArguments({path}));
    EXPECT_EQ(Cards.size(), 4u);
    EXPECT_FALSE(Modified);
    EXPECT_EQ(Frame->GetTitle(), "capitals.mnd - Mnemora");
    ASSERT_FALSE(RecentFiles().empty());
    EXPECT_EQ(RecentFiles()[0], path);
    EXPECT_EQ(wxConfigBase::Get()->Read("file1"), path);
}

TEST_F(StartupTest, NoArgumentKeepsTheEmptyDeck)
{
    EXPECT_TRUE(HandleArguments({}));
    EXPECT_TRUE(Cards.empty());
    EXPECT_EQ(Frame->GetTitle(), "Untitled - Mnemora");
    EXPECT_TRUE(RecentFiles().empty());
}

TEST_F(StartupTest, RelativeNameIsRememberedAbsolute)
{
    WriteFile(Dir + "/here.mnd", DeckXml(1));
    const wxString cwd = wxGetCwd();
    wxSetWorkingDirectory(Dir);
    EXPECT_TRUE(HandleArguments({"here.mnd"}));
    wxSetWorkingDirectory(cwd);
    EXPECT_EQ(Cards.size(), 1u);
    ASSERT_FALSE(RecentFiles().empty());
    EXPECT_EQ(RecentFiles()[0], Dir + "/here.mnd");
}

TEST_F(StartupTest, MissingDeckGivesAnEmptyDeckUnderItsName)
{
    const wxString path = Dir + "/not-yet.mnd";
    EXPECT_TRUE(HandleArguments({path}));
    EXPECT_TRUE(Cards.empty());
    EXPECT_EQ(Frame->GetTitle(), "not-yet.mnd - Mnemora");
    EXPECT_EQ(FileName.GetFullPath(), path);
    EXPECT_FALSE(wxFileExists(path));
}

TEST_F(StartupTest, BrokenDeckFallsBackToUntitled)
{
    const std::string garbage = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<<<not a deck";
    const wxString path = WriteFile(Dir + "/broken.mnd", garbage);
    wxArrayString messages;
    SetDeckMessageHandler([&](const wxString& text) { messages.Add(text); });
    wxLogNull quiet;
    EXPECT_TRUE(HandleArguments({path}));
    EXPECT_TRUE(Cards.empty());
    EXPECT_EQ(Frame->GetTitle(), "Untitled - Mnemora");
    EXPECT_TRUE(RecentFiles().empty());
    EXPECT_EQ(ReadFile(path), garbage);
}

TEST_F(StartupTest, UnknownOptionStillStarts)
{
    const wxString path = WriteFile(Dir + "/deck.mnd", DeckXml(2));
    wxLogNull quiet;
    EXPECT_TRUE(HandleArguments({"--bogus", path}));
    wxString parsed;
    wxChar name[] = L"mnemora";
    wxChar* argv[] = {name, nullptr};
    EXPECT_TRUE(mneApp::ParseCommandLine(1, argv, parsed));
    EXPECT_TRUE(parsed.empty());
}

class LanguageTest : public FrameTest
{
protected:
    void TearDown() override
    {
        FrameTest::TearDown();
        delete Locale;
        Locale = nullptr;
    }

    /// Starts a frame in `language`, as the next program start would.
    void RestartIn(int language)
    {
        Frame->Destroy();
        YieldFor(20);
        mneApp::InitLocale(language);
        Frame = new MneFrame();
    }
};

TEST_F(LanguageTest, GermanMenus)
{
    GenerateGermanLocale();
    ASSERT_TRUE(wxFileExists("de/mnemora.mo")) << "run from the build folder";
    RestartIn(wxLANGUAGE_GERMAN);
    EXPECT_EQ(MenuTexts(Frame), GermanMenus);
    if (SystemHasLocale("de_DE.UTF-8"))
    {
        EXPECT_TRUE(Locale->IsOk());
    }
    ExpectMessage refusal(wxID_OK);
    wxTEST_DIALOG(Menu(MneFrame::idSave), refusal);
    EXPECT_EQ(refusal.Message, wxString::FromUTF8("Fügen Sie zuerst mindestens eine Karte hinzu."));
    EXPECT_EQ(refusal.Caption, "Mnemora");
}

TEST_F(LanguageTest, CatalogLoadsWhenTheSystemLacksTheLocale)
{
    if (SystemHasLocale("de_CH.UTF-8") || SystemHasLocale("de_CH"))
        GTEST_SKIP() << "this machine has a Swiss German locale";
    RestartIn(wxLANGUAGE_GERMAN_SWISS);
    EXPECT_EQ(MenuTexts(Frame), GermanMenus);
}

TEST_F(LanguageTest, EnglishAndUnknownLanguagesKeepTheProgramsTexts)
{
    RestartIn(wxLANGUAGE_ENGLISH);
    EXPECT_EQ(Frame->GetMenuBar()->GetMenuLabel(0), "&File");
    RestartIn(123456);
    EXPECT_EQ(Frame->GetMenuBar()->GetMenuLabel(0), "&File");
    RestartIn(wxLANGUAGE_DEFAULT);
    EXPECT_EQ(Frame->GetMenuBar()->GetMenuLabel(0), "&File");
}

namespace
{
// Starts the real program on `deck` with its store in `configHome`, waits for its window and
// ends it again; false when no window with the deck's title appeared.
bool RunProgramUntilShown(const wxString& configHome, const wxString& deck)
{
    wxExecuteEnv env;
    wxGetEnvMap(&env.env);
    env.env["XDG_CONFIG_HOME"] = configHome;
    env.cwd = wxGetCwd();
    const wxString command = wxString("\"") + MNEMORA_BINARY + "\" \"" + deck + "\"";
    const long pid = wxExecute(command, wxEXEC_ASYNC, nullptr, &env);
    if (pid <= 0)
        return false;
    const wxString title = "^" + wxFileName(deck).GetName() + "\\.mnd - Mnemora$";
    wxArrayString windows;
    for (int i = 0; i < 100 && windows.empty(); ++i)
    {
        wxArrayString errors;
        wxExecute("xdotool search --onlyvisible --name \"" + title + "\"", windows, errors,
                  wxEXEC_SYNC);
        if (windows.empty())
            wxMilliSleep(100);
    }
    // Give a failed store write the moment it needs to show its complaint.
    wxMilliSleep(300);
    wxArrayString all, errors;
    wxExecute("xdotool search --onlyvisible --pid " + wxString::Format("%ld", pid), all, errors,
              wxEXEC_SYNC);
    wxKill(pid, wxSIGTERM);
    return !windows.empty() && all.size() == windows.size();
}
} // namespace

TEST(Program, StartsWithADeckInTheStoredLanguage)
{
    const wxString home = MakeTempDir();
    const wxString deck = WriteFile(home + "/program.mnd", DeckXml(3));
    // A language the machine has no locale for must not stop the program.
    WriteFile(home + "/Mnemora.conf",
              "Language=" + std::to_string(int(wxLANGUAGE_GERMAN_SWISS)) + "\n");
    EXPECT_TRUE(RunProgramUntilShown(home, deck)) << "no lone window titled program.mnd - Mnemora";
    // The start-up load recorded the deck in the store at the user's configuration place.
    EXPECT_NE(ReadFile(home + "/Mnemora.conf").find("program.mnd"), std::string::npos);
}

TEST(Program, CreatesItsConfigurationFolderOnANewAccount)
{
    const wxString home = MakeTempDir();
    const wxString deck = WriteFile(home + "/fresh.mnd", DeckXml(2));
    const wxString config = home + "/not/yet/there";
    EXPECT_TRUE(RunProgramUntilShown(config, deck)) << "an error box or no window at start-up";
    EXPECT_NE(ReadFile(config + "/Mnemora.conf").find("fresh.mnd"), std::string::npos);
}

TEST(Program, StartsWhateverTheSettingsHold)
{
    const wxString home = MakeTempDir();
    const wxString deck = WriteFile(home + "/settings.mnd", DeckXml(2));
    WriteFile(home + "/Mnemora.conf", "PrintPageLayoutCount=2000000000\nCardIncrement=3000000000\n"
                                      "MinScore=-1\nPrintCardLeftMargin=nan\nStudyMode=77\n"
                                      "CardFont=99999, 1, 2, 3\nLanguage=-5\n");
    EXPECT_TRUE(RunProgramUntilShown(home, deck)) << "no lone window titled settings.mnd - Mnemora";
}

TEST(Program, AnExceptionThatEscapesACommandIsReportedNotFatal)
{
    ErrorLog log;
    try
    {
        throw std::bad_alloc();
    }
    catch (...)
    {
        mneApp::ReportCurrentException();
    }
    try
    {
        throw 42;
    }
    catch (...)
    {
        mneApp::ReportCurrentException();
    }
    EXPECT_EQ(log.All(),
              "There is not enough memory to finish the command.\nThe command failed.\n");
}
