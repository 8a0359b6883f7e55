// SPDX-License-Identifier: GPL-3.0-or-later
// Loading hostile decks: one huge attribute (the 40 MB load should take at most six times the
// 10 MB one) and many cards naming one photo, against decoding the photo for every card.
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "deck/DeckFile.h"
#include "deck/mnemora.h"

namespace
{
const int PictureCards = 200;
wxString Folder;

void Load(const wxString& path)
{
    Cards.clear();
    FileName = wxFileName(path);
    if (LoadDeck() != LoadResult::Loaded)
        std::abort();
}

// A deck of one card whose question is `megabytes` MB long.
wxString WriteHugeAttributeDeck(int megabytes)
{
    const wxString path = Folder + wxString::Format("/attribute-%d.mnd", megabytes);
    std::ofstream out(path.fn_str(), std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\">\n<Card "
           "Question=\"";
    const std::string megabyte(1 << 20, 'q');
    for (int i = 0; i < megabytes; ++i)
        out << megabyte;
    out << "\" Answer=\"a\" History=\"\"/>\n</Mnemoras>\n";
    return path;
}

void BM_LoadOneHugeAttribute(benchmark::State& state)
{
    const wxString path = WriteHugeAttributeDeck(int(state.range(0)));
    for (auto _ : state)
        Load(path);
    if (Cards.size() != 1 || Cards[0].Question.length() != size_t(state.range(0)) << 20)
        std::abort();
    Cards.clear();
    wxRemoveFile(path);
}
BENCHMARK(BM_LoadOneHugeAttribute)->Arg(10)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();

// A photograph-sized JPEG of noise (so it neither compresses nor decodes trivially) and a deck
// whose every card shows it on both sides.
wxString WriteSharedPictureDeck()
{
    wxImage photo(3000, 2000);
    unsigned char* data = photo.GetData();
    unsigned state = 12345;
    for (size_t i = 0; i < size_t(3000) * 2000 * 3; ++i)
    {
        state = state * 1103515245u + 12345u;
        data[i] = static_cast<unsigned char>(state >> 16);
    }
    photo.SetOption(wxIMAGE_OPTION_QUALITY, 60);
    if (!photo.SaveFile(Folder + "/photo.jpg", wxBITMAP_TYPE_JPEG))
        std::abort();
    const wxString path = Folder + "/pictures.mnd";
    std::ofstream out(path.fn_str(), std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\">\n";
    for (int i = 0; i < PictureCards; ++i)
        out << "<Card Question=\"q" << i
            << "\" Answer=\"a\" History=\"\" QuestionPicture=\"photo.jpg\" "
               "AnswerPicture=\"photo.jpg\"/>\n";
    out << "</Mnemoras>\n";
    return path;
}

void BM_LoadSharedPicture(benchmark::State& state)
{
    const wxString path = WriteSharedPictureDeck();
    for (auto _ : state)
        Load(path);
    state.counters["cards"] = PictureCards;
}
BENCHMARK(BM_LoadSharedPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: the same deck with every card decoding its own pictures, as a load did before.
void BM_LoadSharedPictureDecodedPerCard(benchmark::State& state)
{
    const wxString path = WriteSharedPictureDeck();
    for (auto _ : state)
    {
        Load(path);
        for (Card& card : Cards)
            card.LoadPictures();
    }
    state.counters["cards"] = PictureCards;
}
BENCHMARK(BM_LoadSharedPictureDecodedPerCard)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk())
        return 1;
    wxLog::EnableLogging(false);
    wxInitAllImageHandlers();
    char pattern[] = "/tmp/mnemora-load-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return 1;
    Folder = pattern;
    SetDeckMessageHandler([](const wxString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Cards.clear();
    wxFileName::Rmdir(Folder, wxPATH_RMDIR_RECURSIVE);
    return 0;
}
