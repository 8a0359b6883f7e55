// SPDX-License-Identifier: GPL-3.0-or-later
// The deck file's stamp: read, remembered and compared with the file on disk.
#include "deck/DeckFileStamp.h"

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "deck/ContentHash.h"
#include "deck/mnemora.h"

DeckFileStamp DeckOnDisk;

void DeckFileStamp::SetFileInfo(const struct stat& info)
{
    Device = info.st_dev;
    Inode = info.st_ino;
    Size = info.st_size;
    Modified = info.st_mtim;
}

bool DeckFileStamp::SameFileInfo(const struct stat& info) const
{
    return Inode != 0 && Modified.tv_nsec != 0 && info.st_dev == Device && info.st_ino == Inode &&
           info.st_size == Size && info.st_mtim.tv_sec == Modified.tv_sec &&
           info.st_mtim.tv_nsec == Modified.tv_nsec;
}

bool ReadDeckFileStamp(const wxString& path, DeckFileStamp& stamp)
{
    const int fd = open(path.fn_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ContentHash hash;
    std::vector<char> chunk(ok ? 256 * 1024 : 0);
    while (ok)
    {
        const ssize_t got = read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
        {
            ok = got == 0;
            break;
        }
        hash.Add(chunk.data(), size_t(got));
    }
    close(fd);
    if (!ok)
        return false;
    struct stat link;
    stamp.Path = path;
    stamp.Link = lstat(path.fn_str(), &link) == 0 && S_ISLNK(link.st_mode);
    stamp.SetFileInfo(info);
    stamp.Hash = hash.Value();
    stamp.Missing = false;
    return true;
}

void RememberDeckFile()
{
    if (!ReadDeckFileStamp(FileName.GetFullPath(), DeckOnDisk))
        DeckOnDisk = DeckFileStamp();
}

DiskChange CheckDeckFile(DeckFileStamp* current)
{
    const wxString path = FileName.GetFullPath();
    if (DeckOnDisk.Path.empty() || DeckOnDisk.Path != path)
        return DiskChange::Unchanged;
    struct stat link;
    struct stat info;
    if (lstat(path.fn_str(), &link) != 0 || stat(path.fn_str(), &info) != 0)
    {
        // Another error (a folder we may not read) is left to the save, which reports it.
        DeckOnDisk.Missing = errno == ENOENT || errno == ENOTDIR;
        return DeckOnDisk.Missing ? DiskChange::Missing : DiskChange::Unchanged;
    }
    DeckOnDisk.Missing = false;
    if (S_ISLNK(link.st_mode) != DeckOnDisk.Link || !S_ISREG(info.st_mode))
        return DiskChange::Changed;
    if (DeckOnDisk.SameFileInfo(info))
        return DiskChange::Unchanged;
    DeckFileStamp now;
    if (!ReadDeckFileStamp(path, now))
        return DiskChange::Changed;
    if (current)
        *current = now;
    if (now.Hash != DeckOnDisk.Hash || now.Size != DeckOnDisk.Size)
        return DiskChange::Changed;
    DeckOnDisk.SetFileInfo(info);
    return DiskChange::Unchanged;
}

bool DeckFileMissing()
{
    return DeckOnDisk.Missing && !DeckOnDisk.Path.empty() &&
           DeckOnDisk.Path == FileName.GetFullPath();
}
