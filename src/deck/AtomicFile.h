// SPDX-License-Identifier: GPL-3.0-or-later
// Replaces a file as a whole, so that a failed save never leaves a damaged file behind.
#ifndef MNEMORA_DECK_ATOMICFILE_H
#define MNEMORA_DECK_ATOMICFILE_H

#include <wx/string.h>

#include <cstddef>
#include <string>

#include <sys/stat.h>

/// Writes go to a new temporary file in the target's folder; Commit flushes it to the disk
/// and renames it over the target in one step. Until then the target is untouched, and a
/// writer that is not committed removes its temporary file. A target the user may not write
/// (read-only, or another user's file whose owner a replacement would change) is refused
/// before anything is written. Every failure is logged through the toolkit (wxLogError or
/// wxLogSysError) naming the file as the caller gave it, and makes Commit return false.
class AtomicFile
{
public:
    /// Creates the temporary file beside `path`; a symbolic link (also a dangling one) is
    /// followed, so the link stays and the file it points to is written. Without
    /// `followLinks` a link at `path` is itself replaced and the file it points to left alone.
    explicit AtomicFile(const wxString& path, bool followLinks = true);
    /// Removes the temporary file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// False when the target may not be written, the temporary file could not be created or a
    /// write failed.
    bool IsOk() const { return m_ok; }
    /// Appends bytes; false (and the writer spoilt) when the disk refuses them.
    bool Write(const void* data, size_t size);
    /// Flushes the temporary file to the disk and renames it over the target; the new file
    /// keeps the old one's permissions and owner. False when anything failed: the target is
    /// then as it was and the temporary file is gone.
    bool Commit();
    /// The file that Commit replaces (links followed where they are).
    const std::string& GetTarget() const { return m_target; }
    /// The written file's status, taken just before Commit renamed it into place.
    const struct stat& GetWritten() const { return m_writtenInfo; }

private:
    /// Bytes after which the disk is asked to start writing, while more is written.
    static constexpr size_t WritebackStep = 1024 * 1024;

    bool Prepare(bool followLinks);
    void Fail(int error);
    void Discard();

    wxString m_name;      ///< The file as the caller named it, for messages.
    std::string m_target; ///< The file really replaced, links followed.
    std::string m_temp;
    int m_fd = -1;
    size_t m_written = 0; ///< Bytes written so far.
    size_t m_started = 0; ///< Bytes the disk has been asked to start on.
    struct stat m_writtenInfo = {};
    bool m_ok = false;
};

#endif
