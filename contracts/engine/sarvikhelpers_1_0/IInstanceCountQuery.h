#pragma once
#include <sarvikhelpers_1_0/ITableQuery.h>

namespace sarvikhelpers_1_0 {

// Number of instances alive per row and bucket.
class SARVIK_API IInstanceCountQuery : public ITableQuery {
public:
    static constexpr QueryKind queryKind = QueryKind::instanceCount;
    static const IInstanceCountQuery* cast(const IQuery* query) { return queryCast<IInstanceCountQuery>(query); }
};

} // namespace sarvikhelpers_1_0
