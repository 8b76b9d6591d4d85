#pragma once
#include <engine_export.h>
#include <mirrow2/object_interface_t.h>
#include <mirrow2/sptr_t.h>
#include <mirrow2/variant_t.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sarvikhelpers_1_0 {

enum class QueryKind { info, data, time, count, instanceCount, derived, vector };

// A named query of the query catalog, as a viewpoint element resolves to it. The resolved
// object of an element is itself an IQuery: it stands for one query (itself) or, for a
// vector, for its elements, of which the first is the default. The kind interfaces
// (IInfoQuery, ITimeQuery, ...) add what only their kind has; their static cast() gives
// null for a query of another kind. Queries are immutable and shared between threads.
class SARVIK_API IQuery : public mirrow2::object_interface_t {
public:
    virtual QueryKind getKind() const = 0;
    // The catalog name ("" for the object that several queryRef children resolve to).
    virtual const std::wstring& getName() const = 0;

    virtual std::size_t getQueryCount() const = 0;
    // Null only for an empty vector, which the catalog never produces.
    virtual mirrow2::sptr_t<const IQuery> getDefaultQuery() const = 0;

    // A display attribute ("timelineFormat", "timelineGraphColor", ...), or defaultValue.
    virtual mirrow2::variant_t getAttribute(const std::wstring& name,
                                            const mirrow2::variant_t& defaultValue) const = 0;
    virtual std::vector<std::wstring> getAttributeNames() const = 0;

    // Table names in catalog order: attribute table, instance table, then (info queries)
    // the attribute name. Empty for derived and vector queries.
    virtual const std::vector<std::wstring>& getNames() const = 0;
    // A "%" message-catalog key or plain text; empty when the catalog gives none.
    virtual const std::wstring& getDisplayName() const = 0;
    // The limit texts of a graph scale, when the catalog gives them.
    virtual const std::optional<std::wstring>& getLowerLimit() const = 0;
    virtual const std::optional<std::wstring>& getUpperLimit() const = 0;
    // The query that restricts this one (an info or data query), or null; chains end.
    virtual mirrow2::sptr_t<const IQuery> getRestriction() const = 0;
    // Restriction values of an info query; element names (text) of a vector query.
    virtual const std::vector<mirrow2::variant_t>& getValues() const = 0;

    // compareContent false: the same object (or both null). True: the same kind, name,
    // names, display name, limits, values and attributes, with restrictions and vector
    // elements compared the same way and derived queries by the nodes they make; this tells
    // that two separately resolved elements name the same query.
    static bool areEqual(const mirrow2::sptr_t<const IQuery>& first,
                         const mirrow2::sptr_t<const IQuery>& second, bool compareContent);
};

// The cast shared by the kind interfaces: Target names its kind in Target::queryKind.
template <class Target>
const Target* queryCast(const IQuery* query)
{
    return query && query->getKind() == Target::queryKind ? static_cast<const Target*>(query)
                                                          : nullptr;
}

} // namespace sarvikhelpers_1_0
