// Deck file reader and writer: recognises the format by its first line, reads the XML format
// and the three older line formats, and writes the XML format through a safe replacement.
#include "deck/DeckFile.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/textfile.h>

#include <cerrno>
#include <cstring>
#include <string>

#include <sys/stat.h>

#include "deck/AtomicFile.h"
#include "deck/MediaPath.h"
#include "deck/TextDecoding.h"
#include "deck/XmlDeckReader.h"
#include "deck/XmlDeckWriter.h"
#include "deck/mnemora.h"

namespace
{
const char XmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

DeckMessageHandler& MessageHandler()
{
    static DeckMessageHandler handler = [](const wxString& message)
    { wxLogWarning("%s", message); };
    return handler;
}

void ShowDeckMessage(const wxString& message)
{
    if (MessageHandler())
        MessageHandler()(message);
}

// The XML format starts with exactly the declaration line (after an optional byte order mark).
bool StartsWithXmlDeclaration(const char* bytes, size_t size)
{
    if (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)
    {
        bytes += 3;
        size -= 3;
    }
    const size_t length = sizeof XmlDeclaration - 1;
    if (size < length || std::memcmp(bytes, XmlDeclaration, length) != 0)
        return false;
    return size == length || bytes[length] == '\r' || bytes[length] == '\n';
}

// Appends the rest of the file to `bytes`.
bool ReadRest(wxFile& file, std::string& bytes)
{
    char chunk[64 * 1024];
    for (;;)
    {
        const ssize_t got = file.Read(chunk, sizeof chunk);
        if (got == wxInvalidOffset)
            return false;
        if (got == 0)
            return true;
        bytes.append(chunk, static_cast<size_t>(got));
    }
}

void TurnDelIntoLineBreaks(wxString& text)
{
    for (wxString::iterator it = text.begin(); it != text.end(); ++it)
    {
        if (*it == wxUniChar(0x7F))
            *it = '\n';
    }
}

bool HasPicture(const Card& card)
{
    return card.QuestionPicture.IsOk() || card.AnswerPicture.IsOk();
}
} // namespace

DeckMessageHandler SetDeckMessageHandler(DeckMessageHandler handler)
{
    DeckMessageHandler previous = MessageHandler();
    MessageHandler() = std::move(handler);
    return previous;
}

LoadResult LoadDeck()
{
    const wxString path = FileName.GetFullPath();
    struct stat info;
    if (stat(path.fn_str(), &info) != 0)
    {
        const int error = errno;
        wxLogSysError(error, _("can't open file '%s'"), path);
        return error == ENOENT || error == ENOTDIR ? LoadResult::Missing : LoadResult::Unreadable;
    }
    // Only plain files: a folder has no lines, and a pipe or a device would never end.
    if (!S_ISREG(info.st_mode))
    {
        wxLogSysError(S_ISDIR(info.st_mode) ? EISDIR : EINVAL, _("can't open file '%s'"), path);
        return LoadResult::Unreadable;
    }

    wxFile file;
    if (!file.Open(path))
        return LoadResult::Unreadable;
    char head[64];
    const ssize_t got = file.Read(head, sizeof head);
    // An empty file holds a deck in no format: nothing to add, nothing to announce.
    if (got == wxInvalidOffset || got == 0)
        return LoadResult::Unreadable;

    LoadResult result;
    if (StartsWithXmlDeclaration(head, static_cast<size_t>(got)))
    {
        file.Close();
        result = ReadXmlDeck();
    }
    else
    {
        std::string bytes(head, static_cast<size_t>(got));
        if (!ReadRest(file, bytes))
            return LoadResult::Unreadable;
        file.Close();
        // Decks of the older versions are text; a NUL byte marks some other kind of file.
        if (bytes.find('\0') != std::string::npos)
        {
            wxLogError(_("The file \"%s\" is not a Mnemora deck."), path);
            return LoadResult::Unreadable;
        }
        wxTextFile lines;
        AddLegacyLines(bytes.data(), bytes.size(), lines);
        std::string().swap(bytes);
        result = ReadLegacyDeck(lines);
    }
    UpdateScores();
    return result;
}

LoadResult ReadXmlDeck()
{
    const wxString folder = DeckFolder(FileName);
    XmlDeckReader reader([&folder](const wxString& stored)
                         { return ResolveMediaName(stored, folder); });
    switch (reader.ReadFile(FileName.GetFullPath(), Cards))
    {
    case XmlDeckReader::Outcome::Read:
        for (const size_t index : reader.GetCardsWithPictures())
            Cards[index].LoadPictures();
        return LoadResult::Loaded;
    case XmlDeckReader::Outcome::WrongVersion:
        ShowDeckMessage(_("This version of Mnemora cannot open the file you have selected."));
        return LoadResult::WrongVersion;
    case XmlDeckReader::Outcome::NotWellFormed:
        wxLogError(_("XML parsing error: '%s' at line %d"), reader.GetError(),
                   reader.GetErrorLine());
        return LoadResult::Unreadable;
    case XmlDeckReader::Outcome::ReadFailed:
        break;
    }
    return LoadResult::Unreadable;
}

LoadResult ReadLegacyDeck(wxTextFile& file)
{
    const size_t count = file.GetLineCount();
    if (count == 0)
        return LoadResult::Unreadable;
    const wxString& header = file.GetLine(0);
    const int version = header == "#mnemora file version 2"   ? 2
                        : header == "#mnemora file version 3" ? 3
                                                              : 1;
    const wxString folder = DeckFolder(FileName);
    const size_t last = count - 1;
    size_t line = 0;
    // Moves to the next line into `field`; false once the last line has been reached.
    auto next = [&](wxString& field)
    {
        if (line >= last)
            return false;
        field = file.GetLine(++line);
        return true;
    };

    std::vector<Card> loaded;
    while (line < last)
    {
        loaded.emplace_back();
        Card& card = loaded.back();
        bool more = next(card.Question) && next(card.Answer);
        if (more && version >= 2)
            more = next(card.History);
        if (more && version == 3)
        {
            wxString picture;
            if (next(picture))
            {
                card.QuestionPicture = ResolveMediaName(picture, folder);
                if (next(picture))
                    card.AnswerPicture = ResolveMediaName(picture, folder);
            }
        }
        TurnDelIntoLineBreaks(card.Question);
        TurnDelIntoLineBreaks(card.Answer);
        if (HasPicture(card))
            card.LoadPictures();
    }
    Cards.insert(Cards.end(), loaded.begin(), loaded.end());
    ShowDeckMessage(_("The file you have opened was saved by an older version of Mnemora.  If you "
                      "save the file using this version,\nyou will no longer be able to open it "
                      "with the older version."));
    return LoadResult::LegacyLoaded;
}

bool SaveDeck()
{
    if (!WriteXmlDeck())
        return false;
    Modified = false;
    return true;
}

bool WriteXmlDeck()
{
    AtomicFile file(FileName.GetFullPath());
    if (!file.IsOk())
        return false;
    XmlDeckWriter writer(DeckFolder(FileName),
                         [&file](const char* data, size_t size) { return file.Write(data, size); });
    return writer.Write(Cards) && file.Commit();
}
