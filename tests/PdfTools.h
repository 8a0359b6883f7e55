// SPDX-License-Identifier: GPL-3.0-or-later
// Reading PDF files in the print tests through poppler's command-line tools.
#ifndef MNEMORA_TESTS_PDFTOOLS_H
#define MNEMORA_TESTS_PDFTOOLS_H

#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/string.h>

#include <cstdio>
#include <cstdlib>
#include <string>

/// The standard output of a shell command, empty when it cannot run.
inline std::string Output(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r"))
    {
        char buffer[4096];
        size_t read;
        while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, read);
        pclose(pipe);
    }
    return output;
}

/// The page count in pdfinfo's output, -1 when there is none.
inline int PdfPages(const std::string& info)
{
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

/// Page `page` (from 1) of the PDF at path rasterised at ppi pixels per inch, or an invalid
/// image when pdftoppm fails.
inline wxImage PdfPage(const wxString& path, int page, int ppi)
{
    const std::string png = Output(
        wxString::Format("pdftoppm -r %d -f %d -l %d -singlefile -png '%s'", ppi, page, page, path)
            .utf8_string());
    wxMemoryInputStream stream(png.data(), png.size());
    wxImage image;
    if (!png.empty())
        image.LoadFile(stream, wxBITMAP_TYPE_PNG);
    return image;
}

#endif
