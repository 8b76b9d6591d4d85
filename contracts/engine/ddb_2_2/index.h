#pragma once
// The position of an instance (a row) in a table, as the engine's queries take it.

#include <cstdint>

namespace ddb_2_2 {

class index {
public:
    index() = default;
    explicit index(std::int32_t value) : m_value(value) {}

    std::int32_t get() const { return m_value; }
    void set(std::int32_t value) { m_value = value; }

    friend bool operator==(index a, index b) { return a.m_value == b.m_value; }
    friend bool operator!=(index a, index b) { return a.m_value != b.m_value; }
    friend bool operator<(index a, index b) { return a.m_value < b.m_value; }

private:
    std::int32_t m_value = 0;
};

}  // namespace ddb_2_2
