// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the deck files and the deck model on a generated deck of 100,000 cards, each with
// its baseline from the same run: a raw expat parse for loading, one buffered write for saving.
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include <expat.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include "DeckGenerator.h"
#include "PlainWrite.h"
#include "app/Options.h"
#include "deck/ContentHash.h"
#include "deck/DeckBackup.h"
#include "deck/DeckFile.h"
#include "deck/DeckFileStamp.h"
#include "deck/mnemora.h"

namespace
{
const int DeckSize = 100000;
wxString Folder;
wxString DeckPath;
std::string DeckBytes;

void ReleaseDeck()
{
    ActiveCards.clear();
    std::vector<Card>().swap(Cards);
    malloc_trim(0);
}

void LoadGeneratedDeck()
{
    ReleaseDeck();
    FileName = wxFileName(DeckPath);
    if (LoadDeck() != LoadResult::Loaded || Cards.size() != DeckSize)
        std::abort();
}

// Resident and peak resident memory of the process, in bytes.
long StatusField(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
    {
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::string(field).size()) * 1024;
    }
    return 0;
}

void StartElement(void* data, const XML_Char*, const XML_Char**)
{
    ++*static_cast<long*>(data);
}

void BM_PeakMemoryOfLoadDeck(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        ReleaseDeck();
        std::ofstream("/proc/self/clear_refs") << "5"; // restart the peak from here
        const long before = StatusField("VmRSS:");
        state.ResumeTiming();
        FileName = wxFileName(DeckPath);
        LoadDeck();
        state.PauseTiming();
        const double size = static_cast<double>(DeckBytes.size());
        state.counters["FileMB"] = size / 1e6;
        state.counters["PeakMB"] = (StatusField("VmHWM:") - before) / 1e6;
        state.counters["HeldMB"] = (StatusField("VmRSS:") - before) / 1e6;
        state.counters["PeakPerFileByte"] = (StatusField("VmHWM:") - before) / size;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PeakMemoryOfLoadDeck)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RawExpatParse(benchmark::State& state)
{
    for (auto _ : state)
    {
        long elements = 0;
        XML_Parser parser = XML_ParserCreate(nullptr);
        XML_SetUserData(parser, &elements);
        XML_SetStartElementHandler(parser, StartElement);
        const int fd = open(DeckPath.fn_str(), O_RDONLY);
        for (;;)
        {
            void* buffer = XML_GetBuffer(parser, 256 * 1024);
            const ssize_t got = read(fd, buffer, 256 * 1024);
            XML_ParseBuffer(parser, static_cast<int>(got), got == 0);
            if (got <= 0)
                break;
        }
        close(fd);
        XML_ParserFree(parser);
        if (elements != DeckSize + 1)
            state.SkipWithError("the parse went wrong");
    }
}
BENCHMARK(BM_RawExpatParse)->Unit(benchmark::kMillisecond)->UseRealTime();

// For comparison: the toolkit's document loader, which builds a node tree and no cards.
void BM_WxXmlDocumentParse(benchmark::State& state)
{
    for (auto _ : state)
    {
        wxXmlDocument document;
        if (!document.Load(DeckPath))
            state.SkipWithError("the parse went wrong");
    }
}
BENCHMARK(BM_WxXmlDocumentParse)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadDeck(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        ReleaseDeck();
        FileName = wxFileName(DeckPath);
        state.ResumeTiming();
        if (LoadDeck() != LoadResult::Loaded)
            state.SkipWithError("the load failed");
    }
}
BENCHMARK(BM_LoadDeck)->Unit(benchmark::kMillisecond)->UseRealTime();

// The save as it was before the change check and the backups: no backup kept.
void BM_SaveDeck(benchmark::State& state)
{
    LoadGeneratedDeck();
    FileName = wxFileName(Folder + "/saved.mnd");
    Options.KeepBackups = 0;
    for (auto _ : state)
    {
        if (!SaveDeck())
            state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveDeck)->Unit(benchmark::kMillisecond)->UseRealTime();

// Save as the frame does it: the file compared with what was written last, then saved with
// the replaced file kept and the backups rotated. Argument 1: the file system gives no inode
// numbers, so every check reads and hashes the whole file.
void BM_SaveDeckCheckedWithBackups(benchmark::State& state)
{
    LoadGeneratedDeck();
    FileName = wxFileName(Folder + "/checked.mnd");
    Options.KeepBackups = 10;
    SaveDeck();
    for (auto _ : state)
    {
        if (state.range(0) == 1)
            DeckOnDisk.Inode = 0;
        if (CheckDeckFile() != DiskChange::Unchanged || !SaveDeck())
            state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveDeckCheckedWithBackups)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A small deck saved beside 10,000 old backups, which the save cuts down to the newest ten.
void BM_SaveBeside10000Backups(benchmark::State& state)
{
    ReleaseDeck();
    Cards.resize(10);
    FileName = wxFileName(Folder + "/small.mnd");
    Options.KeepBackups = 10;
    SaveDeck();
    const std::string backups = std::string(Folder.fn_str()) + "/" + DeckBackup::FolderName;
    for (auto _ : state)
    {
        state.PauseTiming();
        const std::time_t start = std::time(nullptr) - 20000;
        for (int i = 0; i < 10000; ++i)
            close(open((backups + "/" + DeckBackup::NameFor("small.mnd", start + i)).c_str(),
                       O_CREAT | O_WRONLY | O_CLOEXEC, 0600));
        state.ResumeTiming();
        if (CheckDeckFile() != DiskChange::Unchanged || !SaveDeck())
            state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveBeside10000Backups)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ContentHash(benchmark::State& state)
{
    for (auto _ : state)
    {
        ContentHash hash;
        hash.Add(DeckBytes.data(), DeckBytes.size());
        benchmark::DoNotOptimize(hash.Value());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(DeckBytes.size()));
}
BENCHMARK(BM_ContentHash)->Unit(benchmark::kMillisecond);

void BM_UpdateScores(benchmark::State& state)
{
    LoadGeneratedDeck();
    for (auto _ : state)
        UpdateScores();
}
BENCHMARK(BM_UpdateScores)->Unit(benchmark::kMillisecond);

void BM_SelectNextCard(benchmark::State& state)
{
    LoadGeneratedDeck();
    Options.ShuffleCards = true;
    for (size_t i = 0; i < Cards.size(); ++i)
    {
        Cards[i].AnswerCount = static_cast<int>(i % 4);
        ActiveCards.push_back(&Cards[i]);
    }
    ResetRandom();
    for (auto _ : state)
        benchmark::DoNotOptimize(SelectNextCard());
}
BENCHMARK(BM_SelectNextCard)->Unit(benchmark::kMillisecond);
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
    SetDeckMessageHandler([](const wxString&) {});
    if (!WriteGeneratedDeck(DeckPath, DeckSize))
        return 1;
    {
        wxFFile file(DeckPath, "rb");
        DeckBytes.resize(static_cast<size_t>(file.Length()));
        file.Read(&DeckBytes[0], DeckBytes.size());
    }
    std::printf("Generated deck: %d cards, %zu bytes\n", DeckSize, DeckBytes.size());

    RegisterPlainWrites(Folder + "/plain.mnd", DeckBytes);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReleaseDeck();
    wxFileName::Rmdir(Folder, wxPATH_RMDIR_RECURSIVE);
    return 0;
}
