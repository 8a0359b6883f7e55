// SPDX-License-Identifier: GPL-3.0-or-later
// The list of media files in an Anki deck package: which zip member holds which file name.
#ifndef MNEMORA_DECK_ANKIMEDIAMAP_H
#define MNEMORA_DECK_ANKIMEDIAMAP_H

#include <wx/string.h>

#include <map>
#include <string>

/// Media file name to the name of the zip member that holds the file.
using AnkiMediaMap = std::map<wxString, std::string>;

/// Reads the "media" member of a package, already unpacked from zstd: a JSON object of
/// member names to file names (older packages) or a protobuf list of entries whose position
/// is the member name (newer ones). The first member of a name counts. False when damaged.
bool ParseAnkiMediaMap(const std::string& bytes, AnkiMediaMap& map);

#endif
