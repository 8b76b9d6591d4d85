#pragma once
#include <sarvikhelpers_1_0/IQuery.h>

namespace sarvikhelpers_1_0 {

// An ordered list of element queries (a tooltip's attributes, say). It stands for its
// elements: getQueryCount() is their number and the first is the default query. getValues()
// gives the element names as text.
class SARVIK_API IVectorQuery : public IQuery {
public:
    static constexpr QueryKind queryKind = QueryKind::vector;
    static const IVectorQuery* cast(const IQuery* query) { return queryCast<IVectorQuery>(query); }

    virtual const std::vector<mirrow2::sptr_t<const IQuery>>& getElements() const = 0;
};

} // namespace sarvikhelpers_1_0
