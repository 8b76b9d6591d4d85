#include "pane/PaneContextMenu.h"

#include <VORN_2_9/varg_list.h>
#include <pendrel_2_0/CommonMessage.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/Ruler.h>

#include <wx/menu.h>

namespace velmora_1_0 {

namespace {

wxString catalogText(const wxString& key)
{
    return tarquel_1_0::getString(key, VORN_2_9::generic::varg_list());
}

// An item labelled "%Key" with help "%Key_help".
void appendCommand(wxMenu& menu, int id, const wxString& key, bool enabled)
{
    menu.Append(id, catalogText(key), catalogText(key + "_help"));
    menu.Enable(id, enabled);
}

} // namespace

std::unique_ptr<wxMenu> PaneContextMenu::buildRulerMenu(const tarquel_1_0::Ruler& ruler, bool canRemoveFilters)
{
    auto menu = std::make_unique<wxMenu>();
    appendCommand(*menu, ZOOM_SELECTION, "%Zoom_selection", ruler.canZoomSelection());
    appendCommand(*menu, ZOOM_UNDO, "%Zoom_undo", ruler.canZoomUndo());
    appendCommand(*menu, ZOOM_RESET, "%Zoom_reset", ruler.canZoomReset());
    menu->AppendSeparator();
    appendCommand(*menu, ZOOM_IN_FILTER_SELECTION, "%Zoom_in_filter_selection", ruler.canZoomSelection());
    appendCommand(*menu, FILTER_SELECTION, "%Filter_selection", ruler.hasRulerSelection());
    appendCommand(*menu, FILTER_OUT_BY_TIME, "%Filter_out_by_time", ruler.hasRulerSelection());
    menu->AppendSeparator();
    appendCommand(*menu, RULER_REMOVE_ALL_FILTERS, "%Remove_all_filters", canRemoveFilters);
    menu->AppendSeparator();
    menu->Append(UPDATE_HIGHLIGHTING, wxString(pendrel_2_0::getCommonMessage(L"%UpdateHighlighting")));
    menu->AppendSeparator();
    appendCommand(*menu, DISMISS_MENU, "%Dismiss_menu", true);
    return menu;
}

std::unique_ptr<wxMenu> PaneContextMenu::buildHeaderMenu(const tarquel_1_0::HeaderCtrl& header, bool canRemoveFilters)
{
    auto menu = std::make_unique<wxMenu>();
    appendCommand(*menu, FILTER_OUT_BY_SELECTION, "%Filter_out_by_selection", header.hasSelection());
    appendCommand(*menu, FILTER_IN_BY_SELECTION, "%Filter_in_by_selection", header.hasSelection());
    menu->AppendSeparator();
    appendCommand(*menu, HEADER_REMOVE_ALL_FILTERS, "%Remove_all_filters", canRemoveFilters);
    menu->AppendSeparator();
    static const struct {
        int id;
        const char* key;
    } sorts[] = {{SORT_TIME_ASCENDING, "%Sort_time_ascending"},
                 {SORT_TIME_DESCENDING, "%Sort_time_descending"},
                 {SORT_LABEL_ASCENDING, "%Sort_label_ascending"},
                 {SORT_LABEL_DESCENDING, "%Sort_label_descending"}};
    const int order = header.getSortOrder();
    for (const auto& sort : sorts) {
        menu->AppendCheckItem(sort.id, catalogText(sort.key), wxString());
        menu->Check(sort.id, sortOrderOf(sort.id) == order);
    }
    return menu;
}

int PaneContextMenu::sortOrderOf(int id)
{
    return id >= SORT_TIME_ASCENDING && id <= SORT_LABEL_DESCENDING ? id - SORT_TIME_ASCENDING + 1 : 0;
}

} // namespace velmora_1_0
