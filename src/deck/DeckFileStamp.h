// SPDX-License-Identifier: GPL-3.0-or-later
// What the program last read from or wrote to the deck's file, so that a save never replaces
// changes another program made in the meantime without the user choosing it.
#ifndef MNEMORA_DECK_DECKFILESTAMP_H
#define MNEMORA_DECK_DECKFILESTAMP_H

#include <wx/string.h>

#include <cstdint>

#include <sys/stat.h>

/// A deck file as it was read or written: where it lay, its identity and times, and a hash
/// of its bytes.
struct DeckFileStamp
{
    wxString Path;     ///< The deck's name as FileName gave it; empty when nothing is known.
    bool Link = false; ///< The name was a symbolic link.
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    timespec Modified = {}; ///< Modification time.
    std::uint64_t Hash = 0;
    bool Missing = false; ///< The last check found no file under the name.

    /// Takes identity, size and time from `info` (the file itself, links followed).
    void SetFileInfo(const struct stat& info);
    /// True when `info` shows the same file untouched, so that its bytes need no reading. Never
    /// true where the file system gives no inode numbers or only whole-second times, on which a
    /// change can hide: there the hash decides.
    bool SameFileInfo(const struct stat& info) const;
};

/// How the deck's file compares with what was read or written last.
enum class DiskChange
{
    Unchanged, ///< Same bytes (or nothing known about this name: the deck was never read).
    Changed,   ///< Other bytes, or no longer the plain file (or link) it was.
    Missing    ///< Deleted or renamed away.
};

/// The stamp of the open deck's file.
extern DeckFileStamp DeckOnDisk;

/// Reads the file at `path` whole and fills `stamp`; false when it cannot be read.
bool ReadDeckFileStamp(const wxString& path, DeckFileStamp& stamp);
/// Stamps the file named by FileName as the deck's own (after it was opened); a file that
/// cannot be read leaves nothing known.
void RememberDeckFile();
/// Compares the file named by FileName with DeckOnDisk. A file only touched (same bytes) is
/// Unchanged and its new times are remembered; `current` receives the file's stamp when its
/// bytes were read (its Path stays empty otherwise). Sets DeckOnDisk.Missing.
DiskChange CheckDeckFile(DeckFileStamp* current = nullptr);
/// True when the last check found the open deck's file gone.
bool DeckFileMissing();

#endif
