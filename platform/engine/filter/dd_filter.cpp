#include <dd_sarvik_2_2/filter/dd_filter.h>

#include <dd_sarvik_2_2/filter/dd_filter_store.h>

namespace dd_sarvik_2_2 {

dd_filter::dd_filter(ddb_2_2::database& db, ddb_2_2::string name)
    : m_store(dd_filter_store::attach(db)), m_name(std::move(name))
{
}

void dd_filter::clear_filters()
{
    m_store->clear_filter(m_name);
}

void dd_filter::add_time_filter(std::uint64_t startTick, std::uint64_t endTick)
{
    m_store->add_time_items(m_name, {dd_time_filter(startTick, endTick)});
}

void dd_filter::add_profile_filter(const std::vector<dd_attribute_filter>& items)
{
    m_store->add_profile_items(m_name, items);
}

bool dd_filter::has_filters() const
{
    return m_store->get_state(m_name)->has_filters();
}

bool dd_filter::has_time_filters() const
{
    return !m_store->get_state(m_name)->time_items.empty();
}

bool dd_filter::has_profile_filters() const
{
    return !m_store->get_state(m_name)->profile_items.empty();
}

std::vector<dd_time_filter> dd_filter::get_time_filters() const
{
    return m_store->get_state(m_name)->time_items;
}

std::vector<dd_attribute_filter> dd_filter::get_profile_filters() const
{
    return m_store->get_state(m_name)->profile_items;
}

std::uint64_t dd_filter::get_profile_ts() const
{
    return m_store->get_state(m_name)->profile_ts;
}

std::uint64_t dd_filter::get_time_ts() const
{
    return m_store->get_state(m_name)->time_ts;
}

bool dd_filter::check_timestamp(std::uint64_t profileTs, std::uint64_t timeTs) const
{
    const auto state = m_store->get_state(m_name);
    return state->profile_ts == profileTs && state->time_ts == timeTs;
}

}  // namespace dd_sarvik_2_2
