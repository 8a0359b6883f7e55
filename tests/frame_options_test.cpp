// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame's Print, Options and Help commands driven through the menu.
#include "FrameFixture.h"

#include <wx/choicdlg.h>
#include <wx/colordlg.h>
#include <wx/fontdlg.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include <dlfcn.h>

#include "app/mneAboutDialog.h"
#include "app/mneLanguageDialog.h"
#include "study/MneTestPanel.h"
#include "study/mneModeDialog.h"

namespace
{
/// Answers the study mode dialog: records the preset mode, then picks `choice`.
class ExpectModeDialog : public wxExpectModalBase<mneModeDialog>
{
public:
    ExpectModeDialog(int choice, int answer) : m_choice(choice), m_answer(answer) {}

    mutable int Preset = -1;
    mutable bool Centred = false;

protected:
    int OnInvoked(mneModeDialog* dlg) const override
    {
        Preset = dlg->LearnRadio->GetValue()    ? tmLearn
                 : dlg->QuizRadio->GetValue()   ? tmQuiz
                 : dlg->ReviewRadio->GetValue() ? tmReview
                                                : -1;
        const wxRect parent = dlg->GetParent()->GetScreenRect();
        const wxRect own = dlg->GetScreenRect();
        Centred = std::abs((own.x + own.width / 2) - (parent.x + parent.width / 2)) <= 2;
        dlg->LearnRadio->SetValue(m_choice == tmLearn);
        dlg->QuizRadio->SetValue(m_choice == tmQuiz);
        dlg->ReviewRadio->SetValue(m_choice == tmReview);
        return m_answer;
    }

private:
    int m_choice;
    int m_answer;
};

/// Answers the font dialog with a chosen font and colour.
class ExpectFontDialog : public wxExpectModalBase<wxFontDialog>
{
public:
    ExpectFontDialog(const wxFont& font, const wxColour& colour, int answer = wxID_OK)
        : m_font(font), m_colour(colour), m_answer(answer)
    {
    }

    mutable wxFont Initial;
    mutable wxColour InitialColour;

protected:
    int OnInvoked(wxFontDialog* dlg) const override
    {
        Initial = dlg->GetFontData().GetInitialFont();
        InitialColour = dlg->GetFontData().GetColour();
        dlg->GetFontData().SetChosenFont(m_font);
        dlg->GetFontData().SetColour(m_colour);
        return m_answer;
    }

private:
    wxFont m_font;
    wxColour m_colour;
    int m_answer;
};

/// Answers the colour dialog with a colour.
class ExpectColourDialog : public wxExpectModalBase<wxColourDialog>
{
public:
    ExpectColourDialog(const wxColour& colour, int answer = wxID_OK)
        : m_colour(colour), m_answer(answer)
    {
    }

    mutable wxColour Initial;

protected:
    int OnInvoked(wxColourDialog* dlg) const override
    {
        Initial = dlg->GetColourData().GetColour();
        // The GTK dialog reads its answer back from the native colour selection after OK.
        struct Rgba
        {
            double Red, Green, Blue, Alpha;
        };
        using GetSelection = void* (*)(void*);
        using SetRgba = void (*)(void*, const Rgba*);
        const auto getSelection = reinterpret_cast<GetSelection>(
            dlsym(RTLD_DEFAULT, "gtk_color_selection_dialog_get_color_selection"));
        const auto setRgba =
            reinterpret_cast<SetRgba>(dlsym(RTLD_DEFAULT, "gtk_color_selection_set_current_rgba"));
        const Rgba rgba = {m_colour.Red() / 255.0, m_colour.Green() / 255.0,
                           m_colour.Blue() / 255.0, 1.0};
        if (getSelection && setRgba)
            setRgba(getSelection(dlg->GetHandle()), &rgba);
        dlg->GetColourData().SetColour(m_colour);
        return m_answer;
    }

private:
    wxColour m_colour;
    int m_answer;
};

/// Answers the language dialog: records what it offers, then picks the entry `choice`.
class ExpectLanguageDialog : public wxExpectModalBase<mneLanguageDialog>
{
public:
    ExpectLanguageDialog(const wxString& choice, int answer = wxID_OK)
        : m_choice(choice), m_answer(answer)
    {
    }

    mutable wxString Message;
    mutable wxString Caption;
    mutable wxArrayString Choices;
    mutable wxSize Size;
    mutable wxSize MinSize;

protected:
    int OnInvoked(mneLanguageDialog* dlg) const override
    {
        for (wxWindow* child : dlg->GetChildren())
        {
            if (wxStaticText* text = dynamic_cast<wxStaticText*>(child))
                Message = text->GetLabel();
            if (wxListBox* list = dynamic_cast<wxListBox*>(child))
                Choices = list->GetStrings();
        }
        Caption = dlg->GetTitle();
        Size = dlg->GetSize();
        MinSize = dlg->GetMinSize();
        const int index = Choices.Index(m_choice);
        if (index != wxNOT_FOUND)
            dlg->SetSelection(index);
        return m_answer;
    }

private:
    wxString m_choice;
    int m_answer;
};

/// Answers the About box and records its title and texts.
class ExpectAbout : public wxExpectModalBase<mneAboutDialog>
{
public:
    mutable wxString Title;
    mutable wxArrayString Texts;
    mutable bool NameLarge = false;

protected:
    int OnInvoked(mneAboutDialog* dlg) const override
    {
        Title = dlg->GetTitle();
        for (wxWindow* child : dlg->GetChildren())
            if (wxStaticText* text = dynamic_cast<wxStaticText*>(child))
            {
                Texts.Add(text->GetLabel());
                if (text->GetLabel() == "Mnemora v1.5")
                    NameLarge = text->GetTextExtent("Hg").y > 3 * dlg->GetTextExtent("Hg").y / 2;
            }
        return wxID_OK;
    }
};
} // namespace

TEST_F(FrameTest, PrintingNeedsCards)
{
    for (int id :
         {MneFrame::idPrintStudySheet, MneFrame::idPrintSingleSided, MneFrame::idPrintDoubleSided})
    {
        ExpectMessage refusal(wxID_OK);
        wxTEST_DIALOG(Menu(id), refusal);
        EXPECT_EQ(refusal.Message, "Add at least one card first.");
        EXPECT_EQ(refusal.Caption, "Mnemora");
        EXPECT_TRUE(refusal.Style & wxICON_WARNING);
    }
}

TEST_F(FrameTest, StudyModeDialogStoresTheChoice)
{
    Options.TestMode = tmReview;
    ExpectModeDialog cancelled(tmQuiz, wxID_CANCEL);
    wxTEST_DIALOG(Menu(MneFrame::idStudyMode), cancelled);
    EXPECT_EQ(cancelled.Preset, tmReview);
    EXPECT_TRUE(cancelled.Centred);
    EXPECT_EQ(Options.TestMode, tmReview);
    EXPECT_FALSE(wxConfigBase::Get()->HasEntry("StudyMode"));

    ExpectModeDialog chosen(tmQuiz, wxID_OK);
    wxTEST_DIALOG(Menu(MneFrame::idStudyMode), chosen);
    EXPECT_EQ(Options.TestMode, tmQuiz);
    EXPECT_EQ(wxConfigBase::Get()->ReadLong("StudyMode", -1), long(tmQuiz));

    ExpectModeDialog again(tmLearn, wxID_OK);
    wxTEST_DIALOG(Menu(MneFrame::idStudyMode), again);
    EXPECT_EQ(again.Preset, tmQuiz);
    EXPECT_EQ(Options.TestMode, tmLearn);
}

TEST_F(FrameTest, ResetScoresAsksFirst)
{
    AddCard("a", "YYN");
    AddCard("b", "N");
    Modified = false;
    ExpectMessage no(wxID_NO);
    wxTEST_DIALOG(Menu(MneFrame::idResetScores), no);
    EXPECT_EQ(no.Message, "Do you really want to reset all scores?");
    EXPECT_EQ(no.Caption, "Mnemora");
    EXPECT_TRUE(no.Style & wxYES_NO);
    EXPECT_FALSE(no.Style & wxCANCEL);
    EXPECT_TRUE(no.Style & wxICON_QUESTION);
    EXPECT_EQ(Cards[0].History, "YYN");
    EXPECT_EQ(Cards[1].History, "N");

    EXPECT_FALSE(Modified);

    wxTEST_DIALOG(Menu(MneFrame::idResetScores), ExpectMessage(wxID_YES));
    EXPECT_EQ(Cards[0].History, "");
    EXPECT_EQ(Cards[1].History, "");
    EXPECT_TRUE(Modified) << "the deck now differs from its file";
    EXPECT_TRUE(Frame->GetTitle().Contains("* - Mnemora")) << Frame->GetTitle();
}

TEST_F(FrameTest, CheckItemsStoreTheirOptions)
{
    ClickCheckItem(MneFrame::idKeepScore);
    EXPECT_FALSE(Options.KeepScore);
    EXPECT_FALSE(wxConfigBase::Get()->ReadBool("KeepScore", true));
    ClickCheckItem(MneFrame::idShuffleCards);
    EXPECT_FALSE(Options.ShuffleCards);
    EXPECT_FALSE(wxConfigBase::Get()->ReadBool("ShuffleCards", true));
    ClickCheckItem(MneFrame::idPlaySounds);
    EXPECT_FALSE(Options.PlaySounds);
    EXPECT_FALSE(wxConfigBase::Get()->ReadBool("PlaySounds", true));
    ClickCheckItem(MneFrame::idPlaySounds);
    EXPECT_TRUE(Options.PlaySounds);
}

TEST_F(FrameTest, ShowTimerShowsOrBlanksTheStudyTimeAtOnce)
{
    for (const char* name : {"a", "b"})
        AddCard(name);
    for (Card& card : Cards)
        ActiveCards.push_back(&card);
    Frame->ShowPanel(pnStudy);
    EXPECT_EQ(Frame->TestPanel->TimerLabel->GetLabel(), "");
    const int seconds = Frame->TestPanel->ElapsedSeconds;
    ClickCheckItem(MneFrame::idShowTimer);
    EXPECT_TRUE(Options.ShowTimer);
    EXPECT_TRUE(wxConfigBase::Get()->ReadBool("ShowTimer", false));
    EXPECT_EQ(Frame->TestPanel->TimerLabel->GetLabel(),
              wxString::Format("%02d:%02d", seconds / 60, seconds % 60));
    EXPECT_EQ(Frame->TestPanel->ElapsedSeconds, seconds + 1);
    ClickCheckItem(MneFrame::idShowTimer);
    EXPECT_FALSE(Options.ShowTimer);
    EXPECT_EQ(Frame->TestPanel->TimerLabel->GetLabel(), "");
    Frame->ShowPanel(pnCardList);
}

TEST_F(FrameTest, SwapToggledTwiceStaysInStep)
{
    ClickCheckItem(MneFrame::idSwap);
    EXPECT_TRUE(Options.SwapQuestionAnswer);
    EXPECT_TRUE(Checked(MneFrame::idSwap));
    EXPECT_TRUE(wxConfigBase::Get()->ReadBool("SwapQuestionAnswer", false));
    ClickCheckItem(MneFrame::idSwap);
    EXPECT_FALSE(Options.SwapQuestionAnswer);
    EXPECT_FALSE(Checked(MneFrame::idSwap));
    EXPECT_FALSE(wxConfigBase::Get()->ReadBool("SwapQuestionAnswer", true));
    // Swap inverts the option whatever the item says.
    Menu(MneFrame::idSwap);
    EXPECT_TRUE(Options.SwapQuestionAnswer);
    EXPECT_TRUE(Checked(MneFrame::idSwap));
}

TEST_F(FrameTest, CardFontAndBackground)
{
    const wxFont before = Options.CardFont;
    const wxFont chosen(16, wxFONTFAMILY_SWISS, wxFONTSTYLE_ITALIC, wxFONTWEIGHT_BOLD, false,
                        "DejaVu Sans");
    ExpectFontDialog cancelled(chosen, *wxRED, wxID_CANCEL);
    wxTEST_DIALOG(Menu(MneFrame::idCardFont), cancelled);
    EXPECT_EQ(cancelled.Initial, before);
    EXPECT_EQ(cancelled.InitialColour, Options.CardFontColor);
    EXPECT_EQ(Options.CardFont, before);

    // A dialog that hands back no valid font changes nothing but still stores the options.
    wxTEST_DIALOG(Menu(MneFrame::idCardFont), ExpectFontDialog(wxNullFont, *wxRED));
    EXPECT_EQ(Options.CardFont, before);
    EXPECT_EQ(Options.CardFontColor, *wxBLACK);
    EXPECT_TRUE(wxConfigBase::Get()->HasEntry("CardFont"));

    wxTEST_DIALOG(Menu(MneFrame::idCardFont), ExpectFontDialog(chosen, wxColour(0, 0, 128)));
    EXPECT_EQ(Options.CardFont.GetPointSize(), 16);
    EXPECT_EQ(Options.CardFont.GetStyle(), wxFONTSTYLE_ITALIC);
    EXPECT_EQ(Options.CardFontColor, wxColour(0, 0, 128));
    EXPECT_EQ(wxConfigBase::Get()->Read("CardFontColor"), "0, 0, 128");

    ExpectColourDialog keep(*wxGREEN, wxID_CANCEL);
    wxTEST_DIALOG(Menu(MneFrame::idCardBackground), keep);
    EXPECT_EQ(keep.Initial, *wxWHITE);
    EXPECT_EQ(Options.CardBackground, *wxWHITE);
    wxTEST_DIALOG(Menu(MneFrame::idCardBackground), ExpectColourDialog(wxColour(250, 240, 200)));
    EXPECT_EQ(Options.CardBackground, wxColour(250, 240, 200));
    EXPECT_EQ(wxConfigBase::Get()->Read("CardBackground"), "250, 240, 200");
}

TEST_F(FrameTest, LanguageListNeedsCatalogFolders)
{
    const wxString empty = MakeTempDir();
    EXPECT_EQ(mneLanguageDialog::OfferedLanguages(empty), std::vector<int>{wxLANGUAGE_ENGLISH});

    const wxString dir = MakeTempDir();
    for (const char* name : {"de", "pt_BR", "src", "nonsense"})
        wxMkdir(dir + "/" + name);
    WriteFile(dir + "/fr", "a file, not a folder");
    const std::vector<int> expected = {wxLANGUAGE_ENGLISH, wxLANGUAGE_GERMAN,
                                       wxLANGUAGE_PORTUGUESE_BRAZILIAN};
    EXPECT_EQ(mneLanguageDialog::OfferedLanguages(dir), expected);

    const wxString cwd = wxGetCwd();
    wxSetWorkingDirectory(dir);
    ExpectLanguageDialog cancelled("German", wxID_CANCEL);
    wxTEST_DIALOG(Menu(MneFrame::idLanguage), cancelled);
    EXPECT_EQ(cancelled.Message, "Please choose a language:");
    EXPECT_EQ(cancelled.Caption, "Language");
    // 200 x 150, unless the toolkit needs more room for the message, the list and the buttons.
    EXPECT_EQ(cancelled.Size.x, std::max(200, cancelled.MinSize.x));
    EXPECT_EQ(cancelled.Size.y, std::max(150, cancelled.MinSize.y));
    EXPECT_LE(cancelled.Size.x, 300);
    const wxArrayString offered = cancelled.Choices;
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0], "English");
    EXPECT_EQ(offered[1], "German");
    EXPECT_FALSE(wxConfigBase::Get()->HasEntry("Language"));

    ExpectMessage restart(wxID_OK);
    wxTEST_DIALOG(Menu(MneFrame::idLanguage), ExpectLanguageDialog("German"), restart);
    wxSetWorkingDirectory(cwd);
    EXPECT_EQ(wxConfigBase::Get()->ReadLong("Language", -1), long(wxLANGUAGE_GERMAN));
    EXPECT_EQ(restart.Message, "You must restart Mnemora to use the new language.");
    EXPECT_EQ(restart.Caption, "Mnemora");
    EXPECT_TRUE(restart.Style & wxICON_INFORMATION);
}

TEST_F(FrameTest, AboutBox)
{
    ExpectAbout about;
    wxTEST_DIALOG(Menu(MneFrame::idAbout), about);
    EXPECT_EQ(about.Title, "About Mnemora");
    ASSERT_EQ(about.Texts.size(), 2u);
    EXPECT_EQ(about.Texts[0], "Mnemora v1.5");
    EXPECT_TRUE(about.NameLarge);
    EXPECT_NE(about.Texts[1].Find("@"), wxNOT_FOUND);
}
