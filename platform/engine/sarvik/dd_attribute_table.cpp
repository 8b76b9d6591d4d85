#include <dd_sarvik_2_2/dd_attribute_table.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>

#include "sarvik/AttributePath.h"

namespace dd_sarvik_2_2 {

bool dd_attribute_table::initialize(const ddb_2_2::string& name, const ddb_2_2::database& db, bool nested)
{
    ddb_2_2::string tableName = name;
    if (nested) {
        if (auto path = AttributePath::resolve(db, name.str()))
            tableName = path->nestedTableName();
    }
    auto data = AttributeTableData::find(db, tableName.str());
    if (!data)
        return false;
    m_data = std::move(data);
    m_name = tableName;
    return true;
}

std::size_t dd_attribute_table::size() const
{
    return m_data ? m_data->size() : 0;
}

bool dd_attribute_table::get_key_iterator(key_iterator& it) const
{
    it.m_valid = m_data != nullptr;
    it.m_position = 0;
    it.m_size = size();
    return it.m_valid;
}

std::vector<ddb_2_2::string> dd_attribute_table::get_attribute_names() const
{
    std::vector<ddb_2_2::string> names;
    if (m_data)
        for (int c = 0; c < m_data->columnCount(); ++c)
            names.emplace_back(m_data->column(c).name);
    return names;
}

dd_attribute_table_data_retriever::dd_attribute_table_data_retriever() = default;

dd_attribute_table_data_retriever::dd_attribute_table_data_retriever(const ddb_2_2::database& db,
                                                                     const ddb_2_2::string& path)
{
    initialize(db, path);
}

dd_attribute_table_data_retriever::~dd_attribute_table_data_retriever() = default;

bool dd_attribute_table_data_retriever::initialize(const ddb_2_2::database& db, const ddb_2_2::string& path)
{
    auto resolved = AttributePath::resolve(db, path.str());
    m_path = resolved ? std::make_shared<const AttributePath>(std::move(*resolved)) : nullptr;
    return m_path != nullptr;
}

ddb_2_2::variant dd_attribute_table_data_retriever::get_value(const ddb_2_2::index& instance) const
{
    if (!m_path || instance.get() < 0)
        return {};
    return AttributePath::toVariant(m_path->value(static_cast<std::size_t>(instance.get())));
}

bool dd_attribute_table_data_retriever::get_nested_table_name(ddb_2_2::string& name) const
{
    if (!m_path)
        return false;
    name = m_path->nestedTableName();
    return true;
}

}  // namespace dd_sarvik_2_2
