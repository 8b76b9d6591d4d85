#include "provider/FilterBandService.h"

#include "provider/SarvikDataSource.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_single_band_table.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_timestamp.h>
#include <dd_sarvik_2_2/filter/dd_filter_timestamp_list.h>
#include <dd_sarvik_2_2/filter/dd_query.h>
#include <dd_sarvik_2_2/filter/dd_tl_filter_display.h>

#include <algorithm>
#include <string>

namespace velmora_1_0 {

void FilterBandService::names(int areaIndex, ddb_2_2::string& base, ddb_2_2::string& suffix, ddb_2_2::string& name)
{
    base = L"timeline_filter";
    suffix = L"_area_" + std::to_wstring(areaIndex);
    name = base + suffix;
}

FilterBandService::FilterBandService(dd_sarvik_2_2::Result& result, const SarvikDataSource* rowBy,
                                     ddb_2_2::string name)
    : m_result(result), m_rowBy(rowBy), m_name(std::move(name))
{
}

bool FilterBandService::isCurrent() const
{
    ddb_2_2::database& db = m_result.get_database();
    const auto stamps = dd_sarvik_2_2::dd_filter_timestamp_list::get_filter_timestamps(m_name, db);
    return !stamps.empty() && std::all_of(stamps.begin(), stamps.end(), [&db](const auto& stamp) {
        return dd_sarvik_2_2::dd_filter(db, stamp.get_filter_name())
            .check_timestamp(stamp.get_profile_ts(), stamp.get_time_ts());
    });
}

bool FilterBandService::recompute(dd_sarvik_2_2::dd_progress_impl* progress)
{
    dd_sarvik_2_2::dd_tl_filter_display display(m_result.get_database());
    display.clear_tl_filter_display(m_name);
    const ddb_2_2::string rowByTable = m_rowBy ? ddb_2_2::string(m_rowBy->attributeTable.ToStdWstring()) : L"";
    return display.compute_tl_filter_display(m_name, rowByTable, dd_sarvik_2_2::dd_query(), progress);
}

void FilterBandService::stamp()
{
    ddb_2_2::database& db = m_result.get_database();
    dd_sarvik_2_2::dd_filter_timestamp_list(m_name, dd_sarvik_2_2::dd_filter_timestamp::get_profile_filter_ts(m_name, db),
                                            dd_sarvik_2_2::dd_filter_timestamp::get_time_filter_ts(m_name, db))
        .set_filter_timestamp(db);
}

bool FilterBandService::intervals(int row, const TickClock& clock, const std::function<bool()>& isCanceled,
                                  std::vector<tarquel_1_0::DataProvider::SBInterval>& out) const
{
    dd_sarvik_2_2::dd_single_band_table table;
    const ddb_2_2::string tableName =
        dd_sarvik_2_2::dd_tl_filter_display::get_filter_table_name(m_name, dd_sarvik_2_2::dd_query());
    if (!table.initialize(tableName, m_result.get_database()))
        return false;
    // Rows of the lifetime table have a band each; any other area has one band for all rows.
    const bool perRow = m_rowBy && m_rowBy->instanceTable == "dd_band";
    const int wanted = perRow ? row : -1;
    // Every key of the table differs only in its row: the first one, moved to the row, finds
    // the row's objects directly instead of walking every row's key before it.
    dd_sarvik_2_2::dd_single_band_table::key_iterator keys;
    if (!table.get_key_iterator(keys) || keys.at_end())
        return true;
    dd_sarvik_2_2::dd_band_timeline_key key = *keys;
    key.set_index(ddb_2_2::index(wanted));
    dd_sarvik_2_2::dd_single_band_table::iterator objects;
    if (!table.get_data(objects, key))
        return true;
    for (; !objects.at_end(); ++objects) {
        if (isCanceled())
            return false;
        const auto object = *objects;
        out.push_back({clock.nanoseconds(object.start), clock.nanoseconds(object.end)});
    }
    return true;
}

} // namespace velmora_1_0
