#pragma once
#include <sarvikhelpers_1_0/ITableQuery.h>

namespace sarvikhelpers_1_0 {

// An attribute of the instances of a table, optionally restricted to values (getValues):
// the rows of an area, the objects of a band table, or a restriction of another query.
class SARVIK_API IInfoQuery : public ITableQuery {
public:
    static constexpr QueryKind queryKind = QueryKind::info;
    static const IInfoQuery* cast(const IQuery* query) { return queryCast<IInfoQuery>(query); }

    std::wstring getAttributeName() const { return nameAt(2); }
};

} // namespace sarvikhelpers_1_0
