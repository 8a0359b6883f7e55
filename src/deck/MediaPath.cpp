// SPDX-License-Identifier: GPL-3.0-or-later
// Media names relative to the deck's folder on disk, absolute in memory.
#include "deck/MediaPath.h"

#include <wx/utils.h>

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
    wxString text = stored;
    if (text.StartsWith("~"))
    {
        // The toolkit leaves "~user" of an unknown user as it is, which is not absolute: such
        // a name is an ordinary folder beside the deck.
        const wxString user = text.Mid(1).BeforeFirst('/');
        const wxString home = user.empty() ? wxGetHomeDir() : wxGetUserHome(user);
        text = home.empty() ? "./" + text : home + text.Mid(1 + user.length());
    }
    wxFileName name(text);
    name.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE, deckFolder);
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
    // A folder beside the deck whose name starts with "~" must not read back as a home folder.
    const wxString text = relative.GetFullPath();
    return text.StartsWith("~") ? "./" + text : text;
}

bool IsPlainMediaName(const wxString& name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == wxString::npos && name.find(wxUniChar(0)) == wxString::npos;
}
