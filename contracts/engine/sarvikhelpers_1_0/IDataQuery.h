#pragma once
#include <sarvikhelpers_1_0/ITableQuery.h>

namespace sarvikhelpers_1_0 {

// Data held in a table, read through its attribute and instance tables; as a restriction it
// becomes a database reference of the restricted query.
class SARVIK_API IDataQuery : public ITableQuery {
public:
    static constexpr QueryKind queryKind = QueryKind::data;
    static const IDataQuery* cast(const IQuery* query) { return queryCast<IDataQuery>(query); }
};

} // namespace sarvikhelpers_1_0
