// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of Import and Export on 100,000 generated cards, each with its baseline from the same
// run: loading the same cards from an XML deck file for Import (and for an Anki package of the
// same notes), the same CSV without quotes for one with every field quoted, one buffered write
// of the same bytes (and one followed by a flush to the disk, and one through the safe writer
// Export uses) for Export.
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <malloc.h>
#include <unistd.h>

#include "DeckGenerator.h"
#include "PackageBuilder.h"
#include "PlainWrite.h"
#include "deck/AnkiPackage.h"
#include "deck/AtomicFile.h"
#include "deck/CardText.h"
#include "deck/DeckFile.h"
#include "deck/mnemora.h"

namespace
{
const int DeckSize = 100000;
wxString Folder;
wxString DeckPath;
wxString TextPath;
wxString QuotedPath;
wxString PackagePath;
std::string TextBytes;

void ReleaseDeck()
{
    ActiveCards.clear();
    std::vector<Card>().swap(Cards);
    malloc_trim(0);
}

// Generated cards whose texts hold no delimiter, quote or line break, so that every file holds
// them as they are.
std::vector<Card> TextSafeCards()
{
    std::vector<Card> cards = GenerateCards(DeckSize);
    for (Card& card : cards)
    {
        for (wxString* text : {&card.Question, &card.Answer})
        {
            for (wxString::iterator it = text->begin(); it != text->end(); ++it)
            {
                if (*it == '\n' || *it == '\r' || *it == '\t' || *it == ',' || *it == '"')
                    *it = ' ';
            }
        }
    }
    return cards;
}

void BM_LoadDeck(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        ReleaseDeck();
        FileName = wxFileName(DeckPath);
        state.ResumeTiming();
        if (LoadDeck() != LoadResult::Loaded || Cards.size() != DeckSize)
            state.SkipWithError("the load failed");
    }
}
BENCHMARK(BM_LoadDeck)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportTextFile(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        ReleaseDeck();
        state.ResumeTiming();
        if (!ImportTextFile(TextPath, false) || Cards.size() != DeckSize)
            state.SkipWithError("the import failed");
    }
}
BENCHMARK(BM_ImportTextFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same cards with every field in quotes, a quote inside doubled.
void BM_ImportQuotedCsv(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        ReleaseDeck();
        state.ResumeTiming();
        if (!ImportTextFile(QuotedPath, false) || Cards.size() != DeckSize)
            state.SkipWithError("the import failed");
    }
}
BENCHMARK(BM_ImportQuotedCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same cards as notes of an Anki package in the newer layout, without media.
void BM_ImportAnkiPackage(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        ReleaseDeck();
        state.ResumeTiming();
        if (!ImportAnkiPackage(PackagePath) || Cards.size() != DeckSize)
            state.SkipWithError("the import failed");
    }
}
BENCHMARK(BM_ImportAnkiPackage)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes written the way Export makes them safe: a temporary file, flushed to the disk
// and renamed over the old one.
void BM_AtomicWrite(benchmark::State& state)
{
    const wxString path = Folder + "/atomic.csv";
    for (auto _ : state)
    {
        AtomicFile file(path);
        if (!file.Write(TextBytes.data(), TextBytes.size()) || !file.Commit())
            state.SkipWithError("the write failed");
    }
}
BENCHMARK(BM_AtomicWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// The bytes of the export alone, without the file.
void BM_FormatCardText(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatCardText(Cards, ','));
}
BENCHMARK(BM_FormatCardText)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportTextFile(benchmark::State& state)
{
    const wxString path = Folder + "/exported.csv";
    for (auto _ : state)
    {
        if (!ExportTextFile(path, ','))
            state.SkipWithError("the export failed");
    }
}
BENCHMARK(BM_ExportTextFile)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk())
        return 1;
    wxLog::EnableLogging(false);
    char pattern[] = "/tmp/mnemora-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return 1;
    Folder = pattern;
    DeckPath = Folder + "/generated.mnd";
    TextPath = Folder + "/generated.csv";
    SetDeckMessageHandler([](const wxString&) {});
    Cards = TextSafeCards();
    FileName = wxFileName(DeckPath);
    TextBytes = FormatCardText(Cards, ',');
    if (!SaveDeck() || !ExportTextFile(TextPath, ','))
        return 1;
    QuotedPath = Folder + "/quoted.csv";
    PackagePath = Folder + "/generated.apkg";
    std::string quoted;
    std::vector<std::string> notes;
    for (const Card& card : Cards)
    {
        std::string question = card.Question.utf8_string();
        std::string answer = card.Answer.utf8_string();
        notes.push_back(question + "\x1f" + answer);
        for (std::string* text : {&question, &answer})
        {
            for (size_t at = 0; (at = text->find('"', at)) != std::string::npos; at += 2)
                text->insert(at, 1, '"');
        }
        quoted += "\"" + question + "\",\"" + answer + "\"\n";
    }
    PlainWrite(QuotedPath, quoted, false);
    if (!WriteZip(PackagePath.utf8_string(), PackageMembers(true, notes)))
        return 1;
    std::printf("Generated deck: %d cards, CSV %zu bytes, quoted CSV %zu bytes\n", DeckSize,
                TextBytes.size(), quoted.size());

    RegisterPlainWrites(Folder + "/plain.csv", TextBytes);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReleaseDeck();
    wxFileName::Rmdir(Folder, wxPATH_RMDIR_RECURSIVE);
    return 0;
}
