// SPDX-License-Identifier: GPL-3.0-or-later
// How the card editor shows a card's picture and sound names on its buttons and reads them back.
#ifndef MNEMORA_EDIT_FILELABEL_H
#define MNEMORA_EDIT_FILELABEL_H

#include <wx/filename.h>
#include <wx/string.h>

#include <vector>

#include "deck/MediaFile.h"

/// The folder against which the editor shows file names of the deck `deckFile`.
wxString FileLabelFolder(const wxFileName& deckFile);

/// The button label of `file`: `placeholder` when there is none, the full path while the deck
/// is "Untitled", otherwise the name relative to `folder` (as the deck file stores it).
wxString FileLabel(const MediaFile& file, const wxString& placeholder, const wxFileName& deckFile,
                   const wxString& folder);

/// The absolute file a button label names: none for the placeholder, a relative label taken
/// from `folder` (the one FileLabel used).
MediaFile FileFromLabel(const wxString& label, const wxString& placeholder, const wxString& folder);

/// True when both names denote the same file once normalised (two empty names are the same).
bool SameMediaFile(const MediaFile& a, const MediaFile& b);

/// The file-dialog filter tail for pictures: "(*.a;*.b)|*.a;*.b" from the image handlers'
/// extensions in their order, leaving out the icon handler ("ico").
wxString ImageWildcard(const std::vector<wxString>& extensions);

#endif
