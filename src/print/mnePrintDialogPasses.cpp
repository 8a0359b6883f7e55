// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog's two passes of double-sided printing, the message between them, and the
// alignment sheet that measures where the backs land.
#include "print/mnePrintDialog.h"

#include <wx/msgdlg.h>

#include <memory>

#include "app/Options.h"
#include "print/MneAlignmentPrintout.h"
#include "print/PageGrid.h"
#include "print/mneAlignmentDialog.h"

bool mnePrintDialog::PrintPasses(wxPrintoutManager* front, wxPrintoutManager* back)
{
    std::unique_ptr<wxPrintoutManager> backPass(back);
    if (!PrintOne(front))
        return false;
    if (!backPass)
        return true;
    wxMessageBox(FlipMessage(Options.PageLayouts[Options.PrintPageLayout].FlipShortEdge), "Mnemora",
                 wxOK | wxICON_INFORMATION, this);
    return PrintOne(backPass.release());
}

wxString mnePrintDialog::FlipMessage(bool shortEdge)
{
    if (shortEdge)
        return _("When the printer finishes, turn the pages over top to bottom and feed them "
                 "back into the printer.");
    return _("When the printer finishes, flip the pages over horizontally and feed them back "
             "into the printer.");
}

void mnePrintDialog::OnAlignmentSheet(wxCommandEvent&)
{
    if (!CheckLayout())
        return;
    // Printed in two passes, or saved as one PDF of two pages for a duplex printer.
    wxMessageDialog how(this, _("Print the alignment sheet, or save it as a PDF to print duplex?"),
                        "Mnemora", wxYES_NO | wxCANCEL | wxICON_QUESTION);
    how.SetYesNoLabels(_("Print"), _("Save as &PDF..."));
    const int answer = how.ShowModal();
    if (answer == wxID_CANCEL)
        return;
    if (answer == wxID_YES)
    {
        if (!PrintPasses(new MneAlignmentPrintout(false), new MneAlignmentPrintout(true)))
            return;
    }
    else
    {
        MneAlignmentPrintout front(false), back(true);
        if (!SavePdf({&front, &back}))
            return;
    }
    mneAlignmentDialog reading(this);
    if (reading.ShowModal() != wxID_OK)
        return;
    ApplyAlignmentReading(Options.PageLayouts[Options.PrintPageLayout], reading.Across(),
                          reading.Down());
    SaveOptions();
    ShowLayout();
}
