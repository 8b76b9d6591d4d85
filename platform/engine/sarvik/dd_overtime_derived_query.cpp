#include <dd_sarvik_2_2/dd_overtime_derived_query.h>

#include "sarvik/RpnEvaluator.h"

namespace dd_sarvik_2_2 {

void dd_overtime_derived_query::add_query(const dd_overtime_query& query)
{
    m_queries.push_back(query);
    dd_overtime_query& added = m_queries.back();
    if (m_filtersRemoved)
        added.clear_filters();
    for (const auto& name : m_extraFilters)
        added.add_filter(name);
    if (m_count > 0)
        added.set_data_width(m_start, m_end, m_count);
    if (m_rowCount >= 0)
        added.set_row_range(m_firstRow, m_rowCount);
}

void dd_overtime_derived_query::remove_filters()
{
    m_filtersRemoved = true;
    m_extraFilters.clear();
    for (auto& query : m_queries)
        query.clear_filters();
}

void dd_overtime_derived_query::add_filter(const ddb_2_2::string& name)
{
    m_extraFilters.push_back(name);
    for (auto& query : m_queries)
        query.add_filter(name);
}

void dd_overtime_derived_query::set_data_width(std::uint64_t start, std::uint64_t end, int count)
{
    m_start = start;
    m_end = end;
    m_count = count;
    for (auto& query : m_queries)
        query.set_data_width(start, end, count);
}

void dd_overtime_derived_query::set_row_range(std::int32_t first, std::int32_t count)
{
    m_firstRow = first;
    m_rowCount = count;
    for (auto& query : m_queries)
        query.set_row_range(first, count);
}

bool dd_overtime_derived_query::is_valid() const
{
    return RpnEvaluator::isValid(m_expression, m_queries.size());
}

}  // namespace dd_sarvik_2_2
