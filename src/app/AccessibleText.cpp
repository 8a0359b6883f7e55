// SPDX-License-Identifier: GPL-3.0-or-later
// Accessible names through ATK, which the desktop's accessibility bus reads on GTK.
#include "app/AccessibleText.h"

#include <wx/window.h>

#include <cstring>

#include <gtk/gtk.h>

void SetAccessibleText(wxWindow* window, const wxString& name, const wxString& description)
{
    if (window == nullptr || window->GetConnectWidget() == nullptr)
        return;
    AtkObject* accessible = gtk_widget_get_accessible(window->GetConnectWidget());
    if (accessible == nullptr)
        return;
    const wxScopedCharBuffer nameText = name.utf8_str();
    const wxScopedCharBuffer descriptionText = description.utf8_str();
    // Setting a name notifies listeners even when it is the same; a repaint must not make a
    // screen reader repeat the card.
    const char* oldName = atk_object_get_name(accessible);
    if (oldName == nullptr || strcmp(oldName, nameText.data()) != 0)
        atk_object_set_name(accessible, nameText.data());
    const char* oldDescription = atk_object_get_description(accessible);
    if (oldDescription == nullptr || strcmp(oldDescription, descriptionText.data()) != 0)
        atk_object_set_description(accessible, descriptionText.data());
}
