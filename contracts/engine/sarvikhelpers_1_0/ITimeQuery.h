#pragma once
#include <sarvikhelpers_1_0/ITableQuery.h>

namespace sarvikhelpers_1_0 {

// Time spent per row and bucket in the instances of its tables (a percentage of the bucket).
class SARVIK_API ITimeQuery : public ITableQuery {
public:
    static constexpr QueryKind queryKind = QueryKind::time;
    static const ITimeQuery* cast(const IQuery* query) { return queryCast<ITimeQuery>(query); }
};

} // namespace sarvikhelpers_1_0
