// SPDX-License-Identifier: GPL-3.0-or-later
// PDF output through the toolkit's print operation in export mode: the operation's print
// context becomes the printer DC, as for a real printer, and each printout draws its pages.
#include "print/PdfExport.h"

#include <wx/dcprint.h>
#include <wx/filename.h>
#include <wx/gtk/print.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/print.h>

#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "print/wxPrintoutManager.h"

namespace
{
/// State shared with the print operation's signal handlers.
struct PdfJob
{
    std::vector<wxPrintoutManager*> Printouts;
    std::vector<int> PageCounts;
    wxPrintData Data;
    std::unique_ptr<wxPrinterDC> Dc;
    bool Failed = false;
};

void BeginPrint(GtkPrintOperation* operation, GtkPrintContext* context, gpointer user)
{
    PdfJob& job = *static_cast<PdfJob*>(user);
    static_cast<wxGtkPrintNativeData*>(job.Data.GetNativeData())->SetPrintContext(context);
    job.Dc.reset(new wxPrinterDC(job.Data));
    if (!job.Dc->IsOk())
    {
        job.Failed = true;
        gtk_print_operation_cancel(operation);
        return;
    }
    const int resolution = job.Dc->GetResolution();
    const wxSize size = job.Dc->GetSize();
    int widthMM = 0, heightMM = 0;
    job.Dc->GetSizeMM(&widthMM, &heightMM);
    int total = 0;
    for (wxPrintoutManager* printout : job.Printouts)
    {
        printout->SetPPIScreen(wxGetDisplayPPI());
        printout->SetPPIPrinter(resolution, resolution);
        printout->SetDC(job.Dc.get());
        printout->SetPageSizePixels(size.x, size.y);
        printout->SetPaperRectPixels(wxRect(0, 0, size.x, size.y));
        printout->SetPageSizeMM(widthMM, heightMM);
        printout->OnPreparePrinting();
        printout->OnBeginPrinting();
        job.PageCounts.push_back(printout->PageCount);
        total += printout->PageCount;
    }
    gtk_print_operation_set_n_pages(operation, total);
}

void DrawPage(GtkPrintOperation*, GtkPrintContext*, gint pageIndex, gpointer user)
{
    // Sheet by sheet: page k of every printout in turn, then page k + 1, as a duplex printer
    // or a copy shop prints them onto the fronts and backs.
    PdfJob& job = *static_cast<PdfJob*>(user);
    int index = pageIndex;
    const int pages = job.PageCounts.empty()
                          ? 0
                          : *std::max_element(job.PageCounts.begin(), job.PageCounts.end());
    for (int page = 1; page <= pages; ++page)
        for (size_t i = 0; i < job.Printouts.size(); ++i)
        {
            const int count = job.PageCounts[i];
            if (page > count)
                continue;
            if (index-- > 0)
                continue;
            wxPrintoutManager* printout = job.Printouts[i];
            if (page == 1 && !printout->OnBeginDocument(1, count))
                job.Failed = true;
            job.Dc->StartPage();
            printout->OnPrintPage(page);
            job.Dc->EndPage();
            if (page == count)
                printout->OnEndDocument();
            return;
        }
}

void EndPrint(GtkPrintOperation*, GtkPrintContext*, gpointer user)
{
    PdfJob& job = *static_cast<PdfJob*>(user);
    for (wxPrintoutManager* printout : job.Printouts)
    {
        printout->OnEndPrinting();
        printout->SetDC(nullptr);
    }
}
} // namespace

bool PrintToPdf(const std::vector<wxPrintoutManager*>& printouts, const PageLayout& layout,
                const wxString& path, wxWindow* parent)
{
    PdfJob job;
    job.Printouts = printouts;

    GtkPrintOperation* operation = gtk_print_operation_new();
    GtkPaperSize* paper = gtk_paper_size_new_custom("mnemora-layout", layout.Name.utf8_str(),
                                                    layout.Width, layout.Height, GTK_UNIT_INCH);
    GtkPageSetup* setup = gtk_page_setup_new();
    gtk_page_setup_set_paper_size(setup, paper);
    gtk_page_setup_set_orientation(setup, GTK_PAGE_ORIENTATION_PORTRAIT);
    for (auto setMargin : {gtk_page_setup_set_top_margin, gtk_page_setup_set_bottom_margin,
                           gtk_page_setup_set_left_margin, gtk_page_setup_set_right_margin})
        setMargin(setup, 0, GTK_UNIT_INCH);
    gtk_print_operation_set_default_page_setup(operation, setup);
    // The printouts count from the paper's corner.
    gtk_print_operation_set_use_full_page(operation, TRUE);
    // The pages go to a new file beside the chosen one, which is replaced only when all were
    // written: a failed export leaves an existing PDF as it was.
    std::string temp = std::string(wxFileName(path).GetPath().fn_str()) + "/.mnemora-XXXXXX";
    const int fd = mkstemp(&temp[0]);
    if (fd < 0)
    {
        wxLogSysError(_("can't open file '%s'"), path);
        g_object_unref(setup);
        gtk_paper_size_free(paper);
        g_object_unref(operation);
        return false;
    }
    const mode_t mask = umask(0);
    umask(mask);
    (void)fchmod(fd, 0666 & ~mask);
    close(fd);
    gtk_print_operation_set_export_filename(operation, temp.c_str());
    g_signal_connect(operation, "begin-print", G_CALLBACK(BeginPrint), &job);
    g_signal_connect(operation, "draw-page", G_CALLBACK(DrawPage), &job);
    g_signal_connect(operation, "end-print", G_CALLBACK(EndPrint), &job);

    GtkWindow* window = parent ? GTK_WINDOW(gtk_widget_get_toplevel(parent->GetHandle())) : nullptr;
    GError* error = nullptr;
    const GtkPrintOperationResult result =
        gtk_print_operation_run(operation, GTK_PRINT_OPERATION_ACTION_EXPORT, window, &error);
    if (error)
        g_error_free(error);
    job.Dc.reset();
    g_object_unref(setup);
    gtk_paper_size_free(paper);
    g_object_unref(operation);
    const bool written = result == GTK_PRINT_OPERATION_RESULT_APPLY && !job.Failed &&
                         std::rename(temp.c_str(), path.fn_str()) == 0;
    if (!written)
        std::remove(temp.c_str());
    return written;
}
