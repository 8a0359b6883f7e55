// SPDX-License-Identifier: GPL-3.0-or-later
// Backups of a deck: made by a hard link to the file being replaced (a copy where the file
// system has none), named by time, rotated after each save.
#include "deck/DeckBackup.h"

#include <wx/intl.h>
#include <wx/log.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "deck/WriteAll.h"
#include "deck/XmlDeckReader.h"

namespace
{
constexpr size_t StampLength = 15; // YYYYMMDD-HHMMSS
const char* const Extension = ".mnd";
bool Warned = false;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The deck's name in its backups' names: the file name without its ".mnd".
std::string DeckName(const std::string& path)
{
    const std::string name = path.substr(path.rfind('/') + 1);
    const size_t length = name.size();
    return length > 4 && strcasecmp(name.c_str() + length - 4, ".mnd") == 0
               ? name.substr(0, length - 4)
               : name;
}

// The stamp of a backup name of the deck, or an empty text for another file.
std::string StampOf(const std::string& name, const std::string& deckName)
{
    const size_t extension = std::strlen(Extension);
    if (name.size() != deckName.size() + 1 + StampLength + extension ||
        name.compare(0, deckName.size(), deckName) != 0 || name[deckName.size()] != '.' ||
        name.compare(name.size() - extension, extension, Extension) != 0)
        return std::string();
    const std::string stamp = name.substr(deckName.size() + 1, StampLength);
    for (size_t i = 0; i < StampLength; ++i)
    {
        if (i == 8 ? stamp[i] != '-' : (stamp[i] < '0' || stamp[i] > '9'))
            return std::string();
    }
    return stamp;
}

std::time_t ParseStamp(const std::string& stamp)
{
    struct tm parts = {};
    if (std::sscanf(stamp.c_str(), "%4d%2d%2d-%2d%2d%2d", &parts.tm_year, &parts.tm_mon,
                    &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec) != 6)
        return 0;
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

// The deck's backups in an open folder, oldest first (the stamps sort as text).
std::vector<std::string> ListNames(int folderFd, const std::string& deckName)
{
    std::vector<std::string> names;
    const int fd = dup(folderFd);
    DIR* folder = fd >= 0 ? fdopendir(fd) : nullptr;
    if (folder == nullptr)
    {
        if (fd >= 0)
            close(fd);
        return names;
    }
    rewinddir(folder);
    while (const dirent* entry = readdir(folder))
    {
        if (!StampOf(entry->d_name, deckName).empty())
            names.push_back(entry->d_name);
    }
    closedir(folder);
    std::sort(names.begin(), names.end());
    return names;
}

int OpenBackupFolder(const std::string& folder)
{
    return open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

bool CopyFile(int from, int to)
{
    char chunk[64 * 1024];
    for (;;)
    {
        const ssize_t got = read(from, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0 && fsync(to) == 0;
        if (!WriteAll(to, chunk, size_t(got)))
            return false;
    }
}

// The number of cards in a backup: every element below the root of an XML deck is one; -1
// for a deck in an older format.
long CountCards(int folderFd, const std::string& name)
{
    const int fd = openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    std::vector<char> chunk(256 * 1024);
    size_t tags = 0;
    bool afterLess = false;
    bool first = true;
    long cards = -1;
    for (;;)
    {
        const ssize_t got = read(fd, chunk.data(), chunk.size());
        if (got <= 0)
        {
            if (got == 0 && !first)
                cards = tags > 0 ? long(tags) - 1 : 0;
            break;
        }
        if (first && (got < 5 || std::memcmp(chunk.data(), "<?xml", 5) != 0))
            break;
        first = false;
        tags += XmlDeckReader::CountStartTags(chunk.data(), size_t(got), afterLess);
    }
    close(fd);
    return cards;
}
} // namespace

const char* const DeckBackup::FolderName = ".mnemora-backup";

DeckBackup::DeckBackup(const wxString& deckPath, int keep)
    : m_deckPath(deckPath), m_keep(keep > 0 ? keep : 0)
{
    const std::string path(deckPath.fn_str());
    m_folder = FolderOf(path) + "/" + FolderName;
    m_deckName = DeckName(path);
}

DeckBackup::~DeckBackup()
{
    if (m_folderFd >= 0)
        close(m_folderFd);
}

std::string DeckBackup::NameFor(const std::string& deckName, std::time_t time)
{
    struct tm local;
    localtime_r(&time, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return deckName + "." + stamp + Extension;
}

bool DeckBackup::OpenFolder(bool create)
{
    if (create && mkdir(m_folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    m_folderFd = OpenBackupFolder(m_folder);
    return m_folderFd >= 0;
}

bool DeckBackup::Keep(const std::string& file, std::time_t now)
{
    struct stat info;
    if (m_keep == 0 || lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return true;
    if (!OpenFolder(true))
    {
        Warn(errno);
        return false;
    }
    m_names = ListNames(m_folderFd, m_deckName);
    // A clock set back must not give an older name, or the rotation would drop the new copy.
    std::time_t time = now;
    if (!m_names.empty())
        time = std::max(time, ParseStamp(StampOf(m_names.back(), m_deckName)) + 1);
    for (int attempt = 0; attempt < 4 * 3600; ++attempt, ++time)
    {
        const std::string name = NameFor(m_deckName, time);
        if (!m_names.empty() && name <= m_names.back())
            continue;
        if (LinkOrCopy(file, name))
        {
            m_kept = name;
            m_names.push_back(name);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    Warn(errno);
    return false;
}

bool DeckBackup::LinkOrCopy(const std::string& file, const std::string& name)
{
    // The replaced file lives on under the backup's name, so a link costs no copying.
    if (linkat(AT_FDCWD, file.c_str(), m_folderFd, name.c_str(), 0) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    const int from = open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (from < 0)
        return false;
    const int to = openat(m_folderFd, name.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (to < 0)
    {
        const int error = errno;
        close(from);
        errno = error;
        return false;
    }
    const bool copied = CopyFile(from, to);
    const int error = errno;
    close(from);
    const bool closed = close(to) == 0;
    if (copied && closed)
        return true;
    unlinkat(m_folderFd, name.c_str(), 0);
    errno = copied ? EIO : error;
    return false;
}

void DeckBackup::Discard()
{
    if (m_kept.empty())
        return;
    unlinkat(m_folderFd, m_kept.c_str(), 0);
    m_names.erase(std::find(m_names.begin(), m_names.end(), m_kept));
    m_kept.clear();
}

void DeckBackup::Rotate()
{
    if (m_folderFd < 0 || m_names.size() <= size_t(m_keep))
        return;
    const size_t surplus = m_names.size() - size_t(m_keep);
    for (size_t i = 0; i < surplus; ++i)
        unlinkat(m_folderFd, m_names[i].c_str(), 0);
    m_names.erase(m_names.begin(), m_names.begin() + long(surplus));
}

void DeckBackup::Warn(int error) const
{
    if (Warned)
        return;
    Warned = true;
    wxLogWarning(_("No backup copy of \"%s\" could be kept (%s). The deck is saved all the same."),
                 m_deckPath, wxSysErrorMsgStr(error));
}

void DeckBackup::ResetWarning()
{
    Warned = false;
}

std::vector<DeckBackupEntry> DeckBackup::List(const wxString& deckPath)
{
    DeckBackup backups(deckPath, 0);
    std::vector<DeckBackupEntry> entries;
    if (!backups.OpenFolder(false))
        return entries;
    const std::vector<std::string> names = ListNames(backups.m_folderFd, backups.m_deckName);
    for (auto name = names.rbegin(); name != names.rend(); ++name)
    {
        DeckBackupEntry entry;
        entry.Path = wxString((backups.m_folder + "/" + *name).c_str(), *wxConvFileName);
        entry.Time = ParseStamp(StampOf(*name, backups.m_deckName));
        entry.Cards = CountCards(backups.m_folderFd, *name);
        entries.push_back(entry);
    }
    return entries;
}
