// SPDX-License-Identifier: GPL-3.0-or-later
// Names a window that draws its own content for assistive technology (screen readers).
#ifndef MNEMORA_APP_ACCESSIBLETEXT_H
#define MNEMORA_APP_ACCESSIBLETEXT_H

#include <wx/string.h>

class wxWindow;

/// Sets the accessible name and description of `window`; a screen reader that watches the
/// window speaks a changed name at once. Unchanged texts send no notice.
void SetAccessibleText(wxWindow* window, const wxString& name, const wxString& description);

#endif
