#include <dd_sarvik_2_2/filter/dd_filter_timestamp_list.h>

#include <dd_sarvik_2_2/filter/dd_filter_store.h>

namespace dd_sarvik_2_2 {

std::vector<dd_filter_timestamp> dd_filter_timestamp_list::get_filter_timestamps(const ddb_2_2::string& name,
                                                                                 const ddb_2_2::database& db)
{
    const auto store = dd_filter_store::find(db);
    return store ? store->get_displays().get_saved_timestamps(name) : std::vector<dd_filter_timestamp>();
}

dd_filter_timestamp_list::dd_filter_timestamp_list(ddb_2_2::string name, std::uint64_t profileTs,
                                                   std::uint64_t timeTs, ddb_2_2::string filterName)
    : m_name(std::move(name))
{
    m_timestamps.emplace_back(std::move(filterName), profileTs, timeTs);
}

void dd_filter_timestamp_list::set_filter_timestamp(ddb_2_2::database& db) const
{
    dd_filter_store::attach(db)->get_displays().set_saved_timestamps(m_name, m_timestamps);
}

}  // namespace dd_sarvik_2_2
