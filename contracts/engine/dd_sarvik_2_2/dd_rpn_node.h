#pragma once
#include <ddb_2_2/string.h>
#include <ddb_2_2/variant.h>

#include <utility>
#include <vector>

namespace dd_sarvik_2_2 {

// What a database-reference node of a derived expression reads: an over-time query of the
// given kind made of one sub-query per entry, in entry order. The first entry names the
// query's own tables; each further entry is a restriction: with a qualifier, the instances
// whose attribute name.qualifier equals value; without one, the data of its tables.
class dd_rpn_node_param_db_ref_t {
public:
    enum kind_t : int { kind_none = 0, kind_count = 1, kind_instance_count = 2, kind_time = 3 };

    struct entry_t {
        ddb_2_2::string name;
        ddb_2_2::string table;
        ddb_2_2::string qualifier;
        ddb_2_2::variant value;

        friend bool operator==(const entry_t& a, const entry_t& b)
        {
            return a.name == b.name && a.table == b.table && a.qualifier == b.qualifier && a.value == b.value;
        }
    };

    dd_rpn_node_param_db_ref_t() = default;
    explicit dd_rpn_node_param_db_ref_t(int kind) : m_kind(kind) {}

    int get_kind() const { return m_kind; }
    void set_kind(int kind) { m_kind = kind; }
    const std::vector<entry_t>& get_entries() const { return m_entries; }
    void add_entry(entry_t entry) { m_entries.push_back(std::move(entry)); }

    friend bool operator==(const dd_rpn_node_param_db_ref_t& a, const dd_rpn_node_param_db_ref_t& b)
    {
        return a.m_kind == b.m_kind && a.m_entries == b.m_entries;
    }

private:
    int m_kind = kind_none;
    std::vector<entry_t> m_entries;
};

// One token of a reverse-Polish expression: a constant, a binary operator applied to the two
// values below it on the stack (the lower one is the left operand), or a database reference.
// A plain value; the engine evaluates a vector of them per row and bucket.
class dd_rpn_node_t {
public:
    enum type_t : int {
        type_constant = 1,
        type_add = 2,
        type_subtract = 3,
        type_multiply = 4,
        type_divide = 5,
        type_db_ref = 11,
    };

    static dd_rpn_node_t make_constant(double value)
    {
        dd_rpn_node_t node(type_constant);
        node.m_constant = value;
        return node;
    }
    // type is one of the four operator types.
    static dd_rpn_node_t make_operator(type_t type) { return dd_rpn_node_t(type); }
    static dd_rpn_node_t make_db_ref(dd_rpn_node_param_db_ref_t params)
    {
        dd_rpn_node_t node(type_db_ref);
        node.m_params = std::move(params);
        return node;
    }

    int get_type() const { return m_type; }
    bool is_operator() const { return m_type >= type_add && m_type <= type_divide; }
    // Meaningful for type_constant only.
    double get_constant() const { return m_constant; }
    // Meaningful for type_db_ref only.
    const dd_rpn_node_param_db_ref_t& get_params() const { return m_params; }

    // Fields that do not belong to the node's type are always at their defaults, so they
    // compare equal.
    friend bool operator==(const dd_rpn_node_t& a, const dd_rpn_node_t& b)
    {
        return a.m_type == b.m_type && a.m_constant == b.m_constant && a.m_params == b.m_params;
    }
    friend bool operator!=(const dd_rpn_node_t& a, const dd_rpn_node_t& b) { return !(a == b); }

private:
    explicit dd_rpn_node_t(type_t type) : m_type(type) {}

    int m_type;
    double m_constant = 0.0;
    dd_rpn_node_param_db_ref_t m_params;
};

} // namespace dd_sarvik_2_2
