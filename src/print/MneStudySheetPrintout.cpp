// SPDX-License-Identifier: GPL-3.0-or-later
// Study sheet layout: a header, then card rows until the bottom margin.
#include "print/MneStudySheetPrintout.h"

#include <wx/dc.h>
#include <wx/font.h>
#include <wx/intl.h>

#include <cmath>

#include "app/Options.h"
#include "deck/mnemora.h"
#include "study/CardDraw.h"

namespace
{
constexpr int UnboundedHeight = 16777216;
} // namespace

MneStudySheetPrintout::MneStudySheetPrintout() : wxPrintoutManager(_("Study Sheet")) {}

wxRect MneStudySheetPrintout::Area(const PageLayout& layout) const
{
    const int left = InchesToUnits(UnitsX, layout.LeftMargin);
    const int top = InchesToUnits(UnitsY, layout.TopMargin);
    return wxRect(left, top, InchesToUnits(UnitsX, layout.Width - layout.RightMargin) - left,
                  InchesToUnits(UnitsY, layout.Height - layout.BottomMargin) - top);
}

std::vector<GridCell> MneStudySheetPrintout::PlaceCells(const PageLayout& layout,
                                                        GridPosition& position, bool draw)
{
    const wxRect area = Area(layout);
    const int bottom = area.y + area.height;
    const wxString header =
        wxString::Format(_("%s\nPage %d of %d"), FileName.GetFullName(), CurrentPage, PageCount);
    const wxRect headerRect(area.x, area.y, area.width, UnboundedHeight);
    int y = area.y + InchesToUnits(UnitsY, 2 * layout.VerticalSpacing);
    {
        wxDCFontChanger headerFont(*Dc, wxFont(10, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL,
                                               wxFONTWEIGHT_NORMAL, false,
                                               Options.PrintCardFont.GetFaceName()));
        y += FormattedTextHeight(*Dc, header, headerRect);
        if (draw)
            DrawFormattedText(*Dc, header, headerRect, wxALIGN_RIGHT, true);
    }
    std::vector<GridCell> rows;
    while (y < bottom && position.NextCard < static_cast<int>(Cards.size()))
    {
        const int height =
            DrawCardRow(*Dc, Cards[position.NextCard], area.x, y, area.width, false, 0);
        if (y + height > bottom)
            break;
        rows.push_back(
            GridCell{layout.LeftMargin, static_cast<double>(y) / UnitsY, position.NextCard, false});
        ++position.NextCard;
        y += height + InchesToUnits(UnitsY, layout.VerticalSpacing);
    }
    return rows;
}

void MneStudySheetPrintout::DrawCell(const PageLayout& layout, const GridCell& cell, bool draw)
{
    if (!draw)
        return;
    // The row's top came from whole logical units.
    const wxRect area = Area(layout);
    DrawCardRow(*Dc, Cards[cell.Card], area.x, static_cast<int>(std::lround(cell.Y * UnitsY)),
                area.width, true, 0);
}
