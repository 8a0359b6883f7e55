// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file replacement through a temporary file and a rename.
#include "deck/AtomicFile.h"

#include <wx/intl.h>
#include <wx/log.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "deck/WriteAll.h"

namespace
{
constexpr int MaxLinks = 40; // as the kernel follows them before it gives up with ELOOP

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links to the file a save really replaces, which need not exist yet.
// Returns 0 or the error that stops it (ELOOP for a loop).
int ResolveLinks(std::string& path)
{
    for (int hop = 0; hop <= MaxLinks; ++hop)
    {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode))
            return 0;
        std::string link(size_t(info.st_size > 0 ? info.st_size : PATH_MAX) + 1, '\0');
        const ssize_t length = readlink(path.c_str(), &link[0], link.size());
        if (length < 0)
            return errno;
        // A link that grew since lstat was changed under us: its target is not known.
        if (size_t(length) >= link.size())
            return ENAMETOOLONG;
        link.resize(size_t(length));
        path = link[0] == '/' ? link : FolderOf(path) + "/" + link;
    }
    return ELOOP;
}

// The longest prefix of name, ending on a whole UTF-8 character, of at most `limit` bytes.
std::string Shortened(const std::string& name, size_t limit)
{
    if (name.size() <= limit)
        return name;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    return name.substr(0, end);
}

void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}
} // namespace

AtomicFile::AtomicFile(const wxString& path, bool followLinks)
    : m_name(path), m_target(path.fn_str())
{
    m_ok = Prepare(followLinks);
}

AtomicFile::~AtomicFile()
{
    if (m_ok)
        Discard();
}

bool AtomicFile::Prepare(bool followLinks)
{
    if (const int error = followLinks ? ResolveLinks(m_target) : 0)
    {
        Fail(error);
        return false;
    }
    struct stat old;
    // A link that is not followed is replaced like a missing file.
    const bool exists = followLinks ? stat(m_target.c_str(), &old) == 0
                                    : lstat(m_target.c_str(), &old) == 0 && !S_ISLNK(old.st_mode);
    if (exists && !S_ISREG(old.st_mode))
    {
        Fail(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
        return false;
    }
    // The rename needs only the folder's permission; the file's own must protect it too.
    if (exists && faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0)
    {
        Fail(errno);
        return false;
    }

    const std::string folder = FolderOf(m_target);
    const std::string name = m_target.substr(m_target.rfind('/') + 1);
    long maxName = pathconf(folder.c_str(), _PC_NAME_MAX);
    if (maxName <= 0)
        maxName = NAME_MAX;
    // "." + name + "." + six random characters must fit in one name of the folder.
    const size_t room = size_t(maxName) > 8 ? size_t(maxName) - 8 : 1;
    std::string temp = folder + "/." + Shortened(name, room) + ".XXXXXX";
    m_fd = mkostemp(&temp[0], O_CLOEXEC);
    if (m_fd < 0)
    {
        Fail(errno);
        return false;
    }
    m_temp = temp;

    mode_t mode = old.st_mode & 07777;
    if (!exists)
    {
        // The only way to learn the umask is to set it; a new file alone needs it.
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (exists && old.st_uid != geteuid() && fchown(m_fd, old.st_uid, old.st_gid) != 0)
    {
        // Replacing the file would hand it to this user: leave it to its owner.
        wxLogError(_("\"%s\" belongs to another user and cannot be replaced."), m_name);
        Discard();
        return false;
    }
    if (exists && old.st_uid == geteuid() && old.st_gid != getegid())
        (void)fchown(m_fd, uid_t(-1), old.st_gid); // the group is kept where the user may
    if (fchmod(m_fd, mode) != 0)
    {
        Fail(errno);
        return false;
    }
    return true;
}

bool AtomicFile::Write(const void* data, size_t size)
{
    if (!m_ok)
        return false;
    if (!WriteAll(m_fd, data, size))
    {
        Fail(errno);
        return false;
    }
    m_written += size;
#ifdef SYNC_FILE_RANGE_WRITE
    // The disk starts on what is written while the rest is still being made, so that Commit
    // waits only for the last part; the flush there stays what makes the file safe.
    if (m_written - m_started >= WritebackStep)
    {
        (void)sync_file_range(m_fd, off_t(m_started), off_t(m_written - m_started),
                              SYNC_FILE_RANGE_WRITE);
        m_started = m_written;
    }
#endif
    return true;
}

bool AtomicFile::Commit()
{
    if (!m_ok)
        return false;
    int error = fsync(m_fd) != 0 ? errno : 0;
    if (error == 0 && fstat(m_fd, &m_writtenInfo) != 0)
        error = errno;
    if (close(m_fd) != 0 && error == 0)
        error = errno;
    m_fd = -1;
    if (error != 0)
    {
        Fail(error);
        return false;
    }
    if (std::rename(m_temp.c_str(), m_target.c_str()) != 0)
    {
        Fail(errno);
        return false;
    }
    m_temp.clear();
    m_ok = false;
    SyncFolder(FolderOf(m_target));
    return true;
}

void AtomicFile::Fail(int error)
{
    wxLogSysError(error, _("Cannot save \"%s\""), m_name);
    Discard();
}

void AtomicFile::Discard()
{
    m_ok = false;
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    if (!m_temp.empty())
        unlink(m_temp.c_str());
    m_temp.clear();
}
