// SPDX-License-Identifier: GPL-3.0-or-later
// Reading PDF files in the print tests through poppler's command-line tools.
#ifndef MNEMORA_TESTS_PDFTOOLS_H
#define MNEMORA_TESTS_PDFTOOLS_H

#include <wx/image.h>
#include <wx/string.h>

#include <string>

/// The standard output of a shell command, empty when it cannot run.
std::string Output(const std::string& command);

/// The page count in pdfinfo's output, -1 when there is none.
int PdfPages(const std::string& info);

/// Page `page` (from 1) of the PDF at path rasterised at ppi pixels per inch, or an invalid
/// image when pdftoppm fails.
wxImage PdfPage(const wxString& path, int page, int ppi);

#endif
