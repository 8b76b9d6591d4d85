#include <dd_sarvik_2_2/dd_utility.h>

namespace dd_sarvik_2_2 {

bool dd_utility::check_instance_data_exist(const ddb_2_2::string& instanceTable,
                                           const ddb_2_2::string& attributeTable, const ddb_2_2::database& db)
{
    if (instanceTable.empty() || !db.has_table(instanceTable))
        return false;
    if (attributeTable.empty() || db.has_table(attributeTable))
        return true;
    // Timed series are stored as "<table>.<attribute>": the table exists through them.
    const std::wstring prefix = attributeTable.str() + L".";
    for (const ddb_2_2::string& name : db.get_table_names())
        if (name.str().compare(0, prefix.size(), prefix) == 0)
            return true;
    return false;
}

}  // namespace dd_sarvik_2_2
