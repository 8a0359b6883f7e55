// SPDX-License-Identifier: GPL-3.0-or-later
// Tells assistive technology the rows of a window that draws them itself, as a list of items.
#ifndef MNEMORA_APP_ACCESSIBLEROWS_H
#define MNEMORA_APP_ACCESSIBLEROWS_H

#include <wx/string.h>

class wxWindow;
struct _AtkObject;

/// Base of a window's row source: once attached, a screen reader reads the window as a list
/// whose items are the rows, named by RowName and asked for on demand, so that a long list
/// costs nothing until someone reads it.
class AccessibleRows
{
public:
    AccessibleRows() = default;
    AccessibleRows(const AccessibleRows&) = delete;
    AccessibleRows& operator=(const AccessibleRows&) = delete;
    virtual ~AccessibleRows();

    /// Exposes the rows as the items of `window`, a list named `name`.
    void AttachRows(wxWindow* window, const wxString& name);
    /// The rows were rebuilt: items handed out so far are dropped.
    void RowsChanged();
    /// The selection or the focused row changed.
    void RowSelectionChanged();

    /// Number of rows.
    virtual long RowCount() const = 0;
    /// What a screen reader says for row `row`.
    virtual wxString RowName(long row) const = 0;
    /// Whether row `row` is selected.
    virtual bool IsRowSelected(long) const { return false; }
    /// The row holding the keyboard focus; -1 when none.
    virtual long FocusedRow() const { return -1; }

private:
    _AtkObject* List = nullptr; ///< The list's accessible object once created.
};

#endif
