#include "store/ResultSchema.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>
#include "store/SqliteConnection.h"

#include <string>

namespace dd_sarvik_2_2 {
namespace store {

namespace {

struct TableDefinition {
    const char* name;
    const char* columns;
};

// Unsigned 64-bit ticks are kept as the signed integers SQLite stores, bit for bit.
const TableDefinition definitions[] = {
    {"schema_version", "(version INTEGER NOT NULL)"},
    {"result_info",
     "(name TEXT NOT NULL, time_origin INTEGER NOT NULL, tick_frequency INTEGER NOT NULL,"
     " duration INTEGER NOT NULL)"},
    {"attribute_table",
     "(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, instance_count INTEGER NOT NULL)"},
    {"attribute_column",
     "(table_id INTEGER NOT NULL, position INTEGER NOT NULL, name TEXT NOT NULL,"
     " referenced_table TEXT NOT NULL, PRIMARY KEY (table_id, position)) WITHOUT ROWID"},
    // Instances in chunks, like the bulky arrays: names of markers and functions run to a few
    // hundred thousand per large trace, and a row per value made them most of the writing time.
    {"attribute_chunk",
     "(table_id INTEGER NOT NULL, seq INTEGER NOT NULL, item_count INTEGER NOT NULL,"
     " data BLOB NOT NULL, PRIMARY KEY (table_id, seq)) WITHOUT ROWID"},
    {"lifetime",
     "(id INTEGER PRIMARY KEY, table_name TEXT NOT NULL, instance INTEGER NOT NULL,"
     " start INTEGER NOT NULL, end INTEGER NOT NULL)"},
    {"sample_table",
     "(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, attribute_table TEXT NOT NULL,"
     " item_count INTEGER NOT NULL)"},
    {"sample_chunk",
     "(table_id INTEGER NOT NULL, seq INTEGER NOT NULL, item_count INTEGER NOT NULL,"
     " data BLOB NOT NULL, PRIMARY KEY (table_id, seq)) WITHOUT ROWID"},
    {"band_table",
     "(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, kind INTEGER NOT NULL,"
     " attribute_table TEXT NOT NULL, key_name TEXT NOT NULL, key_value INTEGER NOT NULL,"
     " item_count INTEGER NOT NULL)"},
    {"band_chunk",
     "(table_id INTEGER NOT NULL, seq INTEGER NOT NULL, item_count INTEGER NOT NULL,"
     " data BLOB NOT NULL, PRIMARY KEY (table_id, seq)) WITHOUT ROWID"},
    {"timed_attribute",
     "(id INTEGER PRIMARY KEY, table_name TEXT NOT NULL, attribute TEXT NOT NULL,"
     " item_count INTEGER NOT NULL)"},
    {"timed_value_chunk",
     "(table_id INTEGER NOT NULL, seq INTEGER NOT NULL, item_count INTEGER NOT NULL,"
     " data BLOB NOT NULL, PRIMARY KEY (table_id, seq)) WITHOUT ROWID"},
};

}  // namespace

bool ResultSchema::create(SqliteConnection& connection)
{
    for (const TableDefinition& table : definitions) {
        const std::string sql = std::string("CREATE TABLE ") + table.name + ' ' + table.columns;
        if (!connection.execute(sql.c_str()))
            return false;
    }
    const std::string version = "INSERT INTO schema_version VALUES ("
        + std::to_string(ResultRecords::currentSchemaVersion) + ")";
    return connection.execute(version.c_str());
}

const std::vector<std::string>& ResultSchema::tableNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const TableDefinition& table : definitions)
            all.emplace_back(table.name);
        return all;
    }();
    return names;
}

}  // namespace store
}  // namespace dd_sarvik_2_2
