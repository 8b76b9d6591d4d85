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
