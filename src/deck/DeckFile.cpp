// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <ctime>
#include <new>
#include <string>

#include <sys/stat.h>

#include "deck/AtomicFile.h"
#include "deck/ContentHash.h"
#include "deck/DeckBackup.h"
#include "deck/DeckFileStamp.h"
#include "deck/DeckSettings.h"
#include "deck/MediaPath.h"
#include "deck/PictureCache.h"
#include "deck/TextDecoding.h"
#include "deck/XmlDeckReader.h"
#include "deck/XmlDeckWriter.h"
#include "deck/mnemora.h"

namespace
{
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

// An XML declaration, however spelt (quotes, case, a standalone attribute), after an optional
// byte order mark: the file goes to the XML reader.
bool StartsWithXmlDeclaration(const char* bytes, size_t size)
{
    if (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)
    {
        bytes += 3;
        size -= 3;
    }
    return size > 5 && std::memcmp(bytes, "<?xml", 5) == 0 &&
           (bytes[5] == ' ' || bytes[5] == '\t' || bytes[5] == '\r' || bytes[5] == '\n');
}

// Appends the rest of the file to `bytes`; false for a read error or a NUL byte, which marks
// some other kind of file than an older deck and ends the reading at once.
bool ReadRest(wxFile& file, std::string& bytes, bool& binary)
{
    binary = bytes.find('\0') != std::string::npos;
    char chunk[64 * 1024];
    while (!binary)
    {
        const ssize_t got = file.Read(chunk, sizeof chunk);
        if (got == wxInvalidOffset)
            return false;
        if (got == 0)
            return true;
        binary = std::memchr(chunk, '\0', static_cast<size_t>(got)) != nullptr;
        bytes.append(chunk, static_cast<size_t>(got));
    }
    return false;
}

void ReportOutOfMemory(const wxString& path)
{
    wxLogError(_("There is not enough memory to load \"%s\"."), path);
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

LoadResult ReadXmlDeckFrom(const wxString& path);
} // namespace

DeckMessageHandler SetDeckMessageHandler(DeckMessageHandler handler)
{
    DeckMessageHandler previous = MessageHandler();
    MessageHandler() = std::move(handler);
    return previous;
}

LoadResult LoadDeck()
{
    return LoadDeckFrom(FileName.GetFullPath());
}

LoadResult LoadDeckFrom(const wxString& path)
{
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

    const size_t before = Cards.size();
    LoadResult result;
    try
    {
        if (StartsWithXmlDeclaration(head, static_cast<size_t>(got)))
        {
            file.Close();
            result = ReadXmlDeckFrom(path);
        }
        else
        {
            std::string bytes(head, static_cast<size_t>(got));
            bool binary = false;
            if (!ReadRest(file, bytes, binary))
            {
                // Decks of the older versions are text; a NUL byte marks some other file.
                if (binary)
                    wxLogError(_("The file \"%s\" is not a Mnemora deck."), path);
                return LoadResult::Unreadable;
            }
            file.Close();
            wxTextFile lines;
            AddLegacyLines(bytes.data(), bytes.size(), lines);
            std::string().swap(bytes);
            result = ReadLegacyDeck(lines);
        }
    }
    catch (const std::bad_alloc&)
    {
        // A deck too large for the memory is refused like an unreadable one, the open deck kept.
        Cards.resize(before);
        ReportOutOfMemory(path);
        return LoadResult::Unreadable;
    }
    UpdateScores();
    return result;
}

LoadResult ReadXmlDeck()
{
    return ReadXmlDeckFrom(FileName.GetFullPath());
}

namespace
{
LoadResult ReadXmlDeckFrom(const wxString& path)
{
    const wxString folder = DeckFolder(FileName);
    XmlDeckReader reader([&folder](const wxString& stored)
                         { return ResolveMediaName(stored, folder); });
    switch (reader.ReadFile(path, Cards))
    {
    case XmlDeckReader::Outcome::Read:
    {
        PictureCache pictures;
        for (const size_t index : reader.GetCardsWithPictures())
            Cards[index].LoadPictures(&pictures);
        return LoadResult::Loaded;
    }
    case XmlDeckReader::Outcome::WrongVersion:
        ShowDeckMessage(_("This version of Mnemora cannot open the file you have selected."));
        return LoadResult::WrongVersion;
    case XmlDeckReader::Outcome::NotWellFormed:
        wxLogError(_("XML parsing error: '%s' at line %d"), reader.GetError(),
                   reader.GetErrorLine());
        return LoadResult::Unreadable;
    case XmlDeckReader::Outcome::OutOfMemory:
        ReportOutOfMemory(path);
        break;
    case XmlDeckReader::Outcome::ReadFailed:
        break;
    }
    return LoadResult::Unreadable;
}
} // namespace

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
    PictureCache pictures;
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
            card.LoadPictures(&pictures);
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
    const wxString path = FileName.GetFullPath();
    // A deck read from a plain file that is a link now: the link is someone else's, and the
    // save replaces it instead of writing into the file it points to.
    const bool followLinks = DeckOnDisk.Path != path || DeckOnDisk.Link;
    AtomicFile file(path, followLinks);
    if (!file.IsOk())
        return false;
    ContentHash hash;
    XmlDeckWriter writer(DeckFolder(FileName),
                         [&file, &hash](const char* data, size_t size)
                         {
                             hash.Add(data, size);
                             return file.Write(data, size);
                         });
    if (!writer.Write(Cards))
        return false;
    DeckBackup backup(path, CurrentDeckSettings->KeepBackups);
    backup.Keep(file.GetTarget(), std::time(nullptr));
    if (!file.Commit())
    {
        backup.Discard();
        return false;
    }
    backup.Rotate();
    struct stat link;
    DeckOnDisk.Path = path;
    DeckOnDisk.Link = followLinks && lstat(path.fn_str(), &link) == 0 && S_ISLNK(link.st_mode);
    DeckOnDisk.SetFileInfo(file.GetWritten());
    DeckOnDisk.Hash = hash.Value();
    DeckOnDisk.Missing = false;
    return true;
}
