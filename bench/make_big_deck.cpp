// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated deck file for the start-up measurement: make_big_deck <file> [cards].
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>

#include "DeckGenerator.h"
#include "deck/DeckFile.h"
#include "deck/mnemora.h"

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: make_big_deck <file> [cards]\n");
        return 2;
    }
    wxInitializer initializer;
    if (!initializer.IsOk())
        return 1;
    const int count = argc > 2 ? std::atoi(argv[2]) : 100000;
    Cards = GenerateCards(count);
    FileName = wxFileName(wxString::FromUTF8(argv[1]));
    FileName.MakeAbsolute();
    if (!SaveDeck())
    {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
