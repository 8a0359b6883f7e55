// SPDX-License-Identifier: GPL-3.0-or-later
// The card list's list control: a virtual report list whose rows are read from the deck on demand.
#ifndef MNEMORA_EDIT_CARDLISTVIEW_H
#define MNEMORA_EDIT_CARDLISTVIEW_H

#include <wx/listctrl.h>

struct Card;

/// Report list showing row i as card i of Cards: question, answer and score.
class CardListView : public wxListView
{
public:
    CardListView(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);

    /// Score cell text: empty without history, else the score rounded half up with "%".
    static wxString ScoreText(const Card& card);

protected:
    wxString OnGetItemText(long item, long column) const override;
};

#endif
