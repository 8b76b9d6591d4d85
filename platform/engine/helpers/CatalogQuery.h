#pragma once
#include "QueryDefinition.h"

#include <mirrow2/ref_counter_t.h>

namespace sarvikhelpers_1_0 {

// The query object of every kind: answers the IQuery operations from its definition and
// holds the restricting query it was linked to. Interface is the kind interface
// (IInfoQuery, ITimeQuery, ...) whose queryKind matches the definition's kind. Vector and
// derived queries add their own parts in subclasses.
template <class Interface>
class CatalogQuery : public mirrow2::ref_counter_t<Interface, mirrow2::simple_ref_count_impl_t> {
public:
    CatalogQuery(QueryDefinition definition, mirrow2::sptr_t<const IQuery> restriction)
        : m_definition(std::move(definition)), m_restriction(std::move(restriction))
    {
    }

    QueryKind getKind() const override { return m_definition.m_kind; }
    const std::wstring& getName() const override { return m_definition.m_name; }
    std::size_t getQueryCount() const override { return 1; }
    mirrow2::sptr_t<const IQuery> getDefaultQuery() const override
    {
        return mirrow2::sptr_t<const IQuery>(this);
    }

    mirrow2::variant_t getAttribute(const std::wstring& name,
                                    const mirrow2::variant_t& defaultValue) const override
    {
        for (const auto& [attributeName, value] : m_definition.m_attributes)
            if (attributeName == name)
                return value;
        return defaultValue;
    }
    std::vector<std::wstring> getAttributeNames() const override
    {
        std::vector<std::wstring> names;
        for (const auto& attribute : m_definition.m_attributes)
            names.push_back(attribute.first);
        return names;
    }

    const std::vector<std::wstring>& getNames() const override { return m_definition.m_names; }
    const std::wstring& getDisplayName() const override { return m_definition.m_displayName; }
    const std::optional<std::wstring>& getLowerLimit() const override
    {
        return m_definition.m_lowerLimit;
    }
    const std::optional<std::wstring>& getUpperLimit() const override
    {
        return m_definition.m_upperLimit;
    }
    mirrow2::sptr_t<const IQuery> getRestriction() const override { return m_restriction; }
    const std::vector<mirrow2::variant_t>& getValues() const override
    {
        return m_definition.m_values;
    }

protected:
    const QueryDefinition& definition() const { return m_definition; }

private:
    const QueryDefinition m_definition;
    const mirrow2::sptr_t<const IQuery> m_restriction;
};

} // namespace sarvikhelpers_1_0
