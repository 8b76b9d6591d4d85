#include <dd_sarvik_2_2/dd_band.h>
#include <dd_sarvik_2_2/dd_band_table.h>

#include "sarvik/LifetimeTableData.h"

#include <algorithm>

namespace dd_sarvik_2_2 {

namespace {
std::shared_ptr<const LifetimeTableData> lifetimes(const ddb_2_2::database& db)
{
    return std::dynamic_pointer_cast<const LifetimeTableData>(db.get_table(dd_band_table::table_name));
}
}  // namespace

const wchar_t* const dd_band_table::table_name = L"dd_band";

dd_band_table::dd_band_table(const ddb_2_2::database& db)
{
    if (auto data = lifetimes(db))
        m_objects = data->objects();
}

dd_band_table::dd_band_table(const ddb_2_2::database& db, const ddb_2_2::string& attributeTable)
    : m_attributeTable(attributeTable)
{
    auto data = lifetimes(db);
    if (!data)
        return;
    const auto& all = *data->objects();
    if (std::all_of(all.begin(), all.end(), [&](const dd_band_obj& o) { return o.table == attributeTable; })) {
        m_objects = data->objects();
        return;
    }
    auto some = std::make_shared<std::vector<dd_band_obj>>();
    std::copy_if(all.begin(), all.end(), std::back_inserter(*some),
                 [&](const dd_band_obj& o) { return o.table == attributeTable; });
    m_objects = std::move(some);
}

ddb_2_2::string dd_band_table::get_attribute_table() const
{
    if (!m_attributeTable.empty() || empty())
        return m_attributeTable;
    return m_objects->front().table;
}

bool dd_band::get_band_min_max(std::uint64_t& start, std::uint64_t& end, const ddb_2_2::database& db)
{
    auto data = lifetimes(db);
    if (!data)
        return false;
    start = data->minStart();
    end = data->maxEnd();
    return true;
}

}  // namespace dd_sarvik_2_2
