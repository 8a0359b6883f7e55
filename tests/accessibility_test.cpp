// What a screen reader finds over the desktop's accessibility bus: the card being studied, the
// card list's rows, the learn panel's cards and the editor's preview in German, read by a
// separate reader process.
#include "FrameFixture.h"

#include <wx/listctrl.h>
#include <wx/process.h>
#include <wx/stream.h>
#include <wx/txtstrm.h>

#include <unistd.h>

#include "edit/MneAddPanel.h"
#include "edit/MneEditPanel.h"
#include "study/MneLearnPanel.h"
#include "study/MneTestPanel.h"

namespace
{
/// The program's accessible tree as the AT-SPI reader prints it, one object a line; the event
/// loop keeps running meanwhile, since every question the reader asks is answered by it.
std::string AccessibleTree()
{
    YieldFor(100);
    const wxString script = wxString(getenv("MNEMORA_SOURCE_DIR")) + "/tests/atspi_tree.py";
    wxProcess reader;
    reader.Redirect();
    bool done = false;
    reader.Bind(wxEVT_END_PROCESS, [&done](wxProcessEvent&) { done = true; });
    const long pid = wxExecute(wxString::Format("/usr/bin/python3 %s %d", script, getpid()),
                               wxEXEC_ASYNC, &reader);
    if (pid <= 0)
        return "reader did not start";
    std::string output;
    const auto drain = [&output, &reader]()
    {
        wxInputStream* stream = reader.GetInputStream();
        char chunk[4096];
        while (stream != nullptr && stream->CanRead())
        {
            stream->Read(chunk, sizeof chunk);
            output.append(chunk, stream->LastRead());
            if (stream->LastRead() == 0)
                break;
        }
    };
    for (int waited = 0; !done && waited < 60000; waited += 10)
    {
        wxTheApp->Yield(true);
        drain();
        wxMilliSleep(10);
    }
    drain();
    return output;
}

/// The lines of `tree` whose role is `role` (without the indentation).
std::vector<std::string> Objects(const std::string& tree, const std::string& role)
{
    std::vector<std::string> found;
    size_t start = 0;
    while (start < tree.size())
    {
        size_t end = tree.find('\n', start);
        if (end == std::string::npos)
            end = tree.size();
        std::string line = tree.substr(start, end - start);
        line.erase(0, line.find_first_not_of(' '));
        if (line.compare(0, role.size() + 1, role + "|") == 0)
            found.push_back(line);
        start = end + 1;
    }
    return found;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class AccessibilityTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Options.PlaySounds = false;
        Options.ShuffleCards = false;
        Options.SwapQuestionAnswer = false;
        AddCard("The **capital** of //France//?\nIn one word", "YYN");
        Cards[0].Answer = "__Paris__";
        AddCard("Capital of Spain", "");
        Cards[1].AnswerPicture = wxFileName(Dir + "/madrid.png");
        AddCard("Capital of Italy", "N");
    }
};
} // namespace

TEST_F(AccessibilityTest, TheStudiedCardSaysItsQuestionThenItsAnswer)
{
    Options.TestMode = tmQuiz;
    for (Card& card : Cards)
        ActiveCards.push_back(&card);
    Frame->ShowPanel(pnStudy);
    const std::string question = "The capital of France?\\nIn one word";
    std::vector<std::string> panels = Objects(AccessibleTree(), "panel");
    EXPECT_TRUE(Contains(panels, "panel|" + question + "|Question: " + question + "|"))
        << AccessibleTree();

    wxCommandEvent showAnswer(wxEVT_BUTTON, 15003);
    Frame->TestPanel->ProcessWindowEvent(showAnswer);
    panels = Objects(AccessibleTree(), "panel");
    EXPECT_TRUE(Contains(panels, "panel|" + question + "\\nParis|Question: " + question +
                                     "\\nAnswer: Paris|"));

    // The next card has a picture on its answer side.
    wxCommandEvent correct(wxEVT_BUTTON, 15001);
    Frame->TestPanel->ProcessWindowEvent(correct);
    Frame->TestPanel->ProcessWindowEvent(showAnswer);
    panels = Objects(AccessibleTree(), "panel");
    EXPECT_TRUE(Contains(panels, "panel|Capital of Spain\\nanswer of Capital of Spain\\npicture|"
                                 "Question: Capital of Spain\\nAnswer: answer of Capital of "
                                 "Spain\\npicture|"));
    Frame->ShowPanel(pnCardList);
}

TEST_F(AccessibilityTest, TheCardListReadsAsAListOfRowsFollowingTheSelection)
{
    Frame->ShowPanel(pnCardList);
    const std::string paris = "list item|The capital of France? In one word, Paris, Score 67%||";
    const std::vector<std::string> rows = {
        paris, "list item|Capital of Spain, (madrid.png) answer of Capital of Spain||",
        "list item|Capital of Italy, answer of Capital of Italy, Score 0%||"};
    std::string tree = AccessibleTree();
    EXPECT_EQ(Objects(tree, "list item"), rows) << tree;
    EXPECT_EQ(Objects(tree, "list"), std::vector<std::string>{"list|Card List||focused"});

    wxListView* list = dynamic_cast<wxListView*>(Frame->EditPanel->FindWindow(10001));
    ASSERT_NE(list, nullptr);
    list->Select(0);
    list->Focus(0);
    list->Select(2);
    tree = AccessibleTree();
    EXPECT_EQ(Objects(tree, "list item"),
              (std::vector<std::string>{paris + "selected,focused", rows[1], rows[2] + "selected"}))
        << tree;
}

TEST_F(AccessibilityTest, TheLearnPanelListsItsCardsWithTheNewOnesMarked)
{
    Options.TestMode = tmLearn;
    Options.CardIncrement = 2;
    ActiveCards.push_back(&Cards[2]);
    Frame->ShowPanel(pnLearn);
    const std::vector<std::string> items = Objects(AccessibleTree(), "list item");
    const std::vector<std::string> expected = {
        "list item|Capital of Italy||", "list item|Capital of Spain, new card||",
        "list item|The capital of France?\\nIn one word, new card||"};
    for (const std::string& item : expected)
        EXPECT_TRUE(Contains(items, item)) << item << "\n" << AccessibleTree();
    EXPECT_TRUE(Contains(Objects(AccessibleTree(), "list"), "list|Learn Cards||focused"));
    Frame->ShowPanel(pnCardList);
}

TEST_F(AccessibilityTest, TheEditorsPreviewSpeaksGerman)
{
    // The frame takes its texts in the language of its start.
    mneApp::InitLocale(wxLANGUAGE_GERMAN);
    Frame->Destroy();
    Frame = new MneFrame();
    Frame->AddPanel->SetCard(1, false);
    Frame->ShowPanel(pnEditor);
    wxCommandEvent preview(wxEVT_BUTTON, 10008);
    Frame->AddPanel->ProcessWindowEvent(preview);
    const std::string tree = AccessibleTree();
    EXPECT_TRUE(
        Contains(Objects(tree, "panel"),
                 "panel|Capital of Spain\\nanswer of Capital of Spain\\nBild|Frage: Capital "
                 "of Spain\\nAntwort: answer of Capital of Spain\\nBild|"))
        << tree;
    Frame->ShowPanel(pnCardList);
    delete Locale;
    Locale = nullptr;
}
