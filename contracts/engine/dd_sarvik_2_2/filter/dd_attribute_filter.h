#pragma once
// dd_attribute_filter: one profile item of a filter. It names a table (`table`, e.g. "dd_thread",
// or an attribute path such as "dd_wait.wait_cs.bottom_user_cs"), the table the instances were
// picked from (`instance_table`, e.g. "dd_band"; informative) and a value: an instance index of
// `table` as an integer, or an attribute value as a variant. The item matches an instance whose
// index (or value) equals it; a negated item excludes what it matches. Built by the pane when the
// user selects rows or items; dd_filter::add_profile_filter stores a list of them.

#include <ddb_2_2/string.h>
#include <ddb_2_2/variant.h>

#include <cstdint>

namespace dd_sarvik_2_2 {

class dd_attribute_filter {
public:
    enum operation_t : std::int32_t {
        op_equal = 0,   // the only comparison filters are written with
    };

    dd_attribute_filter() = default;
    dd_attribute_filter(ddb_2_2::string table, ddb_2_2::string instanceTable, std::int64_t value,
                        operation_t operation = op_equal, bool negated = false)
        : dd_attribute_filter(std::move(table), std::move(instanceTable), ddb_2_2::variant(value),
                              operation, negated)
    {
    }
    dd_attribute_filter(ddb_2_2::string table, ddb_2_2::string instanceTable, ddb_2_2::variant value,
                        operation_t operation = op_equal, bool negated = false)
        : m_table(std::move(table)),
          m_instanceTable(std::move(instanceTable)),
          m_value(std::move(value)),
          m_operation(operation),
          m_negated(negated)
    {
    }

    const ddb_2_2::string& get_table() const { return m_table; }
    const ddb_2_2::string& get_instance_table() const { return m_instanceTable; }
    const ddb_2_2::variant& get_value() const { return m_value; }
    operation_t get_operation() const { return m_operation; }
    bool is_negated() const { return m_negated; }

    friend bool operator==(const dd_attribute_filter& a, const dd_attribute_filter& b)
    {
        return a.m_table == b.m_table && a.m_instanceTable == b.m_instanceTable &&
               a.m_value == b.m_value && a.m_operation == b.m_operation && a.m_negated == b.m_negated;
    }

private:
    ddb_2_2::string m_table;
    ddb_2_2::string m_instanceTable;
    ddb_2_2::variant m_value;
    operation_t m_operation = op_equal;
    bool m_negated = false;
};

}  // namespace dd_sarvik_2_2
