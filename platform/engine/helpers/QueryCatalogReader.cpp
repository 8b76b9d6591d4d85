#include "QueryCatalogReader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace sarvikhelpers_1_0 {

// Which parts each kind needs (tables, expression, elements) and which it may have.
struct QueryCatalogReader::KindRules {
    const char* m_kindName;
    QueryKind m_kind;
    bool m_tables;           // needs <names> with both tables
    bool m_attributeName;    // may name an attribute
    bool m_values;           // may have <value>
    bool m_elements;         // needs <element>
    bool m_expression;       // needs <expression>
    bool m_restriction;      // may have <restriction>
};

namespace {

using KindRules = QueryCatalogReader::KindRules;

constexpr KindRules kindRules[] = {
    {"info", QueryKind::info, true, true, true, false, false, true},
    {"data", QueryKind::data, true, false, false, false, false, true},
    {"time", QueryKind::time, true, false, false, false, false, true},
    {"count", QueryKind::count, true, false, false, false, false, true},
    {"instanceCount", QueryKind::instanceCount, true, false, false, false, false, true},
    {"derived", QueryKind::derived, false, false, false, false, true, false},
    {"vector", QueryKind::vector, false, false, false, true, false, false},
};

const KindRules* rulesFor(const char* kindName)
{
    for (const KindRules& rules : kindRules)
        if (std::string(rules.m_kindName) == kindName)
            return &rules;
    return nullptr;
}

std::wstring wide(const char* text)
{
    return pugi::as_wide(text);
}

std::wstring quoted(const char* text)
{
    return L"'" + wide(text) + L"'";
}

} // namespace

std::vector<QueryDefinition> QueryCatalogReader::read(const std::filesystem::path& file)
{
    std::vector<QueryDefinition> definitions;
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        m_reporter.report(L"cannot be read.");
        return definitions;
    }
    m_text.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());

    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(m_text.data(), m_text.size());
    if (!parsed) {
        m_reporter.report(L"line " + std::to_wstring(lineOf(parsed.offset)) + L": " + wide(parsed.description())
                          + L"; no query is loaded.");
        return definitions;
    }
    const pugi::xml_node root = document.document_element();
    if (std::string(root.name()) != "queryCatalog") {
        m_reporter.report(L"the root element is <" + wide(root.name()) + L">, not <queryCatalog>; no query is loaded.");
        return definitions;
    }

    for (const pugi::xml_node& node : root.children()) {
        if (node.type() != pugi::node_element)
            continue;
        const std::wstring where = L"line " + std::to_wstring(lineOf(node.offset_debug())) + L": ";
        if (std::string(node.name()) != "query") {
            m_reporter.report(where + L"unknown element <" + wide(node.name()) + L"> is ignored.");
            continue;
        }
        std::wstring fault;
        if (std::optional<QueryDefinition> definition = readQuery(node, fault))
            definitions.push_back(std::move(*definition));
        else
            m_reporter.report(where + L"query " + quoted(node.attribute("name").value()) + L" is left out: " + fault + L".");
    }
    return definitions;
}

std::optional<QueryDefinition> QueryCatalogReader::readQuery(const pugi::xml_node& node, std::wstring& fault)
{
    QueryDefinition definition;
    definition.m_name = wide(node.attribute("name").value());
    if (definition.m_name.empty()) {
        fault = L"it has no name";
        return std::nullopt;
    }
    const KindRules* rules = rulesFor(node.attribute("kind").value());
    if (!rules) {
        fault = L"its kind " + quoted(node.attribute("kind").value()) + L" is unknown";
        return std::nullopt;
    }
    definition.m_kind = rules->m_kind;
    definition.m_displayName = wide(node.attribute("displayName").value());

    for (const char* single : {"names", "limits", "restriction", "expression", "display"}) {
        const auto children = node.children(single);
        if (std::distance(children.begin(), children.end()) > 1) {
            fault = L"it has more than one <" + wide(single) + L">";
            return std::nullopt;
        }
    }

    for (const pugi::xml_node& child : node.children())
        if (child.type() == pugi::node_element && !readPart(child, *rules, definition, fault))
            return std::nullopt;

    if (rules->m_tables && (definition.m_names.size() < 2 || definition.m_names[0].empty()
                            || definition.m_names[1].empty()))
        fault = L"it needs <names> with an attributeTable and an instanceTable";
    else if (rules->m_elements && definition.m_values.empty())
        fault = L"it needs at least one <element>";
    else if (rules->m_expression && definition.m_expression.find_first_not_of(L" \t\r\n") == std::wstring::npos)
        fault = L"it needs an <expression>";
    return fault.empty() ? std::optional<QueryDefinition>(std::move(definition)) : std::nullopt;
}

// Reads one child element of a query into the definition; false with the fault when the
// element is not one that the query's kind may have.
bool QueryCatalogReader::readPart(const pugi::xml_node& child, const KindRules& rules, QueryDefinition& definition,
                                  std::wstring& fault)
{
    const std::string name = child.name();
    const bool allowed = (name == "names" && rules.m_tables) || name == "limits" || name == "display"
                         || (name == "restriction" && rules.m_restriction) || (name == "value" && rules.m_values)
                         || (name == "element" && rules.m_elements) || (name == "expression" && rules.m_expression);
    if (!allowed) {
        fault = L"<" + wide(child.name()) + L"> does not belong in a query of kind " + quoted(rules.m_kindName);
        return false;
    }
    if (name == "names") {
        definition.m_names = {wide(child.attribute("attributeTable").value()),
                              wide(child.attribute("instanceTable").value())};
        if (const pugi::xml_attribute attributeName = child.attribute("attributeName")) {
            if (!rules.m_attributeName) {
                fault = L"only info queries name an attribute";
                return false;
            }
            definition.m_names.push_back(wide(attributeName.value()));
        }
    } else if (name == "limits") {
        if (const pugi::xml_attribute lower = child.attribute("lower"))
            definition.m_lowerLimit = wide(lower.value());
        if (const pugi::xml_attribute upper = child.attribute("upper"))
            definition.m_upperLimit = wide(upper.value());
    } else if (name == "display") {
        for (const pugi::xml_attribute& attribute : child.attributes())
            definition.m_attributes.emplace_back(wide(attribute.name()), wide(attribute.value()));
    } else if (name == "value") {
        definition.m_values.emplace_back(wide(child.child_value()));
    } else if (name == "expression") {
        definition.m_expression = wide(child.child_value());
    } else {
        const std::wstring reference = wide(child.attribute("query").value());
        if (reference.empty()) {
            fault = L"its <" + wide(child.name()) + L"> names no query";
            return false;
        }
        if (name == "restriction")
            definition.m_restriction = reference;
        else
            definition.m_values.emplace_back(reference);
    }
    return true;
}

int QueryCatalogReader::lineOf(std::ptrdiff_t offset) const
{
    const std::size_t end = std::min<std::size_t>(offset < 0 ? 0 : offset, m_text.size());
    return 1 + static_cast<int>(std::count(m_text.begin(), m_text.begin() + end, '\n'));
}

} // namespace sarvikhelpers_1_0
