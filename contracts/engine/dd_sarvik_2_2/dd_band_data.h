#pragma once
// The stored objects of one band table, as the database holds it under the table's name.
//
// Built when a result is opened, and by engine code that stores a table at run time (the filter
// display stores its per-row intervals as a single-band table):
//     db.add_table(name, std::make_shared<dd_band_data>(dd_band_kind::single_band, attrTable,
//                                                       keyName, keyValue, std::move(records)));
// Records are sorted by (row, start) on construction (global tables by start). Immutable after.

#include <dd_sarvik_2_2/dd_band_objects.h>
#include <dd_sarvik_2_2/dd_row_ranges.h>
#include <ddb_2_2/table.h>
#include <engine_export.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_band_data : public ddb_2_2::table {
public:
    dd_band_data(dd_band_kind kind, ddb_2_2::string attributeTable, ddb_2_2::string keyName,
                 std::int32_t keyValue, std::vector<dd_band_record> records);

    ddb_2_2::string get_type_name() const override;

    dd_band_kind kind() const { return m_kind; }
    const ddb_2_2::string& attribute_table() const { return m_attributeTable; }
    const ddb_2_2::string& key_name() const { return m_keyName; }
    std::int32_t key_value() const { return m_keyValue; }
    const std::vector<dd_band_record>& records() const { return m_records; }

    /// Rows that have objects, ascending (global tables: none).
    const std::vector<std::int32_t>& rows() const { return m_rows.rows(); }
    /// [begin, end) into records() of one row's objects; global tables: all objects for any row.
    std::pair<std::size_t, std::size_t> row_range(std::int32_t row) const;

    /// The attribute table a result names like this band table (a band of events and the table of
    /// those events' attributes often share a name). The band takes the name in the database and
    /// carries the attribute table, which attribute lookups by that name then find.
    void set_namesake_attributes(std::shared_ptr<const ddb_2_2::table> attributes) { m_namesake = std::move(attributes); }
    const std::shared_ptr<const ddb_2_2::table>& get_namesake_attributes() const { return m_namesake; }

private:
    dd_band_kind m_kind;
    ddb_2_2::string m_attributeTable;
    ddb_2_2::string m_keyName;
    std::int32_t m_keyValue;
    std::vector<dd_band_record> m_records;
    dd_row_ranges m_rows;   // empty for global tables
    std::shared_ptr<const ddb_2_2::table> m_namesake;
};

}  // namespace dd_sarvik_2_2
