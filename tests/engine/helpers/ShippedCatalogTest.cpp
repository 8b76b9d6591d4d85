#include "CatalogFile.h"

#include "sarvik/ResultBuilder.h"
#include "store/ResultRecords.h"

#include <dd_sarvik_2_2/dd_overtime_derived_query.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/dd_utility.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <sarvikhelpers_1_0/IDerivedQuery.h>
#include <sarvikhelpers_1_0/IInfoQuery.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <set>

namespace sarvikhelpers_1_0::test {
namespace {

using QueryPtr = mirrow2::sptr_t<const IQuery>;

using dd_sarvik_2_2::dd_overtime_query;
using dd_sarvik_2_2::dd_rpn_node_t;

dd_sarvik_2_2::store::GeneratorOptions smallResultOptions()
{
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = 4;
    options.samples = 4000;
    return options;
}

std::filesystem::path shippedCatalogFile()
{
    const char* dataDir = std::getenv("VELMORA_DATA_DIR");
    return std::filesystem::path(dataDir ? dataDir : VELMORA_SOURCE_DIR "/data") / "queries" / "catalog.xml";
}

std::vector<QueryPtr> shippedQueries(brannow2::CollectingMessenger& messages)
{
    const auto library = loadQueryLibrary(shippedCatalogFile(), &messages);
    std::vector<QueryPtr> queries;
    for (const std::wstring& name : library->getQueryNames())
        queries.push_back(library->findQuery(name));
    return queries;
}

TEST(ShippedCatalogTest, LoadsCleanlyAndCoversEveryKindAndDisplayAttribute)
{
    brannow2::CollectingMessenger messages;
    std::set<QueryKind> kinds;
    std::set<std::wstring> attributes;
    const std::wregex valid[] = {std::wregex(L"timelineFormat=(line|area)"),
                                 std::wregex(L"timelineIconType=(event|duration)"),
                                 std::wregex(L"timeline(Graph|Filter)Color=(0x[0-9A-F]{8}|\\d+,\\d+,\\d+(,\\d+)?)")};
    for (const QueryPtr& query : shippedQueries(messages)) {
        kinds.insert(query->getKind());
        for (const std::wstring& name : query->getAttributeNames()) {
            attributes.insert(name);
            const std::wstring text = name + L"=" + query->getAttribute(name, {}).get_text();
            EXPECT_TRUE(std::any_of(std::begin(valid), std::end(valid),
                                    [&text](const std::wregex& form) { return std::regex_match(text, form); }))
                << std::string(text.begin(), text.end());
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
    const auto records = dd_sarvik_2_2::store::ResultGenerator(smallResultOptions()).generate();
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

// The engine query a timeline builds from a derived query's nodes: per reference one over-time
// query of its entries, split into thread rows.
dd_sarvik_2_2::dd_overtime_derived_query engineQuery(const IDerivedQuery& derived, std::uint64_t start, std::uint64_t end)
{
    dd_sarvik_2_2::dd_overtime_derived_query query;
    query.set_rpn_expression(derived.createRpnNodes());
    for (const dd_rpn_node_t& node : query.get_rpn_expression()) {
        if (node.get_type() != dd_rpn_node_t::type_db_ref)
            continue;
        dd_overtime_query nodeQuery;
        for (const auto& entry : node.get_params().get_entries()) {
            dd_overtime_query sub;
            if (entry.qualifier.empty())
                sub.init(L"dd_thread", entry.table, entry.name);
            else
                sub.init(L"dd_thread", entry.table, entry.name + L"." + entry.qualifier, entry.value);
            nodeQuery += sub;
        }
        const int kind = node.get_params().get_kind();
        nodeQuery.set_data_source(kind == 1 ? dd_overtime_query::data_src_count
                                  : kind == 2 ? dd_overtime_query::data_src_instance_count
                                              : dd_overtime_query::data_src_time);
        nodeQuery.set_axis_instance_and_attr(L"dd_thread", L"dd_band");
        query.add_query(nodeQuery);
    }
    query.set_data_width(start, end, 50);
    return query;
}

// The application's share of the CPU time stays within 0..100 and is not all zero: the
// catalog's restriction reaches real data through the nodes, and its tables exist for the engine.
TEST(ShippedCatalogTest, DerivedShareEvaluatesWithinItsLimitsOnAGeneratedResult)
{
    const auto result = dd_sarvik_2_2::ResultBuilder::build(
        dd_sarvik_2_2::store::ResultGenerator(smallResultOptions()).generate(), ddb_2_2::string());
    brannow2::CollectingMessenger messages;
    for (const QueryPtr& query : shippedQueries(messages)) {
        if (query->getNames().size() >= 2) {
            EXPECT_TRUE(dd_sarvik_2_2::dd_utility::check_instance_data_exist(
                query->getNames()[1], query->getNames()[0], result->get_database()))
                << std::string(query->getName().begin(), query->getName().end());
        }
    }

    const auto library = loadQueryLibrary(shippedCatalogFile(), &messages);
    const QueryPtr share = library->findQuery(L"appShare");
    ASSERT_TRUE(IDerivedQuery::cast(share.get()));
    EXPECT_EQ(share->getUpperLimit(), std::optional<std::wstring>(L"100"));
    const auto engine = engineQuery(*IDerivedQuery::cast(share.get()), result->get_time_origin(),
                                    result->get_time_origin() + result->get_duration());
    dd_sarvik_2_2::Result::overtime_bucket bucket;
    double largest = 0.0;
    for (std::uint32_t row = 0; row < smallResultOptions().threads; ++row) {
        dd_sarvik_2_2::dd_overtime_derived_data::const_iterator values;
        ASSERT_TRUE(result->get_overtime_derived_data(bucket, values, engine, ddb_2_2::index(row), nullptr));
        for (; !values.at_end(); ++values) {
            EXPECT_GE(*values, 0.0);
            EXPECT_LE(*values, 100.0);
            largest = std::max(largest, *values);
        }
    }
    EXPECT_GT(largest, 0.0);
}

} // namespace
} // namespace sarvikhelpers_1_0::test
