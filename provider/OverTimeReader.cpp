#include "provider/OverTimeReader.h"

#include "provider/BlockProgress.h"
#include "provider/EngineString.h"
#include "pagestore/OverTimeBucket.h"
#include "provider/SarvikDataSource.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_attribute_table.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>
#include <dd_sarvik_2_2/dd_overtime_derived_query.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/dd_utility.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>

#include <tbb/task_arena.h>

#include <algorithm>

namespace velmora_1_0 {

namespace {

const ddb_2_2::string THREAD_TABLE = L"dd_thread";
constexpr int cancelPollRows = 256;
// Rows whose over-time answer is computed and held at once: at most a few tens of megabytes of
// running totals, well inside the engine's memory budget, and enough rows to keep every core busy.
constexpr int rowBlock = 1024;

// Runs `work` on this thread inside a task arena that lives exactly as long as the work.
template <class Work>
bool inArena(Work&& work)
{
    tbb::task_arena arena(tbb::task_arena::automatic);
    return arena.execute(std::forward<Work>(work));
}

// The engine's data source for a derived reference kind; -1 leaves the query's default.
int sourceOfKind(int kind)
{
    switch (kind) {
    case dd_sarvik_2_2::dd_rpn_node_param_db_ref_t::kind_count:
        return dd_sarvik_2_2::dd_overtime_query::data_src_count;
    case dd_sarvik_2_2::dd_rpn_node_param_db_ref_t::kind_instance_count:
        return dd_sarvik_2_2::dd_overtime_query::data_src_instance_count;
    case dd_sarvik_2_2::dd_rpn_node_param_db_ref_t::kind_time:
        return dd_sarvik_2_2::dd_overtime_query::data_src_time;
    default:
        return -1;
    }
}

void setSharedMaximum(std::vector<SarvikProvider::OverTimeData>& out, double max)
{
    for (SarvikProvider::OverTimeData& record : out)
        record.maxValue = max;
}

// Reads rows [0, rowCount) of `query` a block of rows at a time, under one progress run of
// runFirst over all rows, polling isCanceled between rows. readRow(block, bucket, row, progress)
// answers one row of `block` (the query narrowed to the block's rows); the block's first row
// gets a progress object and computes the whole block, the others only look up. False when
// cancelled or when a row was not answered.
template <class Query, class ReadRow>
bool readInBlocks(dd_sarvik_2_2::Result& result, const Query& query, int rowCount,
                  const OverTimeReader::ProgressRun& runFirst, const std::function<bool()>& isCanceled,
                  const ReadRow& readRow)
{
    bool stopped = false;
    // A row's answer is held as running totals, one per column it has data in: thousands of rows
    // of busy columns would fill the memory budget and send the answer to page files, each read
    // back to be converted. A block of rows at a time keeps one block's answer in memory.
    const auto readBlock = [&](int first, int rows, dd_sarvik_2_2::dd_progress_impl* progress) {
        Query block = query;
        block.set_row_range(first, rows);
        OverTimeBucket bucket(result.get_database());
        BlockProgress blockProgress(progress, rows);
        for (int row = first; row < first + rows; ++row) {
            if ((row % cancelPollRows == 0 && isCanceled()) ||
                !readRow(block, bucket, row, row == first ? &blockProgress : nullptr)) {
                stopped = true;
                return;
            }
        }
        blockProgress.complete();
    };
    const bool ran = inArena([&] {
        return runFirst([&](dd_sarvik_2_2::dd_progress_impl* progress) {
            if (progress)
                progress->start(static_cast<double>(rowCount));
            for (int first = 0; first < rowCount && !stopped; first += rowBlock)
                readBlock(first, std::min(rowBlock, rowCount - first), progress);
            if (progress)
                progress->finish();
        });
    });
    return ran && !stopped && !isCanceled();
}

} // namespace

OverTimeReader::OverTimeReader(dd_sarvik_2_2::Result& result, const SarvikDataSource* rowBy, TickClock clock)
    : m_result(result), m_rowBy(rowBy), m_clock(clock)
{
}

void OverTimeReader::buildQuery(const SarvikDataSource& ds, std::uint64_t start, std::uint64_t end, int count,
                                dd_sarvik_2_2::dd_overtime_query& query, bool& isPercent) const
{
    isPercent = ds.overTimeSource == dd_sarvik_2_2::dd_overtime_query::data_src_time;
    if (!ds.keepFilters)
        query.clear_filters();
    query.set_data_source(ds.overTimeSource);
    query.set_data_width(m_clock.ticks(start), m_clock.ticks(end), count);
    query.add_filter(dd_sarvik_2_2::dd_filter::timeline_doi_name);
    if (m_rowBy)
        query.set_axis_instance_and_attr(engineString(m_rowBy->attributeTable), engineString(m_rowBy->instanceTable));
    for (const SarvikDataSource::Series& series : ds.series) {
        wxString name = series.text1;
        if (!series.text3.empty())
            name += "." + series.text3;
        dd_sarvik_2_2::dd_overtime_query sub;
        if (series.text4.empty())
            sub.init(THREAD_TABLE, engineString(series.text2), engineString(name));
        else
            sub.init(THREAD_TABLE, engineString(series.text2), engineString(name), ddb_2_2::variant(engineString(series.text4)));
        query += sub;
    }
}

void OverTimeReader::buildDerivedQuery(const SarvikDataSource& ds, std::uint64_t start, std::uint64_t end,
                                       int count, dd_sarvik_2_2::dd_overtime_derived_query& query) const
{
    query.set_rpn_expression(ds.expression);
    for (const dd_sarvik_2_2::dd_rpn_node_t& node : ds.expression) {
        if (node.get_type() != dd_sarvik_2_2::dd_rpn_node_t::type_db_ref)
            continue;
        const dd_sarvik_2_2::dd_rpn_node_param_db_ref_t params = node.get_params();
        dd_sarvik_2_2::dd_overtime_query nodeQuery;
        for (const auto& entry : params.get_entries()) {
            dd_sarvik_2_2::dd_overtime_query sub;
            if (entry.qualifier.empty())
                sub.init(THREAD_TABLE, entry.table, entry.name);
            else
                sub.init(THREAD_TABLE, entry.table, entry.name + L"." + entry.qualifier, entry.value);
            nodeQuery += sub;
        }
        const int source = sourceOfKind(params.get_kind());
        if (source >= 0)
            nodeQuery.set_data_source(source);
        if (m_rowBy)
            nodeQuery.set_axis_instance_and_attr(engineString(m_rowBy->attributeTable), engineString(m_rowBy->instanceTable));
        query.add_query(nodeQuery);
    }
    if (!ds.keepFilters)
        query.remove_filters();
    query.set_data_width(m_clock.ticks(start), m_clock.ticks(end), count);
}

bool OverTimeReader::read(const dd_sarvik_2_2::dd_overtime_query& query, bool isPercent, int rowCount, int count,
                          const ProgressRun& runFirst, const std::function<bool()>& isCanceled,
                          std::vector<OverTimeData>& out) const
{
    const bool percent = query.get_data_source() == dd_sarvik_2_2::dd_overtime_query::data_src_time;
    long double scale = 1.0L;
    if (percent) {
        const std::uint64_t bucketTicks = (query.get_end() - query.get_start()) / static_cast<std::uint64_t>(count);
        scale = 100.0L / static_cast<long double>(std::max<std::uint64_t>(bucketTicks, 1));
    }
    out.resize(static_cast<std::size_t>(std::max(rowCount, 0)));
    double max = 0.0;
    const auto convert = [&](int row, dd_sarvik_2_2::Result::overtime_bucket::const_iterator& it) {
        OverTimeData& record = out[static_cast<std::size_t>(row)];
        // A column without a total of its own repeats the one before: its value is 0. Only
        // the columns with a total cost arithmetic, so a row of a few samples over thousands
        // of columns costs its samples. Totals come in rising column order; one out of order
        // or past the last column ends the row there.
        record.values.assign(static_cast<std::size_t>(std::max(count, 0)), 0.0);
        long double previous = 0.0L;
        std::uint32_t next = 0; // the first column not passed yet
        for (; !it.at_end(); ++it) {
            const std::uint32_t column = it->get_bucket_id();
            if (column < next || column >= static_cast<std::uint32_t>(count))
                break;
            const long double running = static_cast<long double>(it->get_value());
            long double value = running - previous;
            if (percent)
                value *= scale;
            max = std::max(max, static_cast<double>(value));
            record.values[column] = static_cast<double>(value);
            previous = running;
            next = column + 1;
        }
        record.row = static_cast<short>(row);
        record.isPercent = isPercent;
    };
    const auto readRow = [&](const dd_sarvik_2_2::dd_overtime_query& block, OverTimeBucket& bucket, int row,
                             dd_sarvik_2_2::dd_progress_impl* progress) {
        dd_sarvik_2_2::Result::overtime_bucket::const_iterator it;
        if (!m_result.get_overtime_data(bucket, it, block, ddb_2_2::index(row), progress))
            return false;
        convert(row, it);
        return true;
    };
    if (!readInBlocks(m_result, query, rowCount, runFirst, isCanceled, readRow))
        return false;
    setSharedMaximum(out, percent && max <= 100.0 ? 100.0 : max);
    return true;
}

bool OverTimeReader::readDerived(const dd_sarvik_2_2::dd_overtime_derived_query& query, int rowCount, int count,
                                 const ProgressRun& runFirst, const std::function<bool()>& isCanceled,
                                 std::vector<OverTimeData>& out) const
{
    out.resize(static_cast<std::size_t>(std::max(rowCount, 0)));
    double max = 0.0;
    const auto readRow = [&](const dd_sarvik_2_2::dd_overtime_derived_query& block, OverTimeBucket& bucket, int row,
                             dd_sarvik_2_2::dd_progress_impl* progress) {
        dd_sarvik_2_2::dd_overtime_derived_data::const_iterator it;
        const bool answered = m_result.get_overtime_derived_data(bucket, it, block, ddb_2_2::index(row), progress);
        // An expression the engine cannot evaluate reads zeros; only a cancel stops the read.
        if (!answered && dd_sarvik_2_2::is_canceled(progress))
            return false;
        OverTimeData& record = out[static_cast<std::size_t>(row)];
        record.values.reserve(static_cast<std::size_t>(std::max(count, 0)));
        for (int i = 0; i < count; ++i, ++it) {
            max = std::max(max, *it);
            record.values.push_back(*it);
        }
        record.row = static_cast<short>(row);
        return true;
    };
    if (!readInBlocks(m_result, query, rowCount, runFirst, isCanceled, readRow))
        return false;
    setSharedMaximum(out, max);
    return true;
}

bool OverTimeReader::readAttribute(const SarvikDataSource& ds, std::uint64_t start, std::uint64_t end, int count,
                                   int row, int rowCount, const std::function<bool()>& isCanceled,
                                   std::vector<OverTimeData>& out) const
{
    return inArena([&] {
        const ddb_2_2::string table = engineString(ds.attributeTable);
        const ddb_2_2::string instanceTable = engineString(ds.instanceTable);
        const ddb_2_2::string path = ds.attributeName.empty() ? table : table + L"." + engineString(ds.attributeName);
        if (!m_rowBy || m_rowBy->attributeTable != ds.attributeTable) {
            if (!dd_sarvik_2_2::dd_utility::check_instance_data_exist(instanceTable, table, m_result.get_database()))
                return false;
            OverTimeData record;
            record.row = static_cast<short>(row);
            if (!readInstance(instanceTable, path, -1, start, end, count, isCanceled, record))
                return false;
            record.maxValue = std::max(record.maxValue, attributeMaximum(ds, path));
            out.push_back(std::move(record));
            return true;
        }
        // Series of different quantities (bytes, percent) cannot share a scale: each row spans
        // its own range, the same at every zoom.
        const dd_sarvik_2_2::dd_attribute_table_data_retriever units(m_result.get_database(), table + L".unit");
        for (int instance = 0; instance < rowCount; ++instance) {
            OverTimeData record;
            record.row = static_cast<short>(instance);
            record.ownSeries = true;
            const ddb_2_2::index index(instance);
            if (!m_result.get_instance_value_range(instanceTable, path, index, record.minValue, record.maxValue))
                continue;
            if (!readInstance(instanceTable, path, instance, start, end, count, isCanceled, record))
                return false;
            const ddb_2_2::variant unit = units.get_value(index);
            if (!unit.is_nil())
                record.unit = unit.to_string().str();
            out.push_back(std::move(record));
        }
        return !isCanceled();
    });
}

bool OverTimeReader::readInstance(const ddb_2_2::string& instanceTable, const ddb_2_2::string& path, int instance,
                                  std::uint64_t start, std::uint64_t end, int count,
                                  const std::function<bool()>& isCanceled, OverTimeData& out) const
{
    dd_sarvik_2_2::dd_attr_overtime::forward_iterator walker;
    m_result.get_instance_value_walker(walker, instanceTable, path, ddb_2_2::index(instance), m_clock.ticks(start),
                                       m_clock.ticks(end), count);
    for (; walker.valid() && !walker.at_end() && static_cast<int>(out.values.size()) < count; ++walker) {
        if (isCanceled())
            return false;
        out.values.push_back(*walker);
        out.maxValue = std::max(out.maxValue, *walker);
    }
    out.isPercent = false;
    return true;
}

double OverTimeReader::attributeMaximum(const SarvikDataSource& ds, const ddb_2_2::string& path) const
{
    // The scale spans every instance, so graphs of several instances compare at a glance.
    double max = 0.0;
    const dd_sarvik_2_2::dd_attribute_table_data_retriever retriever(m_result.get_database(), path);
    dd_sarvik_2_2::dd_attribute_table table;
    table.initialize(engineString(ds.attributeTable), m_result.get_database());
    dd_sarvik_2_2::dd_attribute_table::key_iterator key;
    for (table.get_key_iterator(key); !key.at_end(); ++key) {
        double value = 0.0;
        if (retriever.get_value(*key).to_double(value))
            max = std::max(max, value);
    }
    return max;
}

} // namespace velmora_1_0
