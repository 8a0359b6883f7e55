// SPDX-License-Identifier: GPL-3.0-or-later
// The user's preferences: one record, read once at start-up and written whole on every change.
#ifndef MNEMORA_APP_OPTIONS_H
#define MNEMORA_APP_OPTIONS_H

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/string.h>

#include <vector>

#include "app/PageLayout.h"
#include "deck/DeckSettings.h"

/// Study modes, stored under "StudyMode".
enum TestModes
{
    tmLearn = 0,
    tmReview = 1,
    tmQuiz = 2
};

/// Every preference of the program; the deck reads its part (DeckSettings) from here.
struct MneOptions : DeckSettings
{
    int TestMode = tmLearn;
    bool KeepScore = true;
    bool SwapQuestionAnswer = false;
    bool ShowTimer = false;
    wxFont CardFont;
    wxColour CardFontColor;
    wxColour CardBackground;
    int CardIncrement = 3;
    wxString DataDirectory;
    std::vector<PageLayout> PageLayouts;
    int PrintPageLayout = 0;
    wxFont PrintCardFont;
    wxColour PrintCardFontColor;
    double PrintCardLeftMargin = 0.2;
    double PrintCardRightMargin = 0.2;
    double PrintCardTopMargin = 0.2;
    double PrintCardBottomMargin = 0.2;
};

/// The one options record, which CurrentDeckSettings points to.
extern MneOptions Options;

/// Fills Options from the configuration store (wxConfigBase::Get()), defaults for what is missing.
void LoadOptions();
/// Writes every field of Options, page layouts included, to the configuration store.
void SaveOptions();
/// Text form "size, family, style, weight, underlined, face, encoding".
wxString FontToString(const wxFont& font);
/// Parses the text form into font; false (and a 10 point default font) when it does not parse.
bool StringToFont(wxFont& font, const wxString& text);
/// Text form "red, green, blue".
wxString ColourToString(const wxColour& colour);
/// Parses the text form into colour; false (and white) when it does not parse.
bool StringToColour(wxColour& colour, const wxString& text);
/// Appends the three built-in page layouts to Options.PageLayouts.
void AddDefaultPageLayouts();

#endif
