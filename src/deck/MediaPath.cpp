// Media names relative to the deck's folder on disk, absolute in memory.
#include "deck/MediaPath.h"

namespace
{
// A Windows name is relative when it starts with neither a separator nor a drive ("C:").
bool IsRelativeWindowsName(const wxString& name)
{
    if (name.empty() || name[0] == '\\' || name[0] == '/')
        return false;
    return !(name.length() >= 2 && name[1] == ':');
}

wxFileName Absolute(const wxString& stored, const wxString& deckFolder)
{
    wxFileName name(stored);
    name.MakeAbsolute(deckFolder);
    if (!name.IsAbsolute())
    {
        // "~" of an unknown user cannot be expanded: keep it as a plain name beside the deck.
        name = wxFileName(stored);
        name.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE, deckFolder);
    }
    return name;
}
} // namespace

wxString DeckFolder(const wxFileName& deckFile)
{
    wxFileName file(deckFile);
    file.MakeAbsolute();
    return file.GetPath(wxPATH_GET_VOLUME);
}

wxFileName ResolveMediaName(const wxString& stored, const wxString& deckFolder)
{
    if (stored.empty())
        return wxFileName();
    wxFileName native = Absolute(stored, deckFolder);
    if (wxFileName::GetFormat() == wxPATH_WIN || stored.find('\\') == wxString::npos ||
        native.FileExists() || !IsRelativeWindowsName(stored))
        return native;
    wxString converted(stored);
    converted.Replace("\\", "/");
    wxFileName windows = Absolute(converted, deckFolder);
    return windows.FileExists() ? windows : native;
}

wxString StoredMediaName(const wxFileName& name, const wxString& deckFolder)
{
    wxFileName relative(name);
    if (!relative.MakeRelativeTo(deckFolder))
        return name.GetFullPath();
    return relative.GetFullPath();
}
