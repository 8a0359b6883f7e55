// Replaces a file as a whole, so that a failed save never leaves a damaged file behind.
#ifndef MNEMORA_DECK_ATOMICFILE_H
#define MNEMORA_DECK_ATOMICFILE_H

#include <wx/file.h>
#include <wx/string.h>

#include <cstddef>

/// Writes go to a new temporary file in the target's folder; Commit flushes it to the disk
/// and renames it over the target in one step. Until then the target is untouched, and a
/// writer that is not committed removes its temporary file. Every failure is reported through
/// the toolkit's log (wxLogSysError) and makes Commit return false.
class AtomicFile
{
public:
    /// Creates the temporary file beside `path` (beside the link's target for a symbolic link).
    explicit AtomicFile(const wxString& path);
    /// Removes the temporary file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// False when the temporary file could not be created or a write failed.
    bool IsOk() const { return m_ok; }
    /// Appends bytes; false (and the writer spoilt) when the disk refuses them.
    bool Write(const void* data, size_t size);
    /// Flushes the temporary file to the disk and renames it over the target; the new file
    /// keeps the old one's permissions. False when anything failed: the target is then as
    /// it was and the temporary file is gone.
    bool Commit();

private:
    void Discard();

    wxString m_target;
    wxString m_temp;
    wxFile m_file;
    bool m_ok = false;
};

#endif
