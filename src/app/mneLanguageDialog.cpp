// SPDX-License-Identifier: GPL-3.0-or-later
// The language chooser.
#include "app/mneLanguageDialog.h"

#include <wx/filename.h>
#include <wx/intl.h>

namespace
{
wxArrayString Descriptions(const std::vector<int>& languages)
{
    wxArrayString descriptions;
    for (int language : languages)
        descriptions.Add(wxLocale::GetLanguageInfo(language)->Description);
    return descriptions;
}
} // namespace

mneLanguageDialog::mneLanguageDialog(const wxString& dir) : mneLanguageDialog(OfferedLanguages(dir))
{
}

mneLanguageDialog::mneLanguageDialog(const std::vector<int>& languages)
    : wxSingleChoiceDialog(nullptr, "Please choose a language:", "Language",
                           Descriptions(languages)),
      Languages(languages)
{
    // Never smaller than the message, the list and the buttons need.
    wxSize size(200, 150);
    size.IncTo(GetMinSize());
    SetSize(size);
    Centre();
}

std::vector<int> mneLanguageDialog::OfferedLanguages(const wxString& dir)
{
    std::vector<int> languages;
    // Every language the toolkit knows, in its own numbering.
    for (int language = wxLANGUAGE_UNKNOWN + 1; language < wxLANGUAGE_USER_DEFINED; ++language)
    {
        const wxLanguageInfo* info = wxLocale::GetLanguageInfo(language);
        if (!info || info->CanonicalName.empty())
            continue;
        if (language == wxLANGUAGE_ENGLISH ||
            wxFileName::DirExists(dir + wxFILE_SEP_PATH + info->CanonicalName))
            languages.push_back(language);
    }
    return languages;
}

int mneLanguageDialog::GetLanguage() const
{
    const int selection = GetSelection();
    return selection >= 0 && selection < int(Languages.size()) ? Languages[selection]
                                                               : wxLANGUAGE_DEFAULT;
}
