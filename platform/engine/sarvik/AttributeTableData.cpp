#include "sarvik/AttributeTableData.h"

#include <dd_sarvik_2_2/dd_band_data.h>

#include <utility>

namespace dd_sarvik_2_2 {

namespace {
const store::StoredValue absentValue;
}

AttributeTableData::AttributeTableData(store::AttributeTableRecord record) : m_record(std::move(record)) {}

std::shared_ptr<const AttributeTableData> AttributeTableData::find(const ddb_2_2::database& db, const std::wstring& name)
{
    const std::shared_ptr<ddb_2_2::table> table = db.get_table(name);
    if (auto attributes = std::dynamic_pointer_cast<const AttributeTableData>(table))
        return attributes;
    if (auto band = std::dynamic_pointer_cast<const dd_band_data>(table))
        return std::dynamic_pointer_cast<const AttributeTableData>(band->get_namesake_attributes());
    return nullptr;
}

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
