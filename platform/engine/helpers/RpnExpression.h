#pragma once
#include <dd_sarvik_2_2/dd_rpn_node.h>
#include <sarvikhelpers_1_0/IQuery.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sarvikhelpers_1_0 {

// A derived query's reverse-Polish expression, parsed and checked once when the catalog is
// linked, so that producing engine nodes later cannot fail. Tokens are separated by white
// space: "+", "-", "*", "/", numbers, and names of time, count, instance count or derived
// queries.
class RpnExpression {
public:
    // Finds a query by name for a token; null with a reason when there is none.
    using QueryLookup =
        std::function<mirrow2::sptr_t<const IQuery>(const std::wstring& name, std::wstring& reason)>;

    // The expression, or nothing with the reason in error.
    static std::optional<RpnExpression> parse(const std::wstring& text, const QueryLookup& lookup,
                                              std::wstring& error);

    // A derived operand contributes its own nodes in its place.
    std::vector<dd_sarvik_2_2::dd_rpn_node_t> createNodes() const;

private:
    struct Token {
        int m_type = dd_sarvik_2_2::dd_rpn_node_t::type_constant;
        double m_constant = 0.0;
        mirrow2::sptr_t<const IQuery> m_query;   // type_db_ref only
    };

    static dd_sarvik_2_2::dd_rpn_node_param_db_ref_t referenceOf(const IQuery& query);

    std::vector<Token> m_tokens;
};

} // namespace sarvikhelpers_1_0
