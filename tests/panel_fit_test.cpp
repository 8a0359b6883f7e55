// Every label of every panel and dialog shows whole, in English and in German, at the frame's
// first size and at 1000 x 700; headers are no taller than their texts; the line breaking of
// the descriptions.
#include "FrameFixture.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/tokenzr.h>

#include <vector>

#include "app/LabelFlow.h"
#include "app/mneAboutDialog.h"
#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
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

    /// Shows each panel in turn and checks its labels.
    void CheckPanels(const wxString& size)
    {
        const wxString where = GetParam() == wxLANGUAGE_GERMAN ? "German " : "English ";
        Frame->ShowPanel(pnCardList);
        YieldFor(50);
        ExpectLabelsFit(Frame->EditPanel, where + size + " card list");

        Options.TestMode = tmLearn;
        ActiveCards.clear();
        Frame->ShowPanel(pnLearn);
        YieldFor(50);
        ExpectLabelsFit(Frame->LearnPanel, where + size + " learn panel");

        Frame->LearnPanel->AppendNewCards();
        Frame->ShowPanel(pnStudy);
        YieldFor(50);
        ExpectLabelsFit(Frame->TestPanel, where + size + " study panel");
        ExpectNoRaggedLines(Frame->TestPanel, where + size + " study panel");
        Frame->TestPanel->SetAnswerVisible(true);
        Frame->TestPanel->ButtonSizer->Show(Frame->TestPanel->AddMoreCardsButton, true);
        Frame->TestPanel->ButtonSizer->Layout();
        YieldFor(50);
        ExpectLabelsFit(Frame->TestPanel, where + size + " study panel, every button shown");

        Frame->AddPanel->SetCard(0, true);
        Frame->ShowPanel(pnEditor);
        YieldFor(50);
        ExpectLabelsFit(Frame->AddPanel, where + size + " editor, add mode");
        Frame->AddPanel->SetCard(1, false);
        YieldFor(50);
        ExpectLabelsFit(Frame->AddPanel, where + size + " editor, edit mode");
        Frame->AddPanel->SetPreview(true);
        YieldFor(50);
        ExpectLabelsFit(Frame->AddPanel, where + size + " editor, preview");
        Frame->AddPanel->SetPreview(false);
        Frame->ShowPanel(pnCardList);
    }
};
} // namespace

TEST_P(PanelFitTest, PanelsAtTheFirstSizeAndLarger)
{
    ASSERT_TRUE(GetParam() == wxLANGUAGE_ENGLISH || wxFileExists("de/mnemora.mo"))
        << "run from the build folder";
    // The frame starts fitted to its 500 x 400 minimum, or to the card list if that is wider.
    EXPECT_LT(Frame->GetClientSize().x, 650);
    CheckPanels("first size");
    Frame->SetSize(1000, 700);
    YieldFor(100);
    CheckPanels("1000 x 700");
}

TEST_P(PanelFitTest, Dialogs)
{
    const wxString where = GetParam() == wxLANGUAGE_GERMAN ? "German " : "English ";
    {
        mneAboutDialog about(Frame);
        about.Show();
        YieldFor(50);
        ExpectLabelsFit(&about, where + "About box");
    }
    {
        mneModeDialog mode(Frame);
        mode.Show();
        YieldFor(50);
        ExpectLabelsFit(&mode, where + "study mode dialog");
    }
    for (Card& card : Cards)
        ActiveCards.push_back(&card);
    for (int correct : {int(Cards.size()), 3})
    {
        QuizCorrectCount = correct;
        mneQuizDialog results(Frame->TestPanel);
        results.Show();
        YieldFor(50);
        ExpectLabelsFit(&results, where + "quiz results");
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

TEST(FlowText, WrittenLinesStayWhileTheyFit)
{
    EXPECT_EQ(FlowText("one two\nthree  four \n", 110, TenEach), "one two\nthree  four ");
}

TEST(FlowText, NarrowRoomFillsEveryLine)
{
    // No line ends while the next word would still fit; blanks written between words stay.
    EXPECT_EQ(FlowText("aaa bbb ccc\nddd.  eee\nfff", 120, TenEach), "aaa bbb ccc\nddd.  eee\nfff");
    EXPECT_EQ(FlowText("aaa bbb ccc\nddd.  eee\nfff", 100, TenEach), "aaa bbb\nccc ddd.\neee fff");
    EXPECT_EQ(FlowText("aaa bbb ccc\nddd.  eee\nfff", 130, TenEach), "aaa bbb ccc\nddd.  eee\nfff");
    EXPECT_EQ(FlowText("aaa bb ccc\nd eee ff\ng", 100, TenEach), "aaa bb ccc\nd eee ff\ng");
    EXPECT_EQ(FlowText("aaaa bb ccc\nd eee ff\ng", 100, TenEach), "aaaa bb\nccc d eee\nff g");
    // Paragraphs stay apart; a word wider than the room stands alone.
    EXPECT_EQ(FlowText("aa bb\n\ncccccccc dd", 50, TenEach), "aa bb\n\ncccccccc\ndd");
}
