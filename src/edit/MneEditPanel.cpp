// SPDX-License-Identifier: GPL-3.0-or-later
// The card list panel: shows the deck, edits it row by row and starts study runs.
#include "edit/MneEditPanel.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>

#include <algorithm>
#include <vector>

#include "app/ButtonStyle.h"
#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/PanelHeader.h"
#include "deck/mnemora.h"
#include "edit/CardListView.h"
#include "edit/CardSorter.h"
#include "edit/CardSwap.h"
#include "edit/MneAddPanel.h"
#include "study/MneTestPanel.h"

namespace
{
wxString DescriptionText()
{
    return _("Add new cards, delete cards and edit cards using the\nbuttons below.  "
             "Press the Study button when you're \nready to begin studying!");
}
} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(MneEditPanel, wxPanel)
    EVT_LIST_ITEM_SELECTED(idList, MneEditPanel::OnListSelection)
    EVT_LIST_ITEM_DESELECTED(idList, MneEditPanel::OnListSelection)
    EVT_LIST_ITEM_FOCUSED(idList, MneEditPanel::OnListSelection)
    EVT_LIST_ITEM_ACTIVATED(idList, MneEditPanel::OnListActivated)
    EVT_LIST_KEY_DOWN(idList, MneEditPanel::OnListKeyDown)
    EVT_LIST_COL_CLICK(idList, MneEditPanel::OnColumnClick)
    EVT_BUTTON(idNewCard, MneEditPanel::OnNewCard)
    EVT_BUTTON(idEditCard, MneEditPanel::OnEditCard)
    EVT_BUTTON(idDeleteCard, MneEditPanel::OnDeleteCard)
    EVT_BUTTON(idStudy, MneEditPanel::OnStudy)
    EVT_CHAR_HOOK(MneEditPanel::OnCharHook)
wxEND_EVENT_TABLE()

MneEditPanel::MneEditPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER)
{
}
// clang-format on

void MneEditPanel::CreateControls()
{
    wxBoxSizer* mainSizer = new wxBoxSizer(wxVERTICAL);

    mainSizer->Add(new PanelHeader(this, DescriptionText(), _("Card List")), 0, wxALL | wxEXPAND,
                   5);

    List = new CardListView(this, idList, wxDefaultPosition, wxSize(160, 120));
    mainSizer->Add(List, 1, wxALL | wxEXPAND, 5);

    wxBoxSizer* buttonSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttonSizer, 0, wxALL | wxEXPAND, 5);
    const wxFont buttonFont = SmallButtonFont();
    wxButton* newButton = new wxButton(this, idNewCard, _("New Card"));
    EditButton = new wxButton(this, idEditCard, _("Edit Card"));
    DeleteButton = new wxButton(this, idDeleteCard, _("Delete Card"));
    wxButton* studyButton = new wxButton(this, idStudy, _("Study"));
    for (wxButton* button : {newButton, EditButton, DeleteButton})
    {
        button->SetFont(buttonFont);
        buttonSizer->Add(button, 0, wxALL | wxEXPAND, 5);
    }
    buttonSizer->Add(0, 1, 8192);
    studyButton->SetFont(buttonFont);
    studyButton->SetDefault();
    buttonSizer->Add(studyButton, 0, wxALL | wxEXPAND, 5);

    SetSizerAndFit(mainSizer);
    EditButton->Disable();
    DeleteButton->Disable();
}

void MneEditPanel::CreateColumns()
{
    const int width = List->GetSize().GetWidth() - 5;
    List->InsertColumn(0, _("Question"), wxLIST_FORMAT_LEFT, width * 45 / 105);
    List->InsertColumn(1, _("Answer"), wxLIST_FORMAT_LEFT, width * 45 / 105);
    List->InsertColumn(2, _("Score"), wxLIST_FORMAT_LEFT, width * 15 / 105);
}

void MneEditPanel::RefreshList()
{
    // Emptying first drops the selection and the focused row along with the old rows.
    List->DeleteAllItems();
    List->SetItemCount(static_cast<long>(Cards.size()));
    List->Refresh();
    List->RowsChanged();
    FocusReported = false;
    ReportedSelection.clear();
    SelectionReported = true;
    EditButton->Disable();
    DeleteButton->Disable();
}

void MneEditPanel::RefreshRow(int row)
{
    // A row the list does not have yet (or a deck of another size) needs the full rebuild.
    if (row < 0 || row >= List->GetItemCount() ||
        List->GetItemCount() != static_cast<long>(Cards.size()))
    {
        RefreshList();
        return;
    }
    List->RefreshItem(row);
}

void MneEditPanel::ReloadList()
{
    // The list is shown afresh after every other panel: the keys go to it at once. Focused
    // before the rebuild, which drops the row it makes current on taking the focus.
    List->SetFocus();
    UpdateScores();
    RefreshList();
}

long MneEditPanel::GetCurrentCard() const
{
    const long focused = FocusedRow();
    return focused != -1 ? focused : List->GetFirstSelected();
}

void MneEditPanel::SelectCard(long row)
{
    List->Select(row);
    List->Focus(row);
}

long MneEditPanel::FocusedRow() const
{
    // On gaining the keyboard focus the list makes row 0 current without telling anyone; a
    // rebuilt list has no focused row until the user (or this panel) focuses one.
    return FocusReported ? List->GetFocusedItem() : -1;
}

std::vector<long> MneEditPanel::SelectedRows() const
{
    // The list answers "is this row selected" in time proportional to the number of selected
    // rows, so walking every row costs rows x selection. The reported rows are the selection
    // exactly when the list confirms each of them and their number; otherwise walk.
    const long count = std::min<long>(List->GetItemCount(), static_cast<long>(Cards.size()));
    if (SelectionReported &&
        static_cast<long>(ReportedSelection.size()) == List->GetSelectedItemCount() &&
        std::all_of(ReportedSelection.begin(), ReportedSelection.end(),
                    [this, count](long row) { return row < count && List->IsSelected(row); }))
        return std::vector<long>(ReportedSelection.begin(), ReportedSelection.end());
    std::vector<long> rows;
    for (long row = List->GetFirstSelected(); row != -1 && row < count;
         row = List->GetNextSelected(row))
        rows.push_back(row);
    return rows;
}

void MneEditPanel::UpdateButtons()
{
    EditButton->Enable(FocusedRow() != -1);
    DeleteButton->Enable(List->GetSelectedItemCount() > 0);
}

void MneEditPanel::OnListSelection(wxListEvent& event)
{
    FocusReported = true;
    if (event.GetEventType() != wxEVT_LIST_ITEM_FOCUSED)
    {
        if (event.GetIndex() < 0)
            SelectionReported = false;
        else if (event.GetEventType() == wxEVT_LIST_ITEM_SELECTED)
            ReportedSelection.insert(event.GetIndex());
        else
            ReportedSelection.erase(event.GetIndex());
    }
    UpdateButtons();
    List->RowSelectionChanged();
}

void MneEditPanel::OnListActivated(wxListEvent& event)
{
    MainFrame->AddPanel->SetCard(static_cast<int>(event.GetIndex()), false);
    MainFrame->ShowPanel(pnEditor);
}

void MneEditPanel::OnListKeyDown(wxListEvent& event)
{
    wxCommandEvent command(wxEVT_BUTTON);
    switch (event.GetKeyCode())
    {
    case WXK_DELETE:
        OnDeleteCard(command);
        break;
    case WXK_INSERT:
        OnNewCard(command);
        break;
    default:
        event.Skip();
        break;
    }
}

void MneEditPanel::OnCharHook(wxKeyEvent& event)
{
    // In the list, Home and End go to the first and last card (the scrolled window around the
    // rows would take them first), and a letter or digit typed alone jumps to the next card
    // whose question starts with it; with Ctrl or Alt held a key is a command for the menus.
    wxWindow* focus = FindFocus();
    const long count = List->GetItemCount();
    const int key = event.GetKeyCode();
    const wxChar typed = event.GetUnicodeKey();
    const bool home = key == WXK_HOME || key == WXK_NUMPAD_HOME;
    const bool end = key == WXK_END || key == WXK_NUMPAD_END;
    const bool letter = typed != WXK_NONE && wxIsalnum(typed);
    if (focus == nullptr || !List->IsDescendant(focus) || event.HasModifiers() || count == 0 ||
        !(home || end || letter))
    {
        event.Skip();
        return;
    }
    const long row = home  ? 0
                     : end ? count - 1
                           : List->FindQuestionStartingWith(typed, FocusedRow());
    if (row < 0)
        return; // no question starts with the letter
    for (long selected = List->GetFirstSelected(); selected != -1;
         selected = List->GetNextSelected(selected))
        List->Select(selected, false);
    List->Select(row);
    List->Focus(row);
}

void MneEditPanel::OnColumnClick(wxListEvent& event)
{
    const int column = event.GetColumn();
    if (column < 0 || column > 2)
        return;
    CardSorter(column).Sort(Cards);
    Modified = true;
    MainFrame->UpdateTitle();
    RefreshList();
}

void MneEditPanel::OnNewCard(wxCommandEvent&)
{
    const long focused = FocusedRow();
    int index;
    if (focused < 0 || focused >= static_cast<long>(Cards.size()))
    {
        Cards.push_back(Card());
        index = static_cast<int>(Cards.size()) - 1;
    }
    else
    {
        // Appended, then exchanged down into place: inserting would copy every later card.
        Cards.emplace_back();
        for (long i = static_cast<long>(Cards.size()) - 1; i > focused; --i)
            SwapCards(Cards[i], Cards[i - 1]);
        index = static_cast<int>(focused);
    }
    Modified = true;
    MainFrame->UpdateTitle();
    MainFrame->AddPanel->SetCard(index, true);
    MainFrame->ShowPanel(pnEditor);
}

void MneEditPanel::OnEditCard(wxCommandEvent&)
{
    const long focused = FocusedRow();
    if (focused < 0)
        return;
    MainFrame->AddPanel->SetCard(static_cast<int>(focused), false);
    MainFrame->ShowPanel(pnEditor);
}

void MneEditPanel::OnDeleteCard(wxCommandEvent&)
{
    const long count = static_cast<long>(Cards.size());
    const std::vector<long> selected = SelectedRows();
    const long first = selected.empty() ? -1 : selected.front();
    if (first >= 0)
    {
        // The kept cards are exchanged down over the deleted ones, which end up at the tail.
        long kept = first;
        size_t next = 0;
        for (long row = first; row < count; ++row)
        {
            if (next < selected.size() && selected[next] == row)
                ++next;
            else
                SwapCards(Cards[kept++], Cards[row]);
        }
        Cards.erase(Cards.begin() + kept, Cards.end());
    }

    Modified = true;
    MainFrame->UpdateTitle();
    RefreshList();

    const long newCount = static_cast<long>(Cards.size());
    const long target = first >= 0 && first < newCount - 1 ? first : newCount - 1;
    if (target >= 0)
    {
        const long states = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
        List->SetItemState(target, states, states);
        List->EnsureVisible(target);
    }
    UpdateButtons();
}

void MneEditPanel::OnStudy(wxCommandEvent&)
{
    if (Cards.empty())
    {
        wxMessageBox(_("Add at least one card first."), "Mnemora",
                     wxOK | wxICON_EXCLAMATION | wxCENTRE, this);
        return;
    }
    MainFrame->TestPanel->ElapsedSeconds = 0;
    ActiveCards.clear();
    if (Options.TestMode == tmLearn)
    {
        MainFrame->ShowPanel(pnLearn);
        return;
    }
    for (Card& card : Cards)
    {
        card.AnswerCount = 0;
        ActiveCards.push_back(&card);
    }
    MainFrame->ShowPanel(pnStudy);
}
