// SPDX-License-Identifier: GPL-3.0-or-later
// Virtual list of the deck's cards.
#include "edit/CardListView.h"

#include <cmath>

#include "deck/mnemora.h"

CardListView::CardListView(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxListView(parent, id, pos, size, wxLC_REPORT | wxLC_VIRTUAL | wxSUNKEN_BORDER,
                 wxDefaultValidator, "listctrl")
{
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
