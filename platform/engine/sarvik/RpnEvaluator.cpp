#include "sarvik/RpnEvaluator.h"

namespace dd_sarvik_2_2 {

namespace {
double apply(int type, double left, double right)
{
    switch (type) {
    case dd_rpn_node_t::type_add: return left + right;
    case dd_rpn_node_t::type_subtract: return left - right;
    case dd_rpn_node_t::type_multiply: return left * right;
    case dd_rpn_node_t::type_divide: return right == 0.0 ? 0.0 : left / right;
    }
    return 0.0;
}
}  // namespace

bool RpnEvaluator::isValid(const std::vector<dd_rpn_node_t>& expression, std::size_t references)
{
    std::size_t depth = 0;
    std::size_t seen = 0;
    for (const dd_rpn_node_t& node : expression) {
        if (node.get_type() == dd_rpn_node_t::type_db_ref) {
            ++seen;
            ++depth;
        } else if (node.get_type() == dd_rpn_node_t::type_constant) {
            ++depth;
        } else if (node.is_operator()) {
            if (depth < 2)
                return false;
            --depth;
        } else {
            return false;
        }
    }
    return depth == 1 && seen == references;
}

bool RpnEvaluator::evaluate(const std::vector<dd_rpn_node_t>& expression,
                            const std::vector<std::vector<double>>& referenceValues, std::size_t count,
                            std::vector<double>& out)
{
    if (!isValid(expression, referenceValues.size()))
        return false;
    for (const auto& values : referenceValues)
        if (values.size() < count)
            return false;
    out.assign(count, 0.0);
    std::vector<double> stack;
    stack.reserve(expression.size());
    for (std::size_t bucket = 0; bucket < count; ++bucket) {
        stack.clear();
        std::size_t reference = 0;
        for (const dd_rpn_node_t& node : expression) {
            if (node.get_type() == dd_rpn_node_t::type_db_ref) {
                stack.push_back(referenceValues[reference++][bucket]);
            } else if (node.get_type() == dd_rpn_node_t::type_constant) {
                stack.push_back(node.get_constant());
            } else {
                const double right = stack.back();
                stack.pop_back();
                stack.back() = apply(node.get_type(), stack.back(), right);
            }
        }
        out[bucket] = stack.back();
    }
    return true;
}

}  // namespace dd_sarvik_2_2
