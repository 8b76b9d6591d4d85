#include <dd_sarvik_2_2/filter/dd_tl_filter_display.h>

#include <dd_sarvik_2_2/dd_band_data.h>
#include <dd_sarvik_2_2/dd_band_table.h>
#include <dd_sarvik_2_2/dd_progress_impl.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_eval.h>
#include <dd_sarvik_2_2/filter/dd_filter_store.h>
#include <ddb_2_2/database.h>

#include "filter/FilterBandBuilder.h"

namespace dd_sarvik_2_2 {

namespace {

constexpr std::int32_t wholeArea = -1;
// Objects between two cancellation polls inside one row, so a huge row still stops promptly.
constexpr std::size_t pollInterval = 4096;

// Finishes the progress object on every way out, cancelled or not.
class ProgressScope {
public:
    ProgressScope(dd_progress_impl* progress, std::size_t steps) : m_progress(progress)
    {
        if (m_progress)
            m_progress->start(static_cast<double>(steps));
    }
    ~ProgressScope()
    {
        if (m_progress)
            m_progress->finish();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    void stepDone()
    {
        if (m_progress)
            m_progress->progressed(1.0);
    }

private:
    dd_progress_impl* m_progress;
};

// Adds where one object is selected: under its row's key, and under the whole area's.
void addSelected(FilterBandBuilder& band, const dd_filter_eval& eval, std::int32_t row,
                 std::int32_t instance, std::uint64_t start, std::uint64_t end, bool perRow)
{
    FilterBandBuilder::Spans pieces;
    eval.clip_time(start, end, pieces);
    if (perRow)
        band.add(row, instance, pieces);
    band.add(wholeArea, wholeArea, pieces);
}

// Row lifetimes: a row is selected while it lives, when its instance passes its table's items.
bool collectLifetimes(FilterBandBuilder& band, const dd_filter_eval& eval, const dd_band_table& rows,
                      bool perRow, dd_progress_impl* progress)
{
    ProgressScope scope(progress, rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (is_canceled(progress))
            return false;
        const dd_band_obj& row = rows[r];
        if (eval.check_filter(row.table, row.index))
            addSelected(band, eval, static_cast<std::int32_t>(r), row.index.get(), row.start, row.end, perRow);
        scope.stepDone();
    }
    return true;
}

// Objects of a per-row band table: selected when their row's instance and their own instance
// pass, inside the time items. Records come sorted by row, so rows are runs of records.
bool collectObjects(FilterBandBuilder& band, const dd_filter_eval& eval, const dd_band_data& data,
                    const dd_band_table& rows, const ddb_2_2::string& rowByTable, dd_progress_impl* progress)
{
    const auto& own = *eval.get_reduced(data.attribute_table());
    const bool perRow = !rowByTable.empty();
    const auto& records = data.records();
    ProgressScope scope(progress, data.rows().size());
    for (std::size_t begin = 0; begin < records.size();) {
        if (is_canceled(progress))
            return false;
        const std::int32_t r = records[begin].row;
        std::size_t end = begin;
        while (end < records.size() && records[end].row == r)
            ++end;
        const auto rowInstance = r >= 0 && static_cast<std::size_t>(r) < rows.size() ? rows[r].index
                                                                                     : ddb_2_2::index(r);
        if (!perRow || eval.check_filter(rowByTable, rowInstance)) {
            for (std::size_t i = begin; i < end; ++i) {
                if ((i - begin) % pollInterval == pollInterval - 1 && is_canceled(progress))
                    return false;
                const dd_band_record& object = records[i];
                if (own.check_filter(ddb_2_2::index(object.instanceIndex)))
                    addSelected(band, eval, r, rowInstance.get(), object.start, object.end, perRow);
            }
        }
        scope.stepDone();
        begin = end;
    }
    return true;
}

}  // namespace

dd_tl_filter_display::dd_tl_filter_display(ddb_2_2::database& db) : m_db(db) {}

ddb_2_2::string dd_tl_filter_display::get_filter_table_name(const ddb_2_2::string& name, const dd_query& query)
{
    return query.covers_lifetimes() ? name : name + L"." + query.get_band_table();
}

void dd_tl_filter_display::clear_tl_filter_display(const ddb_2_2::string& name)
{
    m_db.remove_table(get_filter_table_name(name, dd_query()));
    if (const auto store = dd_filter_store::find(m_db)) {
        for (const auto& table : store->get_displays().forget(name))
            m_db.remove_table(table);
    }
}

bool dd_tl_filter_display::compute_tl_filter_display(const ddb_2_2::string& name, const ddb_2_2::string& rowByTable,
                                                     const dd_query& query, dd_progress_impl* progress)
{
    const auto store = dd_filter_store::attach(m_db);
    const dd_filter_eval eval(store->get_states({dd_filter::global_name}));
    const auto& followed = *eval.get_states().front();

    const dd_band_table rows = rowByTable.empty() ? dd_band_table(m_db) : dd_band_table(m_db, rowByTable);
    FilterBandBuilder band;
    if (query.covers_lifetimes()) {
        if (!collectLifetimes(band, eval, rows, !rowByTable.empty(), progress))
            return false;
    } else {
        const auto data = std::dynamic_pointer_cast<const dd_band_data>(m_db.get_table(query.get_band_table()));
        if (!data || data->kind() == dd_band_kind::global_instants || data->kind() == dd_band_kind::global_durations)
            return false;
        if (!collectObjects(band, eval, *data, rows, rowByTable, progress))
            return false;
    }

    const ddb_2_2::string tableName = get_filter_table_name(name, query);
    m_db.add_table(tableName, std::make_shared<dd_band_data>(dd_band_kind::single_band, rowByTable, name, 0,
                                                             band.build()));
    store->get_displays().set_source(
        name, {dd_filter_timestamp(dd_filter::global_name, followed.profile_ts, followed.time_ts)}, tableName);
    return true;
}

}  // namespace dd_sarvik_2_2
