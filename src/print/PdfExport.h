// SPDX-License-Identifier: GPL-3.0-or-later
// Printing card printouts straight into a PDF file of the layout's paper size, without a printer
// or a print dialog.
#ifndef MNEMORA_PRINT_PDFEXPORT_H
#define MNEMORA_PRINT_PDFEXPORT_H

#include <wx/string.h>
#include <wx/window.h>

#include <vector>

#include "app/PageLayout.h"

class wxPrintoutManager;

/// Writes the pages of the printouts into one PDF at path, on paper of layout's size, sheet by
/// sheet: page 1 of each printout in turn (front pass, then back pass), then page 2, and so on;
/// false when the file could not be written.
bool PrintToPdf(const std::vector<wxPrintoutManager*>& printouts, const PageLayout& layout,
                const wxString& path, wxWindow* parent = nullptr);

#endif
