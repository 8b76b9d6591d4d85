#include <tarquel_1_0/Directory.h>

#include <gtest/gtest.h>

using tarquel_1_0::Directory;
using tarquel_1_0::GraphLayer;
using tarquel_1_0::GraphLayerParent;

// Layers and graphs are only keys here, so any distinct addresses do.
TEST(Directory, RoutesLayersToTheirGraphsAndForgetsRemovedOnes)
{
    int storage[5] = {};
    auto* ruler = reinterpret_cast<GraphLayerParent*>(&storage[0]);
    auto* area = reinterpret_cast<GraphLayerParent*>(&storage[1]);
    auto* a = reinterpret_cast<GraphLayer*>(&storage[2]);
    auto* b = reinterpret_cast<GraphLayer*>(&storage[3]);
    auto* stranger = reinterpret_cast<GraphLayer*>(&storage[4]);

    Directory directory;
    directory.addGraph(-1, ruler);
    directory.addGraph(0, area);
    directory.addLayer(a, area);
    directory.addLayer(b, ruler);
    directory.addLayer(a, ruler); // a layer lives in one graph: the first one stays
    EXPECT_EQ(directory.getLayers(), (std::vector<GraphLayer*>{a, b}));
    EXPECT_EQ(directory.findGraphOf(a), area);
    EXPECT_EQ(directory.findGraphOf(stranger), nullptr);
    EXPECT_EQ(directory.findGraph(-1), ruler);
    EXPECT_EQ(directory.findGraph(1), nullptr);
    EXPECT_EQ(directory.paneIndexOf(area), 0);
    EXPECT_EQ(directory.paneIndexOf(nullptr), -2);
}
