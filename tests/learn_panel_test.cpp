// SPDX-License-Identifier: GPL-3.0-or-later
// The learn panel inside a real main frame: which cards come into play, the number of cards
// through spin, text and All, the striped list and its scrolling, and the Learn-mode round trip.
#include "FrameFixture.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/config.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/fontdlg.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/PanelHeader.h"
#include "deck/mnemora.h"
#include "edit/MneEditPanel.h"
#include "study/CardDraw.h"
#include "study/MneActiveCardsPanel.h"
#include "study/MneCardPanel.h"
#include "study/MneLearnPanel.h"
#include "study/MneTestPanel.h"

namespace
{
/// Answers the card font dialog with a chosen font.
class ChooseFont : public wxExpectModalBase<wxFontDialog>
{
public:
    explicit ChooseFont(const wxFont& font) : m_font(font) {}

protected:
    int OnInvoked(wxFontDialog* dialog) const override
    {
        dialog->GetFontData().SetChosenFont(m_font);
        dialog->GetFontData().SetColour(*wxBLACK);
        return wxID_OK;
    }

private:
    wxFont m_font;
};

const wxColour Blue(191, 219, 240);
const wxColour White(255, 255, 255);
const wxColour GreyBlue(159, 159, 159);
const wxColour GreyWhite(191, 191, 191);

class LearnPanelTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Panel = Frame->LearnPanel;
        Options.PlaySounds = false;
        Options.ShuffleCards = false;
        Options.TestMode = tmLearn;
        ResetRandom();
    }

    /// Cards "Q1".."Qn" with the given scores (0 for those not given), none in play.
    static void MakeDeck(int count, const std::vector<float>& scores = {})
    {
        ::MakeDeck(count);
        ActiveCards.clear();
        for (size_t i = 0; i < scores.size(); ++i)
            Cards[i].Score = scores[i];
    }

    /// Puts the first count cards of the deck into play and shows the learn panel.
    void Learn(int active = 0)
    {
        ActiveCards.clear();
        for (int i = 0; i < active; ++i)
            ActiveCards.push_back(&Cards[size_t(i)]);
        Frame->ShowPanel(pnLearn);
    }

    /// Types text into the count field, then presses Enter there unless told not to.
    void Type(const wxString& text, bool enter = true)
    {
        Panel->CountText->SetValue(text);
        if (!enter)
            return;
        wxCommandEvent event(wxEVT_TEXT_ENTER, Panel->CountText->GetId());
        event.SetEventObject(Panel->CountText);
        event.SetString(text);
        Panel->CountText->ProcessWindowEvent(event);
    }

    void Spin(int position)
    {
        wxSpinEvent event(wxEVT_SPIN, Panel->CountSpin->GetId());
        event.SetEventObject(Panel->CountSpin);
        event.SetPosition(position);
        Panel->CountSpin->ProcessWindowEvent(event);
    }

    /// The indices into Cards of NewCards.
    static std::vector<int> NewIndices()
    {
        std::vector<int> indices;
        for (Card* card : NewCards)
            indices.push_back(int(card - Cards.data()));
        return indices;
    }

    static long StoredIncrement() { return wxConfigBase::Get()->ReadLong("CardIncrement", -1); }

    /// The list as it paints now, on a memory bitmap of the list's client size.
    wxImage PaintedList()
    {
        const wxSize size = Panel->CardList->GetClientSize();
        wxBitmap bitmap(size.x, size.y, 24);
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxRED_BRUSH);
        dc.Clear();
        Panel->CardList->PaintRows(dc, size);
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    }

    MneLearnPanel* Panel = nullptr;
};

/// The colours down the column x, from y 1 to the last row, one entry per run of equal colour.
std::vector<wxColour> StripesAt(const wxImage& image, int x, int bottom)
{
    std::vector<wxColour> runs;
    for (int y = 1; y < bottom; ++y)
    {
        const wxColour colour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
        if (runs.empty() || runs.back() != colour)
            runs.push_back(colour);
    }
    return runs;
}
} // namespace

TEST_F(LearnPanelTest, LayoutTextsAndControls)
{
    MakeDeck(4);
    Learn();
    // In a narrow window the instruction flows to the room beside the title.
    EXPECT_EQ(wxJoin(wxSplit(Panel->Header->DescriptionLabel()->GetLabel(), '\n', '\0'), ' ', '\0'),
              "Carefully study the following cards, trying to commit them to memory.  When "
              "you're ready to begin testing, press the Continue button.");
    EXPECT_EQ(Panel->Header->TitleLabel()->GetLabel(), "Learn Cards");
    EXPECT_EQ(Panel->FindWindow(MneLearnPanel::idAll), Panel->AllButton);
    EXPECT_EQ(Panel->AllButton->GetLabel(), "All");
    EXPECT_EQ(Panel->FindWindow(MneLearnPanel::idContinue), Panel->ContinueButton);
    EXPECT_EQ(Panel->ContinueButton->GetLabel(), "Continue");
    EXPECT_TRUE(Panel->CountText->HasFlag(wxTE_PROCESS_ENTER));
    EXPECT_TRUE(Panel->CountSpin->HasFlag(wxSP_VERTICAL));
    EXPECT_TRUE(Panel->CardList->HasFlag(wxVSCROLL));
    EXPECT_TRUE(Panel->IsShown());
    EXPECT_FALSE(Frame->TestPanel->IsShown());
    // Bottom row, left to right, the spin flush against the text field.
    const wxRect text = Panel->CountText->GetRect();
    const wxRect spin = Panel->CountSpin->GetRect();
    EXPECT_EQ(spin.x, text.GetRight() + 1);
    EXPECT_LT(spin.GetRight(), Panel->AllButton->GetRect().x);
    EXPECT_LT(Panel->AllButton->GetRect().GetRight(), Panel->ContinueButton->GetRect().x);
    YieldFor(50);
    EXPECT_EQ(wxWindow::FindFocus(), Panel->CardList);
}

TEST_F(LearnPanelTest, FirstStageTakesTheFirstCardsAndContinueStartsTheDrill)
{
    MakeDeck(10);
    Options.CardIncrement = 3;
    for (Card& card : Cards)
        card.AnswerCount = 5;
    ClickButton(Frame->EditPanel, MneEditPanel::idStudy);
    ASSERT_EQ(CurrentPanel, pnLearn);
    EXPECT_EQ(NewIndices(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Panel->CountText->GetValue(), "3");
    EXPECT_EQ(Panel->CountSpin->GetValue(), 3);
    EXPECT_EQ(Panel->CountSpin->GetMin(), 1);
    EXPECT_EQ(Panel->CountSpin->GetMax(), 10);
    EXPECT_TRUE(Panel->CountSpin->IsEnabled());
    EXPECT_TRUE(ActiveCards.empty()) << "nothing is in play before Continue";

    ClickButton(Panel, MneLearnPanel::idContinue);
    EXPECT_EQ(CurrentPanel, pnStudy);
    ASSERT_EQ(ActiveCards.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(ActiveCards[i], &Cards[i]);
        EXPECT_EQ(Cards[i].AnswerCount, 0);
    }
    EXPECT_EQ(Cards[3].AnswerCount, 5);
    EXPECT_EQ(NewCards.size(), 3u) << "the study panel still reads how many came in";
    EXPECT_EQ(Frame->TestPanel->CardDisplay->DisplayedCard, &Cards[0]);
}

TEST_F(LearnPanelTest, FewerCardsLeftThanTheIncrementShrinkIt)
{
    MakeDeck(10);
    Options.CardIncrement = 3;
    Learn(8);
    EXPECT_EQ(Panel->CountText->GetValue(), "2");
    EXPECT_EQ(NewIndices(), (std::vector<int>{8, 9}));
    EXPECT_EQ(Options.CardIncrement, 2);
    EXPECT_EQ(StoredIncrement(), 2);

    // Exactly one left: the number is 1 and the arrows are off.
    Learn(9);
    EXPECT_EQ(Panel->CountText->GetValue(), "1");
    EXPECT_EQ(NewIndices(), (std::vector<int>{9}));
    EXPECT_FALSE(Panel->CountSpin->IsEnabled());
    EXPECT_EQ(StoredIncrement(), 1);
}

TEST_F(LearnPanelTest, AllSpinAndTypedCounts)
{
    MakeDeck(15);
    Options.CardIncrement = 3;
    Learn(3);
    ClickButton(Panel, MneLearnPanel::idAll);
    EXPECT_EQ(Panel->CountText->GetValue(), "12");
    EXPECT_EQ(NewCards.size(), 12u);
    EXPECT_EQ(StoredIncrement(), 12);

    Type("0");
    EXPECT_EQ(Panel->CountText->GetValue(), "1");
    EXPECT_EQ(NewIndices(), (std::vector<int>{3}));
    Type("50");
    EXPECT_EQ(Panel->CountText->GetValue(), "12");
    EXPECT_EQ(Panel->CountSpin->GetValue(), 12);
    Type(" +4 cards");
    EXPECT_EQ(Panel->CountText->GetValue(), "4");
    EXPECT_EQ(NewIndices(), (std::vector<int>{3, 4, 5, 6}));
    Type("many");
    EXPECT_EQ(Panel->CountText->GetValue(), "1") << "text without a number counts as 0";
    Type("-7");
    EXPECT_EQ(Panel->CountText->GetValue(), "1");
    Type("99999999999999999999");
    EXPECT_EQ(Panel->CountText->GetValue(), "12");

    // Typing alone changes nothing until Enter.
    Type("5", false);
    EXPECT_EQ(NewCards.size(), 12u);
    EXPECT_EQ(Options.CardIncrement, 12);

    Spin(6);
    EXPECT_EQ(Panel->CountText->GetValue(), "6");
    EXPECT_EQ(NewCards.size(), 6u);
    EXPECT_EQ(StoredIncrement(), 6);
}

TEST_F(LearnPanelTest, WeakestCardsFirstAndTheFirstAmongEqualScores)
{
    MakeDeck(4, {40, 20, 20, 90});
    Options.CardIncrement = 2;
    Learn();
    EXPECT_EQ(NewIndices(), (std::vector<int>{1, 2}));
    Spin(4);
    EXPECT_EQ(NewIndices(), (std::vector<int>{1, 2, 0, 3}));

    // Cards in play are never chosen again.
    MakeDeck(5, {10, 50, 0, 30, 0});
    Options.CardIncrement = 2;
    Learn(3);
    EXPECT_EQ(NewIndices(), (std::vector<int>{4, 3}));
}

TEST_F(LearnPanelTest, AfterAddMoreCardsTheListEndsWithTheNewCardsOnBlue)
{
    // One-line rows, so that the three new ones leave room above them in any face; twenty
    // cards in play overflow the list in any face, each row being at least 40 pixels high.
    MakeDeck(30);
    Options.CardIncrement = 3;
    // Room for more than three rows, so that grey ones show above the new ones.
    Frame->SetSize(Frame->GetSize().x, 600);
    Learn(20);
    YieldFor(50);
    MneActiveCardsPanel* list = Panel->CardList;
    const int h = list->GetClientSize().y;
    ASSERT_GT(list->TotalHeight, h) << "23 rows do not fit";
    EXPECT_EQ(list->ScrollOffset, list->TotalHeight - h);
    EXPECT_EQ(list->GetScrollThumb(wxVERTICAL), 150);
    EXPECT_EQ(list->GetScrollRange(wxVERTICAL), list->TotalHeight - h + 150);
    EXPECT_EQ(list->GetScrollPos(wxVERTICAL), list->ScrollOffset);

    const wxImage image = PaintedList();
    // The last row ends on the bottom edge: the frame line is the list's last pixel row.
    EXPECT_EQ(
        wxColour(image.GetRed(20, h - 1), image.GetGreen(20, h - 1), image.GetBlue(20, h - 1)),
        *wxBLACK);
    for (int x : {3, list->GetClientSize().x / 2 + 3})
    {
        const std::vector<wxColour> runs = StripesAt(image, x, h - 1);
        ASSERT_GE(runs.size(), 4u);
        const size_t n = runs.size();
        EXPECT_EQ(runs[n - 1], Blue);
        EXPECT_EQ(runs[n - 2], White);
        EXPECT_EQ(runs[n - 3], Blue);
        for (size_t i = 0; i + 3 < n; ++i)
            EXPECT_TRUE(runs[i] == GreyBlue || runs[i] == GreyWhite) << i;
        // The cards in play alternate too, and the last of twenty (odd position) is light grey.
        EXPECT_EQ(runs[n - 4], GreyWhite);
    }

    // Scrolling: lines, pages, the thumb and the wheel, always within the rows.
    const int end = list->ScrollOffset;
    auto scroll = [&](wxEventType type, int position = 0)
    {
        wxScrollWinEvent event(type, position, wxVERTICAL);
        event.SetEventObject(list);
        list->ProcessWindowEvent(event);
    };
    scroll(wxEVT_SCROLLWIN_LINEUP);
    EXPECT_EQ(list->ScrollOffset, end - 10);
    scroll(wxEVT_SCROLLWIN_PAGEUP);
    EXPECT_EQ(list->ScrollOffset, end - 40);
    scroll(wxEVT_SCROLLWIN_LINEDOWN);
    EXPECT_EQ(list->ScrollOffset, end - 30);
    scroll(wxEVT_SCROLLWIN_PAGEDOWN);
    scroll(wxEVT_SCROLLWIN_PAGEDOWN);
    EXPECT_EQ(list->ScrollOffset, end);
    scroll(wxEVT_SCROLLWIN_THUMBTRACK, 7);
    EXPECT_EQ(list->ScrollOffset, 7);
    EXPECT_EQ(list->GetScrollPos(wxVERTICAL), 7);
    scroll(wxEVT_SCROLLWIN_THUMBRELEASE, 50);
    scroll(wxEVT_SCROLLWIN_TOP);
    scroll(wxEVT_SCROLLWIN_BOTTOM);
    EXPECT_EQ(list->ScrollOffset, 7);
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = -240;
    wheel.m_wheelDelta = 120;
    wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    list->ProcessWindowEvent(wheel);
    EXPECT_EQ(list->ScrollOffset, 47);
    wheel.m_wheelRotation = 120 * 100;
    list->ProcessWindowEvent(wheel);
    EXPECT_EQ(list->ScrollOffset, 0);

    // At the top the first row (in play, position 0) is dark grey.
    const wxImage top = PaintedList();
    EXPECT_EQ(StripesAt(top, 3, h - 1).front(), GreyBlue);

    // The real window paints too.
    int paints = 0;
    list->Bind(wxEVT_PAINT,
               [&](wxPaintEvent& event)
               {
                   ++paints;
                   event.Skip();
               });
    list->Refresh();
    YieldFor(100);
    EXPECT_GT(paints, 0);
}

TEST_F(LearnPanelTest, AShortListStaysAtTheTop)
{
    MakeDeck(2);
    Options.CardIncrement = 3;
    Learn();
    MneActiveCardsPanel* list = Panel->CardList;
    const int h = list->GetClientSize().y;
    ASSERT_LT(list->TotalHeight, h);
    EXPECT_EQ(list->ScrollOffset, 0);
    list->SetScrollOffset(500);
    EXPECT_EQ(list->ScrollOffset, 0);
    EXPECT_LE(list->GetScrollRange(wxVERTICAL), list->GetScrollThumb(wxVERTICAL));
    // Two new cards on blue then white, framed down to the end of the last row.
    const wxImage image = PaintedList();
    const std::vector<wxColour> runs = StripesAt(image, 3, list->TotalHeight - 1);
    EXPECT_EQ(runs, (std::vector<wxColour>{Blue, White}));
    EXPECT_EQ(wxColour(image.GetRed(3, list->TotalHeight - 1),
                       image.GetGreen(3, list->TotalHeight - 1),
                       image.GetBlue(3, list->TotalHeight - 1)),
              *wxBLACK);
}

TEST_F(LearnPanelTest, NothingLeftKeepsTheIncrementAndAValidRange)
{
    MakeDeck(3);
    Options.CardIncrement = 4;
    SaveOptions();
    Learn(3);
    EXPECT_TRUE(NewCards.empty());
    EXPECT_EQ(Panel->CountText->GetValue(), "0");
    EXPECT_FALSE(Panel->CountSpin->IsEnabled());
    EXPECT_FALSE(Panel->AllButton->IsEnabled());
    EXPECT_TRUE(Panel->ContinueButton->IsEnabled()) << "the cards in play can still be drilled";
    EXPECT_EQ(StoredIncrement(), 4);

    // An empty deck has nothing to drill: Continue is off.
    ResetDeck();
    Learn();
    EXPECT_FALSE(Panel->ContinueButton->IsEnabled());
}

TEST_F(LearnPanelTest, LearnModeRoundTripFromTheCardList)
{
    MakeDeck(8);
    Options.CardIncrement = 3;
    Frame->ShowPanel(pnCardList);
    ClickButton(Frame->EditPanel, MneEditPanel::idStudy);
    ASSERT_EQ(CurrentPanel, pnLearn);
    ClickButton(Panel, MneLearnPanel::idContinue);
    ASSERT_EQ(CurrentPanel, pnStudy);
    MneTestPanel* study = Frame->TestPanel;

    bool congratulated = false;
    for (int answers = 0; answers < 30 && !congratulated; ++answers)
    {
        // The answer that brings the last card to its second answer is the one congratulated.
        int short_ = 0;
        for (Card* card : ActiveCards)
            short_ += card->AnswerCount < Options.MinAnswerCount;
        Card* shown = study->CardDisplay->DisplayedCard;
        ClickButton(study, MneTestPanel::idShowAnswer);
        if (short_ == 1 && shown->AnswerCount == Options.MinAnswerCount - 1)
        {
            ExpectMessage message;
            wxTEST_DIALOG(ClickButton(study, MneTestPanel::idCorrect), message);
            EXPECT_TRUE(message.Message.StartsWith("Congratulations!"));
            congratulated = true;
        }
        else
            ClickButton(study, MneTestPanel::idCorrect);
    }
    ASSERT_TRUE(congratulated);
    ASSERT_TRUE(study->AddMoreCardsButton->IsShown());

    ClickButton(study, MneTestPanel::idAddMoreCards);
    ASSERT_EQ(CurrentPanel, pnLearn);
    EXPECT_TRUE(Panel->IsShown());
    EXPECT_EQ(NewIndices(), (std::vector<int>{3, 4, 5})) << "the answered cards now score 100";
    EXPECT_EQ(Panel->CountText->GetValue(), "3");
    ClickButton(Panel, MneLearnPanel::idContinue);
    ASSERT_EQ(CurrentPanel, pnStudy);
    ASSERT_EQ(ActiveCards.size(), 6u);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(ActiveCards[i]->AnswerCount, i < 3 ? 1 : 0) << i;
    EXPECT_EQ(study->CardDisplay->DisplayedCard, &Cards[3]) << "drilling starts with the new cards";
}

TEST_F(LearnPanelTest, ANewCardFontMeasuresTheRowsAgain)
{
    MakeDeck(12);
    Options.CardIncrement = 12;
    Learn();
    YieldFor(50);
    MneActiveCardsPanel* list = Panel->CardList;
    // Whatever the faces measure, a stale height must give way to the new face's rows.
    list->TotalHeight = 1;
    const wxFont large(30, wxFONTFAMILY_ROMAN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false,
                       "DejaVu Serif");
    wxCommandEvent menu(wxEVT_MENU, MneFrame::idCardFont);
    menu.SetEventObject(Frame);
    wxTEST_DIALOG(Frame->ProcessWindowEvent(menu), ChooseFont(large));
    YieldFor(200);
    ASSERT_EQ(Options.CardFont.GetFaceName(), "DejaVu Serif");

    wxClientDC dc(list);
    dc.SetFont(wxFont(10, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false,
                      "DejaVu Serif"));
    int expected = 0;
    for (Card* card : NewCards)
        expected += DrawCardRow(dc, *card, 0, expected, list->GetClientSize().x, false, 40);
    EXPECT_EQ(list->TotalHeight, expected) << "the list draws in the new face at 10 points";
    EXPECT_LE(list->ScrollOffset, std::max(0, list->TotalHeight - list->GetClientSize().y));
    EXPECT_EQ(list->GetScrollRange(wxVERTICAL), list->TotalHeight - list->GetClientSize().y + 150);
}
