// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the deck readers: any bytes as a deck file, through the XML branch and
// the older line formats, with the outcome checked and every loaded deck saved and read back.
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <unistd.h>

#include "deck/DeckFile.h"
#include "deck/mnemora.h"

namespace
{
wxString DeckPath;
wxString CopyPath;

void Check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool MediaOk(const wxFileName& name)
{
    return !name.IsOk() || name.GetFullPath().empty() || name.IsAbsolute();
}

bool WriteInput(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(DeckPath.fn_str(), "wb");
    if (file == nullptr)
        return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static wxInitializer initializer;
    if (!initializer.IsOk())
        std::abort();
    wxLog::EnableLogging(false);
    wxInitAllImageHandlers();
    SetDeckMessageHandler([](const wxString&) {});
    // Memory-backed when possible: every save flushes to the disk.
    char pattern[] = "/dev/shm/mnemora-fuzz-XXXXXX";
    char fallback[] = "/tmp/mnemora-fuzz-XXXXXX";
    const char* folder = mkdtemp(pattern);
    if (folder == nullptr)
        folder = mkdtemp(fallback);
    if (folder == nullptr)
        std::abort();
    static const wxString Folder(folder);
    std::atexit([] { wxFileName::Rmdir(Folder, wxPATH_RMDIR_RECURSIVE); });
    DeckPath = wxString(folder) + "/deck.mnd";
    CopyPath = wxString(folder) + "/copy/saved.mnd";
    wxFileName::Mkdir(wxString(folder) + "/copy");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!WriteInput(data, size))
        return 0;
    Cards.clear();
    FileName = wxFileName(DeckPath);
    const LoadResult result = LoadDeck();

    size_t lines = 1;
    for (size_t i = 0; i < size; ++i)
        lines += data[i] == '\n' || data[i] == '\r';
    const bool loaded = result == LoadResult::Loaded || result == LoadResult::LegacyLoaded;
    Check(loaded || Cards.empty(), "a failed load added cards");
    Check(Cards.size() <= lines + size / 4, "more cards than the input can hold");
    for (const Card& card : Cards)
    {
        Check(card.Score >= 0 && card.Score <= 100, "score out of range");
        Check(card.AnswerCount == 0, "answer count not zero");
        Check(MediaOk(card.QuestionPicture) && MediaOk(card.AnswerPicture) &&
                  MediaOk(card.QuestionSound) && MediaOk(card.AnswerSound),
              "relative media name in memory");
    }
    if (result != LoadResult::Loaded)
        return 0;

    // Whatever the XML reader accepted, the writer must write so that it reads back the same.
    const std::vector<Card> first = Cards;
    FileName = wxFileName(CopyPath);
    Check(SaveDeck(), "save failed");
    Cards.clear();
    Check(LoadDeck() == LoadResult::Loaded, "saved deck does not load");
    Check(Cards.size() == first.size(), "card count changed on the round trip");
    for (size_t i = 0; i < Cards.size(); ++i)
    {
        Check(Cards[i].Question == first[i].Question, "question changed on the round trip");
        Check(Cards[i].Answer == first[i].Answer, "answer changed on the round trip");
        Check(Cards[i].History == first[i].History, "history changed on the round trip");
        Check(Cards[i].QuestionPicture == first[i].QuestionPicture &&
                  Cards[i].AnswerPicture == first[i].AnswerPicture &&
                  Cards[i].QuestionSound == first[i].QuestionSound &&
                  Cards[i].AnswerSound == first[i].AnswerSound,
              "media name changed on the round trip");
    }
    return 0;
}
