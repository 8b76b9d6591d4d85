#include <dd_sarvik_2_2/dd_band_object_table.h>

#include <tuple>

namespace dd_sarvik_2_2 {

dd_band_timeline_key dd_band_object_table::key_iterator::operator*() const
{
    return dd_band_timeline_key(ddb_2_2::index(m_data->rows()[m_position]), m_data->key_name(),
                                m_data->key_value());
}

bool dd_band_object_table::open(const ddb_2_2::string& name, const ddb_2_2::database& db, dd_band_kind kind)
{
    auto data = std::dynamic_pointer_cast<const dd_band_data>(db.get_table(name));
    if (!data || data->kind() != kind)
        return false;
    m_data = std::move(data);
    m_name = name;
    return true;
}

bool dd_band_object_table::get_key_iterator(key_iterator& it) const
{
    it.m_data = m_data;
    it.m_position = 0;
    return m_data != nullptr;
}

ddb_2_2::string dd_band_object_table::get_attribute_table() const
{
    return m_data ? m_data->attribute_table() : ddb_2_2::string();
}

std::size_t dd_band_object_table::size() const
{
    return m_data ? m_data->records().size() : 0;
}

bool dd_band_object_table::answers(const dd_global_timeline_key& key) const
{
    return m_data && (key.get_name() == m_data->key_name() || key.get_name() == m_data->attribute_table());
}

bool dd_band_object_table::row_range(std::int32_t row, std::size_t& begin, std::size_t& end) const
{
    if (!m_data)
        return false;
    std::tie(begin, end) = m_data->row_range(row);
    return true;
}

}  // namespace dd_sarvik_2_2
