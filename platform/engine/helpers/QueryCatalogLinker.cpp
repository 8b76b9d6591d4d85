#include "QueryCatalogLinker.h"

#include "DerivedQuery.h"
#include "VectorQuery.h"

#include <sarvikhelpers_1_0/ICountQuery.h>
#include <sarvikhelpers_1_0/IDataQuery.h>
#include <sarvikhelpers_1_0/IInfoQuery.h>
#include <sarvikhelpers_1_0/IInstanceCountQuery.h>
#include <sarvikhelpers_1_0/ITimeQuery.h>

namespace sarvikhelpers_1_0 {
namespace {

std::wstring quotedEntry(const std::wstring& name)
{
    return L"'" + name + L"'";
}

template <class Interface>
mirrow2::sptr_t<const IQuery> makeQuery(const QueryDefinition& definition, mirrow2::sptr_t<const IQuery> restriction)
{
    return mirrow2::make_sptr<CatalogQuery<Interface>>(definition, std::move(restriction));
}

} // namespace

std::map<std::wstring, mirrow2::sptr_t<const IQuery>> QueryCatalogLinker::link(std::vector<QueryDefinition> definitions)
{
    m_entries.clear();
    for (QueryDefinition& definition : definitions) {
        const std::wstring name = definition.m_name;
        if (!m_entries.emplace(name, Entry{std::move(definition), State::pending, nullptr}).second)
            m_reporter.report(L"query " + quotedEntry(name) + L" is defined more than once; the first definition is used.");
    }
    std::map<std::wstring, mirrow2::sptr_t<const IQuery>> queries;
    for (auto& [name, entry] : m_entries)
        if (mirrow2::sptr_t<const IQuery> query = build(entry))
            queries.emplace(name, std::move(query));
    m_entries.clear();
    return queries;
}

mirrow2::sptr_t<const IQuery> QueryCatalogLinker::build(Entry& entry)
{
    if (entry.m_state != State::pending)
        return entry.m_query;
    entry.m_state = State::building;
    std::wstring fault;
    entry.m_query = create(entry.m_definition, fault);
    entry.m_state = entry.m_query ? State::built : State::failed;
    if (!entry.m_query)
        m_reporter.report(L"query " + quotedEntry(entry.m_definition.m_name) + L" is left out: " + fault + L".");
    return entry.m_query;
}

mirrow2::sptr_t<const IQuery> QueryCatalogLinker::reference(const std::wstring& name, std::wstring& reason)
{
    const auto found = m_entries.find(name);
    if (found == m_entries.end()) {
        reason = L"it refers to " + quotedEntry(name) + L", which is not a query of this catalog";
        return nullptr;
    }
    if (found->second.m_state == State::building) {
        reason = L"its references run in a circle through " + quotedEntry(name);
        return nullptr;
    }
    mirrow2::sptr_t<const IQuery> query = build(found->second);
    if (!query)
        reason = L"it refers to the query " + quotedEntry(name) + L", which is left out";
    return query;
}

// A restriction narrows to a value of an attribute (an info query with a value) or to the
// data of a data query; anything else could not become a sub-query of the engine.
mirrow2::sptr_t<const IQuery> QueryCatalogLinker::restrictionOf(const QueryDefinition& definition, std::wstring& fault)
{
    mirrow2::sptr_t<const IQuery> restriction = reference(definition.m_restriction, fault);
    if (!restriction)
        return nullptr;
    const IInfoQuery* info = IInfoQuery::cast(restriction.get());
    if (info ? info->getValues().empty() || info->getAttributeName().empty()
             : !IDataQuery::cast(restriction.get())) {
        fault = L"its restriction " + quotedEntry(definition.m_restriction)
                + L" is neither an info query with an attribute name and a value nor a data query";
        return nullptr;
    }
    return restriction;
}

mirrow2::sptr_t<const IQuery> QueryCatalogLinker::create(const QueryDefinition& definition, std::wstring& fault)
{
    mirrow2::sptr_t<const IQuery> restriction;
    if (!definition.m_restriction.empty() && !(restriction = restrictionOf(definition, fault)))
        return nullptr;

    switch (definition.m_kind) {
    case QueryKind::info:
        return makeQuery<IInfoQuery>(definition, restriction);
    case QueryKind::data:
        return makeQuery<IDataQuery>(definition, restriction);
    case QueryKind::time:
        return makeQuery<ITimeQuery>(definition, restriction);
    case QueryKind::count:
        return makeQuery<ICountQuery>(definition, restriction);
    case QueryKind::instanceCount:
        return makeQuery<IInstanceCountQuery>(definition, restriction);
    case QueryKind::vector: {
        std::vector<mirrow2::sptr_t<const IQuery>> elements;
        for (const mirrow2::variant_t& element : definition.m_values) {
            elements.push_back(reference(element.get_text(), fault));
            if (!elements.back())
                return nullptr;
        }
        return mirrow2::make_sptr<VectorQuery>(definition, std::move(elements));
    }
    case QueryKind::derived: {
        const auto lookup = [this](const std::wstring& name, std::wstring& reason) { return reference(name, reason); };
        std::optional<RpnExpression> expression = RpnExpression::parse(definition.m_expression, lookup, fault);
        if (!expression)
            return nullptr;
        return mirrow2::make_sptr<DerivedQuery>(definition, std::move(*expression));
    }
    }
    return nullptr;
}

} // namespace sarvikhelpers_1_0
