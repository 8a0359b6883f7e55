// SPDX-License-Identifier: GPL-3.0-or-later
// Anki deck packages read into cards: the collection from a temporary copy, the media into
// a folder beside the package.
#include "deck/AnkiPackage.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include <sqlite3.h>

#include "deck/AnkiMediaMap.h"
#include "deck/HtmlField.h"
#include "deck/MediaPath.h"
#include "deck/PackageArchive.h"
#include "deck/TextDecoding.h"
#include "deck/mnemora.h"

namespace
{
// A temporary file that goes when this does.
struct TemporaryFile
{
    wxString path;
    wxFile file;
    ~TemporaryFile()
    {
        file.Close();
        if (!path.empty())
            wxRemoveFile(path);
    }
};

wxString BombText(const wxString& path)
{
    return wxString::Format(_("The Anki package '%s' holds a file that would unpack to more than "
                              "1 GB, or to more than 200 times its packed size. It was not "
                              "unpacked."),
                            path);
}

wxString DamagedText(const wxString& path)
{
    return wxString::Format(_("The collection in the Anki package '%s' is truncated or damaged."),
                            path);
}

// Unpacks a member into a new temporary file beside `pattern`; `problem` set on failure.
bool Unpack(PackageArchive& archive, const std::string& member, bool zstd, const wxString& pattern,
            const wxString& path, TemporaryFile& temporary, wxString& problem)
{
    temporary.path = wxFileName::CreateTempFileName(pattern, &temporary.file);
    if (temporary.path.empty())
    {
        problem = wxString::Format(_("The Anki package '%s' could not be unpacked: no temporary "
                                     "file could be made."),
                                   path);
        return false;
    }
    bool written = true;
    const PackageArchive::Failure failure =
        archive.Read(member, zstd,
                     [&](const char* data, size_t size)
                     { return written = temporary.file.Write(data, size) == size; });
    temporary.file.Close();
    if (failure == PackageArchive::Failure::Bomb)
        problem = BombText(path);
    else if (!written)
        problem = wxString::Format(_("The Anki package '%s' could not be unpacked: the disk "
                                     "refused the file."),
                                   path);
    else if (failure != PackageArchive::Failure::None)
        problem = wxString::Format(_("The Anki package '%s' is damaged: a file in it cannot be "
                                     "unpacked."),
                                   path);
    return failure == PackageArchive::Failure::None && written;
}

// Checks the unpacked collection's header before SQLite sees it.
bool CheckCollection(const wxString& collection, const wxString& path, wxString& problem)
{
    wxFile file(collection);
    const wxFileOffset size = file.IsOpened() ? file.Length() : 0;
    unsigned char header[100] = {};
    const ssize_t got = size > 0 ? file.Read(header, sizeof header) : 0;
    if (size <= 0)
        problem = wxString::Format(_("The collection in the Anki package '%s' is empty."), path);
    else if (got < 16 || std::memcmp(header, "SQLite format 3", 16) != 0)
        problem = wxString::Format(_("The collection in the Anki package '%s' is not an SQLite "
                                     "database, or it is encrypted."),
                                   path);
    else
    {
        const unsigned pageSize = header[16] << 8 | header[17];
        const std::uint64_t pages =
            std::uint64_t(header[28]) << 24 | header[29] << 16 | header[30] << 8 | header[31];
        const std::uint64_t needed = (pageSize == 1 ? 65536 : pageSize) * pages;
        if (got < 100 || needed > std::uint64_t(size))
            problem = DamagedText(path);
    }
    return problem.empty();
}

// True when the two files hold the same bytes.
bool SameFileContent(const wxString& one, const wxString& other)
{
    wxFile a(one);
    wxFile b(other);
    if (!a.IsOpened() || !b.IsOpened() || a.Length() != b.Length())
        return false;
    char left[64 * 1024];
    char right[sizeof left];
    for (;;)
    {
        const ssize_t got = a.Read(left, sizeof left);
        if (got < 0 || b.Read(right, sizeof right) != got)
            return false;
        if (got == 0)
            return true;
        if (std::memcmp(left, right, size_t(got)) != 0)
            return false;
    }
}

// Writes the media member into `folder` as `name`, or a free name when a different file has
// that name; returns the file's path, or empty text with `problem` set.
wxString WriteMedia(PackageArchive& archive, const std::string& member, bool zstd,
                    const wxString& folder, const wxString& name, const wxString& path,
                    std::vector<wxString>& created, wxString& problem)
{
    TemporaryFile temporary;
    if (!Unpack(archive, member, zstd, folder + "/.mnemora-media", path, temporary, problem))
        return wxString();
    const wxFileName wanted(folder, name);
    wxString target = wanted.GetFullPath();
    for (int n = 2; wxFileName::Exists(target, wxFILE_EXISTS_ANY); ++n)
    {
        if (wxFileName::FileExists(target) && SameFileContent(temporary.path, target))
            return target;
        wxFileName free(wanted);
        free.SetName(wxString::Format("%s (%d)", wanted.GetName(), n));
        target = free.GetFullPath();
    }
    if (!wxRenameFile(temporary.path, target, false))
    {
        problem = wxString::Format(_("The media file '%s' could not be written."), target);
        return wxString();
    }
    temporary.path.clear();
    created.push_back(target);
    return target;
}

// An SQLite URI that opens the file as immutable: no journal, write-ahead log or lock file is
// ever made beside it, whatever mode the collection was saved in.
std::string ImmutableUri(const wxString& file)
{
    std::string uri = "file:";
    for (const char c : file.utf8_string())
    {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || std::strchr("/-._~", c) != nullptr)
            uri += c;
        else
        {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            uri += escaped;
        }
    }
    return uri + "?immutable=1";
}

// The notes of the collection, in the order they were made.
bool ReadNotes(const wxString& collection, const wxString& path,
               const std::function<void(const char*, size_t)>& note, wxString& problem)
{
    sqlite3* handle = nullptr;
    const int opened = sqlite3_open_v2(ImmutableUri(collection).c_str(), &handle,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(handle, sqlite3_close);
    sqlite3_stmt* statement = nullptr;
    if (opened != SQLITE_OK || sqlite3_prepare_v2(handle, "SELECT flds FROM notes ORDER BY id", -1,
                                                  &statement, nullptr) != SQLITE_OK)
    {
        const int code = handle == nullptr ? opened : sqlite3_errcode(handle);
        problem = code == SQLITE_ERROR
                      ? wxString::Format(_("The collection in the Anki package '%s' holds no "
                                           "notes Mnemora can read."),
                                         path)
                      : DamagedText(path);
        return false;
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> query(statement, sqlite3_finalize);
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW)
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        note(text == nullptr ? "" : text, size_t(sqlite3_column_bytes(statement, 0)));
    }
    if (step != SQLITE_DONE)
        problem = DamagedText(path);
    return step == SQLITE_DONE;
}
} // namespace

bool ReadAnkiPackage(const wxString& path, const wxString& mediaFolder, std::vector<Card>& cards,
                     wxString& problem)
{
    PackageArchive archive;
    if (!archive.Open(path))
    {
        problem = wxString::Format(_("The file '%s' is not an Anki deck package."), path);
        return false;
    }
    // Newer packages keep a stub collection.anki2 beside the real one: the newest one counts.
    std::string collectionName;
    for (const char* name : {"collection.anki21b", "collection.anki21", "collection.anki2"})
    {
        if (collectionName.empty() && archive.Has(name))
            collectionName = name;
    }
    if (collectionName.empty())
    {
        problem = wxString::Format(_("The file '%s' is not an Anki deck package."), path);
        return false;
    }
    const bool newer = collectionName == "collection.anki21b" || archive.Has("meta");

    AnkiMediaMap media;
    if (archive.Has("media"))
    {
        std::string list;
        const PackageArchive::Failure failure = archive.ReadAll("media", newer, list);
        if (failure == PackageArchive::Failure::Bomb)
        {
            problem = BombText(path);
            return false;
        }
        if (failure != PackageArchive::Failure::None || !ParseAnkiMediaMap(list, media))
        {
            problem = wxString::Format(
                _("The list of media files in the Anki package '%s' is damaged."), path);
            return false;
        }
        for (const auto& entry : media)
        {
            if (!IsPlainMediaName(entry.first))
            {
                problem = wxString::Format(_("The Anki package '%s' names a media file that "
                                             "would be written outside its folder: '%s'."),
                                           path, entry.first);
                return false;
            }
        }
    }

    TemporaryFile collection;
    if (!Unpack(archive, collectionName, collectionName == "collection.anki21b",
                wxFileName::GetTempDir() + "/mnemora-collection", path, collection, problem) ||
        !CheckCollection(collection.path, path, problem))
        return false;

    std::vector<Card> read;
    std::vector<wxString> used; // media names in the order the cards first use them
    std::set<wxString> seen;
    auto exists = [&](const wxString& name)
    {
        const auto entry = media.find(name);
        return entry != media.end() && archive.Has(entry->second);
    };
    auto side = [&](const char* begin, const char* end, wxString& text, MediaFile& picture,
                    MediaFile& sound)
    {
        wxString html;
        DecodeUtf8(begin, size_t(end - begin), html);
        HtmlSide converted = ConvertHtmlField(html, exists);
        text.swap(converted.Text);
        for (const wxString* name : {&converted.Picture, &converted.Sound})
        {
            if (!name->empty() && seen.insert(*name).second)
                used.push_back(*name);
        }
        if (!converted.Picture.empty())
            picture = wxFileName(mediaFolder, converted.Picture);
        if (!converted.Sound.empty())
            sound = wxFileName(mediaFolder, converted.Sound);
    };
    const bool notesRead = ReadNotes(
        collection.path, path,
        [&](const char* fields, size_t size)
        {
            const char* end = fields + size;
            const char* split = static_cast<const char*>(std::memchr(fields, '\x1F', size));
            const char* second = split == nullptr ? end : split + 1;
            const char* secondEnd =
                static_cast<const char*>(std::memchr(second, '\x1F', size_t(end - second)));
            if (size_t(std::count(fields, end, '\x1F')) == size)
                return;
            read.emplace_back();
            Card& card = read.back();
            side(fields, split == nullptr ? end : split, card.Question, card.QuestionPicture,
                 card.QuestionSound);
            side(second, secondEnd == nullptr ? end : secondEnd, card.Answer, card.AnswerPicture,
                 card.AnswerSound);
        },
        problem);
    if (!notesRead)
        return false;

    // The media the cards use, written only now that every note has been read.
    std::map<wxString, wxString> written; // planned path to the path written
    std::vector<wxString> created;
    const bool madeFolder = !used.empty() && !wxFileName::DirExists(mediaFolder);
    if (madeFolder && !wxFileName::Mkdir(mediaFolder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL))
        problem = wxString::Format(_("The media file '%s' could not be written."), mediaFolder);
    for (size_t i = 0; i < used.size() && problem.empty(); ++i)
    {
        const wxString target = WriteMedia(archive, media[used[i]], newer, mediaFolder, used[i],
                                           path, created, problem);
        written[wxFileName(mediaFolder, used[i]).GetFullPath()] = target;
    }
    if (!problem.empty())
    {
        for (const wxString& file : created)
            wxRemoveFile(file);
        if (madeFolder)
            wxFileName::Rmdir(mediaFolder);
        return false;
    }
    for (Card& card : read)
    {
        for (MediaFile* file :
             {&card.QuestionPicture, &card.AnswerPicture, &card.QuestionSound, &card.AnswerSound})
        {
            if (file->IsOk())
                *file = wxFileName(written[file->GetFullPath()]);
        }
    }
    cards.swap(read);
    return true;
}

bool ImportAnkiPackage(const wxString& path)
{
    const wxFileName package(path);
    const wxString folder = DeckFolder(package) + "/" + package.GetName() + " media";
    std::vector<Card> cards;
    wxString problem;
    if (!ReadAnkiPackage(path, folder, cards, problem))
    {
        wxLogError("%s", problem);
        return false;
    }
    ReplaceDeck(cards, package);
    return true;
}
