#include "CatalogFile.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <VORN_2_9/convert.h>
#include <VORN_2_9/strings.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <sarvikhelpers_1_0/IInfoQuery.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace sarvikhelpers_1_0::test {
namespace {

using QueryPtr = mirrow2::sptr_t<const IQuery>;

std::vector<QueryPtr> shippedQueries(brannow2::CollectingMessenger& messages)
{
    const char* dataDir = std::getenv("VELMORA_DATA_DIR");
    const auto library = loadQueryLibrary(
        std::filesystem::path(dataDir ? dataDir : VELMORA_SOURCE_DIR "/data") / "queries" / "catalog.xml", &messages);
    std::vector<QueryPtr> queries;
    for (const std::wstring& name : library->getQueryNames())
        queries.push_back(library->findQuery(name));
    return queries;
}

// What the timeline accepts: a known format or icon type, a colour as one 0xAARRGGBB number or
// as R,G,B[,A] bytes, read with the same conversions it uses.
bool isValidDisplayText(const std::wstring& name, const std::wstring& text)
{
    if (name == L"timelineFormat")
        return text == L"line" || text == L"area";
    if (name == L"timelineIconType")
        return text == L"event" || text == L"duration" || text == L"slices"; // slices: nested in lanes
    std::uint32_t number = 0;
    if (text.compare(0, 2, L"0x") == 0)
        return text.size() == 10 && VORN_2_9::generic::convert::str_to_uint32(text, number);
    const std::vector<std::wstring> parts = VORN_2_9::strings::split_string(text, L",");
    std::uint8_t byte = 0;
    return (parts.size() == 3 || parts.size() == 4)
           && std::all_of(parts.begin(), parts.end(), [&byte](const std::wstring& part) {
                  return VORN_2_9::generic::convert::str_to_uint8(part, byte);
              });
}

TEST(ShippedCatalogTest, LoadsCleanlyAndCoversEveryKindAndDisplayAttribute)
{
    brannow2::CollectingMessenger messages;
    std::set<QueryKind> kinds;
    std::set<std::wstring> attributes;
    for (const QueryPtr& query : shippedQueries(messages)) {
        kinds.insert(query->getKind());
        for (const std::wstring& name : query->getAttributeNames()) {
            attributes.insert(name);
            const std::wstring text = query->getAttribute(name, {}).get_text();
            EXPECT_TRUE(isValidDisplayText(name, text)) << std::string(text.begin(), text.end());
        }
    }
    EXPECT_EQ(messages.count(), 0u) << allMessages(messages);
    EXPECT_EQ(kinds.size(), 7u);
    EXPECT_EQ(attributes, (std::set<std::wstring>{L"timelineFormat", L"timelineGraphColor", L"timelineFilterColor",
                                                   L"timelineIconType"}));
}

// Checked against a generated result, so that a renamed table, attribute or value in the
// engine's data model shows here rather than as an empty layer.
TEST(ShippedCatalogTest, NamesTablesAttributesAndValuesOfTheEngineDataModel)
{
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = 4;
    options.samples = 2000;
    const auto records = dd_sarvik_2_2::store::ResultGenerator(options).generate();
    std::set<std::wstring> tables = {L"dd_band"};
    std::map<std::pair<std::wstring, std::wstring>, std::set<std::wstring>> values;   // (table, attribute)
    for (const auto& table : records.attributeTables)
        for (std::size_t column = 0; column < table.columns.size(); ++column) {
            auto& known = values[{table.name, table.columns[column].name}];
            for (const auto& instance : table.instances)
                if (const auto* text = std::get_if<std::wstring>(&instance[column]))
                    known.insert(*text);
        }
    for (const auto& timed : records.timedAttributes)
        values[{timed.table, timed.attribute}];
    for (const auto& entry : values)
        tables.insert(entry.first.first);
    for (const auto& table : records.sampleTables)
        tables.insert(table.name);
    for (const auto& table : records.bandTables)
        tables.insert(table.name);

    brannow2::CollectingMessenger messages;
    for (const QueryPtr& query : shippedQueries(messages)) {
        SCOPED_TRACE(query->getName());
        const std::vector<std::wstring>& names = query->getNames();
        for (std::size_t i = 0; i < names.size() && i < 2; ++i) {
            EXPECT_EQ(tables.count(names[i]), 1u) << std::string(names[i].begin(), names[i].end());
        }
        const IInfoQuery* info = IInfoQuery::cast(query.get());
        if (info && !info->getAttributeName().empty()) {
            EXPECT_EQ(values.count(std::make_pair(info->getAttributeTable(), info->getAttributeName())), 1u);
        }
        for (QueryPtr link = query->getRestriction(); link; link = link->getRestriction()) {
            const IInfoQuery* restriction = IInfoQuery::cast(link.get());
            if (restriction) {
                const auto& known = values[std::make_pair(restriction->getAttributeTable(), restriction->getAttributeName())];
                EXPECT_EQ(known.count(restriction->getValues().front().get_text()), 1u) << "restriction";
            }
        }
    }
}

} // namespace
} // namespace sarvikhelpers_1_0::test
