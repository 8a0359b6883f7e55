// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of printing every page of a 10,000-card study sheet to a memory device: laying out each
// page once, the printout's own paging, and the paging that replays every page from the first
// card (the way before each page's start was remembered). Needs a display: run it under
// xvfb-run (xvfb-run -a bench/print_bench).
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/init.h>
#include <wx/fileconf.h>

#include <benchmark/benchmark.h>

#include "DeckGenerator.h"
#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/MneStudySheetPrintout.h"

namespace
{
class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

constexpr int Ppi = 96;

/// A study sheet printout on a Letter page at screen resolution, with its page memory DC.
struct Sheet
{
    Sheet() : Bitmap(static_cast<int>(8.5 * Ppi), 11 * Ppi, 24), Dc(Bitmap)
    {
        Printout.SetPPIScreen(Ppi, Ppi);
        Printout.SetPPIPrinter(Ppi, Ppi);
        Printout.SetPageSizePixels(Bitmap.GetWidth(), Bitmap.GetHeight());
        Printout.SetPaperRectPixels(wxRect(0, 0, Bitmap.GetWidth(), Bitmap.GetHeight()));
        Printout.SetDC(&Dc);
        // Text extents are cached across printouts; every variant starts with them measured.
        Printout.OnPreparePrinting();
    }
    ~Sheet() { Printout.SetDC(nullptr); }

    wxBitmap Bitmap;
    wxMemoryDC Dc;
    MneStudySheetPrintout Printout;
};

void UseDeck(int cards)
{
    if (static_cast<int>(Cards.size()) == cards)
        return;
    Cards = GenerateCards(cards);
    FileName = wxFileName("/tmp/Vokabeln.mnd");
}

/// Every page laid out and drawn once, in order: the floor for any paging.
void BM_LayoutEachPageOnce(benchmark::State& state)
{
    UseDeck(static_cast<int>(state.range(0)));
    Sheet sheet;
    int pages = 0;
    for (auto _ : state)
    {
        sheet.Printout.ResetLayout();
        pages = 1;
        sheet.Printout.CurrentPage = 1;
        while (sheet.Printout.LayoutPage(true))
            sheet.Printout.CurrentPage = ++pages;
    }
    state.counters["pages"] = pages;
}

/// What the printer does: count the pages, then print each one.
void BM_PrintAllPages(benchmark::State& state)
{
    UseDeck(static_cast<int>(state.range(0)));
    Sheet sheet;
    for (auto _ : state)
    {
        sheet.Printout.OnPreparePrinting();
        for (int page = 1; sheet.Printout.HasPage(page); ++page)
            sheet.Printout.OnPrintPage(page);
    }
    state.counters["pages"] = sheet.Printout.PageCount;
}

/// The earlier paging: every page recounts all pages and replays the layout from the first card.
void BM_PrintAllPagesReplaying(benchmark::State& state)
{
    UseDeck(static_cast<int>(state.range(0)));
    Sheet sheet;
    MneStudySheetPrintout& printout = sheet.Printout;
    for (auto _ : state)
    {
        printout.OnPreparePrinting();
        for (int page = 1; printout.HasPage(page); ++page)
        {
            printout.OnPreparePrinting();
            printout.CurrentPage = 1;
            printout.ResetLayout();
            while (printout.CurrentPage < page)
            {
                printout.LayoutPage(false);
                ++printout.CurrentPage;
            }
            printout.LayoutPage(true);
        }
    }
    state.counters["pages"] = printout.PageCount;
}
} // namespace

BENCHMARK(BM_LayoutEachPageOnce)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintAllPages)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintAllPagesReplaying)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    // Default options: the built-in page layouts and print font, written nowhere lasting.
    delete wxConfigBase::Set(new wxFileConfig("Mnemora", wxEmptyString, "/dev/null", wxEmptyString,
                                              wxCONFIG_USE_LOCAL_FILE));
    LoadOptions();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
