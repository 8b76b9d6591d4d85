#include "ParserTestSupport.h"
#include "ViewpointBuilder.h"

#include "pane/ViewpointParser.h"

#include <brannow2/CollectingMessenger.h>
#include <sarvikhelpers_1_0/IQuery.h>
#include <tarquel_1_0/Colors.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora_1_0 {
namespace {

using namespace parser_test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A source's tables as "attribute/instance/attributeName/auxName", to compare in one go.
std::string tablesOf(const SarvikDataSource& source)
{
    return (source.attributeTable + "/" + source.instanceTable + "/" + source.attributeName + "/" + source.auxName)
        .ToStdString();
}

// Each series as "query|text1|text2|text3|text4|text5".
std::vector<std::string> seriesOf(const SarvikDataSource& source)
{
    std::vector<std::string> all;
    for (const SarvikDataSource::Series& series : source.series)
        all.push_back((wxString(series.query ? series.query->getName() : L"(none)") + "|" + series.text1 + "|"
                       + series.text2 + "|" + series.text3 + "|" + series.text4 + "|" + series.text5)
                          .ToStdString());
    return all;
}

class QueryResolution : public ::testing::Test {
protected:
    void SetUp() override { registerViewpointCatalog(); }

    // Parses one area over threads with these layers and returns the messages.
    std::vector<std::wstring> parseLayers(const std::vector<Element>& layers, const Library& library = shippedLibrary())
    {
        Element document(L"timeline");
        document.add(threadArea(layers));
        m_parser.parse(document.bag(), library, &m_messenger);
        return texts(m_parser.errors);
    }
    const ViewpointParser::LayerInfo& layerAt(std::size_t index) const
    {
        return m_parser.areas.at(0).rowSets.at(0).layers.at(index);
    }
    const SarvikDataSource& sourceAt(std::size_t index) const { return layerAt(index).drawBy.dataSource; }

    ViewpointParser m_parser;
    brannow2::CollectingMessenger m_messenger;
};

TEST_F(QueryResolution, EachKindGoesToItsResolver)
{
    struct Expected {
        const wchar_t* query;
        int kind;
        const char* tables;
        const wchar_t* displayName;
    };
    const Expected expected[] = {
        {L"waitStates", 1, "dd_thread/wait_state//", L"Waits"},
        {L"sampledFunctions", 2, "function/dd_sample//", L""}, // the data resolver names nothing
        {L"cpuTime", 3, "function/dd_sample//", L"CPU time"},
        {L"sampleCount", 4, "function/dd_sample//", L"Samples"},
        {L"activeSamples", 5, "function/dd_sample//", L"Active samples"},
        {L"busyTime", 6, "///", L""}, // derived: resolved later by the configuration, which knows the result
    };
    std::vector<Element> layers;
    for (const Expected& e : expected)
        layers.push_back(layer(e.query));
    EXPECT_THAT(parseLayers(layers), IsEmpty());
    for (std::size_t index = 0; index < std::size(expected); ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(sourceAt(index).queryKind, expected[index].kind);
        EXPECT_EQ(tablesOf(sourceAt(index)), expected[index].tables);
        EXPECT_EQ(layerAt(index).drawBy.displayName, expected[index].displayName);
    }
    EXPECT_EQ(sourceAt(2).lowerLimit, 0.0);
    EXPECT_EQ(sourceAt(2).upperLimit, 100.0);
    const SarvikDataSource& derived = sourceAt(5);
    ASSERT_TRUE(derived.derivedQuery);
    EXPECT_EQ(derived.derivedQuery->getName(), L"busyTime");
    EXPECT_EQ(derived.query.get(), derived.derivedQuery.get());
    EXPECT_TRUE(derived.expression.empty());

    EXPECT_EQ(tablesOf(m_parser.areas[0].rowSets[0].rowBy.dataSource), "dd_thread/dd_band/name/");
    EXPECT_TRUE(sourceAt(0).keepFilters);
}

TEST_F(QueryResolution, DisplayFormatsAndColoursInBothNotations)
{
    EXPECT_THAT(parseLayers({layer(L"cpuTime"), layer(L"cpuTimeInApp"), layer(L"idleTime"),
                             layer(L"instantMarkers"), layer(L"sampledFunctions")}),
                IsEmpty());
    const ViewpointParser::DrawBy& hex = layerAt(0).drawBy;
    EXPECT_EQ(hex.format, 2);
    EXPECT_TRUE(hex.graphColorSet && hex.filterColorSet);
    EXPECT_EQ(hex.graphColor, wxColour(0x3A, 0x7B, 0xD5, 255));
    EXPECT_EQ(hex.filterColor, wxColour(0xA9, 0xC6, 0xEE, 255));
    const ViewpointParser::DrawBy& decimal = layerAt(1).drawBy;
    EXPECT_EQ(decimal.format, 1);
    EXPECT_EQ(decimal.graphColor, wxColour(46, 160, 67, 255));
    EXPECT_EQ(decimal.filterColor, wxColour(160, 214, 170, 255));
    EXPECT_EQ(layerAt(2).drawBy.graphColor, wxColour(150, 150, 150, 160));

    // Absent attributes leave the format alone and take the default colours, unset.
    const ViewpointParser::DrawBy& markers = layerAt(3).drawBy;
    EXPECT_EQ(markers.format, 0);
    EXPECT_EQ(markers.iconType, L"event");
    EXPECT_FALSE(markers.filterColorSet);
    EXPECT_EQ(markers.filterColor, tarquel_1_0::getFilteredOvertimeColor());
    const ViewpointParser::DrawBy& plain = layerAt(4).drawBy;
    EXPECT_FALSE(plain.graphColorSet);
    EXPECT_EQ(plain.graphColor, tarquel_1_0::getOvertimeColor());
    EXPECT_EQ(plain.iconType, L"");
}

TEST_F(QueryResolution, ColourAndFormatCornerCases)
{
    EXPECT_THAT(
        parseLayers({layer(L"shortHex"), layer(L"fewParts"), layer(L"hexWithoutDigits")}, displayLibrary()),
        ElementsAre(L"Timeline: <timelineGraphColor> has only 2 values. At least 3 values are required in "
                    L"R,G,B[,A] format.",
                    L"Timeline: <drawBy>, area instance 1, rowSet instance 1, layer instance 3, contains unknown "
                    L"display format 'Line'.",
                    L"Timeline: <timelineGraphColor> has only 1 values. At least 3 values are required in "
                    L"R,G,B[,A] format."));
    // A missing alpha byte reads as opaque.
    EXPECT_EQ(layerAt(0).drawBy.graphColor, wxColour(0, 0, 128, 255));
    EXPECT_EQ(layerAt(0).drawBy.filterColor, wxColour(0x11, 0x22, 0x33, 255));
    EXPECT_TRUE(layerAt(0).drawBy.filterColorSet);

    const ViewpointParser::DrawBy& fewParts = layerAt(1).drawBy;
    EXPECT_FALSE(fewParts.graphColorSet);
    EXPECT_FALSE(fewParts.graphColor.IsOk()); // unchanged: never set before
    EXPECT_TRUE(fewParts.filterColorSet);
    EXPECT_EQ(fewParts.filterColor, wxColour(1, 2, 3, 4));
    EXPECT_EQ(layerAt(2).drawBy.format, 0);
}

TEST_F(QueryResolution, RestrictionChainsFillSeriesAndExpression)
{
    EXPECT_THAT(parseLayers({layer(L"mallocTime"), layer(L"sampledTime"), layer(L"cpuTime")}), IsEmpty());
    EXPECT_THAT(seriesOf(sourceAt(0)), ElementsAre("inFunctionMalloc|function|dd_sample|name|malloc|",
                                                   "inModuleLibc|function|dd_sample|module|libc.so|"));
    EXPECT_TRUE(sourceAt(0).expression.empty());

    const std::vector<dd_sarvik_2_2::dd_rpn_node_t>& expression = sourceAt(1).expression;
    ASSERT_EQ(expression.size(), 1u);
    ASSERT_EQ(expression[0].get_type(), dd_sarvik_2_2::dd_rpn_node_t::type_db_ref);
    const auto& entries = expression[0].get_params().get_entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name.str(), L"function");
    EXPECT_EQ(entries[0].table.str(), L"dd_sample");
    EXPECT_TRUE(entries[0].qualifier.empty());
    EXPECT_TRUE(sourceAt(1).series.empty());
    EXPECT_TRUE(sourceAt(2).series.empty());
}

TEST_F(QueryResolution, MultipleRestrictionValuesKeepTheFirstAndSayItOnce)
{
    EXPECT_THAT(parseLayers({layer(L"twoModules"), layer(L"chained")}, displayLibrary()),
                ElementsAre(L"Timeline: <drawBy>, area instance 1, rowSet instance 1, layer instance 1, contains "
                            L"multiple restrictions. Only the first restriction will be used.",
                            L"Timeline: <drawBy>, area instance 1, rowSet instance 1, layer instance 2, contains "
                            L"multiple restrictions. Only the first restriction will be used."));
    EXPECT_EQ(tablesOf(sourceAt(0)), "function/dd_sample/module/app");

    const SarvikDataSource& chained = sourceAt(1);
    EXPECT_EQ(chained.queryKind, 5);
    EXPECT_EQ(chained.lowerLimit, -2.5);
    EXPECT_EQ(chained.upperLimit, 1000.0);
    EXPECT_THAT(seriesOf(chained), ElementsAre("twoModulesOfApp|function|dd_sample|name|main|",
                                                "appOfSampled|function|dd_sample|module|app|"));
    ASSERT_EQ(chained.expression.size(), 1u);
    EXPECT_EQ(chained.expression[0].get_params().get_entries().at(0).table.str(), L"dd_sample");
}

// The messages of these faults are checked word for word on the faulty viewpoint file; here, what
// each fault leaves behind.
TEST_F(QueryResolution, DrawByAndRowByFaultsKeepWhatCanBeUsed)
{
    Element twoQueries(L"layer");
    twoQueries.add(queryElement(L"drawBy", {L"sampleCount", L"cpuTime"}));
    Element vectorFirst(L"layer");
    vectorFirst.add(queryElement(L"drawBy", {L"threadTooltip", L"cpuTime"}));
    EXPECT_EQ(parseLayers({layer(L"noSuchQuery"), twoQueries, vectorFirst}).size(), 4u);
    EXPECT_EQ(sourceAt(0).queryKind, 0);
    EXPECT_FALSE(sourceAt(0).query);
    EXPECT_EQ(sourceAt(1).queryKind, 4);
    EXPECT_EQ(sourceAt(1).query->getName(), L"sampleCount");
    EXPECT_EQ(sourceAt(2).queryKind, 0);
    // The library says itself why the name did not resolve.
    EXPECT_EQ(m_messenger.count(), 1u);

    Element document(L"timeline");
    for (const wchar_t* rows : {L"unknownRows", L"cpuTime"}) {
        Element rowSet(L"rowSet");
        rowSet.add(queryElement(L"rowBy", {rows})).add(layer(L"cpuTime"));
        document.add(Element(L"area").add(rowSet));
    }
    // Row sets without layers are not resolved at all.
    Element unused(L"rowSet");
    unused.add(queryElement(L"rowBy", {L"unknownRows"}));
    document.add(Element(L"area").add(unused));
    m_parser.parse(document.bag(), shippedLibrary(), nullptr);
    EXPECT_EQ(m_parser.errors.size(), 2u);
    EXPECT_EQ(m_parser.areas[1].rowSets[0].rowBy.dataSource.attributeTable, "");
    EXPECT_EQ(m_parser.areas[1].rowSets[0].layers[0].drawBy.dataSource.queryKind, 3);
}

TEST_F(QueryResolution, TooltipVectorsKeepTheLastInfoQuery)
{
    Element mixed(L"layer");
    mixed.add(queryElement(L"drawBy", {L"cpuTime"}))
        .add(queryElement(L"tooltipBy", {L"threadName", L"cpuTime", L"markerCategory"}));
    Element single(L"layer");
    single.add(queryElement(L"drawBy", {L"cpuTime"})).add(queryElement(L"tooltipBy", {L"threadName"}));
    Element unknown(L"layer");
    unknown.add(queryElement(L"tooltipBy", {L"nothing"}));
    EXPECT_THAT(parseLayers({layer(L"cpuTime", {L"threadTooltip"}), mixed, single, unknown}),
                ElementsAre(L"Timeline: <tooltipBy>, area instance 1, rowSet instance 1, layer instance 2, must "
                            L"resolve to an info query.",
                            L"Timeline: <tooltipBy>, area instance 1, rowSet instance 1, layer instance 3, resolves "
                            L"to a NULL vector query.",
                            L"Timeline: <tooltipBy>, area instance 1, rowSet instance 1, layer instance 4, resolved "
                            L"to a NULL query."));
    const SarvikDataSource& threads = layerAt(0).tooltipBy.dataSource;
    EXPECT_EQ(tablesOf(threads), "dd_thread/dd_band/tid/");
    EXPECT_THAT(seriesOf(threads), ElementsAre("threadName|dd_thread|dd_band|name||dd_thread",
                                               "threadProcess|dd_thread|dd_band|process||dd_thread",
                                               "threadId|dd_thread|dd_band|tid||dd_thread"));

    const SarvikDataSource& mixedSource = layerAt(1).tooltipBy.dataSource;
    EXPECT_EQ(tablesOf(mixedSource), "marker/marker_instant/category/");
    EXPECT_EQ(mixedSource.series.size(), 2u);
    EXPECT_TRUE(layerAt(2).tooltipBy.dataSource.series.empty());
}

TEST_F(QueryResolution, RulerLayersResolveFirstAndParsingTwiceGivesTheSameResult)
{
    Element ruler(L"ruler");
    ruler.add(layer(L"globalEvents", {L"noSuchTooltip"})).add(layer(L"globalTasks"));
    Element document(L"timeline");
    document.add(threadArea({layer(L"noSuchQuery")})).add(ruler);

    const std::vector<std::wstring> expected{
        L"Timeline: <tooltipBy>, under <ruler>, layer instance 1, resolved to a NULL query.",
        L"Timeline: <drawBy>, area instance 1, rowSet instance 1, layer instance 1, resolved to a NULL query."};
    for (int round = 0; round < 2; ++round) {
        EXPECT_FALSE(m_parser.parse(document.bag(), shippedLibrary(), nullptr));
        EXPECT_EQ(texts(m_parser.errors), expected);
        ASSERT_EQ(m_parser.areas.size(), 1u);
        ASSERT_EQ(m_parser.ruler.layers.size(), 2u);
        const SarvikDataSource& events = m_parser.ruler.layers[0].drawBy.dataSource;
        EXPECT_EQ(events.queryKind, 1);
        EXPECT_EQ(tablesOf(events), "global_event/global_event/name/");
        EXPECT_EQ(m_parser.ruler.layers[1].drawBy.dataSource.instanceTable, "global_task");
        EXPECT_TRUE(m_parser.ruler.layers[1].drawBy.dataSource.series.empty());
    }
}

} // namespace
} // namespace velmora_1_0
