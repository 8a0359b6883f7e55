// SPDX-License-Identifier: GPL-3.0-or-later
// The card list's list control: a virtual report list whose rows are read from the deck on demand.
#ifndef MNEMORA_EDIT_CARDLISTVIEW_H
#define MNEMORA_EDIT_CARDLISTVIEW_H

#include <wx/listctrl.h>

#include "app/AccessibleRows.h"

struct Card;

/// Report list showing row i as card i of Cards: question, answer and score. Screen readers
/// read its rows as the items of a list.
class CardListView : public wxListView, public AccessibleRows
{
public:
    CardListView(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);

    /// Score cell text: empty without history, else the score rounded half up with "%".
    static wxString ScoreText(const Card& card);
    /// The row after `from` (wrapping round) whose question starts with `letter`, ignoring
    /// case and markup; -1 when there is none.
    long FindQuestionStartingWith(wxUniChar letter, long from) const;

    long RowCount() const override;
    wxString RowName(long row) const override;
    bool IsRowSelected(long row) const override;
    long FocusedRow() const override;

protected:
    wxString OnGetItemText(long item, long column) const override;
};

#endif
