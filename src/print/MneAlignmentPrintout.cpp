// SPDX-License-Identifier: GPL-3.0-or-later
// The alignment sheet: crosses on the front, rulers on the back placed as the backs of cards are.
#include "print/MneAlignmentPrintout.h"

#include <wx/dc.h>
#include <wx/intl.h>

#include <algorithm>
#include <cmath>

namespace
{
// Logical units a tenth of the usual, so that ticks half a millimetre apart are drawn evenly.
constexpr int Fineness = 10;
// The ruler reaches this far either way from its centre, in millimetres.
constexpr int RulerReach = 5;
constexpr int LabelPoints = 4;
} // namespace

MneAlignmentPrintout::MneAlignmentPrintout(bool backSide)
    : wxPrintoutManager(_("Alignment Sheet"), Fineness), BackSide(backSide)
{
}

int MneAlignmentPrintout::Millimetres(double mm) const
{
    return static_cast<int>(std::lround(mm / 25.4 * UnitsX));
}

std::vector<GridCell> MneAlignmentPrintout::PlaceCells(const PageLayout& layout, GridPosition&,
                                                       bool draw)
{
    if (!draw)
        return {};
    if (BackSide)
    {
        PlaceBackPage(layout);
        Dc->SetTextForeground(*wxBLACK);
        Dc->SetFont(wxFont(wxFontInfo(LabelPoints * Fineness).Family(wxFONTFAMILY_SWISS)));
    }
    GridPosition position;
    const int cells =
        static_cast<int>(std::min(10000LL, static_cast<long long>(std::max(0, layout.NumColumns)) *
                                               std::max(0, layout.NumRows)));
    return DoubleSidedPage(layout, BackSide, cells, position);
}

void MneAlignmentPrintout::DrawCell(const PageLayout& layout, const GridCell& cell, bool)
{
    const double width = CellWidth(layout);
    const double height = CardCellHeight(layout);
    Dc->DrawRectangle(CellRect(UnitsX, UnitsY, cell, width, height));
    wxDCPenChanger pen(*Dc, wxPen(*wxBLACK, Fineness / 3));
    const int x = InchesToUnits(UnitsX, cell.X + width / 2);
    const int y = InchesToUnits(UnitsY, cell.Y + height / 2);
    if (BackSide)
        DrawRuler(x, y);
    else
        DrawCross(x, y);
}

void MneAlignmentPrintout::DrawCross(int x, int y)
{
    const int arm = Millimetres(4);
    Dc->DrawLine(x - arm, y, x + arm + 1, y);
    Dc->DrawLine(x, y - arm, x, y + arm + 1);
}

void MneAlignmentPrintout::DrawRuler(int x, int y)
{
    const int reach = Millimetres(RulerReach);
    Dc->DrawLine(x - reach, y, x + reach + 1, y);
    Dc->DrawLine(x, y - reach, x, y + reach + 1);
    // Ticks every half millimetre, longer at whole ones and longest at 0 and the ends; the
    // numbers keep clear of the other ruler, alternating in two rows.
    for (int half = -2 * RulerReach; half <= 2 * RulerReach; ++half)
    {
        const int at = Millimetres(half / 2.0);
        const bool whole = half % 2 == 0;
        const int tick = Millimetres(half == 0 || std::abs(half) == 2 * RulerReach ? 2.5
                                     : whole                                       ? 1.5
                                                                                   : 0.75);
        Dc->DrawLine(x + at, y, x + at, y + tick);
        Dc->DrawLine(x, y + at, x + tick, y + at);
        if (!whole)
            continue;
        const wxString label = wxString::Format("%d", half / 2);
        const wxSize size = Dc->GetTextExtent(label);
        const bool outer = (half / 2) % 2 != 0;
        Dc->DrawText(label, x + at - size.x / 2,
                     y + Millimetres(RulerReach + 0.7 + (outer ? 1.8 : 0)));
        Dc->DrawText(label, x + Millimetres(RulerReach + 1.2 + (outer ? 2.6 : 0)),
                     y + at - size.y / 2);
    }
}
