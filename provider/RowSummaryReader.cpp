#include "provider/RowSummaryReader.h"

#include "provider/EngineString.h"
#include "provider/SarvikDataSource.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_attribute_table.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>
#include <dd_sarvik_2_2/dd_band.h>
#include <dd_sarvik_2_2/dd_band_table.h>
#include <dd_sarvik_2_2/filter/dd_filter_eval.h>
#include <dd_sarvik_2_2/filter/reduced_attribute_filter.h>

namespace velmora_1_0 {

namespace {

ddb_2_2::string nestedTable(const dd_sarvik_2_2::Result& result, const SarvikDataSource& rowBy)
{
    const dd_sarvik_2_2::dd_attribute_table_data_retriever retriever(
        result.get_database(), engineString(rowBy.attributeTable + "." + rowBy.attributeName));
    ddb_2_2::string name;
    retriever.get_nested_table_name(name);
    return name;
}

} // namespace

RowSummaryReader::RowSummaryReader(const dd_sarvik_2_2::Result& result, const SarvikDataSource& rowBy)
    : m_result(result), m_rowBy(rowBy)
{
}

int RowSummaryReader::rowCount(const dd_sarvik_2_2::Result& result, const SarvikDataSource& rowBy)
{
    dd_sarvik_2_2::dd_attribute_table table;
    table.initialize(nestedTable(result, rowBy), result.get_database());
    return static_cast<int>(table.size());
}

void RowSummaryReader::summary(int rowCount, const TickClock& clock,
                               std::vector<tarquel_1_0::DataProvider::SummaryInfo>& out) const
{
    const ddb_2_2::database& db = m_result.get_database();
    const ddb_2_2::string nested = nestedTable(m_result, m_rowBy);
    dd_sarvik_2_2::dd_attribute_table table;
    table.initialize(nested, db, true);
    const dd_sarvik_2_2::dd_attribute_table_data_retriever names(db, engineString(m_rowBy.attributeTable + "." + m_rowBy.attributeName));
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    dd_sarvik_2_2::dd_band::get_band_min_max(first, last, db);
    const dd_sarvik_2_2::dd_band_table lifetimes(db);
    const dd_sarvik_2_2::dd_band_obj* band = lifetimes.begin();
    for (int row = 0; row < rowCount; ++row) {
        tarquel_1_0::DataProvider::SummaryInfo line;
        line.row = static_cast<short>(row);
        line.name = names.get_value(ddb_2_2::index(row)).to_string().str();
        // Rows without a lifetime of their own span the whole band range.
        if (band != lifetimes.end() && band->table == nested) {
            line.start = clock.nanoseconds(band->start);
            line.end = clock.nanoseconds(band->end);
            ++band;
        } else {
            line.start = clock.nanoseconds(first);
            line.end = clock.nanoseconds(last);
        }
        out.push_back(line);
    }
}

void RowSummaryReader::visibleRows(std::vector<int>& rows) const
{
    const ddb_2_2::database& db = m_result.get_database();
    const ddb_2_2::string table = engineString(m_rowBy.attributeTable);
    const dd_sarvik_2_2::dd_filter_eval eval(db);
    dd_sarvik_2_2::reduced_attribute_filter filter;
    eval.reduce_profile_filter(table, filter);
    const dd_sarvik_2_2::dd_band_table lifetimes(db);
    if (!lifetimes.empty() && lifetimes[0].table == table) {
        int number = 0;
        for (const dd_sarvik_2_2::dd_band_obj& band : lifetimes) {
            if (band.index.get() >= 0 && filter.check_filter(band.index))
                rows.push_back(number);
            ++number;
        }
        return;
    }
    dd_sarvik_2_2::dd_attribute_table instances;
    instances.initialize(table, db);
    for (std::size_t i = 0; i < instances.size(); ++i)
        if (filter.check_filter(ddb_2_2::index(static_cast<std::int32_t>(i))))
            rows.push_back(static_cast<int>(i));
}

} // namespace velmora_1_0
