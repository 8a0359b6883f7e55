// SPDX-License-Identifier: GPL-3.0-or-later
// The print preview: the page is the selected layout's paper, shown at its true size at zoom 100
// and placed at the top of the preview area.
#ifndef MNEMORA_PRINT_MNEPRINTPREVIEW_H
#define MNEMORA_PRINT_MNEPRINTPREVIEW_H

#include <wx/gtk/print.h>

/// Preview of a card printout on the paper of the selected page layout.
class mnePrintPreview : public wxGtkPrintPreview
{
public:
    mnePrintPreview(wxPrintout* printout, wxPrintout* printoutForPrinting, wxPrintData* data);

    /// Page size in printer pixels and the screen scale from the selected layout.
    void DetermineScaling() override;

    /// The previewed page's size in screen pixels at the current zoom.
    wxSize PageSizeOnScreen() const;

    /// The printer's pixels per inch for print data: its resolution, or its quality's usual
    /// figure when no printer reports one.
    static int PrinterResolution(const wxPrintData& data);
};

#endif
