#include <dd_sarvik_2_2/filter/dd_filter_display_registry.h>

#include <algorithm>

namespace dd_sarvik_2_2 {

void dd_filter_display_registry::set_source(const ddb_2_2::string& display, std::vector<dd_filter_timestamp> source,
                                            const ddb_2_2::string& table)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto& record = m_records[display];
    record.source = std::move(source);
    if (std::find(record.tables.begin(), record.tables.end(), table) == record.tables.end())
        record.tables.push_back(table);
}

std::vector<dd_filter_timestamp> dd_filter_display_registry::get_source(const ddb_2_2::string& display) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    const auto it = m_records.find(display);
    return it == m_records.end() ? std::vector<dd_filter_timestamp>() : it->second.source;
}

std::vector<ddb_2_2::string> dd_filter_display_registry::forget(const ddb_2_2::string& display)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_savedTimestamps.erase(display);
    const auto it = m_records.find(display);
    if (it == m_records.end())
        return {};
    auto tables = std::move(it->second.tables);
    m_records.erase(it);
    return tables;
}

void dd_filter_display_registry::set_saved_timestamps(const ddb_2_2::string& display, std::vector<dd_filter_timestamp> stamps)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_savedTimestamps[display] = std::move(stamps);
}

std::vector<dd_filter_timestamp> dd_filter_display_registry::get_saved_timestamps(const ddb_2_2::string& display) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    const auto it = m_savedTimestamps.find(display);
    return it == m_savedTimestamps.end() ? std::vector<dd_filter_timestamp>() : it->second;
}

}  // namespace dd_sarvik_2_2
