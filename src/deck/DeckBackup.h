// SPDX-License-Identifier: GPL-3.0-or-later
// The last good copies of a deck: kept in a folder beside it before each save replaces it.
#ifndef MNEMORA_DECK_DECKBACKUP_H
#define MNEMORA_DECK_DECKBACKUP_H

#include <wx/string.h>

#include <ctime>
#include <string>
#include <vector>

/// One kept copy of a deck.
struct DeckBackupEntry
{
    wxString Path;
    std::time_t Time = 0; ///< When it was kept, from its name.
    long Cards = -1;      ///< Number of cards; -1 for a deck in an older format.
};

/// Backups live in ".mnemora-backup" beside the deck (mode 0700, created on demand), named
/// "<deck name>.<YYYYMMDD-HHMMSS>.mnd" in local time. A new name always sorts after the
/// deck's older ones, also when the clock went backwards. Nothing is written through a link:
/// a backup folder that is a link or a file gets no backup. Failures never stop a save; the
/// first one of a session is logged as a warning.
class DeckBackup
{
public:
    /// The name of the backup folder.
    static const char* const FolderName;

    /// Backups of the deck at `deckPath`, of which the newest `keep` stay (0 keeps none and
    /// makes none).
    DeckBackup(const wxString& deckPath, int keep);
    ~DeckBackup();
    DeckBackup(const DeckBackup&) = delete;
    DeckBackup& operator=(const DeckBackup&) = delete;

    /// Keeps the plain file at `file` (the deck before the save, links already followed);
    /// nothing for a file that does not exist. False when a backup was due but failed.
    bool Keep(const std::string& file, std::time_t now);
    /// Removes the backup just kept: the save that it was for failed.
    void Discard();
    /// Removes the oldest backups of the deck beyond the newest `keep`.
    void Rotate();

    /// The backups of the deck at `deckPath`, newest first.
    static std::vector<DeckBackupEntry> List(const wxString& deckPath);
    /// The backup name of a deck called `deckName` kept at `time`.
    static std::string NameFor(const std::string& deckName, std::time_t time);
    /// Lets the next failure be logged again, as at the start of a session.
    static void ResetWarning();

private:
    bool OpenFolder(bool create);
    bool LinkOrCopy(const std::string& file, const std::string& name);
    void Warn(int error) const;

    wxString m_deckPath;
    std::string m_folder;
    std::string m_deckName;
    int m_keep;
    int m_folderFd = -1;
    std::vector<std::string> m_names; ///< The deck's backups, oldest first.
    std::string m_kept;               ///< The name of the backup kept by this save.
};

#endif
