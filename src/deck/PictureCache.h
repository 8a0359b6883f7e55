// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures decoded during one deck load, each file once.
#ifndef MNEMORA_DECK_PICTURECACHE_H
#define MNEMORA_DECK_PICTURECACHE_H

#include <wx/bitmap.h>
#include <wx/string.h>

#include <unordered_map>

/// Hands out one shared bitmap per picture file: cards that name the same file share it.
class PictureCache
{
public:
    /// The size-limited bitmap of the file at `path`, decoded on the first request; a null
    /// bitmap for a file that cannot be decoded or is too large to decode.
    wxBitmap Get(const wxString& path);

private:
    std::unordered_map<wxString, wxBitmap> m_bitmaps;
};

#endif
