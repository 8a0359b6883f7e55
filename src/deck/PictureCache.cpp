// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes each picture file of a load once.
#include "deck/PictureCache.h"

#include "deck/Card.h"

wxBitmap PictureCache::Get(const wxString& path)
{
    const auto found = m_bitmaps.find(path);
    if (found != m_bitmaps.end())
        return found->second;
    const wxImage image = LoadCardImage(wxFileName(path));
    const wxBitmap bitmap = image.IsOk() ? wxBitmap(image) : wxBitmap();
    m_bitmaps.emplace(path, bitmap);
    return bitmap;
}
