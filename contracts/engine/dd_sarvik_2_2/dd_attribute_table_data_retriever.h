#pragma once
// Reads the value of an attribute path for instances of the path's first table.
//
// A path is a table name followed by column names, "dd_wait.signal_cs.bottom_user_cs": each
// column but the last must reference another table, whose instance the walk continues with.
// The value of a path that names only a table is the instance's own index.
//
//     dd_attribute_table_data_retriever names(database, L"dd_thread.name");
//     ddb_2_2::variant name = names.get_value(ddb_2_2::index(3));   // nil when absent

#include <ddb_2_2/database.h>
#include <ddb_2_2/index.h>
#include <ddb_2_2/variant.h>
#include <engine_export.h>

#include <memory>

namespace dd_sarvik_2_2 {

class AttributePath;

class SARVIK_API dd_attribute_table_data_retriever {
public:
    dd_attribute_table_data_retriever();
    dd_attribute_table_data_retriever(const ddb_2_2::database& db, const ddb_2_2::string& path);
    ~dd_attribute_table_data_retriever();

    /// False when a table or column of the path does not exist (then every value is nil).
    bool initialize(const ddb_2_2::database& db, const ddb_2_2::string& path);
    bool is_valid() const { return m_path != nullptr; }

    /// Nil when the path is invalid, the instance is out of range or a step has no value.
    ddb_2_2::variant get_value(const ddb_2_2::index& instance) const;

    /// The table the path ends in: the referenced table when the last column references one,
    /// else the table holding the last column. False (name untouched) when the path is invalid.
    bool get_nested_table_name(ddb_2_2::string& name) const;

private:
    std::shared_ptr<const AttributePath> m_path;
};

}  // namespace dd_sarvik_2_2
