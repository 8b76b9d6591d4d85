#pragma once
// The instances of one attribute table as loaded from a result: named columns, one value per
// instance and column; a column may reference instances of another table (the value is then the
// referenced instance index). Immutable once built.

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <ddb_2_2/database.h>
#include <ddb_2_2/table.h>

#include <cstddef>
#include <memory>
#include <string>

namespace dd_sarvik_2_2 {

class AttributeTableData : public ddb_2_2::table {
public:
    explicit AttributeTableData(store::AttributeTableRecord record);

    ddb_2_2::string get_type_name() const override { return L"dd_attribute_obj"; }

    /// The attribute table called `name`: the table itself, or the one a band table of that
    /// name carries (see dd_band_data::set_namesake_attributes). Null when there is none.
    static std::shared_ptr<const AttributeTableData> find(const ddb_2_2::database& db, const std::wstring& name);

    const std::wstring& name() const { return m_record.name; }
    std::size_t size() const { return m_record.instances.size(); }
    /// Column position, or -1 when the table has no such column.
    int columnOf(const std::wstring& column) const;
    int columnCount() const { return static_cast<int>(m_record.columns.size()); }
    const store::AttributeColumn& column(int position) const { return m_record.columns[position]; }
    /// The value of one instance and column; absent (monostate) when either is out of range.
    const store::StoredValue& value(std::size_t instance, int column) const;

private:
    store::AttributeTableRecord m_record;
};

}  // namespace dd_sarvik_2_2
