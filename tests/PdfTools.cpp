// SPDX-License-Identifier: GPL-3.0-or-later
// Reading PDF files in the print tests through poppler's command-line tools.
#include "PdfTools.h"

#include <wx/filename.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

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
    const wxString png = wxFileName::CreateTempFileName("mnemora-page");
    Output(wxString::Format("pdftoppm -r %d -f %d -l %d -singlefile -png '%s' '%s'", ppi, page,
                            page, path, png)
               .utf8_string());
    wxImage image;
    if (wxFileName::FileExists(png + ".png"))
        image.LoadFile(png + ".png", wxBITMAP_TYPE_PNG);
    wxRemoveFile(png + ".png");
    wxRemoveFile(png);
    return image;
}

std::string PdfWithoutDates(const wxString& path)
{
    std::ifstream file(path.fn_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    static const std::regex dates("/(CreationDate|ModDate) \\(D:[^)]*\\)");
    return std::regex_replace(bytes.str(), dates, "/$1 ()");
}
