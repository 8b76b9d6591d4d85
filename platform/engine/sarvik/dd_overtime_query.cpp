#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>

#include <algorithm>
#include <string>

namespace dd_sarvik_2_2 {

dd_overtime_query::dd_overtime_query()
{
    add_filter(dd_filter::global_name);
}

bool dd_overtime_query::init(const ddb_2_2::string& table, const ddb_2_2::string& instanceTable,
                             const ddb_2_2::string& attributePath)
{
    if (attributePath.empty())
        return false;
    m_restrictions.assign(1, restriction{table, instanceTable, attributePath, {}, false});
    return true;
}

bool dd_overtime_query::init(const ddb_2_2::string& table, const ddb_2_2::string& instanceTable,
                             const ddb_2_2::string& attributePath, const ddb_2_2::variant& value)
{
    if (!init(table, instanceTable, attributePath))
        return false;
    m_restrictions.front().value = value;
    m_restrictions.front().has_value = true;
    return true;
}

dd_overtime_query& dd_overtime_query::operator+=(const dd_overtime_query& sub)
{
    m_restrictions.insert(m_restrictions.end(), sub.m_restrictions.begin(), sub.m_restrictions.end());
    return *this;
}

void dd_overtime_query::set_data_width(std::uint64_t start, std::uint64_t end, int count)
{
    m_start = start;
    m_end = end;
    m_count = count;
}

void dd_overtime_query::add_filter(const ddb_2_2::string& name)
{
    if (std::find(m_filters.begin(), m_filters.end(), name) == m_filters.end())
        m_filters.push_back(name);
}

void dd_overtime_query::set_axis_instance_and_attr(const ddb_2_2::string& attributeTable,
                                                   const ddb_2_2::string& instanceTable)
{
    m_axisTable = attributeTable;
    m_axisInstanceTable = instanceTable;
}

void dd_overtime_query::set_row_range(std::int32_t first, std::int32_t count)
{
    m_firstRow = std::max(first, 0);
    m_rowCount = count;
}

ddb_2_2::string dd_overtime_query::get_signature() const
{
    std::wstring text = std::to_wstring(m_source) + L'|' + std::to_wstring(m_start) + L'|' +
                        std::to_wstring(m_end) + L'|' + std::to_wstring(m_count) + L'|' +
                        m_axisTable.str();
    if (m_rowCount >= 0)
        text += L"|rows:" + std::to_wstring(m_firstRow) + L'+' + std::to_wstring(m_rowCount);
    for (const auto& filter : m_filters)
        text += L"|f:" + filter.str();
    for (const auto& r : m_restrictions) {
        text += L"|r:" + r.instance_table.str() + L':' + r.attribute_path.str();
        if (r.has_value)
            text += L'=' + std::to_wstring(r.value.get_type()) + L':' + r.value.to_string().str();
    }
    return text;
}

}  // namespace dd_sarvik_2_2
