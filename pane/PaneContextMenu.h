#pragma once
// The two context menus of the pane: the ruler menu (zoom, filter by time, remove filters,
// highlighting) and the row-header menu (filter by selected rows, remove filters, sort). Builds
// each with its command ids, catalog labels and help texts, and enables or checks the items from
// the current state of the ruler or header. The commands themselves are SarvikEventCallback's.
#include <VelmoraExport.h>

#include <memory>

class wxMenu;

namespace tarquel_1_0 {
class HeaderCtrl;
class Ruler;
} // namespace tarquel_1_0

namespace velmora_1_0 {

class VELMORA_API PaneContextMenu {
public:
    enum Command {
        ZOOM_SELECTION = 2800,
        ZOOM_UNDO = 2801,
        ZOOM_RESET = 2802,
        ZOOM_IN_FILTER_SELECTION = 2803,
        FILTER_SELECTION = 2804,
        FILTER_OUT_BY_TIME = 2805,
        RULER_REMOVE_ALL_FILTERS = 2806,
        UPDATE_HIGHLIGHTING = 2807,
        DISMISS_MENU = 2808,
        FILTER_OUT_BY_SELECTION = 2700,
        FILTER_IN_BY_SELECTION = 2701,
        SORT_TIME_ASCENDING = 2702,
        SORT_TIME_DESCENDING = 2703,
        SORT_LABEL_ASCENDING = 2704,
        SORT_LABEL_DESCENDING = 2705,
        HEADER_REMOVE_ALL_FILTERS = 2706,
    };

    // `canRemoveFilters`: the timeline has a provider whose global filter holds filters.
    static std::unique_ptr<wxMenu> buildRulerMenu(const tarquel_1_0::Ruler& ruler, bool canRemoveFilters);
    // The sort item of the header's current order is checked (none for an order outside 1..4).
    static std::unique_ptr<wxMenu> buildHeaderMenu(const tarquel_1_0::HeaderCtrl& header, bool canRemoveFilters);
    // The sort order (1..4) of a sort command, 0 for any other id.
    static int sortOrderOf(int id);
};

} // namespace velmora_1_0
