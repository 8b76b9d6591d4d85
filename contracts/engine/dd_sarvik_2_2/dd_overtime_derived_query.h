#pragma once
// A derived over-time query: a reverse-Polish expression evaluated per row and per bucket, whose
// database-reference nodes (type 11) read over-time sub-queries.
//
// Build it with set_rpn_expression, then add_query once per database-reference node, in node
// order (the n-th reference node reads the n-th added query), then set_data_width, which applies
// to every added query. A reference node's value in a bucket is its query's amount in that
// bucket (not the running total): ticks, counts or active instances as the query's data source
// says. Constants push themselves; + - * / pop two values (the lower is the left operand) and
// push the result; a division by zero gives 0. Result::get_overtime_derived_data answers it.

#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/dd_rpn_node.h>
#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <cstdint>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_overtime_derived_query {
public:
    void set_rpn_expression(const std::vector<dd_rpn_node_t>& expression) { m_expression = expression; }
    const std::vector<dd_rpn_node_t>& get_rpn_expression() const { return m_expression; }

    void add_query(const dd_overtime_query& query);
    const std::vector<dd_overtime_query>& get_queries() const { return m_queries; }

    /// Clears the filters of every added query and of those added later.
    void remove_filters();
    void add_filter(const ddb_2_2::string& name);

    void set_data_width(std::uint64_t start, std::uint64_t end, int count);
    int get_count() const { return m_count; }

    /// Answers only the axis rows [first, first + count), as dd_overtime_query::set_row_range,
    /// for every added query and those added later.
    void set_row_range(std::int32_t first, std::int32_t count);

    /// Checks the expression: every node known, the stack never short, one value left, and one
    /// added query per reference node.
    bool is_valid() const;

private:
    std::vector<dd_rpn_node_t> m_expression;
    std::vector<dd_overtime_query> m_queries;
    std::vector<ddb_2_2::string> m_extraFilters;
    bool m_filtersRemoved = false;
    std::uint64_t m_start = 0;
    std::uint64_t m_end = 0;
    int m_count = 0;
    std::int32_t m_firstRow = 0;
    std::int32_t m_rowCount = -1;   // every row
};

}  // namespace dd_sarvik_2_2
