#include "sarvik/OverTimeKeys.h"

#include <limits>

namespace dd_sarvik_2_2 {

namespace {
constexpr std::uint64_t markerRow = std::numeric_limits<std::uint64_t>::max();
}  // namespace

OverTimeKeys::OverTimeKeys(const dd_overtime_query& query) : m_query(query), m_signature(query.get_signature()) {}

dd_overtime_data::key OverTimeKeys::row(std::int32_t row) const
{
    dd_overtime_data::key key;
    if (!m_query.get_axis_table().empty())
        key.rows[0].push_back(ddb_2_2::variant(row));
    const auto& restrictions = m_query.get_restrictions();
    for (std::size_t i = 0; i < restrictions.size() && i + 1 < key.rows.size(); ++i)
        key.rows[i + 1].push_back(restrictions[i].has_value ? restrictions[i].value : ddb_2_2::variant());
    key.first_number = static_cast<std::uint64_t>(static_cast<std::int64_t>(row));
    key.second_number = static_cast<std::uint64_t>(m_query.get_data_source());
    key.first_name = m_query.get_axis_table();
    key.second_name = m_signature;
    return key;
}

dd_overtime_data::key OverTimeKeys::marker() const
{
    dd_overtime_data::key key;
    key.first_number = markerRow;
    key.second_number = static_cast<std::uint64_t>(m_query.get_data_source());
    key.first_name = m_query.get_axis_table();
    key.second_name = m_signature;
    return key;
}

}  // namespace dd_sarvik_2_2
