// SPDX-License-Identifier: GPL-3.0-or-later
// Options: defaults, the stored keys and the text forms of fonts and colours.
#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include <gtest/gtest.h>

#include "app/Options.h"

namespace
{
class Settings : public testing::Test
{
protected:
    void SetUp() override
    {
        path = wxFileName::CreateTempFileName("mnesettings");
        wxRemoveFile(path);
        Reopen();
        Options = MneOptions();
    }

    void TearDown() override
    {
        delete wxConfigBase::Set(nullptr);
        wxRemoveFile(path);
    }

    // Writes pending changes and opens the same file again, as the next program start would.
    void Reopen()
    {
        delete wxConfigBase::Set(nullptr);
        config = new wxFileConfig("Mnemora", wxEmptyString, path, wxEmptyString,
                                  wxCONFIG_USE_LOCAL_FILE);
        wxConfigBase::Set(config);
    }

    wxString Stored(const wxString& key) { return config->Read(key, "<missing>"); }

    wxString path;
    wxFileConfig* config = nullptr;
};
} // namespace

TEST_F(Settings, FreshStoreGivesTheDefaults)
{
    LoadOptions();
    EXPECT_EQ(Options.TestMode, tmLearn);
    EXPECT_TRUE(Options.PlaySounds);
    EXPECT_TRUE(Options.KeepScore);
    EXPECT_TRUE(Options.ShuffleCards);
    EXPECT_FALSE(Options.SwapQuestionAnswer);
    EXPECT_FALSE(Options.ShowTimer);
    EXPECT_EQ(FontToString(Options.CardFont), "10, 70, 90, 90, 0, Arial, 0");
    EXPECT_EQ(ColourToString(Options.CardFontColor), "0, 0, 0");
    EXPECT_EQ(ColourToString(Options.CardBackground), "255, 255, 255");
    EXPECT_EQ(Options.CardIncrement, 3);
    EXPECT_EQ(Options.MinAnswerCount, 2);
    EXPECT_EQ(Options.MinScore, 80);
    EXPECT_EQ(Options.KeepBackups, 10);
    EXPECT_EQ(Options.DataDirectory, wxGetCwd());
    ASSERT_EQ(Options.PageLayouts.size(), 3u);
    EXPECT_EQ(Options.PageLayouts[0].Name, "8.5\" x 11\" Letter - 2 by 4 cards");
    EXPECT_EQ(Options.PageLayouts[1].Name, "8.5\" x 11\" Letter - 4 by 8 cards");
    EXPECT_EQ(Options.PageLayouts[2].Name, "6\" x 4\" Index Card");
    EXPECT_EQ(Options.PageLayouts[1].NumColumns, 4);
    EXPECT_EQ(Options.PageLayouts[2].HorizontalSpacing, 0);
    EXPECT_EQ(Options.PrintPageLayout, 0);
    EXPECT_EQ(FontToString(Options.PrintCardFont), "10, 70, 90, 90, 0, Arial, 0");
    EXPECT_DOUBLE_EQ(Options.PrintCardBottomMargin, 0.2);
}

TEST_F(Settings, SaveWritesEveryKeyAndLoadReadsItBack)
{
    LoadOptions();
    Options.TestMode = tmQuiz;
    Options.ShowTimer = true;
    Options.CardBackground = wxColour(1, 2, 3);
    Options.CardIncrement = 7;
    Options.DataDirectory = "/decks";
    Options.PrintPageLayout = 2;
    Options.PageLayouts[2].Width = 6.25;
    SaveOptions();
    EXPECT_EQ(Stored("StudyMode"), "2");
    EXPECT_EQ(Stored("ShowTimer"), "1");
    EXPECT_EQ(Stored("CardBackground"), "1, 2, 3");
    EXPECT_EQ(Stored("PrintPageLayoutCount"), "3");
    // The layout keys are plain entries with a backslash, not a group.
    EXPECT_EQ(Stored("PrintPageLayout2\\Name"), "6\" x 4\" Index Card");
    EXPECT_FALSE(config->HasGroup("PrintPageLayout2"));

    Reopen();
    Options = MneOptions();
    LoadOptions();
    EXPECT_EQ(Options.TestMode, tmQuiz);
    EXPECT_TRUE(Options.ShowTimer);
    EXPECT_EQ(Options.CardBackground, wxColour(1, 2, 3));
    EXPECT_EQ(Options.CardIncrement, 7);
    EXPECT_EQ(Options.DataDirectory, "/decks");
    EXPECT_EQ(Options.PrintPageLayout, 2);
    EXPECT_DOUBLE_EQ(Options.PageLayouts[2].Width, 6.25);
}

TEST_F(Settings, LayoutListAndSelectionRecoverFromBadValues)
{
    config->Write("PrintPageLayoutCount", 0L);
    config->Write("PrintPageLayout", 5L);
    LoadOptions();
    EXPECT_EQ(Options.PageLayouts.size(), 3u);
    EXPECT_EQ(Options.PrintPageLayout, 0);

    // Four stored, then two saved: the old keys stay, but only two are loaded.
    Options.PageLayouts.push_back(Options.PageLayouts[0]);
    SaveOptions();
    Options.PageLayouts.resize(2);
    SaveOptions();
    EXPECT_EQ(Stored("PrintPageLayout3\\Name"), Options.PageLayouts[0].Name);
    Reopen();
    LoadOptions();
    EXPECT_EQ(Options.PageLayouts.size(), 2u);

    // A layout with missing fields still describes a printable page.
    config->Write("PrintPageLayoutCount", 3L);
    config->DeleteEntry("PrintPageLayout2\\NumColumns");
    config->Write("PrintPageLayout2\\Name", "Half");
    LoadOptions();
    ASSERT_EQ(Options.PageLayouts.size(), 3u);
    EXPECT_EQ(Options.PageLayouts[2].Name, "Half");
    EXPECT_GT(Options.PageLayouts[2].NumColumns, 0);
}

TEST_F(Settings, EveryNumberStaysWithinWhatTheProgramCanUse)
{
    // A count far beyond the stored layouts reads only those that are there.
    config->Write("PrintPageLayoutCount", "2000000000");
    config->Write("PrintPageLayout0\\Name", "Only");
    config->Write("PrintPageLayout0\\Width", "nan");
    config->Write("PrintPageLayout0\\Height", "-inf");
    config->Write("PrintPageLayout0\\LeftMargin", "-3");
    config->Write("PrintPageLayout0\\TopMargin", "1e300");
    config->Write("PrintPageLayout0\\NumColumns", "-7");
    config->Write("PrintPageLayout0\\NumRows", "3000000000");
    config->Write("PrintPageLayout", "-4294967295");
    config->Write("CardIncrement", "3000000000");
    config->Write("MinAnswerCount", "-5");
    config->Write("MinScore", "250");
    config->Write("KeepBackups", "101");
    config->Write("PrintCardLeftMargin", "inf");
    config->Write("PrintCardTopMargin", "-0.5");
    config->Write("PrintCardRightMargin", "99999999999999999999");
    LoadOptions();
    ASSERT_EQ(Options.PageLayouts.size(), 1u);
    const PageLayout& layout = Options.PageLayouts[0];
    EXPECT_EQ(layout.Name, "Only");
    EXPECT_DOUBLE_EQ(layout.Width, 8.5) << "not a number: the default";
    EXPECT_DOUBLE_EQ(layout.Height, 11);
    EXPECT_DOUBLE_EQ(layout.LeftMargin, 0);
    EXPECT_DOUBLE_EQ(layout.TopMargin, 100);
    EXPECT_EQ(layout.NumColumns, 1);
    EXPECT_EQ(layout.NumRows, 100);
    EXPECT_EQ(Options.PrintPageLayout, 0);
    EXPECT_EQ(Options.CardIncrement, 1000000);
    EXPECT_EQ(Options.MinAnswerCount, 0);
    EXPECT_EQ(Options.MinScore, 100);
    EXPECT_EQ(Options.KeepBackups, 100);
    EXPECT_DOUBLE_EQ(Options.PrintCardLeftMargin, 0.2);
    EXPECT_DOUBLE_EQ(Options.PrintCardTopMargin, 0);
    EXPECT_DOUBLE_EQ(Options.PrintCardRightMargin, 100);

    config->Write("CardIncrement", "99999999999999999999999");
    config->Write("MinScore", "-99999999999999999999999");
    config->Write("MinAnswerCount", "lots");
    config->Write("KeepBackups", "-1");
    LoadOptions();
    EXPECT_EQ(Options.CardIncrement, 1000000);
    EXPECT_EQ(Options.MinScore, 0);
    EXPECT_EQ(Options.MinAnswerCount, 2);
    EXPECT_EQ(Options.KeepBackups, 0);
}

TEST_F(Settings, StudyModeOutOfRangeLoadsAsLearn)
{
    for (long bad : {-1L, 3L, 99L})
    {
        config->Write("StudyMode", bad);
        LoadOptions();
        EXPECT_EQ(Options.TestMode, tmLearn) << bad;
    }
    config->Write("StudyMode", "junk");
    LoadOptions();
    EXPECT_EQ(Options.TestMode, tmLearn);
}

TEST_F(Settings, FontTextRoundTripsExactly)
{
    wxFont font;
    ASSERT_TRUE(StringToFont(font, "12, 74, 93, 92, 1, Times New Roman, 0"));
    EXPECT_EQ(font.GetPointSize(), 12);
    EXPECT_EQ(font.GetStyle(), wxFONTSTYLE_ITALIC);
    EXPECT_EQ(font.GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_TRUE(font.GetUnderlined());
    EXPECT_EQ(font.GetFaceName(), "Times New Roman");
    EXPECT_EQ(FontToString(font), "12, 74, 93, 92, 1, Times New Roman, 0");

    config->Write("CardFont", "12, 74, 93, 92, 1, Times New Roman, 0");
    LoadOptions();
    SaveOptions();
    EXPECT_EQ(Stored("CardFont"), "12, 74, 93, 92, 1, Times New Roman, 0");

    // A font that never was text (say, from the font dialog) is written from its own values.
    const wxFont chosen(wxFontInfo(14).Family(wxFONTFAMILY_MODERN).Light().FaceName("Courier"));
    const wxString text = FontToString(chosen);
    EXPECT_TRUE(text.StartsWith("14, ")) << text;
    EXPECT_TRUE(text.EndsWith(", 91, 0, Courier, 0")) << text;
}

TEST_F(Settings, BrokenFontAndColourTextsFallBack)
{
    wxFont font;
    for (const char* bad : {"", "junk", "10, 70, 90", "10, 70, 90, 90, x, Arial, 0",
                            "10, 70, 90, 90, 0, Arial", "0, 70, 90, 90, 0, Arial, 0",
                            "-5, 70, 90, 90, 0, Arial, 0", "10,, 70, 90, 90, 0, Arial, 0"})
    {
        EXPECT_FALSE(StringToFont(font, bad)) << bad;
        EXPECT_TRUE(font.IsOk());
        EXPECT_EQ(font.GetPointSize(), 10);
    }
    ASSERT_TRUE(StringToFont(font, "10, 70, 90, 90, 0, Arial, 200"));
    EXPECT_EQ(FontToString(font), "10, 70, 90, 90, 0, Arial, 0");

    wxColour colour;
    EXPECT_FALSE(StringToColour(colour, "10, 20"));
    EXPECT_EQ(colour, *wxWHITE);
    EXPECT_TRUE(StringToColour(colour, "300, -1, 7"));
    EXPECT_EQ(ColourToString(colour), "44, 255, 7");

    config->Write("CardFontColor", "10, 20");
    config->Write("CardFont", "garbage");
    LoadOptions();
    EXPECT_EQ(Options.CardFontColor, *wxBLACK);
    EXPECT_EQ(FontToString(Options.CardFont), "10, 70, 90, 90, 0, Arial, 0");
}
