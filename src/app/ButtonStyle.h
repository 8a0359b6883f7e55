// SPDX-License-Identifier: GPL-3.0-or-later
// The look of the windows' buttons: the panels' small font, and buttons sized to their labels.
#ifndef MNEMORA_APP_BUTTONSTYLE_H
#define MNEMORA_APP_BUTTONSTYLE_H

#include <wx/font.h>

class wxButton;
class wxWindow;

/// The 7-point bold font of the panels' buttons.
wxFont SmallButtonFont();

/// A tight-fitting button that still keeps some room between its label and its frame, measured
/// in `font` when one is given.
wxButton* LabelSizedButton(wxWindow* parent, int id, const wxString& label,
                           const wxFont& font = wxNullFont);

#endif
