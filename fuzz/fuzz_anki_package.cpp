// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for Anki deck packages: the zip archive, the zstd parts, the collection's
// SQLite file and the media list, on any bytes. A package either comes in with its media
// inside the media folder, or is refused with a reason and leaves nothing behind.
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "deck/AnkiPackage.h"

namespace
{
wxString Folder;

void Check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static wxInitializer initializer;
    if (!initializer.IsOk())
        std::abort();
    wxLog::EnableLogging(false);
    char pattern[] = "/tmp/mnemora-fuzz-apkg-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        std::abort();
    Folder = pattern;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wxString path = Folder + "/deck.apkg";
    const wxString media = Folder + "/deck media";
    FILE* file = std::fopen(path.fn_str(), "wb");
    Check(file != nullptr && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
          "the package could not be written");

    std::vector<Card> cards;
    wxString problem;
    const bool read = ReadAnkiPackage(path, media, cards, problem);
    Check(read == problem.empty(), "a refusal without a reason, or a reason with the cards");
    Check(read || (cards.empty() && !wxFileName::DirExists(media)), "a refusal left files");
    for (const Card& card : cards)
    {
        for (const MediaFile* name :
             {&card.QuestionPicture, &card.AnswerPicture, &card.QuestionSound, &card.AnswerSound})
        {
            if (!name->IsOk())
                continue;
            const wxFileName file(name->GetFullPath());
            Check(file.GetPath() == media && file.FileExists(), "media outside its folder");
        }
    }
    wxFileName::Rmdir(media, wxPATH_RMDIR_RECURSIVE);
    return 0;
}
