// SPDX-License-Identifier: GPL-3.0-or-later
// Printing as most users do: through wxPrinter to a CUPS print queue, here a private cupsd with
// Debian's PDF printer. The printed pages must match the PDF export of the same deck.
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/print.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "GuiTest.h"
#include "PdfTools.h"
#include "PrintRender.h"
#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/MneDoubleSidedPrintout.h"
#include "print/PdfExport.h"

namespace
{
constexpr const char* Queue = "MnemoraTest";
constexpr int Ppi = 144;

/// A cupsd of its own, with its configuration, spool and logs in a temporary folder.
class PrivateCups
{
public:
    /// Starts cupsd and adds the PDF printer; Problem says why when it could not.
    PrivateCups()
    {
        if (geteuid() != 0)
        {
            Problem = "the CUPS PDF printer's backend runs only under a cupsd started as root";
            return;
        }
        const char* daemon = "/usr/sbin/cupsd";
        const char* ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
        if (access(daemon, X_OK) != 0 || access(ppd, R_OK) != 0)
        {
            Problem = "cupsd or the CUPS PDF printer is not installed";
            return;
        }
        m_dir = MakeTempDir();
        chmod(m_dir.fn_str(), 0755);
        for (const char* sub : {"spool", "cache", "state", "tmp", "log"})
            wxFileName::Mkdir(m_dir + "/" + sub, 0777);
        chmod((m_dir + "/tmp").fn_str(), 01777);
        const wxString socket = m_dir + "/cups.sock";
        std::ofstream(m_dir + "/cupsd.conf")
            << "Listen " << socket << "\nLogLevel info\nWebInterface No\nBrowsing Off\n"
            << "<Location />\nOrder allow,deny\nAllow all\n</Location>\n";
        std::ofstream(m_dir + "/cups-files.conf")
            << "ServerRoot " << m_dir << "\nRequestRoot " << m_dir << "/spool\nCacheDir " << m_dir
            << "/cache\nStateDir " << m_dir << "/state\nTempDir " << m_dir << "/tmp\nErrorLog "
            << m_dir << "/log/error_log\nAccessLog " << m_dir << "/log/access_log\nPageLog "
            << m_dir << "/log/page_log\nPrintcap " << m_dir << "/printcap\n"
            << "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\n";
        m_pid = fork();
        if (m_pid == 0)
        {
            const std::string files = (m_dir + "/cups-files.conf").utf8_string();
            const std::string conf = (m_dir + "/cupsd.conf").utf8_string();
            execl(daemon, daemon, "-f", "-c", conf.c_str(), "-s", files.c_str(), nullptr);
            _exit(127);
        }
        for (int i = 0; i < 200 && !wxFileName::Exists(socket); ++i)
            wxMilliSleep(50);
        if (!wxFileName::Exists(socket))
        {
            Problem = "cupsd did not start: " + Log();
            return;
        }
        setenv("CUPS_SERVER", socket.utf8_str(), 1);
        const std::string added = Output(std::string("lpadmin -p ") + Queue +
                                         " -E -v cups-pdf:/ -P " + ppd + " 2>&1 && echo added");
        if (added.find("added") == std::string::npos)
            Problem = "lpadmin could not add the PDF printer: " + added;
    }

    ~PrivateCups()
    {
        if (m_pid > 0)
        {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        unsetenv("CUPS_SERVER");
    }

    /// The end of cupsd's error log.
    std::string Log() const
    {
        return Output(("tail -n 20 '" + m_dir + "/log/error_log' 2>&1").utf8_string());
    }

    std::string Problem;

private:
    wxString m_dir;
    pid_t m_pid = -1;
};

/// The PDF printer's output folder: PDF in the home of the user who prints.
wxString OutputFolder()
{
    const passwd* user = getpwuid(getuid());
    return wxString::FromUTF8(user ? user->pw_dir : "/root") + "/PDF";
}

/// The PDF files in the printer's output folder.
wxArrayString OutputFiles()
{
    wxArrayString files;
    if (wxDir::Exists(OutputFolder()))
        wxDir::GetAllFiles(OutputFolder(), &files, "*.pdf", wxDIR_FILES);
    return files;
}

/// A file in the printer's output folder that was not there before, once no job is left in the
/// queue; empty after a minute without one.
wxString WaitForOutput(const wxArrayString& before)
{
    for (int i = 0; i < 600; ++i)
    {
        if (Output(std::string("lpstat -o ") + Queue + " 2>/dev/null").empty())
            for (const wxString& file : OutputFiles())
                if (before.Index(file) == wxNOT_FOUND)
                    return file;
        wxMilliSleep(100);
    }
    return wxString();
}

} // namespace

TEST(PrintCups, PrintedPagesMatchThePdfExport)
{
    PrivateCups cups;
    if (!cups.Problem.empty())
        GTEST_SKIP() << cups.Problem;
    UseFreshConfig();
    LoadOptions();
    ResetDeck();
    FileName = wxFileName("/tmp/Vokabeln.mnd");
    for (int i = 0; i < 5; ++i)
    {
        Card card;
        card.Question = wxString::Format("Frage %d", i);
        card.Answer = wxString::Format("Antwort %d", i);
        Cards.push_back(card);
    }
    Options.PrintPageLayout = 0;
    PageLayout& layout = Options.PageLayouts[0];
    layout.BackOffsetX = 1.5 / 25.4;
    layout.BackOffsetY = -0.8 / 25.4;
    layout.FlipShortEdge = true;

    // The two passes as the print dialog sends them, without the platform dialog.
    std::vector<wxString> printed;
    for (bool back : {false, true})
    {
        wxPrintDialogData data;
        data.GetPrintData().SetPrinterName(Queue);
        data.GetPrintData().SetPaperId(wxPAPER_NONE);
        data.GetPrintData().SetPaperSize(
            wxSize(static_cast<int>(layout.Width * 25.4), static_cast<int>(layout.Height * 25.4)));
        wxPrinter printer(&data);
        MneDoubleSidedPrintout printout(back);
        const wxArrayString before = OutputFiles();
        ASSERT_TRUE(printer.Print(nullptr, &printout, false)) << cups.Log();
        printed.push_back(WaitForOutput(before));
        ASSERT_FALSE(printed.back().empty()) << cups.Log();
        const wxString kept = MakeTempDir() + (back ? "/back.pdf" : "/front.pdf");
        ASSERT_TRUE(wxRenameFile(printed.back(), kept));
        printed.back() = kept;
    }

    MneDoubleSidedPrintout front(false), back(true);
    const wxString exported = MakeTempDir() + "/export.pdf";
    ASSERT_TRUE(PrintToPdf({&front, &back}, layout, exported));
    for (int side = 0; side < 2; ++side)
    {
        const std::string info = Output(("pdfinfo '" + printed[side] + "'").utf8_string());
        double width = 0, height = 0;
        const size_t at = info.find("Page size:");
        ASSERT_NE(at, std::string::npos) << info;
        sscanf(info.c_str() + at, "Page size: %lf x %lf", &width, &height);
        EXPECT_NEAR(width, 612, 1) << info;
        EXPECT_NEAR(height, 792, 1) << info;

        const wxImage paper = PdfPage(printed[side], 1, Ppi);
        const wxImage pdf = PdfPage(exported, 1 + side, Ppi);
        ASSERT_TRUE(paper.IsOk() && pdf.IsOk());
        // Each card's text where the export has it, within 1 pt.
        int cardsSeen = 0;
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 2; ++column)
            {
                const wxRect cell(static_cast<int>((0.5 + column * 3.85) * Ppi),
                                  static_cast<int>((0.5 + row * 2.55) * Ppi),
                                  static_cast<int>(3.65 * Ppi), static_cast<int>(2.35 * Ppi));
                // The black text, not the grey outlines.
                const wxRect want = ColourBox(pdf.GetSubImage(cell), *wxBLACK, 80);
                const wxRect got = ColourBox(paper.GetSubImage(cell), *wxBLACK, 80);
                if (want.IsEmpty())
                {
                    EXPECT_TRUE(got.IsEmpty()) << "side " << side << " cell " << row << column;
                    continue;
                }
                ++cardsSeen;
                const double pt = Ppi / 72.0;
                EXPECT_NEAR(got.x, want.x, pt) << "side " << side << " cell " << row << column;
                EXPECT_NEAR(got.y, want.y, pt) << "side " << side << " cell " << row << column;
                EXPECT_NEAR(got.GetRight(), want.GetRight(), pt) << "side " << side;
                EXPECT_NEAR(got.GetBottom(), want.GetBottom(), pt) << "side " << side;
            }
        EXPECT_EQ(cardsSeen, 5) << "side " << side;
    }
}
