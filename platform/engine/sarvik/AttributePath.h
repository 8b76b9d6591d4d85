#pragma once
// An attribute path resolved against a database: the chain of tables and columns from the
// path's first table to its final attribute. Immutable and shareable across threads; the tables
// stay alive as long as the path does.

#include "sarvik/AttributeTableData.h"

#include <ddb_2_2/database.h>
#include <ddb_2_2/variant.h>

#include <memory>
#include <optional>
#include <vector>

namespace dd_sarvik_2_2 {

class AttributePath {
public:
    /// Empty when a table or column is missing or a non-final column references nothing.
    static std::optional<AttributePath> resolve(const ddb_2_2::database& db, const std::wstring& path);

    const AttributeTableData& firstTable() const { return *m_tables.front(); }
    const std::wstring& nestedTableName() const { return m_nestedTable; }

    /// The final value for an instance of the first table: monostate when absent; a path that
    /// names only a table gives the instance index itself.
    store::StoredValue value(std::size_t instance) const;

    static ddb_2_2::variant toVariant(const store::StoredValue& value);

private:
    std::vector<std::shared_ptr<const AttributeTableData>> m_tables;   // one per step
    std::vector<int> m_columns;                                         // one per step
    std::wstring m_nestedTable;
};

}  // namespace dd_sarvik_2_2
