#include "sarvik/AttributeTableData.h"

#include <utility>

namespace dd_sarvik_2_2 {

namespace {
const store::StoredValue absentValue;
}

AttributeTableData::AttributeTableData(store::AttributeTableRecord record) : m_record(std::move(record)) {}

int AttributeTableData::columnOf(const std::wstring& column) const
{
    for (std::size_t i = 0; i < m_record.columns.size(); ++i)
        if (m_record.columns[i].name == column)
            return static_cast<int>(i);
    return -1;
}

const store::StoredValue& AttributeTableData::value(std::size_t instance, int column) const
{
    if (instance >= m_record.instances.size() || column < 0)
        return absentValue;
    const auto& values = m_record.instances[instance];
    return static_cast<std::size_t>(column) < values.size() ? values[column] : absentValue;
}

}  // namespace dd_sarvik_2_2
