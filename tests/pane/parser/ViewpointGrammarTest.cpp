#include "ParserTestSupport.h"
#include "ViewpointBuilder.h"

#include "pane/ViewpointParser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora_1_0 {
namespace {

using namespace parser_test;
using ::testing::ElementsAre;

const std::wstring noArea =
    L"Timeline: At least one <area> was expected but could not be found. Timeline will appear empty.";

std::vector<std::wstring> errorsOf(ViewpointParser& parser, const Element& document,
                                   const Library& library = Library())
{
    const bool clean = parser.parse(document.bag(), library, nullptr);
    std::vector<wxString> errors{"stale"};
    parser.getErrors(errors);
    EXPECT_EQ(clean, errors.empty());
    return texts(errors);
}

TEST(ViewpointGrammar, DocumentsWithoutAreaAreReadButNotResolved)
{
    ViewpointParser parser;
    EXPECT_THAT(errorsOf(parser, Element(L"timeline"), shippedLibrary()), ElementsAre(noArea));

    Element rulerOnly(L"timeline");
    rulerOnly.add(Element(L"ruler").add(layer(L"globalEvents")));
    EXPECT_THAT(errorsOf(parser, rulerOnly, shippedLibrary()), ElementsAre(noArea));
    ASSERT_TRUE(parser.ruler.valid);
    EXPECT_TRUE(parser.ruler.layers[0].drawBy.present);
    EXPECT_EQ(parser.ruler.layers[0].drawBy.dataSource.queryKind, 0);
    EXPECT_FALSE(parser.ruler.layers[0].drawBy.dataSource.query);
}

TEST(ViewpointGrammar, UnknownElementsAreReportedAtEachLevelWithoutTakingANumber)
{
    Element rowSet(L"rowSet");
    rowSet.add(Element(L"Layer")).add(layer(L"cpuTime")).add(Element(L"columns")).add(layer(L"sampleCount"));
    Element badLayer(L"layer");
    badLayer.add(Element(L"colour")).add(queryElement(L"drawBy", {L"cpuTime"}));
    rowSet.add(badLayer);
    Element area(L"area");
    area.add(Element(L"rows")).add(rowSet);
    Element ruler(L"ruler");
    ruler.add(Element(L"marker")).add(layer(L"globalEvents"));
    Element document(L"timeline");
    document.add(Element(L"area"))
        .add(Element(L"Area"))
        .add(area)
        .add(Element(L"description").text(L"ignored"))
        .add(Element(L"helpKeywordF1"))
        .add(Element(L"icon"))
        .add(ruler);

    ViewpointParser parser;
    EXPECT_THAT(
        errorsOf(parser, document),
        ElementsAre(L"Timeline: Unknown top-level element <Area> found. Expected <area> or <ruler>.",
                    L"Timeline: Unknown element <rows> found under <area> instance 2. Expected <rowSet>.",
                    L"Timeline: Unknown element <Layer> found under <rowSet> instance 1, area instance 2. Expected "
                    L"<layer> or <rowBy>.",
                    L"Timeline: Unknown element <columns> found under <rowSet> instance 1, area instance 2. "
                    L"Expected <layer> or <rowBy>.",
                    L"Timeline: Unknown element <colour> found under <layer>. Expected <drawBy> or <tooltipBy>.",
                    L"Timeline: Unknown element <marker> found under <ruler>. Expected <layer>."));

    ASSERT_EQ(parser.areas.size(), 2u);
    EXPECT_EQ(parser.areas[0].instance, 1);
    EXPECT_FALSE(parser.areas[0].valid);
    EXPECT_EQ(parser.areas[1].instance, 2);
    EXPECT_TRUE(parser.areas[1].valid);
    const ViewpointParser::RowSet& read = parser.areas[1].rowSets.at(0);
    ASSERT_EQ(read.layers.size(), 3u);
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(read.layers[index].instance, index + 1);
        EXPECT_TRUE(read.layers[index].valid);
    }
    ASSERT_EQ(parser.ruler.layers.size(), 1u);
    EXPECT_EQ(parser.ruler.layers[0].instance, 1);
}

TEST(ViewpointGrammar, SecondElementsAreSkippedWithOneMessageEach)
{
    Element areaLayer(L"layer");
    areaLayer.add(queryElement(L"tooltipBy", {L"threadTooltip"}))
        .add(queryElement(L"drawBy", {L"cpuTime"}))
        .add(queryElement(L"drawBy", {L"sampleCount"}))
        .add(queryElement(L"tooltipBy", {L"markerTooltip"}));
    Element first(L"rowSet");
    first.add(queryElement(L"rowBy", {L"threads"}).attr(L"displayName", L"First"))
        .add(layer(L"activeSamples"))
        .add(areaLayer)
        .add(queryElement(L"rowBy", {L"threadName"}));
    Element second(L"rowSet");
    second.add(layer(L"sampleCount"));
    Element twoTooltips(L"layer");
    twoTooltips.add(queryElement(L"tooltipBy", {L"globalEventTooltip"}))
        .add(queryElement(L"tooltipBy", {L"threadTooltip"}));
    Element document(L"timeline");
    document.add(Element(L"ruler"))
        .add(Element(L"ruler").add(layer(L"globalEvents")).add(twoTooltips))
        .add(Element(L"area").add(first).add(second))
        .add(Element(L"ruler").add(layer(L"globalTasks")));

    ViewpointParser parser;
    EXPECT_THAT(
        errorsOf(parser, document),
        ElementsAre(L"Timeline: Multiple <tooltipBy> found under <layer> instance 2, under <ruler>. Only the first "
                    L"<tooltipBy> will be used.",
                    L"Timeline: Multiple <drawBy> found under <layer> instance 2, area instance 1, rowSet instance 1. "
                    L"Only the first <drawBy> will be used.",
                    L"Timeline: Multiple <tooltipBy> found under <layer> instance 2, area instance 1, rowSet "
                    L"instance 1. Only the first <tooltipBy> will be used.",
                    L"Timeline: Multiple <rowBy> found under <rowSet> instance 1, area instance 1. Only the first "
                    L"<rowBy> will be used.",
                    L"Timeline: Multiple <rowSet> found under <area> instance 1. Only the first <rowSet> will be "
                    L"used.",
                    L"Timeline: Multiple <ruler> found. Only the first <ruler> will be used."));

    // The first of each is the one kept.
    ASSERT_EQ(parser.ruler.layers.size(), 2u);
    EXPECT_EQ(parser.ruler.layers[1].tooltipBy.bag, queryElement(L"tooltipBy", {L"globalEventTooltip"}).bag());
    EXPECT_FALSE(parser.ruler.layers[1].valid);
    const ViewpointParser::RowSet& rowSet = parser.areas.at(0).rowSets.at(0);
    EXPECT_EQ(rowSet.rowBy.displayName, L"First");
    EXPECT_EQ(rowSet.layers.at(1).drawBy.bag, queryElement(L"drawBy", {L"cpuTime"}).bag());
    EXPECT_EQ(rowSet.layers.at(1).tooltipBy.bag, queryElement(L"tooltipBy", {L"threadTooltip"}).bag());
    EXPECT_EQ(parser.areas[0].rowSets.size(), 2u);
    EXPECT_EQ(parser.areas[0].rowSets[1].instance, 2);
}

TEST(ViewpointGrammar, AttributesAndDefaults)
{
    registerViewpointCatalog();
    Element hidden(L"layer");
    hidden.attr(L"visible", L"0").add(queryElement(L"drawBy", {L"cpuTime"}).attr(L"required", L"1"));
    Element shown(L"layer");
    shown.attr(L"visible", L"2").add(queryElement(L"drawBy", {L"cpuTime"}).attr(L"required", L"0"));
    Element rowSet(L"rowSet");
    rowSet.attr(L"displayName", L"%Running_wait_state")
        .add(queryElement(L"rowBy", {L"threads"}))
        .add(hidden)
        .add(shown)
        .add(Element(L"layer"))
        .add(layer(L"cpuTime"));
    Element empty(L"rowSet");
    empty.attr(L"displayName", 7).add(queryElement(L"rowBy", {L"threads"}).attr(L"displayName", L"Plain rows"));
    Element document(L"timeline");
    document.add(Element(L"area").add(rowSet)).add(Element(L"area").add(empty));

    ViewpointParser parser;
    errorsOf(parser, document);
    const ViewpointParser::RowSet& read = parser.areas.at(0).rowSets.at(0);
    EXPECT_EQ(read.displayName, L"Thread state");
    EXPECT_EQ(read.rowBy.displayName, L"Thread state");
    EXPECT_TRUE(read.hasLayers);
    EXPECT_FALSE(read.valid);
    ASSERT_EQ(read.layers.size(), 4u);
    EXPECT_FALSE(read.layers[0].visible);
    EXPECT_TRUE(read.layers[0].drawBy.required);
    EXPECT_TRUE(read.layers[1].visible);
    EXPECT_FALSE(read.layers[1].drawBy.required);
    EXPECT_FALSE(read.layers[2].valid);
    EXPECT_FALSE(read.layers[2].drawBy.present);
    EXPECT_TRUE(read.layers[3].visible);
    EXPECT_FALSE(read.layers[3].drawBy.required);
    EXPECT_FALSE(read.layers[3].accepted);

    const ViewpointParser::RowSet& plain = parser.areas.at(1).rowSets.at(0);
    EXPECT_EQ(plain.displayName, L"");
    EXPECT_EQ(plain.rowBy.displayName, L"Plain rows");
    EXPECT_FALSE(plain.hasLayers);
}

TEST(ViewpointGrammar, ShowErrorFollowsTheLastElementAndSurvivesDocumentsWithoutOne)
{
    const auto showErrorAfter = [](ViewpointParser& parser, std::initializer_list<Element> elements) {
        Element document(L"timeline");
        for (const Element& element : elements)
            document.add(element);
        parser.parse(document.bag(), nullptr, nullptr);
        return parser.showError;
    };
    ViewpointParser parser;
    EXPECT_FALSE(parser.showError);
    EXPECT_TRUE(showErrorAfter(parser, {Element(L"showError").text(L"1")}));
    EXPECT_TRUE(showErrorAfter(parser, {}));
    EXPECT_FALSE(showErrorAfter(parser, {Element(L"showError").text(L"0")}));
    EXPECT_TRUE(showErrorAfter(parser, {Element(L"showError").text(L" 5 ")}));
    EXPECT_FALSE(showErrorAfter(parser, {Element(L"showError")}));
    EXPECT_FALSE(showErrorAfter(parser, {Element(L"showError").attr(L"", 1)}));
    EXPECT_FALSE(showErrorAfter(parser, {Element(L"showError").text(L"yes")}));
    EXPECT_TRUE(showErrorAfter(parser, {Element(L"showError").text(L"0"), Element(L"showError").text(L"1")}));
}

} // namespace
} // namespace velmora_1_0
