// SPDX-License-Identifier: GPL-3.0-or-later
// Study sheet layout: a header, then card rows until the bottom margin.
#include "print/MneStudySheetPrintout.h"

#include <wx/font.h>
#include <wx/intl.h>

#include "app/Options.h"
#include "deck/mnemora.h"
#include "study/CardDraw.h"

namespace
{
constexpr int UnboundedHeight = 16777216;
} // namespace

MneStudySheetPrintout::MneStudySheetPrintout() : wxPrintoutManager(_("Study Sheet")) {}

void MneStudySheetPrintout::ResetLayout()
{
    NextCard = 0;
}

GridPosition MneStudySheetPrintout::Position() const
{
    return GridPosition{NextCard, true};
}

void MneStudySheetPrintout::MoveTo(const GridPosition& position)
{
    NextCard = position.NextCard;
}

bool MneStudySheetPrintout::LayoutPage(bool draw)
{
    SetupPage();
    Dc->SetBackgroundMode(wxTRANSPARENT);
    const PageLayout& layout = Options.PageLayouts[Options.PrintPageLayout];
    Dc->SetTextForeground(Options.PrintCardFontColor);
    const int start = NextCard;
    const int left = InchesToUnits(UnitsX, layout.LeftMargin);
    const int right = InchesToUnits(UnitsX, layout.Width - layout.RightMargin);
    const int top = InchesToUnits(UnitsY, layout.TopMargin);
    const int bottom = InchesToUnits(UnitsY, layout.Height - layout.BottomMargin);

    Dc->SetFont(wxFont(10, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false,
                       Options.PrintCardFont.GetFaceName()));
    const wxString header =
        wxString::Format(_("%s\nPage %d of %d"), FileName.GetFullName(), CurrentPage, PageCount);
    const wxRect headerRect(left, top, right - left, UnboundedHeight);
    const int headerHeight = FormattedTextHeight(*Dc, header, headerRect);
    if (draw)
        DrawFormattedText(*Dc, header, headerRect, wxALIGN_RIGHT, true);

    int y = top + headerHeight + InchesToUnits(UnitsY, 2 * layout.VerticalSpacing);
    Dc->SetFont(Options.PrintCardFont);
    while (y < bottom && NextCard < static_cast<int>(Cards.size()))
    {
        const Card& card = Cards[NextCard];
        const int height = DrawCardRow(*Dc, card, left, y, right - left, false, 0);
        if (y + height > bottom)
            break;
        if (draw)
            DrawCardRow(*Dc, card, left, y, right - left, true, 0);
        ++NextCard;
        y += height + InchesToUnits(UnitsY, layout.VerticalSpacing);
    }
    return NextCard != start && NextCard < static_cast<int>(Cards.size());
}
