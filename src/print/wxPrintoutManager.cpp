// SPDX-License-Identifier: GPL-3.0-or-later
// Page setup and paging of the card printouts.
#include "print/wxPrintoutManager.h"

#include <wx/affinematrix2d.h>
#include <wx/brush.h>
#include <wx/pen.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "app/Options.h"
#include "deck/mnemora.h"
#include "study/CardDraw.h"

namespace
{
constexpr int LastPossiblePage = 65535;
} // namespace

wxPrintoutManager::wxPrintoutManager(const wxString& kind, int fineness)
    : wxPrintout(FileName.GetFullName() + " - " + kind), m_fineness(fineness)
{
}

wxPrintoutManager::Device wxPrintoutManager::CurrentDevice() const
{
    Device device;
    if (wxDC* dc = GetDC())
        device.Size = dc->GetSize();
    GetPageSizePixels(&device.PageSize.x, &device.PageSize.y);
    GetPPIPrinter(&device.PrinterPpi.x, &device.PrinterPpi.y);
    GetPPIScreen(&device.ScreenPpi.x, &device.ScreenPpi.y);
    return device;
}

void wxPrintoutManager::SetupPage()
{
    Dc = GetDC();
    int ppiX = 0, ppiY = 0;
    GetPPIPrinter(&ppiX, &ppiY);
    int resolutionX = ppiX, resolutionY = ppiY;
    int pageWidth = 0, pageHeight = 0;
    GetPageSizePixels(&pageWidth, &pageHeight);
    if (ScaleToDevice && pageWidth > 0 && pageHeight > 0)
    {
        const wxSize size = Dc->GetSize();
        resolutionX = size.x * ppiX / pageWidth;
        resolutionY = size.y * ppiY / pageHeight;
    }
    GetPPIScreen(&UnitsX, &UnitsY);
    // A device that reports no resolution gets the usual screen figure rather than a
    // division by zero.
    UnitsX = (UnitsX > 0 ? UnitsX : 96) * m_fineness;
    UnitsY = (UnitsY > 0 ? UnitsY : 96) * m_fineness;
    Dc->SetUserScale(static_cast<double>(resolutionX) / UnitsX,
                     static_cast<double>(resolutionY) / UnitsY);
    // The paper rectangle starts left of and above the printable area by the unprintable
    // strip; a preview bitmap has none.
    const wxRect paper = ScaleToDevice ? wxRect() : GetPaperRectPixels();
    Dc->SetDeviceOrigin(paper.x, paper.y);
    m_origin = paper.GetPosition();
    m_resolution = wxSize(resolutionX, resolutionY);
    if (Dc->CanUseTransformMatrix())
        Dc->ResetTransformMatrix();
}

void wxPrintoutManager::PlaceBackPage(const PageLayout& layout)
{
    // The offset in device pixels, as finely as the device draws.
    const double dx = ClampBackOffset(layout.BackOffsetX) * m_resolution.x;
    const double dy = ClampBackOffset(layout.BackOffsetY) * m_resolution.y;
    if (!layout.FlipShortEdge)
    {
        Dc->SetDeviceOrigin(m_origin.x + static_cast<int>(std::lround(dx)),
                            m_origin.y + static_cast<int>(std::lround(dy)));
        return;
    }
    // Turned half a circle about the paper's centre: (x, y) goes to (W - x, H - y), and the
    // offset then counts in the turned page's directions.
    if (Dc->CanUseTransformMatrix())
    {
        Dc->SetDeviceOrigin(m_origin.x + static_cast<int>(std::lround(dx)),
                            m_origin.y + static_cast<int>(std::lround(dy)));
        wxAffineMatrix2D turn;
        turn.Set(wxMatrix2D(-1, 0, 0, -1),
                 wxPoint2DDouble(layout.Width * UnitsX, layout.Height * UnitsY));
        Dc->SetTransformMatrix(turn);
    }
    else if (auto* cairo = static_cast<cairo_t*>(Dc->GetHandle()))
    {
        // The printer's device context draws with cairo, below its own logical mapping.
        cairo_matrix_t turn;
        cairo_matrix_init(&turn, -1, 0, 0, -1,
                          2.0 * m_origin.x + layout.Width * m_resolution.x + dx,
                          2.0 * m_origin.y + layout.Height * m_resolution.y + dy);
        cairo_transform(cairo, &turn);
    }
}

bool wxPrintoutManager::LayoutPage(bool draw)
{
    SetupPage();
    Dc->SetBackgroundMode(wxTRANSPARENT);
    Dc->SetTextForeground(Options.PrintCardFontColor);
    const PageLayout& layout = Options.PageLayouts[Options.PrintPageLayout];
    const GridPosition start = Position();
    GridPosition position = start;
    Dc->SetPen(wxPen(wxColour(128, 128, 128), m_fineness, wxPENSTYLE_SOLID));
    Dc->SetBrush(*wxTRANSPARENT_BRUSH);
    Dc->SetFont(Options.PrintCardFont);
    const std::vector<GridCell> cells = PlaceCells(layout, position, draw);
    for (const GridCell& cell : cells)
        DrawCell(layout, cell, draw);
    if (draw && layout.CutMarks && HasCutMarks())
        DrawCutMarks(layout, cells);
    MoveTo(position);
    return !(position == start) && position.NextCard < static_cast<int>(Cards.size());
}

double wxPrintoutManager::CellWidth(const PageLayout& layout) const
{
    return CardCellWidth(layout, false);
}

void wxPrintoutManager::DrawCell(const PageLayout& layout, const GridCell& cell, bool draw)
{
    const wxRect rect = CellRect(UnitsX, UnitsY, cell, CellWidth(layout), CardCellHeight(layout));
    if (draw)
        Dc->DrawRectangle(rect);
    DrawCardSide(*Dc, Cards[cell.Card], rect.x, rect.y, rect.width, rect.height, cell.AnswerSide,
                 draw);
}

void wxPrintoutManager::DrawCutMarks(const PageLayout& layout, const std::vector<GridCell>& cells)
{
    Dc->SetPen(*wxBLACK_PEN);
    for (const PageLine& mark : CutMarks(layout, cells, CellWidth(layout), CardCellHeight(layout)))
        Dc->DrawLine(InchesToUnits(UnitsX, mark.X1), InchesToUnits(UnitsY, mark.Y1),
                     InchesToUnits(UnitsX, mark.X2), InchesToUnits(UnitsY, mark.Y2));
}

void wxPrintoutManager::OnPreparePrinting()
{
    m_countedFor = CurrentDevice();
    PageCount = CurrentPage = 1;
    ResetLayout();
    m_pageStarts.assign(1, Position());
    while (PageCount < LastPossiblePage && LayoutPage(false))
    {
        ++PageCount;
        ++CurrentPage;
        m_pageStarts.push_back(Position());
    }
    CurrentPage = 1;
    ResetLayout();
}

bool wxPrintoutManager::HasPage(int page)
{
    return page <= PageCount;
}

bool wxPrintoutManager::OnPrintPage(int page)
{
    // Text measures on another device or at another zoom may break pages elsewhere.
    if (!(CurrentDevice() == m_countedFor))
        OnPreparePrinting();
    if (page < 1 || page > static_cast<int>(m_pageStarts.size()))
        return false;
    CurrentPage = page;
    MoveTo(m_pageStarts[page - 1]);
    LayoutPage(true);
    ++CurrentPage;
    return true;
}

void wxPrintoutManager::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo)
{
    // Until the pages are counted any range may be asked for. Once counted, the real count:
    // the GTK printer emits one sheet for every page up to the maximum, printed or not.
    const int last = m_pageStarts.empty() ? LastPossiblePage : PageCount;
    *minPage = 1;
    *maxPage = last;
    *pageFrom = 1;
    *pageTo = last;
}
