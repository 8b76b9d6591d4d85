#include "HostFilter.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <ddb_2_2/pageable_database.h>

namespace velmora_viewer {

using dd_sarvik_2_2::dd_filter;

HostFilter::HostFilter(dd_sarvik_2_2::Result& result)
    : m_result(result)
{
}

bool HostFilter::applySelection()
{
    const dd_filter selection(m_result.get_database(), dd_filter::selection_name);
    if (!selection.has_filters())
        return false;
    dd_filter global(m_result.get_database(), dd_filter::global_name);
    global.clear_filters();
    for (const auto& range : selection.get_time_filters())
        global.add_time_filter(range.start, range.end);
    // Items of one table are alternatives and tables are all required, so one group of every
    // selected item means the same as the selection's own grouping.
    if (selection.has_profile_filters())
        global.add_profile_filter(selection.get_profile_filters());
    return true;
}

void HostFilter::removeAll()
{
    dd_filter(m_result.get_database(), dd_filter::global_name).clear_filters();
}

bool HostFilter::hasGlobalFilter() const
{
    return dd_filter(m_result.get_database(), dd_filter::global_name).has_filters();
}

} // namespace velmora_viewer
