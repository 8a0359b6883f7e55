// Deck file reader and writer.
#include "deck/DeckFile.h"

#include <wx/log.h>
#include <wx/textfile.h>

#include "deck/mnemora.h"

namespace
{
DeckMessageHandler& MessageHandler()
{
    static DeckMessageHandler handler = [](const wxString& message) { wxLogWarning("%s", message); };
    return handler;
}
} // namespace

DeckMessageHandler SetDeckMessageHandler(DeckMessageHandler handler)
{
    DeckMessageHandler previous = MessageHandler();
    MessageHandler() = std::move(handler);
    return previous;
}

LoadResult LoadDeck() { return LoadResult::Missing; }
bool SaveDeck() { return false; }
LoadResult ReadXmlDeck() { return LoadResult::Unreadable; }
LoadResult ReadLegacyDeck(wxTextFile&) { return LoadResult::Unreadable; }
bool WriteXmlDeck() { return false; }
