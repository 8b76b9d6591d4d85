#pragma once
// Reader of the band table of row lifetimes ("dd_band"): one dd_band_obj per timeline row, in
// row order, naming the attribute-table instance the row stands for and when it lived.
//
//     dd_band_table band(database);                  // every lifetime
//     dd_band_table threads(database, L"dd_thread"); // only lifetimes of "dd_thread" instances
//     for (const dd_band_obj& row : band) ...
//
// The reader keeps the table alive while it exists.

#include <dd_sarvik_2_2/dd_band_objects.h>
#include <ddb_2_2/database.h>
#include <engine_export.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_band_table {
public:
    static const wchar_t* const table_name;   // "dd_band"

    explicit dd_band_table(const ddb_2_2::database& db);
    dd_band_table(const ddb_2_2::database& db, const ddb_2_2::string& attributeTable);

    std::size_t size() const { return m_objects ? m_objects->size() : 0; }
    bool empty() const { return size() == 0; }
    const dd_band_obj* begin() const { return m_objects ? m_objects->data() : nullptr; }
    const dd_band_obj* end() const { return begin() + size(); }
    const dd_band_obj& operator[](std::size_t i) const { return (*m_objects)[i]; }

    /// The attribute table of the rows: the one asked for, else that of the first lifetime.
    ddb_2_2::string get_attribute_table() const;

private:
    std::shared_ptr<const std::vector<dd_band_obj>> m_objects;
    ddb_2_2::string m_attributeTable;
};

}  // namespace dd_sarvik_2_2
