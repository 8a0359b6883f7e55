// SPDX-License-Identifier: GPL-3.0-or-later
// Scaling of the print preview to the selected page layout.
#include "print/mnePrintPreview.h"

#include <wx/gdicmn.h>

#include "app/Options.h"
#include "print/PageGrid.h"

mnePrintPreview::mnePrintPreview(wxPrintout* printout, wxPrintout* printoutForPrinting,
                                 wxPrintData* data)
    : wxGtkPrintPreview(printout, printoutForPrinting, data)
{
    m_topMargin = 0;
    m_leftMargin = 0;
    // The base constructor ran only its own scaling; the override is not reached from there.
    DetermineScaling();
}

int mnePrintPreview::PrinterResolution(const wxPrintData& data)
{
    switch (data.GetQuality())
    {
    case wxPRINT_QUALITY_HIGH:
        return 1200;
    case wxPRINT_QUALITY_LOW:
        return 300;
    case wxPRINT_QUALITY_DRAFT:
        return 150;
    default:
        // Without a printer nothing reports a resolution; a usual printer's serves.
        return data.GetQuality() > 0 ? data.GetQuality() : 600;
    }
}

void mnePrintPreview::DetermineScaling()
{
    const int resolution = PrinterResolution(m_printDialogData.GetPrintData());
    const PageLayout& layout = Options.PageLayouts[Options.PrintPageLayout];
    m_pageWidth = InchesToUnits(resolution, layout.Width);
    m_pageHeight = InchesToUnits(resolution, layout.Height);
    const float scale = static_cast<float>(wxGetDisplayPPI().y) / resolution;
    m_previewScaleX = scale;
    m_previewScaleY = scale;
}

wxSize mnePrintPreview::PageSizeOnScreen() const
{
    const double zoom = m_currentZoom / 100.0;
    return wxSize(static_cast<int>(zoom * m_pageWidth * m_previewScaleX),
                  static_cast<int>(zoom * m_pageHeight * m_previewScaleY));
}
