// The card editor panel.
#ifndef MNEMORA_EDIT_MNEADDPANEL_H
#define MNEMORA_EDIT_MNEADDPANEL_H

#include <wx/panel.h>

/// Panel 3: edits one card of the deck.
class MneAddPanel : public wxPanel
{
public:
    explicit MneAddPanel(wxWindow* parent);

    /// Loads card `index` of Cards into the editor; isNew marks a card just inserted.
    void SetCard(int index, bool isNew);

private:
    int CardIndex = -1;
    bool IsNewCard = false;

    wxDECLARE_EVENT_TABLE();
};

#endif
