// SPDX-License-Identifier: GPL-3.0-or-later
// Anki deck packages built with SQLite, zstd and libzip.
#include "PackageBuilder.h"

#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

std::string MakeCollection(const std::vector<std::string>& notes, const std::vector<long long>& ids)
{
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    sqlite3_exec(db,
                 "CREATE TABLE col (id INTEGER PRIMARY KEY, ver INTEGER);"
                 "CREATE TABLE notes (id INTEGER PRIMARY KEY, guid TEXT, mid INTEGER, "
                 "flds TEXT NOT NULL, sfld TEXT); BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO notes (id, guid, mid, flds, sfld) VALUES (?, 'g', 1, ?, '')",
                       -1, &insert, nullptr);
    for (size_t i = 0; i < notes.size(); ++i)
    {
        sqlite3_bind_int64(insert, 1, i < ids.size() ? ids[i] : (long long)i + 1);
        sqlite3_bind_text(insert, 2, notes[i].data(), int(notes[i].size()), SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    // The in-memory database serialised is the same bytes a file would hold.
    sqlite3_int64 size = 0;
    unsigned char* image = sqlite3_serialize(db, "main", &size, 0);
    std::string bytes(reinterpret_cast<const char*>(image), image ? size_t(size) : 0);
    sqlite3_free(image);
    sqlite3_close(db);
    return bytes;
}

std::string ZstdFrame(const std::string& bytes)
{
    std::string frame(ZSTD_compressBound(bytes.size()), '\0');
    frame.resize(ZSTD_compress(&frame[0], frame.size(), bytes.data(), bytes.size(), 3));
    return frame;
}

bool WriteZip(const std::string& path, const ZipMembers& members)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr)
        return false;
    for (const auto& member : members)
    {
        zip_source_t* source =
            zip_source_buffer(archive, member.second.data(), member.second.size(), 0);
        if (source == nullptr ||
            zip_file_add(archive, member.first.c_str(), source, ZIP_FL_ENC_UTF_8) < 0)
        {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}

namespace
{
void Varint(std::string& out, unsigned long long value)
{
    for (; value >= 0x80; value >>= 7)
        out += char(value | 0x80);
    out += char(value);
}
} // namespace

ZipMembers PackageMembers(bool newer, const std::vector<std::string>& notes,
                          const std::vector<std::pair<std::string, std::string>>& media,
                          const std::vector<long long>& ids)
{
    ZipMembers members;
    const std::string collection = MakeCollection(notes, ids);
    std::string list;
    if (newer)
    {
        members.emplace_back("collection.anki2",
                             MakeCollection({"Please update to the latest Anki version, then "
                                             "import the .colpkg/.apkg file again.\x1f"}));
        members.emplace_back("collection.anki21b", ZstdFrame(collection));
        members.emplace_back("meta", std::string("\x08\x03", 2));
        for (const auto& file : media)
        {
            std::string entry;
            entry += '\x0A';
            Varint(entry, file.first.size());
            entry += file.first;
            entry += '\x10';
            Varint(entry, file.second.size());
            list += '\x0A';
            Varint(list, entry.size());
            list += entry;
        }
        list = ZstdFrame(list);
    }
    else
    {
        members.emplace_back("collection.anki2", collection);
        list = "{";
        for (size_t i = 0; i < media.size(); ++i)
            list += (i == 0 ? "\"" : ", \"") + std::to_string(i) + "\": \"" + media[i].first + "\"";
        list += "}";
    }
    members.emplace_back("media", list);
    for (size_t i = 0; i < media.size(); ++i)
        members.emplace_back(std::to_string(i),
                             newer ? ZstdFrame(media[i].second) : media[i].second);
    return members;
}
