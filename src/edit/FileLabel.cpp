// SPDX-License-Identifier: GPL-3.0-or-later
// Picture and sound names on the card editor's buttons, and the picture filter of its dialog.
#include "edit/FileLabel.h"

#include "deck/MediaPath.h"

wxString FileLabelFolder(const wxFileName& deckFile)
{
    return DeckFolder(deckFile);
}

wxString FileLabel(const MediaFile& file, const wxString& placeholder, const wxFileName& deckFile,
                   const wxString& folder)
{
    if (!file.IsOk())
        return placeholder;
    if (deckFile.GetFullPath() == "Untitled")
        return file.GetFullPath();
    return StoredMediaName(file, folder);
}

MediaFile FileFromLabel(const wxString& label, const wxString& placeholder, const wxString& folder)
{
    if (label == placeholder)
        return MediaFile();
    return MediaFile(ResolveMediaName(label, folder));
}

bool SameMediaFile(const MediaFile& a, const MediaFile& b)
{
    if (!a.IsOk() || !b.IsOk())
        return a.IsOk() == b.IsOk();
    wxFileName left(a);
    wxFileName right(b);
    const int flags = wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE | wxPATH_NORM_CASE;
    left.Normalize(flags);
    right.Normalize(flags);
    return left.GetFullPath() == right.GetFullPath();
}

wxString ImageWildcard(const std::vector<wxString>& extensions)
{
    wxString list;
    for (size_t i = 0; i < extensions.size(); ++i)
    {
        if (extensions[i] == "ico")
            continue;
        list += "*." + extensions[i];
        if (i + 1 < extensions.size())
            list += ";";
    }
    return "(" + list + ")|" + list;
}
