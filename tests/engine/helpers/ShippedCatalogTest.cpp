#include "CatalogFile.h"

#include "store/ResultRecords.h"

#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <sarvikhelpers_1_0/IDerivedQuery.h>
#include <sarvikhelpers_1_0/IInfoQuery.h>
#include <sarvikhelpers_1_0/IVectorQuery.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <wctype.h>

namespace sarvikhelpers_1_0::test {
namespace {

using QueryPtr = mirrow2::sptr_t<const IQuery>;
using dd_sarvik_2_2::store::ResultRecords;
using dd_sarvik_2_2::store::StoredValue;

std::filesystem::path shippedCatalog()
{
    const char* dataDir = std::getenv("VELMORA_DATA_DIR");
    return std::filesystem::path(dataDir ? dataDir : VELMORA_SOURCE_DIR "/data") / "queries" / "catalog.xml";
}

// The attributes of every table of a generated result, and the text values of each, so that
// the catalog is checked against the names the engine really holds.
class GeneratedModel {
public:
    GeneratedModel()
    {
        dd_sarvik_2_2::store::GeneratorOptions options;
        options.threads = 4;
        options.samples = 2000;
        const ResultRecords records = dd_sarvik_2_2::store::ResultGenerator(options).generate();
        for (const auto& table : records.attributeTables)
            for (std::size_t column = 0; column < table.columns.size(); ++column) {
                std::set<std::wstring>& values = m_values[{table.name, table.columns[column].name}];
                for (const auto& instance : table.instances)
                    if (const auto* text = std::get_if<std::wstring>(&instance[column]))
                        values.insert(*text);
            }
        for (const auto& timed : records.timedAttributes)
            m_values[{timed.table, timed.attribute}];
        m_tables.insert(L"dd_band");
        for (const auto& table : records.sampleTables)
            m_tables.insert(table.name);
        for (const auto& table : records.bandTables)
            m_tables.insert(table.name);
        for (const auto& entry : m_values)
            m_tables.insert(entry.first.first);
    }

    bool hasTable(const std::wstring& name) const { return m_tables.count(name) > 0; }
    bool hasAttribute(const std::wstring& table, const std::wstring& name) const
    {
        return m_values.count({table, name}) > 0;
    }
    bool hasValue(const std::wstring& table, const std::wstring& name, const std::wstring& value) const
    {
        const auto found = m_values.find({table, name});
        return found != m_values.end() && found->second.count(value) > 0;
    }

private:
    std::set<std::wstring> m_tables;
    std::map<std::pair<std::wstring, std::wstring>, std::set<std::wstring>> m_values;
};

class ShippedCatalogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_library = loadQueryLibrary(shippedCatalog(), &m_messages);
        ASSERT_EQ(m_messages.count(), 0u) << allMessages(m_messages);
        for (const std::wstring& name : m_library->getQueryNames())
            m_queries.push_back(m_library->findQuery(name));
    }

    brannow2::CollectingMessenger m_messages;
    mirrow2::sptr_t<const IQueryLibrary> m_library;
    std::vector<QueryPtr> m_queries;
};

bool isColourText(const std::wstring& text)
{
    if (text.size() == 10 && text.compare(0, 2, L"0x") == 0)
        return std::all_of(text.begin() + 2, text.end(), [](wchar_t c) { return iswxdigit(c); });
    std::size_t parts = 1;
    for (wchar_t c : text) {
        if (c == L',')
            ++parts;
        else if (!iswdigit(c))
            return false;
    }
    return parts == 3 || parts == 4;
}

TEST_F(ShippedCatalogTest, CoversEveryKindAndEveryDisplayAttributeWithValidTexts)
{
    std::set<QueryKind> kinds;
    std::set<std::wstring> attributes;
    for (const QueryPtr& query : m_queries) {
        SCOPED_TRACE(query->getName());
        kinds.insert(query->getKind());
        EXPECT_FALSE(query->getDisplayName().empty() && query->getKind() != QueryKind::vector);
        for (const std::wstring& attribute : query->getAttributeNames()) {
            attributes.insert(attribute);
            const std::wstring text = query->getAttribute(attribute, {}).get_text();
            if (attribute == L"timelineFormat")
                EXPECT_TRUE(text == L"line" || text == L"area") << "format";
            else if (attribute == L"timelineIconType")
                EXPECT_TRUE(text == L"event" || text == L"duration") << "icon";
            else
                EXPECT_TRUE(isColourText(text)) << std::string(attribute.begin(), attribute.end());
        }
    }
    EXPECT_EQ(kinds.size(), 7u);
    EXPECT_EQ(attributes, (std::set<std::wstring>{L"timelineFormat", L"timelineGraphColor", L"timelineFilterColor",
                                                   L"timelineIconType"}));
    const QueryPtr rows = m_library->resolve(elementNaming(L"rowBy", {L"threads"}), &m_messages);
    EXPECT_TRUE(IInfoQuery::cast(rows.get()));
}

TEST_F(ShippedCatalogTest, NamesTablesAttributesAndValuesOfTheEngineDataModel)
{
    const GeneratedModel model;
    for (const QueryPtr& query : m_queries) {
        SCOPED_TRACE(query->getName());
        const std::vector<std::wstring>& names = query->getNames();
        for (std::size_t i = 0; i < names.size() && i < 2; ++i) {
            EXPECT_TRUE(model.hasTable(names[i])) << "table " << std::string(names[i].begin(), names[i].end());
        }
        const IInfoQuery* info = IInfoQuery::cast(query.get());
        if (info && !info->getAttributeName().empty()) {
            EXPECT_TRUE(model.hasAttribute(info->getAttributeTable(), info->getAttributeName()));
        }
        // A restriction's value must be one the data holds, or the restricted graph stays empty.
        for (QueryPtr link = query->getRestriction(); link; link = link->getRestriction()) {
            const IInfoQuery* restriction = IInfoQuery::cast(link.get());
            if (restriction) {
                EXPECT_TRUE(model.hasValue(restriction->getAttributeTable(), restriction->getAttributeName(),
                                           restriction->getValues().front().get_text()))
                    << "restriction " << std::string(link->getName().begin(), link->getName().end());
            }
        }
    }
}

TEST_F(ShippedCatalogTest, ChainsAndDerivedExpressionsReachEveryShape)
{
    std::size_t longestChain = 0;
    bool dataRestriction = false;
    bool derivedInDerived = false;
    for (const QueryPtr& query : m_queries) {
        std::size_t length = 0;
        for (QueryPtr link = query->getRestriction(); link; link = link->getRestriction()) {
            ++length;
            dataRestriction = dataRestriction || link->getKind() == QueryKind::data;
        }
        longestChain = std::max(longestChain, length);
        if (const IDerivedQuery* derived = IDerivedQuery::cast(query.get())) {
            const auto nodes = derived->createRpnNodes();
            EXPECT_FALSE(nodes.empty());
            derivedInDerived = derivedInDerived || derived->getExpression().find(L"busyTime") != std::wstring::npos;
        }
    }
    EXPECT_GE(longestChain, 2u);
    EXPECT_TRUE(dataRestriction);
    EXPECT_TRUE(derivedInDerived);
}

} // namespace
} // namespace sarvikhelpers_1_0::test
