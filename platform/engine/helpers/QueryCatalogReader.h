#pragma once
#include "CatalogReporter.h"
#include "QueryDefinition.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pugi {
class xml_node;
}

namespace sarvikhelpers_1_0 {

// Reads the query definitions of a catalog file and checks each against the rules of its
// kind (which parts it needs, which it may have). Used once per load; every fault becomes
// one message through the reporter.
//
//   <queryCatalog>
//     <query name="..." kind="info|data|time|count|instanceCount|derived|vector" displayName="...">
//       <names attributeTable="..." instanceTable="..." attributeName="..."/>
//       <limits lower="..." upper="..."/>      <restriction query="..."/>
//       <value>...</value>   <element query="..."/>   <expression>a b + 2 /</expression>
//       <display timelineFormat="line" timelineGraphColor="0xFF2060C0" anyOther="..."/>
//     </query>
//   </queryCatalog>
class QueryCatalogReader {
public:
    explicit QueryCatalogReader(const CatalogReporter& reporter) : m_reporter(reporter) {}

    // The definitions of the well-formed queries, in file order; a faulty query is reported
    // and left out. None when the file cannot be read or is not a well-formed catalog.
    std::vector<QueryDefinition> read(const std::filesystem::path& file);

    struct KindRules;   // defined with the rule table in the source file

private:
    static std::optional<QueryDefinition> readQuery(const pugi::xml_node& node, std::wstring& fault);
    static bool readPart(const pugi::xml_node& child, const KindRules& rules, QueryDefinition& definition,
                         std::wstring& fault);
    int lineOf(std::ptrdiff_t offset) const;

    const CatalogReporter& m_reporter;
    std::string m_text;   // the file's bytes, for line numbers
};

} // namespace sarvikhelpers_1_0
