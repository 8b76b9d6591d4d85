#include "provider/ItemFactsReader.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_attribute_table.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>
#include <dd_sarvik_2_2/dd_band_table.h>
#include <dd_sarvik_2_2/dd_global_band2_table.h>
#include <dd_sarvik_2_2/dd_global_band_table.h>
#include <dd_sarvik_2_2/dd_single_band_table.h>
#include <dd_sarvik_2_2/dd_single_multi_band_table.h>

namespace velmora_1_0 {

namespace {

// Band tables come in four kinds, each opened by its own reader; only the matching one opens.
template <class Table>
bool openedAs(const ddb_2_2::database& db, const ddb_2_2::string& band, ddb_2_2::string& attributes)
{
    Table table;
    if (!table.initialize(band, db))
        return false;
    attributes = table.get_attribute_table();
    return true;
}

} // namespace

std::wstring ItemFactsReader::attributeTableOf(const std::wstring& bandTable) const
{
    const ddb_2_2::database& db = m_result.get_database();
    const ddb_2_2::string band(bandTable);
    ddb_2_2::string attributes;
    const bool found = openedAs<dd_sarvik_2_2::dd_single_band_table>(db, band, attributes) ||
                       openedAs<dd_sarvik_2_2::dd_single_multi_band_table>(db, band, attributes) ||
                       openedAs<dd_sarvik_2_2::dd_global_band_table>(db, band, attributes) ||
                       openedAs<dd_sarvik_2_2::dd_global_band2_table>(db, band, attributes);
    return found ? attributes.str() : std::wstring();
}

std::vector<ItemFactsReader::Fact> ItemFactsReader::instanceFacts(const std::wstring& bandTable, int instance) const
{
    const std::wstring attributes = attributeTableOf(bandTable);
    return attributes.empty() ? std::vector<Fact>() : factsOf(attributes, instance);
}

std::vector<ItemFactsReader::Fact> ItemFactsReader::rowFacts(int row) const
{
    const dd_sarvik_2_2::dd_band_table lifetimes(m_result.get_database());
    if (row < 0 || static_cast<std::size_t>(row) >= lifetimes.size())
        return {};
    const dd_sarvik_2_2::dd_band_obj& lifetime = lifetimes[static_cast<std::size_t>(row)];
    return factsOf(lifetime.table.str(), lifetime.index.get());
}

std::vector<ItemFactsReader::Fact> ItemFactsReader::factsOf(const std::wstring& attributeTable, int instance) const
{
    std::vector<Fact> facts;
    const ddb_2_2::database& db = m_result.get_database();
    dd_sarvik_2_2::dd_attribute_table table;
    if (instance < 0 || !table.initialize(ddb_2_2::string(attributeTable), db))
        return facts;
    for (const ddb_2_2::string& column : table.get_attribute_names()) {
        ddb_2_2::string path = ddb_2_2::string(attributeTable) + ddb_2_2::string(L".") + column;
        // A reference shows the referenced instance by its first attribute.
        ddb_2_2::string referenced;
        const dd_sarvik_2_2::dd_attribute_table_data_retriever reference(db, path);
        dd_sarvik_2_2::dd_attribute_table target;
        if (reference.get_nested_table_name(referenced) && referenced != ddb_2_2::string(attributeTable) &&
            target.initialize(referenced, db) && !target.get_attribute_names().empty())
            path = path + ddb_2_2::string(L".") + target.get_attribute_names().front();
        const ddb_2_2::variant value =
            dd_sarvik_2_2::dd_attribute_table_data_retriever(db, path).get_value(ddb_2_2::index(instance));
        if (value.is_nil())
            continue;
        const std::wstring text = value.to_string().str();
        if (!text.empty())
            facts.push_back({column.str(), text});
    }
    return facts;
}

} // namespace velmora_1_0
