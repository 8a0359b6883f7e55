// SPDX-License-Identifier: GPL-3.0-or-later
// The file name of a card's picture or sound, held as one path string.
#ifndef MNEMORA_DECK_MEDIAFILE_H
#define MNEMORA_DECK_MEDIAFILE_H

#include <wx/filename.h>
#include <wx/string.h>

/// A picture or sound file of a card side. Every card carries four of them, so the name is kept
/// as its full path (a quarter of the memory of a wxFileName) and converts to and from
/// wxFileName where path rules are needed. Empty means none.
class MediaFile
{
public:
    MediaFile() = default;
    /// Takes the full path of `name`.
    MediaFile(const wxFileName& name) : m_path(name.IsOk() ? name.GetFullPath() : wxString()) {}

    /// The file name, for path operations.
    operator wxFileName() const { return m_path.empty() ? wxFileName() : wxFileName(m_path); }

    /// The full path; empty when the side has no such file.
    const wxString& GetFullPath() const { return m_path; }
    /// The name and extension without the folder.
    wxString GetFullName() const { return wxFileName(m_path).GetFullName(); }
    /// True when a file is set.
    bool IsOk() const { return !m_path.empty(); }
    /// Removes the file from the side.
    void Clear() { m_path.clear(); }
    /// Exchanges two names without copying them.
    void swap(MediaFile& other) { m_path.swap(other.m_path); }

    bool operator==(const MediaFile& other) const { return m_path == other.m_path; }
    bool operator!=(const MediaFile& other) const { return m_path != other.m_path; }

private:
    wxString m_path;
};

#endif
