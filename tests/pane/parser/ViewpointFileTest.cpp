#include "ParserTestSupport.h"

#include "pane/ViewpointParser.h"

#include <brannow2/CollectingMessenger.h>
#include <tessik2/XmlSessionStorage.h>

#include <gtest/gtest.h>

namespace velmora_1_0 {
namespace {

using namespace parser_test;

class ViewpointFile : public ::testing::Test {
protected:
    void SetUp() override { registerViewpointCatalog(); }

    mirrow2::variant_bag_t read(const wchar_t* section)
    {
        const auto storage =
            tessik2::createXmlSessionStorage(std::wstring(L"" VELMORA_SOURCE_DIR) + L"/data/viewpoints", &m_messenger);
        return storage->get_section(section)->get_variant_bag(L"timeline", mirrow2::variant_bag_t());
    }

    brannow2::CollectingMessenger m_messenger;
    ViewpointParser m_parser;
};

TEST_F(ViewpointFile, DefaultViewpointResolvesWithoutMessages)
{
    const mirrow2::variant_bag_t viewpoint = read(L"threads");
    ASSERT_FALSE(viewpoint.empty());
    EXPECT_TRUE(m_parser.parse(viewpoint, shippedLibrary(), &m_messenger));
    EXPECT_TRUE(m_parser.errors.empty());
    EXPECT_EQ(m_messenger.count(), 0u);
    EXPECT_TRUE(m_parser.showError);

    ASSERT_EQ(m_parser.ruler.layers.size(), 2u);
    EXPECT_EQ(m_parser.ruler.layers[0].tooltipBy.dataSource.attributeTable, "global_event");
    ASSERT_EQ(m_parser.areas.size(), 1u);
    const ViewpointParser::RowSet& threads = m_parser.areas[0].rowSets.at(0);
    EXPECT_EQ(threads.displayName, L"Threads");
    EXPECT_EQ(threads.rowBy.displayName, L"Thread state");
    EXPECT_EQ(threads.rowBy.dataSource.attributeName, "name");
    std::vector<int> kinds;
    for (const ViewpointParser::LayerInfo& layer : threads.layers)
        kinds.push_back(layer.drawBy.dataSource.queryKind);
    EXPECT_EQ(kinds, (std::vector<int>{3, 6, 1, 1, 1}));
    EXPECT_FALSE(threads.layers[1].visible);
    EXPECT_EQ(threads.layers[3].drawBy.iconType, L"event");
}

TEST_F(ViewpointFile, FaultyViewpointReportsEachFaultOnceInDocumentOrderPerPhase)
{
    const mirrow2::variant_bag_t viewpoint = read(L"faults");
    ASSERT_FALSE(viewpoint.empty());
    EXPECT_FALSE(m_parser.parse(viewpoint, shippedLibrary(), &m_messenger));
    const std::vector<std::wstring> expected{
        // Grammar, in document order.
        L"Timeline: Unknown top-level element <legend> found. Expected <area> or <ruler>.",
        L"Timeline: Multiple <tooltipBy> found under <layer> instance 1, under <ruler>. Only the first <tooltipBy> "
        L"will be used.",
        L"Timeline: Unknown element <label> found under <ruler>. Expected <layer>.",
        L"Timeline: Multiple <drawBy> found under <layer> instance 2, under <ruler>. Only the first <drawBy> will "
        L"be used.",
        L"Timeline: Multiple <rowBy> found under <rowSet> instance 1, area instance 1. Only the first <rowBy> will "
        L"be used.",
        L"Timeline: Multiple <drawBy> found under <layer> instance 1, area instance 1, rowSet instance 1. Only the "
        L"first <drawBy> will be used.",
        L"Timeline: Unknown element <Layer> found under <rowSet> instance 1, area instance 1. Expected <layer> or "
        L"<rowBy>.",
        L"Timeline: Unknown element <hint> found under <layer>. Expected <drawBy> or <tooltipBy>.",
        L"Timeline: Multiple <tooltipBy> found under <layer> instance 3, area instance 1, rowSet instance 1. Only "
        L"the first <tooltipBy> will be used.",
        L"Timeline: Unknown element <group> found under <rowSet> instance 1, area instance 1. Expected <layer> or "
        L"<rowBy>.",
        L"Timeline: Multiple <rowSet> found under <area> instance 1. Only the first <rowSet> will be used.",
        L"Timeline: Unknown top-level element <Area> found. Expected <area> or <ruler>.",
        L"Timeline: Unknown element <column> found under <area> instance 2. Expected <rowSet>.",
        L"Timeline: Multiple <ruler> found. Only the first <ruler> will be used.",
        // Resolution: ruler first, then each area's row sets.
        L"Timeline: <tooltipBy>, under <ruler>, layer instance 1, resolves to a NULL vector query.",
        L"Timeline: <rowBy>, area instance 1, rowSet instance 1, was expected to resolve to an InfoQuery, but the "
        L"operation failed.",
        L"Timeline: <drawBy>, area instance 1, rowSet instance 1, layer instance 1, resolved to a NULL query.",
        L"Timeline: <drawBy>, area instance 1, rowSet instance 1, layer instance 2, resolves to multiple queries. "
        L"Only the first query will be used.",
        L"Timeline: <tooltipBy>, area instance 1, rowSet instance 1, layer instance 2, must resolve to an info "
        L"query.",
        L"Timeline: <rowBy>, area instance 1, rowSet instance 2, was expected to resolve to a non-NULL query, but "
        L"the operation failed.",
        L"Timeline: <drawBy>, area instance 1, rowSet instance 2, layer instance 1, resolves to multiple queries. "
        L"Only the first query will be used.",
        L"Timeline: <drawBy>, area instance 1, rowSet instance 2, layer instance 1, did not resolve to a valid "
        L"query.",
    };
    EXPECT_EQ(texts(m_parser.errors), expected);

    ASSERT_EQ(m_parser.areas.size(), 2u);
    EXPECT_TRUE(m_parser.areas[0].valid);
    EXPECT_FALSE(m_parser.areas[1].valid);
    const ViewpointParser::RowSet& first = m_parser.areas[0].rowSets.at(0);
    ASSERT_EQ(first.layers.size(), 3u);
    // Unknown elements take no number, and the first of each repeated element is the one kept.
    for (int index = 0; index < 3; ++index)
        EXPECT_EQ(first.layers[index].instance, index + 1);
    EXPECT_FALSE(first.layers[2].valid);
    EXPECT_EQ(first.layers[1].drawBy.dataSource.queryKind, 4);
    EXPECT_EQ(first.layers[1].tooltipBy.dataSource.attributeName, "name");
    EXPECT_EQ(first.layers[2].tooltipBy.dataSource.attributeName, "tid");
    EXPECT_EQ(first.rowBy.bag.bags().at(0).first_value().get_text(), L"cpuTime");
    EXPECT_EQ(m_parser.areas[1].instance, 2);
    ASSERT_EQ(m_parser.areas[0].rowSets.size(), 2u);
    EXPECT_EQ(m_parser.areas[0].rowSets[1].instance, 2);
    // The later ruler is skipped: only the first ruler that read layers is kept.
    ASSERT_EQ(m_parser.ruler.layers.size(), 2u);
    EXPECT_EQ(m_parser.ruler.layers[0].drawBy.dataSource.instanceTable, "global_event");
    EXPECT_EQ(m_parser.ruler.layers[1].drawBy.dataSource.instanceTable, "global_task");
}

} // namespace
} // namespace velmora_1_0
