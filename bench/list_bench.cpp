// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the card list on a 100,000-card deck: rebuilding, sorting by a column and deleting a
// selection, each beside the straightforward way it replaces. Every step includes the repaint.
// Needs a display: xvfb-run -a -s "-screen 0 1280x1024x24" bench/list_bench
#include <wx/app.h>
#include <wx/button.h>
#include <wx/config.h>
#include <wx/filehistory.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/listctrl.h>
#include <wx/utils.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "DeckGenerator.h"
#include "app/MneFrame.h"
#include "app/mneApp.h"
#include "deck/mnemora.h"
#include "edit/CardListView.h"
#include "edit/CardSorter.h"
#include "edit/MneEditPanel.h"

namespace
{
constexpr int DeckSize = 100000;
constexpr int DeletedRows = 1000;

class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

std::vector<Card> GeneratedDeck;
MneFrame* Frame = nullptr;
wxListView* List = nullptr;

int Paints = 0;

/// Counts the repaints of a list (its rows and its header).
void CountPaints(wxWindow* list)
{
    for (wxWindow* part : list->GetChildren())
        part->Bind(wxEVT_PAINT,
                   [](wxPaintEvent& event)
                   {
                       ++Paints;
                       event.Skip();
                   });
}

/// Lets the list lay itself out and waits until it has painted, as after a user's command.
void Settle(wxWindow* window)
{
    const int before = Paints;
    wxTheApp->ProcessIdle();
    window->Update();
    for (int i = 0; i < 500 && Paints == before; ++i)
    {
        wxTheApp->Yield(true);
        if (Paints == before)
            wxMilliSleep(1);
    }
}

/// The generated deck, shown and scored, nothing selected.
void ShowGeneratedDeck()
{
    Cards = GeneratedDeck;
    Frame->EditPanel->ReloadList();
    Settle(Frame);
}

void SelectEveryHundredthRow()
{
    for (long row = 50; row < DeckSize; row += DeckSize / DeletedRows)
        List->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

void BM_RefreshList(benchmark::State& state)
{
    ShowGeneratedDeck();
    for (auto _ : state)
    {
        Frame->EditPanel->RefreshList();
        Settle(Frame);
    }
}
BENCHMARK(BM_RefreshList)->Unit(benchmark::kMillisecond);

void BM_ReloadList(benchmark::State& state)
{
    ShowGeneratedDeck();
    for (auto _ : state)
    {
        Frame->EditPanel->ReloadList();
        Settle(Frame);
    }
}
BENCHMARK(BM_ReloadList)->Unit(benchmark::kMillisecond);

/// Baseline: an ordinary report list filled row by row, three cells each.
void BM_Baseline_FillReportListRowByRow(benchmark::State& state)
{
    ShowGeneratedDeck();
    wxFrame* frame =
        new wxFrame(nullptr, wxID_ANY, "baseline", wxDefaultPosition, wxSize(600, 400));
    wxListView* list = new wxListView(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                      wxLC_REPORT | wxSUNKEN_BORDER);
    for (int column = 0; column < 3; ++column)
        list->InsertColumn(column, "column", wxLIST_FORMAT_LEFT, 180);
    CountPaints(list);
    frame->Show();
    for (auto _ : state)
    {
        list->DeleteAllItems();
        for (long row = 0; row < static_cast<long>(Cards.size()); ++row)
        {
            list->InsertItem(row, wxString());
            list->SetItem(row, 0, Cards[row].GetQuestionLabel());
            list->SetItem(row, 1, Cards[row].GetAnswerLabel());
            list->SetItem(row, 2, CardListView::ScoreText(Cards[row]));
        }
        Settle(frame);
    }
    frame->Destroy();
    wxTheApp->ProcessIdle();
}
BENCHMARK(BM_Baseline_FillReportListRowByRow)->Unit(benchmark::kMillisecond)->Iterations(1);

/// A heading click: the deck sorted by that column and the list rebuilt.
void BM_SortByColumn(benchmark::State& state)
{
    const int column = static_cast<int>(state.range(0));
    ShowGeneratedDeck();
    for (auto _ : state)
    {
        state.PauseTiming();
        Cards = GeneratedDeck;
        Frame->EditPanel->RefreshList();
        Settle(Frame);
        state.ResumeTiming();
        wxListEvent click(wxEVT_LIST_COL_CLICK, List->GetId());
        click.SetEventObject(List);
        click.m_col = column;
        List->GetEventHandler()->ProcessEvent(click);
        Settle(Frame);
    }
}
BENCHMARK(BM_SortByColumn)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

/// Baseline: sorting the cards themselves, which copies whole cards at every exchange.
void BM_Baseline_SortCardsInPlace(benchmark::State& state)
{
    const int column = static_cast<int>(state.range(0));
    ShowGeneratedDeck();
    for (auto _ : state)
    {
        state.PauseTiming();
        Cards = GeneratedDeck;
        state.ResumeTiming();
        std::sort(Cards.begin(), Cards.end(), CardSorter(column));
        Frame->EditPanel->RefreshList();
        Settle(Frame);
    }
}
BENCHMARK(BM_Baseline_SortCardsInPlace)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

/// Delete Card with every hundredth row selected.
void BM_DeleteSelectedRows(benchmark::State& state)
{
    wxButton* deleteButton = dynamic_cast<wxButton*>(Frame->EditPanel->FindWindow(10004));
    for (auto _ : state)
    {
        state.PauseTiming();
        ShowGeneratedDeck();
        SelectEveryHundredthRow();
        state.ResumeTiming();
        wxCommandEvent click(wxEVT_BUTTON, deleteButton->GetId());
        click.SetEventObject(deleteButton);
        deleteButton->ProcessWindowEvent(click);
        Settle(Frame);
    }
    if (Cards.size() != static_cast<size_t>(DeckSize - DeletedRows))
        state.SkipWithError("wrong number of cards left");
}
BENCHMARK(BM_DeleteSelectedRows)->Unit(benchmark::kMillisecond);

/// Baseline: asking the list about every row and copying the kept cards into a new deck.
void BM_Baseline_DeleteAskingEveryRow(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        ShowGeneratedDeck();
        SelectEveryHundredthRow();
        state.ResumeTiming();
        std::vector<Card> kept;
        long first = -1;
        for (long row = 0; row < static_cast<long>(Cards.size()); ++row)
        {
            if (List->GetItemState(row, wxLIST_STATE_SELECTED) & wxLIST_STATE_SELECTED)
            {
                if (first < 0)
                    first = row;
            }
            else
                kept.push_back(Cards[row]);
        }
        Cards = kept;
        Modified = true;
        Frame->UpdateTitle();
        Frame->EditPanel->RefreshList();
        const long target = first >= 0 && first < static_cast<long>(Cards.size()) - 1
                                ? first
                                : static_cast<long>(Cards.size()) - 1;
        List->SetItemState(target, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        List->EnsureVisible(target);
        Settle(Frame);
    }
}
BENCHMARK(BM_Baseline_DeleteAskingEveryRow)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    // Keep the benchmark's settings out of the user's own store.
    const wxString config = wxFileName::CreateTempFileName("mnelistbench");
    delete wxConfigBase::Set(
        new wxFileConfig("Mnemora", wxEmptyString, config, wxEmptyString, wxCONFIG_USE_LOCAL_FILE));
    FileHistory = new wxFileHistory(9, 5050);

    GeneratedDeck = GenerateCards(DeckSize);
    Frame = new MneFrame();
    List = dynamic_cast<wxListView*>(Frame->EditPanel->FindWindow(10001));
    CountPaints(List);
    Settle(Frame);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    Modified = false;
    Frame->Destroy();
    wxTheApp->ProcessIdle();
    delete wxConfigBase::Set(nullptr);
    wxRemoveFile(config);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
