// SPDX-License-Identifier: GPL-3.0-or-later
// Virtual list of the deck's cards.
#include "edit/CardListView.h"

#include <algorithm>
#include <cmath>

#include "deck/mnemora.h"
#include "study/TextLayout.h"

CardListView::CardListView(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxListView(parent, id, pos, size, wxLC_REPORT | wxLC_VIRTUAL | wxSUNKEN_BORDER,
                 wxDefaultValidator, "listctrl")
{
    // The rows live in the child that takes the keyboard focus, below the column headings.
    wxWindow* rowsWindow = this;
    for (wxWindow* child : GetChildren())
        if (child->AcceptsFocus())
            rowsWindow = child;
    AttachRows(rowsWindow, _("Card List"));
}

long CardListView::FindQuestionStartingWith(wxUniChar letter, long from) const
{
    const long count = static_cast<long>(Cards.size());
    const wxString wanted = wxString(letter).Upper();
    for (long step = 1; step <= count; ++step)
    {
        const long row = ((from < 0 ? -1 : from) + step) % count;
        const wxString question = PlainCardText(Cards[row].Question).Strip(wxString::leading);
        if (!question.empty() && wxString(question[0]).Upper() == wanted)
            return row;
    }
    return -1;
}

long CardListView::RowCount() const
{
    return std::min<long>(GetItemCount(), static_cast<long>(Cards.size()));
}

wxString CardListView::RowName(long row) const
{
    // The cells as the list shows them, without the style markers that it shows as typed.
    wxString name =
        PlainCardText(OnGetItemText(row, 0)) + ", " + PlainCardText(OnGetItemText(row, 1));
    const wxString score = OnGetItemText(row, 2);
    if (!score.empty())
        name += ", " + _("Score") + " " + score;
    return name;
}

bool CardListView::IsRowSelected(long row) const
{
    return IsSelected(row);
}

long CardListView::FocusedRow() const
{
    return GetFocusedItem();
}

wxString CardListView::ScoreText(const Card& card)
{
    if (card.History.empty())
        return wxString();
    // printf rounds halves to even; scores over eight answers end in .5 and must go up.
    return wxString::Format("%.0f%%", std::floor(static_cast<double>(card.Score) + 0.5));
}

wxString CardListView::OnGetItemText(long item, long column) const
{
    // The deck may change a moment before the list is told of its new size.
    if (item < 0 || item >= static_cast<long>(Cards.size()))
        return wxString();
    const Card& card = Cards[item];
    switch (column)
    {
    case 0:
        return card.GetQuestionLabel();
    case 1:
        return card.GetAnswerLabel();
    default:
        return ScoreText(card);
    }
}
