#pragma once
// The key of one row's objects in a per-row band table: the row index, the table's key name and
// its 32-bit integer. Readers copy a table's first key and replace the index to address a row.

#include <ddb_2_2/index.h>
#include <ddb_2_2/string.h>

#include <cstdint>

namespace dd_sarvik_2_2 {

class dd_band_timeline_key {
public:
    dd_band_timeline_key() = default;
    dd_band_timeline_key(ddb_2_2::index index, ddb_2_2::string name, std::int32_t value)
        : m_index(index), m_name(std::move(name)), m_value(value)
    {
    }

    ddb_2_2::index get_index() const { return m_index; }
    void set_index(ddb_2_2::index index) { m_index = index; }
    const ddb_2_2::string& get_name() const { return m_name; }
    std::int32_t get_value() const { return m_value; }

private:
    ddb_2_2::index m_index{-1};
    ddb_2_2::string m_name;
    std::int32_t m_value = 0;
};

}  // namespace dd_sarvik_2_2
