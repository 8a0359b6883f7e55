// SPDX-License-Identifier: GPL-3.0-or-later
// Reading PDF files in the print tests through poppler's command-line tools.
#include "PdfTools.h"

#include <wx/mstream.h>

#include <cstdio>
#include <cstdlib>

std::string Output(const std::string& command)
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

int PdfPages(const std::string& info)
{
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

wxImage PdfPage(const wxString& path, int page, int ppi)
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
