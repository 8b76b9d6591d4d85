#pragma once
#include "CatalogReporter.h"
#include "QueryDefinition.h"

#include <map>
#include <string>
#include <vector>

namespace sarvikhelpers_1_0 {

// Turns the definitions of a catalog into query objects. Restrictions, vector elements and
// expression operands are looked up by name and built first, so every query holds the
// objects it refers to; a query whose references are unknown, left out, of the wrong kind or
// circular is reported and left out itself. Used once per load.
class QueryCatalogLinker {
public:
    explicit QueryCatalogLinker(const CatalogReporter& reporter) : m_reporter(reporter) {}

    // The queries that could be built, by name. A name defined twice keeps its first definition.
    std::map<std::wstring, mirrow2::sptr_t<const IQuery>> link(std::vector<QueryDefinition> definitions);

private:
    enum class State { pending, building, built, failed };
    struct Entry {
        QueryDefinition m_definition;
        State m_state = State::pending;
        mirrow2::sptr_t<const IQuery> m_query;
    };

    mirrow2::sptr_t<const IQuery> build(Entry& entry);
    // The built query of that name, or null with the reason the referring query fails.
    mirrow2::sptr_t<const IQuery> reference(const std::wstring& name, std::wstring& reason);
    mirrow2::sptr_t<const IQuery> create(const QueryDefinition& definition, std::wstring& fault);
    mirrow2::sptr_t<const IQuery> restrictionOf(const QueryDefinition& definition, std::wstring& fault);

    const CatalogReporter& m_reporter;
    std::map<std::wstring, Entry> m_entries;
};

} // namespace sarvikhelpers_1_0
