// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of card text measuring, line breaking and painting the card display. Needs a display:
// run it under xvfb-run.
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>

#include <benchmark/benchmark.h>

#include <memory>

#include "app/Options.h"
#include "deck/Card.h"
#include "study/CardDraw.h"
#include "study/MneCardPanel.h"
#include "study/TextLayout.h"

namespace
{
class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

/// Card-like text of chars characters: varied words (few repeat, so lines do not either), some
/// in markup, a line feed now and then.
wxString CardText(size_t chars, bool markup = true, bool lineFeeds = true)
{
    static const char* const markers[] = {"**", "__", "//"};
    unsigned seed = 12345;
    wxString text;
    for (size_t i = 0; text.length() < chars; ++i)
    {
        if (!text.empty())
            text += (lineFeeds && i % 40 == 0) ? "\n" : " ";
        if (markup && i % 5 == 2)
            text += markers[i % 3];
        const size_t length = 2 + (seed >> 16) % 8;
        for (size_t k = 0; k < length; ++k)
        {
            seed = seed * 1103515245u + 12345u;
            text += wxUniChar('a' + (seed >> 16) % 26);
        }
        if (markup && i % 5 == 3)
            text += markers[(i - 1) % 3];
    }
    return text.Left(chars);
}

/// One word of chars letters that never repeats a stretch.
wxString LongWord(size_t chars)
{
    unsigned seed = 777;
    wxString word;
    for (size_t i = 0; i < chars; ++i)
    {
        seed = seed * 1103515245u + 12345u;
        word += wxUniChar('a' + (seed >> 16) % 26);
    }
    return word;
}

/// An 800 x 600 memory DC with the card font.
struct Surface
{
    Surface() : bitmap(800, 600, 24)
    {
        dc.SelectObject(bitmap);
        dc.SetFont(wxFont(11, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
    }
    wxBitmap bitmap;
    wxMemoryDC dc;
};

/// Every character 7 wide: the layout rules alone, without the toolkit.
class FixedMeasurer : public TextMeasurer
{
public:
    int TextWidth(std::wstring_view text, int) override { return 7 * int(text.size()); }
    int LineHeight() override { return 15; }
    void DrawRun(std::wstring_view, int, int, int) override {}
};

void BM_Baseline_OneTextExtent(benchmark::State& state)
{
    Surface s;
    const wxString text = CardText(2000);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.dc.GetTextExtent(text));
}
BENCHMARK(BM_Baseline_OneTextExtent)->Unit(benchmark::kMicrosecond);

void BM_MeasureText2000(benchmark::State& state)
{
    Surface s;
    const wxString text = CardText(2000);
    const bool cold = state.range(0) != 0;
    for (auto _ : state)
    {
        if (cold)
            ClearTextWidthCache();
        benchmark::DoNotOptimize(
            DrawFormattedText(s.dc, text, wxRect(0, 0, 400, 16777216), 0, false));
    }
}
BENCHMARK(BM_MeasureText2000)->ArgName("cold")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One paragraph wrapped line by line through FitLine, text grown tenfold.
void WrapParagraph(benchmark::State& state, bool words, bool cold)
{
    Surface s;
    const size_t n = static_cast<size_t>(state.range(0));
    const wxString text = words ? CardText(n, false, false) : LongWord(n);
    for (auto _ : state)
    {
        if (cold)
            ClearTextWidthCache();
        benchmark::DoNotOptimize(FormattedTextHeight(s.dc, text, wxRect(0, 0, 400, 16777216)));
    }
    state.SetComplexityN(state.range(0));
}
void BM_WrapWords_Cold(benchmark::State& state)
{
    WrapParagraph(state, true, true);
}
void BM_WrapWords_Warm(benchmark::State& state)
{
    WrapParagraph(state, true, false);
}
void BM_WrapOneWord_Cold(benchmark::State& state)
{
    WrapParagraph(state, false, true);
}
BENCHMARK(BM_WrapWords_Cold)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WrapWords_Warm)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WrapOneWord_Cold)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_WrapWords_LayoutOnly(benchmark::State& state)
{
    FixedMeasurer m;
    const wxString text = CardText(static_cast<size_t>(state.range(0)), false, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawFormattedText(m, text, wxRect(0, 0, 400, 16777216), 0, false));
}
BENCHMARK(BM_WrapWords_LayoutOnly)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

/// The study panel's card display, 800 x 600 inside, showing both halves of a card with a
/// picture and 500 characters of text.
struct PanelFixture
{
    PanelFixture(bool withCard)
    {
        Options.CardFont = wxFont(12, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL);
        Options.CardFontColor = *wxBLACK;
        Options.CardBackground = *wxWHITE;
        frame = new wxFrame(nullptr, wxID_ANY, "bench");
        panel = new MneCardPanel(frame, 15000);
        panel->SetClientSize(800, 600);
        frame->SetClientSize(panel->GetSize());
        wxImage picture(400, 300);
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                picture.SetRGB(x, y, x % 256, y % 256, (x * y) % 256);
        card.Question = CardText(500);
        card.QuestionBitmap = wxBitmap(picture);
        card.Answer = CardText(500);
        if (withCard)
        {
            panel->DisplayedCard = &card;
            panel->AnswerShown = true;
        }
    }
    ~PanelFixture() { frame->Destroy(); }

    wxFrame* frame;
    MneCardPanel* panel;
    Card card;
};

void BM_PaintCardPanel(benchmark::State& state)
{
    PanelFixture f(state.range(0) != 0);
    Surface s;
    for (auto _ : state)
        f.panel->PaintCard(s.dc, f.panel->GetClientSize());
}
BENCHMARK(BM_PaintCardPanel)->ArgName("card")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A real paint on the screen: the panel is invalidated and repainted through the toolkit.
void BM_PaintCardPanelOnScreen(benchmark::State& state)
{
    PanelFixture f(state.range(0) != 0);
    int paints = 0;
    f.panel->Bind(wxEVT_PAINT,
                  [&](wxPaintEvent& event)
                  {
                      ++paints;
                      event.Skip();
                  });
    f.frame->Show();
    for (int i = 0; i < 20; ++i)
        wxTheApp->Yield(true);
    paints = 0;
    for (auto _ : state)
    {
        f.panel->Refresh();
        f.panel->Update();
    }
    state.counters["paints_per_iteration"] =
        benchmark::Counter(double(paints) / double(state.iterations()));
}
BENCHMARK(BM_PaintCardPanelOnScreen)
    ->ArgName("card")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    wxInitAllImageHandlers();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
