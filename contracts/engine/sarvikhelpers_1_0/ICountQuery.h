#pragma once
#include <sarvikhelpers_1_0/ITableQuery.h>

namespace sarvikhelpers_1_0 {

// Number of events per row and bucket in the instances of its tables.
class SARVIK_API ICountQuery : public ITableQuery {
public:
    static constexpr QueryKind queryKind = QueryKind::count;
    static const ICountQuery* cast(const IQuery* query) { return queryCast<ICountQuery>(query); }
};

} // namespace sarvikhelpers_1_0
