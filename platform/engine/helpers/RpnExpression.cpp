#include "RpnExpression.h"

#include <sarvikhelpers_1_0/IDerivedQuery.h>
#include <sarvikhelpers_1_0/IInfoQuery.h>

#include <cmath>
#include <cwchar>
#include <sstream>

namespace sarvikhelpers_1_0 {
namespace {

using dd_sarvik_2_2::dd_rpn_node_param_db_ref_t;
using dd_sarvik_2_2::dd_rpn_node_t;

int operatorType(const std::wstring& token)
{
    if (token == L"+")
        return dd_rpn_node_t::type_add;
    if (token == L"-")
        return dd_rpn_node_t::type_subtract;
    if (token == L"*")
        return dd_rpn_node_t::type_multiply;
    if (token == L"/")
        return dd_rpn_node_t::type_divide;
    return 0;
}

// The whole token must be a finite number; "2x" is a name, not 2.
std::optional<double> numberOf(const std::wstring& token)
{
    wchar_t* end = nullptr;
    const double value = std::wcstod(token.c_str(), &end);
    if (end != token.c_str() + token.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int referenceKind(QueryKind kind)
{
    switch (kind) {
    case QueryKind::count:
        return dd_rpn_node_param_db_ref_t::kind_count;
    case QueryKind::instanceCount:
        return dd_rpn_node_param_db_ref_t::kind_instance_count;
    case QueryKind::time:
        return dd_rpn_node_param_db_ref_t::kind_time;
    default:
        return dd_rpn_node_param_db_ref_t::kind_none;
    }
}

} // namespace

std::optional<RpnExpression> RpnExpression::parse(const std::wstring& text, const QueryLookup& lookup,
                                                  std::wstring& error)
{
    RpnExpression expression;
    std::wistringstream tokens(text);
    std::wstring token;
    int depth = 0;   // values on the evaluation stack after each token
    while (tokens >> token) {
        Token parsed;
        if (const int type = operatorType(token)) {
            if (depth < 2) {
                error = L"the operator '" + token + L"' lacks an operand";
                return std::nullopt;
            }
            parsed.m_type = type;
            --depth;
        } else if (const std::optional<double> number = numberOf(token)) {
            parsed.m_constant = *number;
            ++depth;
        } else {
            parsed.m_query = lookup(token, error);
            if (!parsed.m_query)
                return std::nullopt;
            if (parsed.m_query->getKind() != QueryKind::derived
                && referenceKind(parsed.m_query->getKind()) == dd_rpn_node_param_db_ref_t::kind_none) {
                error = L"the operand '" + token + L"' is not a time, count, instance count or derived query";
                return std::nullopt;
            }
            parsed.m_type = dd_rpn_node_t::type_db_ref;
            ++depth;
        }
        expression.m_tokens.push_back(std::move(parsed));
    }
    if (depth != 1) {
        error = depth == 0 ? L"the expression is empty"
                           : L"the expression leaves " + std::to_wstring(depth) + L" values instead of one";
        return std::nullopt;
    }
    return expression;
}

std::vector<dd_rpn_node_t> RpnExpression::createNodes() const
{
    std::vector<dd_rpn_node_t> nodes;
    for (const Token& token : m_tokens) {
        if (token.m_type == dd_rpn_node_t::type_constant) {
            nodes.push_back(dd_rpn_node_t::make_constant(token.m_constant));
        } else if (token.m_type != dd_rpn_node_t::type_db_ref) {
            nodes.push_back(dd_rpn_node_t::make_operator(static_cast<dd_rpn_node_t::type_t>(token.m_type)));
        } else if (const IDerivedQuery* derived = IDerivedQuery::cast(token.m_query.get())) {
            const std::vector<dd_rpn_node_t> inner = derived->createRpnNodes();
            nodes.insert(nodes.end(), inner.begin(), inner.end());
        } else {
            nodes.push_back(dd_rpn_node_t::make_db_ref(referenceOf(*token.m_query)));
        }
    }
    return nodes;
}

// The query's own tables first, then each restriction of its chain: an info restriction
// narrows to its first value of its attribute, a data restriction adds its tables.
dd_rpn_node_param_db_ref_t RpnExpression::referenceOf(const IQuery& query)
{
    dd_rpn_node_param_db_ref_t params(referenceKind(query.getKind()));
    const auto addEntry = [&params](const IQuery& source, const std::wstring& qualifier,
                                    const std::wstring& value) {
        const std::vector<std::wstring>& names = source.getNames();
        dd_rpn_node_param_db_ref_t::entry_t entry;
        entry.name = names.size() > 0 ? names[0] : std::wstring();
        entry.table = names.size() > 1 ? names[1] : std::wstring();
        entry.qualifier = qualifier;
        if (!qualifier.empty())
            entry.value = ddb_2_2::variant(ddb_2_2::string(value));
        params.add_entry(std::move(entry));
    };
    addEntry(query, std::wstring(), std::wstring());
    for (mirrow2::sptr_t<const IQuery> restriction = query.getRestriction(); restriction;
         restriction = restriction->getRestriction()) {
        const IInfoQuery* info = IInfoQuery::cast(restriction.get());
        const std::vector<mirrow2::variant_t>& values = restriction->getValues();
        addEntry(*restriction, info ? info->getAttributeName() : std::wstring(),
                 values.empty() ? std::wstring() : values.front().to_text());
    }
    return params;
}

} // namespace sarvikhelpers_1_0
