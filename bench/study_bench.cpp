// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of studying: drawing the next card among 100,000 active cards with the no-repeat rule,
// the quiz shuffle, and answering a card on a 1,000-card deck up to the next card painted.
// Needs a display: xvfb-run -a -s "-screen 0 1280x1024x24" bench/study_bench
#include <wx/app.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/time.h>
#include <wx/utils.h>

#include <benchmark/benchmark.h>

#include <vector>

#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/mneApp.h"
#include "deck/mnemora.h"
#include "study/CardWeightCache.h"
#include "study/MneCardPanel.h"
#include "study/MneTestPanel.h"
#include "study/StudyOrder.h"

namespace
{
class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

MneFrame* Frame = nullptr;

/// A deck in the middle of a run: mixed histories, some cards answered in this run already.
void MakeDeck(int count)
{
    ActiveCards.clear();
    Cards.assign(static_cast<size_t>(count), Card());
    for (int i = 0; i < count; ++i)
    {
        Card& card = Cards[i];
        card.Question = wxString::Format("Question %d with some text", i);
        card.Answer = wxString::Format("Answer %d", i);
        for (int k = 0; k < i % 14; ++k)
            card.History += (i * 7 + k) % 3 == 0 ? "N" : "Y";
        card.AnswerCount = i % 5 == 0 ? 0 : i % 3;
    }
    for (Card& card : Cards)
        ActiveCards.push_back(&card);
    Options.ShuffleCards = true;
    Options.MinAnswerCount = 2;
    ResetRandom();
}

/// The study panel's drawing step: remember the last two, draw, record an answer.
void BM_SelectCardWithoutRepeat(benchmark::State& state)
{
    MakeDeck(static_cast<int>(state.range(0)));
    CardWeightCache weights;
    int current = -1;
    int previous = -1;
    for (auto _ : state)
    {
        const int before = previous;
        previous = current;
        current = SelectCardWithoutRepeat(weights, previous, before);
        ActiveCards[current]->AnswerCount += 1;
        ActiveCards[current]->History += "Y";
    }
}
BENCHMARK(BM_SelectCardWithoutRepeat)->Arg(100000)->Unit(benchmark::kMillisecond);

/// Baseline: one weighted draw that computes every weight again, without the no-repeat rule.
void BM_Baseline_SelectNextCard(benchmark::State& state)
{
    MakeDeck(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        const int current = SelectNextCard();
        ActiveCards[current]->AnswerCount += 1;
        ActiveCards[current]->History += "Y";
    }
}
BENCHMARK(BM_Baseline_SelectNextCard)->Arg(100000)->Unit(benchmark::kMillisecond);

/// The quiz shuffle at the start of a quiz run.
void BM_QuizShuffle(benchmark::State& state)
{
    MakeDeck(static_cast<int>(state.range(0)));
    for (auto _ : state)
        ShuffleByDrawAndRemove(ActiveCards);
}
BENCHMARK(BM_QuizShuffle)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

/// Baseline: the same draw-and-remove by erasing from the list.
void BM_Baseline_QuizShuffleByErase(benchmark::State& state)
{
    MakeDeck(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        std::vector<Card*> drawn;
        drawn.reserve(ActiveCards.size());
        while (!ActiveCards.empty())
        {
            const size_t index = RandomInt31() % ActiveCards.size();
            drawn.push_back(ActiveCards[index]);
            ActiveCards.erase(ActiveCards.begin() + static_cast<long>(index));
        }
        ActiveCards.swap(drawn);
    }
}
BENCHMARK(BM_Baseline_QuizShuffleByErase)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void Click(wxWindow* panel, int id)
{
    wxWindow* button = panel->FindWindow(id);
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

/// Runs the event loop for a while, so that the windows are mapped and paint on Update().
void Settle(int milliseconds)
{
    const wxLongLong end = wxGetLocalTimeMillis() + milliseconds;
    while (wxGetLocalTimeMillis() < end)
    {
        wxTheApp->Yield(true);
        wxMilliSleep(2);
    }
}

/// Counts the card display's paint events, to show that every step really painted.
int Paints = 0;

void StartReview(int count)
{
    MakeDeck(count);
    Options.TestMode = tmReview;
    Options.PlaySounds = false;
    Frame->ShowPanel(pnStudy);
    Settle(200);
    Paints = 0;
}

/// Correct on a shown answer: the answer recorded, the next card drawn and painted.
void BM_AnswerCorrect(benchmark::State& state)
{
    StartReview(static_cast<int>(state.range(0)));
    MneTestPanel* panel = Frame->TestPanel;
    for (auto _ : state)
    {
        state.PauseTiming();
        Click(panel, 15003);
        wxTheApp->ProcessIdle();
        panel->Update();
        state.ResumeTiming();
        Click(panel, 15001);
    }
    state.counters["paints"] = benchmark::Counter(Paints, benchmark::Counter::kAvgIterations);
    Modified = false;
}
BENCHMARK(BM_AnswerCorrect)->Arg(1000)->Unit(benchmark::kMillisecond);

/// Baseline: repainting the card display alone, the floor under any answer.
void BM_Baseline_RepaintCard(benchmark::State& state)
{
    StartReview(static_cast<int>(state.range(0)));
    MneCardPanel* display = Frame->TestPanel->CardDisplay;
    for (auto _ : state)
    {
        display->Refresh(false);
        display->Update();
    }
    state.counters["paints"] = benchmark::Counter(Paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Baseline_RepaintCard)->Arg(1000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    // Keep the benchmark's settings out of the user's own store.
    const wxString config = wxFileName::CreateTempFileName("mnestudybench");
    delete wxConfigBase::Set(
        new wxFileConfig("Mnemora", wxEmptyString, config, wxEmptyString, wxCONFIG_USE_LOCAL_FILE));
    mneApp::CreateServices();
    Frame = new MneFrame();
    Frame->TestPanel->CardDisplay->Bind(wxEVT_PAINT,
                                        [](wxPaintEvent& event)
                                        {
                                            ++Paints;
                                            event.Skip();
                                        });
    Settle(300);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    Modified = false;
    Frame->Destroy();
    wxTheApp->ProcessIdle();
    mneApp::DestroyServices();
    wxRemoveFile(config);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
