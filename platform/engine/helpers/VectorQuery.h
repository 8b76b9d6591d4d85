#pragma once
#include "CatalogQuery.h"

#include <sarvikhelpers_1_0/IVectorQuery.h>

namespace sarvikhelpers_1_0 {

// A vector of element queries: a catalog vector query, or what an element with several
// queryRef children resolves to. It stands for its elements, the first being the default.
class VectorQuery : public CatalogQuery<IVectorQuery> {
public:
    VectorQuery(QueryDefinition definition, std::vector<mirrow2::sptr_t<const IQuery>> elements)
        : CatalogQuery(std::move(definition), nullptr), m_elements(std::move(elements))
    {
    }

    std::size_t getQueryCount() const override { return m_elements.size(); }
    mirrow2::sptr_t<const IQuery> getDefaultQuery() const override
    {
        return m_elements.empty() ? nullptr : m_elements.front();
    }
    const std::vector<mirrow2::sptr_t<const IQuery>>& getElements() const override
    {
        return m_elements;
    }

private:
    const std::vector<mirrow2::sptr_t<const IQuery>> m_elements;
};

} // namespace sarvikhelpers_1_0
