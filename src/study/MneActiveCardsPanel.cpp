// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the learn panel's card rows with their stripes and scrolls them with its own bar.
#include "study/MneActiveCardsPanel.h"

#include <wx/dcclient.h>

#include <algorithm>

#include "app/Options.h"
#include "deck/mnemora.h"
#include "study/CardDraw.h"
#include "study/CardSpeech.h"
#include "study/MneLearnPanel.h"

namespace
{
constexpr int RowExtra = 40;
constexpr int ThumbSize = 150;

/// Calls visit(card, positionInItsList, isNew) for every row, cards in play first.
template <typename Visit> void ForEachRow(Visit visit)
{
    for (size_t i = 0; i < ActiveCards.size(); ++i)
        if (!visit(*ActiveCards[i], i, false))
            return;
    for (size_t i = 0; i < NewCards.size(); ++i)
        if (!visit(*NewCards[i], i, true))
            return;
}

wxColour StripeColour(size_t position, bool isNew)
{
    const wxColour colour = position % 2 == 0 ? wxColour(191, 219, 240) : wxColour(255, 255, 255);
    if (isNew)
        return colour;
    const int g =
        int((0.299 * colour.Red() + 0.587 * colour.Green() + 0.114 * colour.Blue()) * 0.75);
    return wxColour(g, g, g);
}
} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(MneActiveCardsPanel, wxPanel)
    EVT_PAINT(MneActiveCardsPanel::OnPaint)
    EVT_SIZE(MneActiveCardsPanel::OnSize)
    EVT_SCROLLWIN(MneActiveCardsPanel::OnScroll)
    EVT_MOUSEWHEEL(MneActiveCardsPanel::OnMouseWheel)
    EVT_KEY_DOWN(MneActiveCardsPanel::OnKeyDown)
wxEND_EVENT_TABLE()

MneActiveCardsPanel::MneActiveCardsPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                         const wxSize& size)
    : wxPanel(parent, id, pos, size, wxFULL_REPAINT_ON_RESIZE | wxVSCROLL)
{
    AttachRows(this, _("Learn Cards"));
}
// clang-format on

long MneActiveCardsPanel::RowCount() const
{
    // Like the painting, only while the rows can be trusted to point into the deck.
    return IsShownOnScreen() ? static_cast<long>(ActiveCards.size() + NewCards.size()) : 0;
}

wxString MneActiveCardsPanel::RowName(long row) const
{
    const size_t active = ActiveCards.size();
    const size_t index = static_cast<size_t>(row);
    if (index < active)
        return SpokenSide(*ActiveCards[index], false);
    if (index - active >= NewCards.size())
        return wxString();
    // TRANSLATORS: a screen reader's name for a card about to be learned; %s is its question
    return wxString::Format(_("%s, new card"), SpokenSide(*NewCards[index - active], false));
}

wxFont MneActiveCardsPanel::ListFont() const
{
    return wxFont(10, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false,
                  Options.CardFont.IsOk() ? Options.CardFont.GetFaceName() : wxString());
}

void MneActiveCardsPanel::ComputeHeight()
{
    // NewCards keeps pointing into the deck after a stage has begun, and the deck may have been
    // replaced since; the rows are only read while the learn panel shows them.
    if (!IsShownOnScreen())
        return;
    wxClientDC dc(this);
    const wxFont font = ListFont();
    dc.SetFont(font);
    MeasuredFace = font.GetFaceName();
    const int width = GetClientSize().x;
    int y = 0;
    ForEachRow(
        [&](const Card& card, size_t, bool)
        {
            y += DrawCardRow(dc, card, 0, y, width, false, RowExtra);
            return true;
        });
    TotalHeight = y;
    RowsChanged();
}

void MneActiveCardsPanel::SetScrollOffset(int offset)
{
    ScrollOffset = offset;
    UpdateScrolling();
}

void MneActiveCardsPanel::UpdateScrolling()
{
    ComputeHeight();
    const int h = GetClientSize().y;
    if (ScrollOffset + h >= TotalHeight)
        ScrollOffset = TotalHeight - h;
    if (ScrollOffset < 0)
        ScrollOffset = 0;
    SetScrollbar(wxVERTICAL, ScrollOffset, ThumbSize, TotalHeight - h + ThumbSize, true);
    Refresh();
    Update();
}

void MneActiveCardsPanel::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    PaintRows(dc, GetClientSize());
    // A new card font repaints the list without resizing it: measure the rows again.
    if (ListFont().GetFaceName() != MeasuredFace)
        CallAfter(&MneActiveCardsPanel::UpdateScrolling);
}

void MneActiveCardsPanel::PaintRows(wxDC& dc, const wxSize& client)
{
    dc.SetFont(ListFont());
    const int w = client.x;
    const int half = w / 2;
    int y = -ScrollOffset;
    ForEachRow(
        [&](const Card& card, size_t position, bool isNew)
        {
            const int height = DrawCardRow(dc, card, 0, y, w, false, RowExtra);
            // Rows above the window are only measured; below it there is nothing left to show.
            if (y + height > 0)
            {
                dc.SetBrush(wxBrush(StripeColour(position, isNew)));
                dc.SetPen(*wxTRANSPARENT_PEN);
                dc.DrawRectangle(0, y, half + 1, height);
                dc.DrawRectangle(half, y, half, height);
                DrawCardRow(dc, card, 0, y, w, true, RowExtra);
            }
            y += height;
            return y <= client.y;
        });
    dc.SetPen(wxPen(*wxBLACK, 1, wxPENSTYLE_SOLID));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(0, 0, w, y);
}

void MneActiveCardsPanel::OnSize(wxSizeEvent& event)
{
    UpdateScrolling();
    event.Skip();
}

void MneActiveCardsPanel::OnScroll(wxScrollWinEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_SCROLLWIN_LINEUP)
        ScrollOffset -= 10;
    else if (type == wxEVT_SCROLLWIN_LINEDOWN)
        ScrollOffset += 10;
    else if (type == wxEVT_SCROLLWIN_PAGEUP)
        ScrollOffset -= 30;
    else if (type == wxEVT_SCROLLWIN_PAGEDOWN)
        ScrollOffset += 30;
    else if (type == wxEVT_SCROLLWIN_THUMBTRACK)
        ScrollOffset = event.GetPosition();
    UpdateScrolling();
}

void MneActiveCardsPanel::OnKeyDown(wxKeyEvent& event)
{
    // The keyboard scrolls as the bar does, a page being what the panel shows.
    const int page = std::max(GetClientSize().y - 10, 10);
    switch (event.GetKeyCode())
    {
    case WXK_UP:
        ScrollOffset -= 10;
        break;
    case WXK_DOWN:
        ScrollOffset += 10;
        break;
    case WXK_PAGEUP:
        ScrollOffset -= page;
        break;
    case WXK_PAGEDOWN:
        ScrollOffset += page;
        break;
    case WXK_HOME:
        ScrollOffset = 0;
        break;
    case WXK_END:
        ScrollOffset = TotalHeight;
        break;
    default:
        event.Skip();
        return;
    }
    UpdateScrolling();
}

void MneActiveCardsPanel::OnMouseWheel(wxMouseEvent& event)
{
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_VERTICAL && event.GetWheelDelta() != 0)
        ScrollOffset -= 20 * (event.GetWheelRotation() / event.GetWheelDelta());
    UpdateScrolling();
}
