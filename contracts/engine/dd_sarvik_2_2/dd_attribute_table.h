#pragma once
// Reader of an attribute table: its instances (keys 0 to size() - 1) and attribute names.
//
//     dd_attribute_table threads;
//     threads.initialize(L"dd_thread", database);
//     dd_attribute_table::key_iterator key;
//     for (threads.get_key_iterator(key); !key.at_end(); ++key) use(*key);
//
// Values are read through dd_attribute_table_data_retriever.

#include <ddb_2_2/database.h>
#include <ddb_2_2/index.h>
#include <engine_export.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace dd_sarvik_2_2 {

class AttributeTableData;

class SARVIK_API dd_attribute_table {
public:
    class key_iterator {
    public:
        bool valid() const { return m_valid; }
        bool at_end() const { return m_position >= m_size; }
        ddb_2_2::index operator*() const { return ddb_2_2::index(static_cast<std::int32_t>(m_position)); }
        key_iterator& operator++()
        {
            ++m_position;
            return *this;
        }

    private:
        friend class dd_attribute_table;
        bool m_valid = false;
        std::size_t m_position = 0;
        std::size_t m_size = 0;
    };

    /// Opens the table `name`. With `nested`, `name` may be an attribute path ("dd_thread.name",
    /// "dd_wait.signal_cs") and the table the path ends in is opened. False when not found.
    bool initialize(const ddb_2_2::string& name, const ddb_2_2::database& db, bool nested = false);

    /// Number of instances; 0 before a successful initialize.
    std::size_t size() const;
    bool get_key_iterator(key_iterator& it) const;
    const ddb_2_2::string& get_name() const { return m_name; }
    std::vector<ddb_2_2::string> get_attribute_names() const;

private:
    std::shared_ptr<const AttributeTableData> m_data;
    ddb_2_2::string m_name;
};

}  // namespace dd_sarvik_2_2
