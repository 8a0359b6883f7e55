// Whole-file replacement through a temporary file and a rename.
#include "deck/AtomicFile.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// The file a save really replaces: the target of a symbolic link, so the link survives.
wxString ResolveLink(const wxString& path)
{
    struct stat info;
    if (lstat(path.fn_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char* real = realpath(path.fn_str(), nullptr);
    if (real == nullptr)
        return path;
    const wxString resolved(real, *wxConvFileName);
    std::free(real);
    return resolved;
}

// Permissions for the new file: the old file's, or what a newly created file would get.
mode_t TargetMode(const wxString& path)
{
    struct stat info;
    if (stat(path.fn_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const wxString& folder)
{
    const int fd = open(folder.empty() ? "." : static_cast<const char*>(folder.fn_str()),
                        O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}
} // namespace

AtomicFile::AtomicFile(const wxString& path) : m_target(ResolveLink(path))
{
    const wxFileName target(m_target);
    wxString prefix = target.GetPath(wxPATH_GET_VOLUME | wxPATH_GET_SEPARATOR);
    if (prefix.empty())
        prefix = "./";
    prefix += "." + target.GetFullName() + ".";
    m_temp = wxFileName::CreateTempFileName(prefix, &m_file);
    m_ok = !m_temp.empty() && m_file.IsOpened();
    if (!m_ok)
    {
        Discard();
        return;
    }
    if (fchmod(m_file.fd(), TargetMode(m_target)) != 0)
    {
        wxLogSysError(_("Failed to set temporary file permissions"));
        Discard();
    }
}

AtomicFile::~AtomicFile()
{
    if (m_ok)
        Discard();
}

bool AtomicFile::Write(const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (m_ok && size > 0)
    {
        const size_t written = m_file.Write(bytes, size);
        if (written == 0)
        {
            Discard();
            break;
        }
        bytes += written;
        size -= written;
    }
    return m_ok;
}

bool AtomicFile::Commit()
{
    if (!m_ok)
        return false;
    if (fsync(m_file.fd()) != 0)
    {
        wxLogSysError(_("can't flush file descriptor %d"), m_file.fd());
        Discard();
        return false;
    }
    if (!m_file.Close())
    {
        Discard();
        return false;
    }
    if (std::rename(m_temp.fn_str(), m_target.fn_str()) != 0)
    {
        wxLogSysError(_("File '%s' couldn't be renamed '%s'"), m_temp, m_target);
        Discard();
        return false;
    }
    m_ok = false;
    SyncFolder(wxFileName(m_target).GetPath(wxPATH_GET_VOLUME));
    return true;
}

void AtomicFile::Discard()
{
    m_ok = false;
    if (m_file.IsOpened())
        m_file.Close();
    if (!m_temp.empty())
    {
        wxLogNull quiet;
        wxRemoveFile(m_temp);
        m_temp.clear();
    }
}
