// SPDX-License-Identifier: GPL-3.0-or-later
// The language chooser: English and every language whose catalog folder is present.
#ifndef MNEMORA_APP_MNELANGUAGEDIALOG_H
#define MNEMORA_APP_MNELANGUAGEDIALOG_H

#include <wx/choicdlg.h>

#include <vector>

/// Offers the user-interface languages; the caller stores the choice for the next start.
class mneLanguageDialog : public wxSingleChoiceDialog
{
public:
    /// Offers English and each language with a folder named by its canonical name below `dir`.
    explicit mneLanguageDialog(const wxString& dir);

    /// The toolkit language identifiers offered below `dir`, in increasing order.
    static std::vector<int> OfferedLanguages(const wxString& dir);
    /// The toolkit language identifier of the selected entry.
    int GetLanguage() const;

private:
    explicit mneLanguageDialog(const std::vector<int>& languages);

    std::vector<int> Languages;
};

#endif
