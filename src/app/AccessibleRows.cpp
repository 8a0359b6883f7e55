// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of a self-drawn list as ATK objects: the window's accessible object becomes a list
// whose items are made on demand, which the desktop's accessibility bus hands to screen readers.
#include "app/AccessibleRows.h"

#include <wx/window.h>

#include <climits>
#include <map>

#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>

// The two object types, in the shape GObject asks for.
struct MneRowList
{
    GtkWidgetAccessible parent;
    AccessibleRows* Rows;              // null once the window is gone
    std::map<long, AtkObject*>* Items; // the items handed out, one reference each
};
struct MneRowListClass
{
    GtkWidgetAccessibleClass parent_class;
};
struct MneRowItem
{
    AtkObject parent;
    MneRowList* List; // a reference of its own: ATK's parent link holds none
    long Row;
    gchar* Name;
};
struct MneRowItemClass
{
    AtkObjectClass parent_class;
};

G_DEFINE_TYPE(MneRowList, mne_row_list, GTK_TYPE_WIDGET_ACCESSIBLE)
G_DEFINE_TYPE(MneRowItem, mne_row_item, ATK_TYPE_OBJECT)

namespace
{
MneRowList* ListOf(AtkObject* object)
{
    return reinterpret_cast<MneRowList*>(object);
}

AccessibleRows* RowsOfItem(AtkObject* item)
{
    MneRowList* list = reinterpret_cast<MneRowItem*>(item)->List;
    return list != nullptr ? list->Rows : nullptr;
}

void DropItems(MneRowList* list)
{
    // A reader that still holds an item learns that it is gone.
    for (auto& item : *list->Items)
    {
        atk_object_notify_state_change(item.second, ATK_STATE_DEFUNCT, TRUE);
        g_object_unref(item.second);
    }
    list->Items->clear();
}

AtkObject* RefItem(MneRowList* list, long row)
{
    if (list->Rows == nullptr || row < 0 || row >= list->Rows->RowCount())
        return nullptr;
    AtkObject*& item = (*list->Items)[row];
    if (item == nullptr)
    {
        item = ATK_OBJECT(g_object_new(mne_row_item_get_type(), nullptr));
        reinterpret_cast<MneRowItem*>(item)->List =
            reinterpret_cast<MneRowList*>(g_object_ref(list));
        reinterpret_cast<MneRowItem*>(item)->Row = row;
        atk_object_set_parent(item, ATK_OBJECT(list));
    }
    return ATK_OBJECT(g_object_ref(item));
}

GQuark ListQuark()
{
    return g_quark_from_static_string("mnemora-accessible-rows");
}

// The widget classes whose accessible object this file answers for, with their own answer.
std::map<GType, AtkObject* (*)(GtkWidget*)> OriginalGetAccessible;

AtkObject* GetAccessible(GtkWidget* widget)
{
    if (gpointer list = g_object_get_qdata(G_OBJECT(widget), ListQuark()))
        return ATK_OBJECT(list);
    for (GType type = G_OBJECT_TYPE(widget); type != 0; type = g_type_parent(type))
    {
        const auto original = OriginalGetAccessible.find(type);
        if (original != OriginalGetAccessible.end())
            return original->second(widget);
    }
    return nullptr;
}

void ReleaseList(gpointer data)
{
    gtk_accessible_set_widget(GTK_ACCESSIBLE(data), nullptr);
    g_object_unref(data);
}
} // namespace

static void mne_row_list_init(MneRowList* list)
{
    list->Rows = nullptr;
    list->Items = new std::map<long, AtkObject*>;
}

static void mne_row_list_finalize(GObject* object)
{
    MneRowList* list = reinterpret_cast<MneRowList*>(object);
    DropItems(list);
    delete list->Items;
    G_OBJECT_CLASS(mne_row_list_parent_class)->finalize(object);
}

static void mne_row_list_initialize(AtkObject* object, gpointer data)
{
    ATK_OBJECT_CLASS(mne_row_list_parent_class)->initialize(object, data);
    object->role = ATK_ROLE_LIST;
}

static gint mne_row_list_get_n_children(AtkObject* object)
{
    const AccessibleRows* rows = ListOf(object)->Rows;
    return rows == nullptr ? 0 : static_cast<gint>(std::min<long>(rows->RowCount(), INT_MAX));
}

static AtkObject* mne_row_list_ref_child(AtkObject* object, gint index)
{
    return RefItem(ListOf(object), index);
}

static AtkStateSet* mne_row_list_ref_state_set(AtkObject* object)
{
    AtkStateSet* states = ATK_OBJECT_CLASS(mne_row_list_parent_class)->ref_state_set(object);
    // Readers then ask for the items they show instead of copying a long list up front.
    atk_state_set_add_state(states, ATK_STATE_MANAGES_DESCENDANTS);
    return states;
}

static void mne_row_list_class_init(MneRowListClass* klass)
{
    G_OBJECT_CLASS(klass)->finalize = mne_row_list_finalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->initialize = mne_row_list_initialize;
    atk->get_n_children = mne_row_list_get_n_children;
    atk->ref_child = mne_row_list_ref_child;
    atk->ref_state_set = mne_row_list_ref_state_set;
}

static void mne_row_item_init(MneRowItem* item)
{
    item->List = nullptr;
    item->Row = -1;
    item->Name = nullptr;
    ATK_OBJECT(item)->role = ATK_ROLE_LIST_ITEM;
}

static void mne_row_item_finalize(GObject* object)
{
    MneRowItem* item = reinterpret_cast<MneRowItem*>(object);
    g_free(item->Name);
    if (item->List != nullptr)
        g_object_unref(item->List);
    G_OBJECT_CLASS(mne_row_item_parent_class)->finalize(object);
}

static const gchar* mne_row_item_get_name(AtkObject* object)
{
    MneRowItem* item = reinterpret_cast<MneRowItem*>(object);
    const AccessibleRows* rows = RowsOfItem(object);
    // Read afresh on every request: a row's texts change without the item being told.
    g_free(item->Name);
    item->Name = g_strdup(rows != nullptr && item->Row < rows->RowCount()
                              ? rows->RowName(item->Row).utf8_str().data()
                              : "");
    return item->Name;
}

static gint mne_row_item_get_index_in_parent(AtkObject* object)
{
    return static_cast<gint>(reinterpret_cast<MneRowItem*>(object)->Row);
}

static AtkStateSet* mne_row_item_ref_state_set(AtkObject* object)
{
    AtkStateSet* states = ATK_OBJECT_CLASS(mne_row_item_parent_class)->ref_state_set(object);
    const long row = reinterpret_cast<MneRowItem*>(object)->Row;
    const AccessibleRows* rows = RowsOfItem(object);
    if (rows == nullptr || row >= rows->RowCount())
    {
        atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
        return states;
    }
    for (AtkStateType state : {ATK_STATE_ENABLED, ATK_STATE_SENSITIVE, ATK_STATE_VISIBLE,
                               ATK_STATE_SHOWING, ATK_STATE_SELECTABLE, ATK_STATE_FOCUSABLE})
        atk_state_set_add_state(states, state);
    if (rows->IsRowSelected(row))
        atk_state_set_add_state(states, ATK_STATE_SELECTED);
    if (rows->FocusedRow() == row)
        atk_state_set_add_state(states, ATK_STATE_FOCUSED);
    return states;
}

static void mne_row_item_class_init(MneRowItemClass* klass)
{
    G_OBJECT_CLASS(klass)->finalize = mne_row_item_finalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = mne_row_item_get_name;
    atk->get_index_in_parent = mne_row_item_get_index_in_parent;
    atk->ref_state_set = mne_row_item_ref_state_set;
}

AccessibleRows::~AccessibleRows()
{
    if (MneRowList* list = reinterpret_cast<MneRowList*>(List))
    {
        list->Rows = nullptr;
        DropItems(list);
    }
}

void AccessibleRows::AttachRows(wxWindow* window, const wxString& name)
{
    GtkWidget* widget = window->GetConnectWidget();
    if (widget == nullptr || List != nullptr)
        return;
    // GTK asks the widget's class for its accessible object; the class answers with the list
    // for this widget and as before for every other one.
    GtkWidgetClass* widgetClass = GTK_WIDGET_GET_CLASS(widget);
    const GType widgetType = G_TYPE_FROM_CLASS(widgetClass);
    if (widgetClass->get_accessible != GetAccessible)
    {
        OriginalGetAccessible[widgetType] = widgetClass->get_accessible;
        widgetClass->get_accessible = GetAccessible;
    }
    AtkObject* list = ATK_OBJECT(g_object_new(mne_row_list_get_type(), "widget", widget, nullptr));
    atk_object_initialize(list, widget);
    ListOf(list)->Rows = this;
    atk_object_set_name(list, name.utf8_str().data());
    g_object_set_qdata_full(G_OBJECT(widget), ListQuark(), list, ReleaseList);
    List = list;
}

void AccessibleRows::RowsChanged()
{
    MneRowList* list = reinterpret_cast<MneRowList*>(List);
    if (list == nullptr || list->Items->empty())
        return;
    DropItems(list);
    g_signal_emit_by_name(list, "visible-data-changed");
}

void AccessibleRows::RowSelectionChanged()
{
    MneRowList* list = reinterpret_cast<MneRowList*>(List);
    if (list == nullptr)
        return;
    AtkObject* item = RefItem(list, FocusedRow());
    if (item == nullptr)
        return;
    g_signal_emit_by_name(list, "active-descendant-changed", item);
    atk_object_notify_state_change(item, ATK_STATE_FOCUSED, TRUE);
    g_object_unref(item);
}
