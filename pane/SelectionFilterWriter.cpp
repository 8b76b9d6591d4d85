#include "pane/SelectionFilterWriter.h"

#include "provider/SarvikProvider.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>

#include <optional>

namespace velmora_1_0 {

namespace {

ddb_2_2::string engineString(const wxString& text)
{
    return ddb_2_2::string(text.ToStdWstring());
}

// The selection filter, emptied; null when the provider has no result to hold it.
std::optional<dd_sarvik_2_2::dd_filter> openEmptied(SarvikProvider& provider, const wchar_t* name)
{
    dd_sarvik_2_2::Result* result = provider.getResult();
    if (!result)
        return std::nullopt;
    std::optional<dd_sarvik_2_2::dd_filter> filter(std::in_place, result->get_database(), name);
    filter->clear_filters();
    return filter;
}

void addInstances(dd_sarvik_2_2::dd_filter& filter, const wxString& table, const wxString& instanceTable,
                  const std::vector<int>& instances)
{
    std::vector<dd_sarvik_2_2::dd_attribute_filter> items;
    items.reserve(instances.size());
    for (int instance : instances)
        items.emplace_back(engineString(table), engineString(instanceTable), static_cast<std::int64_t>(instance));
    filter.add_profile_filter(items);
}

} // namespace

SelectionFilterWriter::SelectionFilterWriter(SarvikProvider& provider) : m_provider(provider) {}

bool SelectionFilterWriter::selectTimeRange(const wxULongLongNative& start, const wxULongLongNative& end)
{
    auto filter = openEmptied(m_provider, dd_sarvik_2_2::dd_filter::selection_name);
    if (!filter)
        return false;
    filter->add_time_filter(m_provider.tsc(start), m_provider.tsc(end));
    return true;
}

bool SelectionFilterWriter::selectOutsideTimeRange(const wxULongLongNative& start, const wxULongLongNative& end)
{
    auto filter = openEmptied(m_provider, dd_sarvik_2_2::dd_filter::selection_name);
    if (!filter)
        return false;
    if (start != 0)
        filter->add_time_filter(m_provider.tsc(0), m_provider.tsc(start - 1));
    const wxULongLongNative dataEnd(m_provider.getDuration());
    if (end < dataEnd)
        filter->add_time_filter(m_provider.tsc(end + 1), m_provider.tsc(dataEnd));
    return true;
}

bool SelectionFilterWriter::selectInstances(const wxString& table, const wxString& instanceTable,
                                            const std::vector<int>& instances)
{
    auto filter = openEmptied(m_provider, dd_sarvik_2_2::dd_filter::selection_name);
    if (!filter)
        return false;
    addInstances(*filter, table, instanceTable, instances);
    return true;
}

bool SelectionFilterWriter::selectInstancesDuring(const wxString& table, const wxString& instanceTable,
                                                  const std::vector<int>& instances, const wxULongLongNative& start,
                                                  const wxULongLongNative& end)
{
    auto filter = openEmptied(m_provider, dd_sarvik_2_2::dd_filter::selection_name);
    if (!filter)
        return false;
    addInstances(*filter, table, instanceTable, instances);
    filter->add_time_filter(m_provider.tsc(start), m_provider.tsc(end));
    return true;
}

bool SelectionFilterWriter::writeDeepView(const wxString& attributeTable, const wxString& instanceTable,
                                          int instance, bool transition)
{
    auto filter = openEmptied(m_provider, DEEP_VIEW_FILTER);
    if (!filter || instance < 0 || attributeTable != "dd_wait")
        return false;
    // A transition points from the signalling thread, any other wait item at the waiting one.
    const ddb_2_2::string path =
        transition ? L"dd_wait.signal_cs.bottom_user_cs" : L"dd_wait.wait_cs.bottom_user_cs";
    const dd_sarvik_2_2::dd_attribute_table_data_retriever retriever(m_provider.getResult()->get_database(), path);
    ddb_2_2::variant value = retriever.get_value(ddb_2_2::index(instance));
    if (value.is_nil())
        return false;
    filter->add_profile_filter({dd_sarvik_2_2::dd_attribute_filter(path, engineString(instanceTable), std::move(value))});
    return true;
}

bool SelectionFilterWriter::hasGlobalFilters() const
{
    dd_sarvik_2_2::Result* result = m_provider.getResult();
    return result && dd_sarvik_2_2::dd_filter(result->get_database(), dd_sarvik_2_2::dd_filter::global_name).has_filters();
}

} // namespace velmora_1_0
