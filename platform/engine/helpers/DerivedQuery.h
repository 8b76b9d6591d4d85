#pragma once
#include "CatalogQuery.h"
#include "RpnExpression.h"

#include <sarvikhelpers_1_0/IDerivedQuery.h>

namespace sarvikhelpers_1_0 {

// A derived query of the catalog: its definition and its checked expression.
class DerivedQuery : public CatalogQuery<IDerivedQuery> {
public:
    DerivedQuery(QueryDefinition definition, RpnExpression expression)
        : CatalogQuery(std::move(definition), nullptr), m_expression(std::move(expression))
    {
    }

    const std::wstring& getExpression() const override { return definition().m_expression; }
    std::vector<dd_sarvik_2_2::dd_rpn_node_t> createRpnNodes() const override
    {
        return m_expression.createNodes();
    }

private:
    const RpnExpression m_expression;
};

} // namespace sarvikhelpers_1_0
