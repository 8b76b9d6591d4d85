#pragma once
// Writes the user's timeline selection into the filter store of a provider's result: a time
// range, the time outside a range, instances of a table (selected rows or a selected item), and
// the deep-view filter of a wait item. Each write replaces the filter's whole content, so the
// store only ever holds the latest selection. Also answers whether the global filter holds
// anything (the "remove all filters" commands depend on it).
//
// Used by SarvikEventCallback on the user-interface thread; a light object made per command.
#include <VelmoraExport.h>

#include <wx/longlong.h>
#include <wx/string.h>

#include <vector>

namespace velmora_1_0 {

class SarvikProvider;

class VELMORA_API SelectionFilterWriter {
public:
    static constexpr const wchar_t* DEEP_VIEW_FILTER = L"deep_view_selection_filter";

    // Every write needs the provider's result; without one nothing is written.
    explicit SelectionFilterWriter(SarvikProvider& provider);

    bool selectTimeRange(const wxULongLongNative& start, const wxULongLongNative& end);
    // Up to two items: before start and after end, within the data.
    bool selectOutsideTimeRange(const wxULongLongNative& start, const wxULongLongNative& end);
    // One profile filter whose items are the given instance indices of `table`.
    bool selectInstances(const wxString& table, const wxString& instanceTable, const std::vector<int>& instances);
    // The same instances during [start, end] only.
    bool selectInstancesDuring(const wxString& table, const wxString& instanceTable, const std::vector<int>& instances,
                               const wxULongLongNative& start, const wxULongLongNative& end);
    // Empties the deep-view filter and, for a wait instance with a known call stack, fills it with
    // that call stack; true only when it was filled. An instance of -1 names none. `transition` picks the signalling stack.
    bool writeDeepView(const wxString& attributeTable, const wxString& instanceTable, int instance, bool transition);
    bool hasGlobalFilters() const;

private:
    SarvikProvider& m_provider;
};

} // namespace velmora_1_0
