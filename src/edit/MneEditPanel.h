// SPDX-License-Identifier: GPL-3.0-or-later
// The card list: the home panel listing every card with its score.
#ifndef MNEMORA_EDIT_MNEEDITPANEL_H
#define MNEMORA_EDIT_MNEEDITPANEL_H

#include <wx/panel.h>

#include <set>
#include <vector>

class wxButton;
class wxCommandEvent;
class wxListEvent;
class CardListView;

/// Panel 0: lists the deck and starts editing and study runs.
class MneEditPanel : public wxPanel
{
public:
    /// Ids of this window's controls; other windows use the same numbers for their own.
    enum WindowIds
    {
        idList = 10001,
        idNewCard,
        idEditCard,
        idDeleteCard,
        idStudy
    };
    static_assert(idStudy == 10005, "ids are numbered as before");

    explicit MneEditPanel(wxWindow* parent);

    /// Builds the controls and sizers.
    void CreateControls();
    /// Creates the three columns from the list's laid-out width.
    void CreateColumns();
    /// Rebuilds all rows from Cards; nothing selected afterwards.
    void RefreshList();
    /// Refreshes one row from its card (all rows when the index is out of range).
    void RefreshRow(int row);
    /// Recomputes the scores, then rebuilds all rows.
    void ReloadList();
    /// The focused row, else the first selected one; -1 when none.
    long GetCurrentCard() const;
    /// Selects and focuses one row, scrolled into view.
    void SelectCard(long row);

private:
    /// The row holding the list's keyboard focus; -1 when none.
    long FocusedRow() const;
    /// The selected rows of the deck, ascending.
    std::vector<long> SelectedRows() const;
    /// Edit follows the focused row, Delete the selection.
    void UpdateButtons();

    void OnListSelection(wxListEvent& event);
    void OnListActivated(wxListEvent& event);
    void OnListKeyDown(wxListEvent& event);
    void OnColumnClick(wxListEvent& event);
    void OnNewCard(wxCommandEvent& event);
    void OnEditCard(wxCommandEvent& event);
    void OnDeleteCard(wxCommandEvent& event);
    void OnStudy(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);

    CardListView* List = nullptr;
    wxButton* EditButton = nullptr;
    wxButton* DeleteButton = nullptr;
    /// False from a rebuild until the list reports a focused or selected row.
    bool FocusReported = false;
    /// The rows the list reported selected since the rebuild, and whether every report named one.
    std::set<long> ReportedSelection;
    bool SelectionReported = true;

    wxDECLARE_EVENT_TABLE();
};

#endif
