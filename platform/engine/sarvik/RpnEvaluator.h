#pragma once
// Evaluates a reverse-Polish expression bucket by bucket. Database-reference nodes take, in node
// order, one value list each (the n-th reference node reads referenceValues[n]); constants push
// themselves; + - * / pop the right then the left operand; division by zero gives 0.

#include <dd_sarvik_2_2/dd_rpn_node.h>

#include <cstddef>
#include <vector>

namespace dd_sarvik_2_2 {

class RpnEvaluator {
public:
    /// Whether the expression leaves exactly one value, never pops an empty stack, knows every
    /// node type, and `references` lists match its reference nodes.
    static bool isValid(const std::vector<dd_rpn_node_t>& expression, std::size_t references);

    /// `count` values; false (out untouched) when the expression is not valid for the inputs.
    static bool evaluate(const std::vector<dd_rpn_node_t>& expression,
                         const std::vector<std::vector<double>>& referenceValues, std::size_t count,
                         std::vector<double>& out);
};

}  // namespace dd_sarvik_2_2
