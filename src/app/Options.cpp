// Loading and saving the options record.
#include "app/Options.h"

#include <wx/config.h>

MneOptions Options;

void LoadOptions() {}
void SaveOptions() {}
wxString FontToString(const wxFont&) { return wxString(); }
bool StringToFont(wxFont&, const wxString&) { return false; }
wxString ColourToString(const wxColour&) { return wxString(); }
bool StringToColour(wxColour&, const wxString&) { return false; }
void AddDefaultPageLayouts() {}
