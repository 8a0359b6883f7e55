// SPDX-License-Identifier: GPL-3.0-or-later
// Printing as most users do: through wxPrinter to a CUPS print queue, here a private cupsd with
// Debian's PDF printer. The printed pages must match the PDF export of the same deck.
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/print.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "GuiTest.h"
#include "PdfTools.h"
#include "DrawCanvas.h"
#include "FrameFixture.h"
#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/MneDoubleSidedPrintout.h"
#include "print/PdfExport.h"

namespace
{
constexpr const char* Queue = "MnemoraTest";
constexpr int Ppi = 144;

/// A cupsd of its own, with its configuration, spool and logs in a temporary folder, and the PDF
/// printer added to it; the test is skipped with the reason when that cannot be done.
class PrintCups : public testing::Test
{
protected:
    void SetUp() override
    {
        const char* daemon = "/usr/sbin/cupsd";
        const char* ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
        if (geteuid() != 0)
            GTEST_SKIP()
                << "the CUPS PDF printer's backend runs only under a cupsd started as root";
        if (access(daemon, X_OK) != 0 || access(ppd, R_OK) != 0)
            GTEST_SKIP() << "cupsd or the CUPS PDF printer is not installed";
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
        const std::string conf = (m_dir + "/cupsd.conf").utf8_string();
        const std::string files = (m_dir + "/cups-files.conf").utf8_string();
        if ((m_pid = fork()) == 0)
        {
            execl(daemon, daemon, "-f", "-c", conf.c_str(), "-s", files.c_str(), nullptr);
            _exit(127);
        }
        for (int i = 0; i < 200 && !wxFileName::Exists(socket); ++i)
            wxMilliSleep(50);
        if (!wxFileName::Exists(socket))
            GTEST_SKIP() << "cupsd did not start: " << Log();
        setenv("CUPS_SERVER", socket.utf8_str(), 1);
        const std::string added = Output(std::string("lpadmin -p ") + Queue +
                                         " -E -v cups-pdf:/ -P " + ppd + " 2>&1 && echo added");
        if (added.find("added") == std::string::npos)
            GTEST_SKIP() << "lpadmin could not add the PDF printer: " << added;
    }

    void TearDown() override
    {
        if (m_pid > 0 && kill(m_pid, SIGTERM) == 0)
            waitpid(m_pid, nullptr, 0);
        unsetenv("CUPS_SERVER");
    }

    /// The end of cupsd's error log.
    std::string Log() const
    {
        return Output(("tail -n 20 '" + m_dir + "/log/error_log' 2>&1").utf8_string());
    }

private:
    wxString m_dir;
    pid_t m_pid = -1;
};

/// The PDF files in the PDF printer's output folder: PDF in the home of the user who prints.
wxArrayString OutputFiles()
{
    const passwd* user = getpwuid(getuid());
    const wxString folder = wxString::FromUTF8(user ? user->pw_dir : "/root") + "/PDF";
    wxArrayString files;
    if (wxDir::Exists(folder))
        wxDir::GetAllFiles(folder, &files, "*.pdf", wxDIR_FILES);
    return files;
}

/// A file in the printer's output folder that was not there before, once no job is left in the
/// queue; empty after a minute without one.
wxString WaitForOutput(const wxArrayString& before)
{
    for (int i = 0; i < 600; ++i, wxMilliSleep(100))
        if (Output(std::string("lpstat -o ") + Queue + " 2>/dev/null").empty())
            for (const wxString& file : OutputFiles())
                if (before.Index(file) == wxNOT_FOUND)
                    return file;
    return wxString();
}

} // namespace

TEST_F(PrintCups, PrintedPagesMatchThePdfExport)
{
    UseFreshConfig();
    LoadOptions();
    ResetDeck();
    for (int i = 0; i < 5; ++i)
        AddCard(wxString::Format("Frage %d", i));
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
        ASSERT_TRUE(printer.Print(nullptr, &printout, false)) << Log();
        // Out of the printer's folder, which is the user's own.
        printed.push_back(MakeTempDir() + "/pass.pdf");
        ASSERT_TRUE(wxRenameFile(WaitForOutput(before), printed.back())) << Log();
    }

    MneDoubleSidedPrintout front(false), back(true);
    const wxString exported = MakeTempDir() + "/export.pdf";
    ASSERT_TRUE(PrintToPdf({&front, &back}, layout, exported));
    const double pt = Ppi / 72.0;
    for (int side = 0; side < 2; ++side)
    {
        SCOPED_TRACE(side ? "back" : "front");
        const wxImage paper = PdfPage(printed[side], 1, Ppi);
        const wxImage pdf = PdfPage(exported, 1 + side, Ppi);
        ASSERT_TRUE(paper.IsOk() && pdf.IsOk());
        EXPECT_NEAR(paper.GetWidth(), pdf.GetWidth(), pt);
        EXPECT_NEAR(paper.GetHeight(), pdf.GetHeight(), pt);
        // Each card's black text, not the grey outlines, where the export has it, within 1 pt.
        int cardsSeen = 0;
        for (int cell = 0; cell < 8; ++cell)
        {
            const wxRect area(wxPoint((0.5 + cell % 2 * 3.85) * Ppi, (0.5 + cell / 2 * 2.55) * Ppi),
                              wxSize(3.65 * Ppi, 2.35 * Ppi));
            const wxRect want = ColourBox(pdf.GetSubImage(area), *wxBLACK, 80);
            const wxRect got = ColourBox(paper.GetSubImage(area), *wxBLACK, 80);
            cardsSeen += !want.IsEmpty();
            EXPECT_EQ(got.IsEmpty(), want.IsEmpty()) << "cell " << cell;
            for (const auto& [a, b] : {std::pair{got.x, want.x},
                                       {got.y, want.y},
                                       {got.GetRight(), want.GetRight()},
                                       {got.GetBottom(), want.GetBottom()}})
                EXPECT_NEAR(a, b, pt) << "cell " << cell;
        }
        EXPECT_EQ(cardsSeen, 5);
    }
}
