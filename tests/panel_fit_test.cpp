// SPDX-License-Identifier: GPL-3.0-or-later
// Every label of every panel and dialog shows whole, in English and in German, at the frame's
// first size and at 1000 x 700; headers are no taller than their texts; the line breaking of
// the descriptions.
#include "FrameFixture.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tokenzr.h>

#include <vector>

#include "app/PanelHeader.h"
#include "app/mneAboutDialog.h"
#include "app/mneImportDialog.h"
#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
#include "print/mnePrintDialog.h"
#include "study/MneLearnPanel.h"
#include "study/MneTestPanel.h"
#include "study/mneModeDialog.h"
#include "study/mneQuizDialog.h"

namespace
{
/// Width and height of a label's text, line by line, in the window's font.
wxSize TextSize(wxWindow* window, const wxString& text)
{
    wxSize size;
    const int lineHeight = window->GetTextExtent("Hg").y;
    for (const wxString& line : wxSplit(text, '\n', '\0'))
    {
        size.x = std::max(size.x, window->GetTextExtent(line).x);
        size.y += lineHeight;
    }
    return size;
}

/// Checks every shown label below `window`: its text fits the control, the control lies inside
/// its parent, and a static text is not a line or more taller than its text.
void ExpectLabelsFit(wxWindow* window, const wxString& where)
{
    for (wxWindow* child : window->GetChildren())
    {
        if (!child->IsShown() || child->IsTopLevel())
            continue;
        const wxRect inside(wxPoint(), child->GetParent()->GetClientSize());
        wxString label;
        wxSize room = child->GetSize();
        if (wxStaticText* text = dynamic_cast<wxStaticText*>(child))
        {
            label = text->GetLabel();
            const wxSize needed = TextSize(text, label);
            EXPECT_LT(room.y, needed.y + text->GetTextExtent("Hg").y / 2)
                << where << ": taller than its text: " << label;
        }
        else if (wxButton* button = dynamic_cast<wxButton*>(child))
        {
            label = button->GetLabelText();
            // The frame of a button needs a few pixels on each side of its label.
            room.DecBy(6, 4);
        }
        else if (wxRadioButton* radio = dynamic_cast<wxRadioButton*>(child))
            label = radio->GetLabelText();
        else if (wxTextCtrl* field = dynamic_cast<wxTextCtrl*>(child);
                 field && !field->IsMultiLine() && !field->GetValue().empty())
        {
            // The theme's entry size leaves a few pixels past the text for the caret.
            const int needed =
                field->GetSizeFromTextSize(field->GetTextExtent(field->GetValue())).x;
            EXPECT_LE(needed - 8, room.x)
                << where << ": field too narrow for " << field->GetValue();
        }
        if (!label.empty())
        {
            const wxSize needed = TextSize(child, label);
            EXPECT_LE(needed.x, room.x) << where << ": too narrow for " << label;
            EXPECT_LE(needed.y, room.y) << where << ": too low for " << label;
            EXPECT_TRUE(inside.Contains(child->GetRect())) << where << ": cut off: " << label;
        }
        ExpectLabelsFit(child, where);
    }
}

/// Where the first static text below `panel` was broken to fit, no line ends while the first
/// word of the next one would still fit beside it.
void ExpectNoRaggedLines(wxWindow* panel, const wxString& where)
{
    wxStaticText* text = nullptr;
    for (wxWindow* child : panel->GetChildren())
        if (!text)
            text = dynamic_cast<wxStaticText*>(child);
    ASSERT_NE(text, nullptr);
    const wxArrayString lines = wxSplit(text->GetLabel(), '\n', '\0');
    if (lines.size() <= 3)
        return; // as written
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        EXPECT_GT(text->GetTextExtent(lines[i] + " " + lines[i + 1].BeforeFirst(' ')).x,
                  text->GetSize().x)
            << where << ": line ends early: " << lines[i];
}

class PanelFitTest : public FrameTest, public testing::WithParamInterface<int>
{
protected:
    void SetUp() override
    {
        mneApp::InitLocale(GetParam());
        FrameTest::SetUp();
        WriteFile(Dir + "/deck.mnd", DeckXml(8));
        Frame->OpenDeckFile(Dir + "/deck.mnd", false);
        Options.ShowTimer = true;
        Options.PlaySounds = false;
    }

    void TearDown() override
    {
        FrameTest::TearDown();
        delete Locale;
        Locale = nullptr;
    }

    /// Shows a panel after `prepare` and checks its labels.
    template <typename Prepare> void Check(wxWindow* panel, const char* what, Prepare prepare)
    {
        prepare();
        YieldFor(50);
        ExpectLabelsFit(panel, wxString(GetParam() == wxLANGUAGE_GERMAN ? "German " : "English ") +
                                   Size + ", " + what);
    }

    void CheckPanels()
    {
        MneTestPanel* study = Frame->TestPanel;
        Check(Frame->EditPanel, "card list", [&] { Frame->ShowPanel(pnCardList); });
        Check(Frame->LearnPanel, "learn panel",
              [&]
              {
                  Options.TestMode = tmLearn;
                  ActiveCards.clear();
                  Frame->ShowPanel(pnLearn);
              });
        // The bottom row has one height.
        MneLearnPanel* learn = Frame->LearnPanel;
        for (wxWindow* control : {(wxWindow*)learn->CountSpin, (wxWindow*)learn->AllButton,
                                  (wxWindow*)learn->ContinueButton})
            EXPECT_EQ(control->GetSize().y, learn->CountText->GetSize().y) << Size;
        Check(study, "study panel",
              [&]
              {
                  Frame->LearnPanel->AppendNewCards();
                  Frame->ShowPanel(pnStudy);
              });
        ExpectNoRaggedLines(study, Size);
        Check(study, "study panel, every button",
              [&]
              {
                  study->SetAnswerVisible(true);
                  study->ButtonSizer->Show(study->AddMoreCardsButton, true);
                  study->ButtonSizer->Layout();
              });
        Check(Frame->AddPanel, "editor, add mode",
              [&]
              {
                  Frame->AddPanel->SetCard(0, true);
                  Frame->ShowPanel(pnEditor);
              });
        Check(Frame->AddPanel, "editor, edit mode", [&] { Frame->AddPanel->SetCard(1, false); });
        // "<" and ">" stand level with the middle of "Preview".
        const wxRect preview = Frame->AddPanel->FindWindow(MneAddPanel::idPreview)->GetRect();
        for (int id : {MneAddPanel::idNext, MneAddPanel::idPrevious})
            EXPECT_NEAR(Frame->AddPanel->FindWindow(id)->GetRect().GetY() +
                            Frame->AddPanel->FindWindow(id)->GetRect().GetHeight() / 2,
                        preview.y + preview.height / 2, 1);
        Check(Frame->AddPanel, "editor, preview", [&] { Frame->AddPanel->SetPreview(true); });
        Frame->AddPanel->SetPreview(false);
        Frame->ShowPanel(pnCardList);
    }

    wxString Size = "first size";
};
} // namespace

TEST_P(PanelFitTest, PanelsAtTheFirstSizeAndLarger)
{
    ASSERT_TRUE(GetParam() == wxLANGUAGE_ENGLISH || wxFileExists("de/mnemora.mo"))
        << "run from the build folder";
    // The frame starts fitted to its 500 x 400 minimum, or to the card list if that is wider.
    EXPECT_LT(Frame->GetClientSize().x, 650);
    CheckPanels();
    Frame->SetSize(1000, 700);
    Size = "1000 x 700";
    CheckPanels();
}

TEST_P(PanelFitTest, Dialogs)
{
    Size = "dialog";
    mneAboutDialog about(Frame);
    Check(&about, "About box", [&] { about.Show(); });
    mneModeDialog mode(Frame);
    Check(&mode, "study mode", [&] { mode.Show(); });
    mneImportDialog import(Frame);
    Check(&import, "import", [&] { import.Show(); });
    for (int printType : {0, 1, 2})
    {
        mnePrintDialog print(Frame, printType);
        Check(&print, "print", [&] { print.Show(); });
    }
    for (Card& card : Cards)
        ActiveCards.push_back(&card);
    for (int correct : {int(Cards.size()), 3})
    {
        QuizCorrectCount = correct;
        mneQuizDialog results(Frame->TestPanel);
        Check(&results, "quiz results", [&] { results.Show(); });
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, PanelFitTest,
                         testing::Values(int(wxLANGUAGE_ENGLISH), int(wxLANGUAGE_GERMAN)));

namespace
{
/// Every character is 10 pixels wide.
int TenEach(const wxString& line)
{
    return int(line.length()) * 10;
}
} // namespace

TEST(FlowText, WrittenLinesWhileTheyFitElseRunningText)
{
    const auto FlowText = PanelHeader::FlowText;
    const wxString text = "aaa bbb ccc\nddd.  eee\nfff\n";
    EXPECT_EQ(FlowText(text, 110, TenEach), "aaa bbb ccc\nddd.  eee\nfff");
    // No line ends while the next word would still fit; blanks written between words stay.
    EXPECT_EQ(FlowText(text, 100, TenEach), "aaa bbb\nccc ddd.\neee fff");
    EXPECT_EQ(FlowText("aaaa bb ccc\nd eee ff\ng", 100, TenEach), "aaaa bb\nccc d eee\nff g");
    // Paragraphs stay apart; a word wider than the room stands alone.
    EXPECT_EQ(FlowText("aa bb\n\ncccccccc dd", 50, TenEach), "aa bb\n\ncccccccc\ndd");
}
