#pragma once
#include <dd_sarvik_2_2/dd_rpn_node.h>
#include <sarvikhelpers_1_0/IQuery.h>

namespace sarvikhelpers_1_0 {

// A value computed per row and bucket from time, count and instance count queries with
// + - * / and constants, written in reverse-Polish notation ("busy idle + 100 /").
class SARVIK_API IDerivedQuery : public IQuery {
public:
    static constexpr QueryKind queryKind = QueryKind::derived;
    static const IDerivedQuery* cast(const IQuery* query) { return queryCast<IDerivedQuery>(query); }

    // The expression as the catalog writes it: tokens separated by white space.
    virtual const std::wstring& getExpression() const = 0;
    // The expression as engine nodes in evaluation order: each sub-query becomes one
    // database reference (its tables, then its restriction chain, and its kind), a derived
    // sub-query its own nodes. Nodes name tables only, so they suit any result.
    virtual std::vector<dd_sarvik_2_2::dd_rpn_node_t> createRpnNodes() const = 0;
};

} // namespace sarvikhelpers_1_0
