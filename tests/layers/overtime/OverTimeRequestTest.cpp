// Requests, stale-answer filtering and per-row storage of the three over-time layers.
#include "OverTimeFixture.h"

#include "layers/AttrOverTimeLayer.h"
#include "layers/DerivedOverTimeLayer.h"

#include <functional>
#include <memory>

namespace overtime_test {
namespace {

using velmora_1_0::OverTimeLayer;
using velmora_1_0::SarvikProvider;

class OverTimeRequest : public OverTimeFixture {};

TEST_F(OverTimeRequest, OneRequestCoversTheVisibleRangeAtThePixelWidth)
{
    m_ruler.setVisibleRange(100, 599, false);
    m_layer.requestData(false);

    const std::vector<tarquel_1_0::DataRequest> queued = m_provider->queued();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0].layer, &m_layer);
    EXPECT_EQ(queued[0].row, 0);
    EXPECT_EQ(queued[0].startTime, 100u);
    EXPECT_EQ(queued[0].endTime, 599u);
    EXPECT_EQ(queued[0].count, WIDTH);
    EXPECT_EQ(m_layer.m_loading, 1);
}

TEST_F(OverTimeRequest, LoadedLayerFetchesAgainOnlyWhenAskedOrInvalidated)
{
    deliver(m_layer, {{0, samples({{1, 1.0}})}}, 1.0);
    EXPECT_TRUE(m_layer.m_dataLoaded);
    EXPECT_EQ(m_layer.m_loading, 0);

    m_layer.requestData(true);
    EXPECT_TRUE(m_provider->queued().size() == 1u && m_layer.getRowData(0).values.size() == WIDTH)
        << "a loaded layer keeps its data";

    // Every way of invalidating: the next requestData(true) starts over, old ids dropped first.
    const std::vector<std::function<void(OverTimeLayer&)>> invalidations = {
        [](OverTimeLayer& layer) { layer.removeRowData(0); },
        [](OverTimeLayer& layer) { layer.filterChanged(); }, // the graph has no shown window
        [](OverTimeLayer& layer) { layer.clear(); },
    };
    for (const auto& invalidate : invalidations) {
        const unsigned int before = lastId();
        invalidate(m_layer);
        m_layer.requestData(true);
        ASSERT_EQ(m_provider->queued().size(), 1u) << "the layer's older request is withdrawn";
        EXPECT_NE(lastId(), before);
        EXPECT_EQ(m_layer.m_requests.size(), 1u);
        EXPECT_TRUE(m_layer.m_rowData.empty());
    }
}

// An answer that the worker filed after the layer asked again (a zoom) must not be drawn.
TEST_F(OverTimeRequest, AnswersToClearedRequestsAreDropped)
{
    m_layer.requestData(false);
    const unsigned int stale = lastId();
    m_layer.requestData(false);
    const unsigned int current = lastId();

    m_provider->file(REQUEST_OVERTIME, record(&m_layer, 0, stale, samples({{1, 1.0}}), 1.0));
    EXPECT_FALSE(m_layer.checkData());

    m_provider->file(REQUEST_OVERTIME, record(&m_layer, 0, stale, samples({{1, 1.0}}), 1.0));
    m_provider->file(REQUEST_OVERTIME, record(&m_layer, 1, current, samples({{2, 2.0}}), 2.0));
    m_provider->file(REQUEST_OVERTIME, record(&m_layer, 2, current, samples({{3, 3.0}}), 3.0));
    apply(m_layer);

    EXPECT_TRUE(m_layer.getRowData(0).values.empty());
    EXPECT_EQ(m_layer.getRowData(1).values[2], 2.0);
    EXPECT_EQ(m_layer.getRowData(2).maxValue, 3.0);
}

TEST_F(OverTimeRequest, NothingIsRequestedWithoutRowsProviderOrEnabling)
{
    RowGraph empty(m_provider.get(), &m_ruler, WIDTH, 0);
    OverTimeLayer noRows;
    noRows.attach(nullptr, &empty);
    noRows.requestData(false);

    RowGraph foreign(nullptr, &m_ruler, WIDTH, ROWS);
    OverTimeLayer noProvider;
    noProvider.attach(nullptr, &foreign);
    noProvider.requestData(false);

    m_layer.setEnabled(false);
    m_layer.requestData(false);

    EXPECT_TRUE(m_provider->queued().empty());
    EXPECT_EQ(noRows.m_loading, 0);
    EXPECT_FALSE(noProvider.checkData());
}

// Each layer class asks, collects and withdraws through its own entry points only, beside a
// layer of another class on the same provider.
TEST_F(OverTimeRequest, EachLayerClassUsesItsOwnEntryPoints)
{
    struct Case {
        std::function<std::unique_ptr<OverTimeLayer>()> make;
        int type;
        const char* name;
    };
    const Case cases[] = {
        {[] { return std::make_unique<OverTimeLayer>(); }, SarvikProvider::REQUEST_OVERTIME, "Over-time Data"},
        {[] { return std::make_unique<velmora_1_0::AttrOverTimeLayer>(); }, SarvikProvider::REQUEST_ATTR_OVERTIME,
         "Attribute-over-time Data"},
        {[] { return std::make_unique<velmora_1_0::DerivedOverTimeLayer>(); },
         SarvikProvider::REQUEST_DERIVED_OVERTIME, "Derived Over-time Data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_provider->clear();
        const std::unique_ptr<OverTimeLayer> layer = c.make();
        EXPECT_EQ(layer->getLayerName(), c.name);
        layer->attach(nullptr, &m_graph);
        m_layer.requestData(false);
        layer->requestData(false);
        std::vector<tarquel_1_0::DataRequest> queued = m_provider->queued();
        ASSERT_EQ(queued.size(), 2u);
        EXPECT_EQ(queued[1].type, c.type);
        const unsigned int id = queued[1].requestId;

        // An answer filed under another type does not reach the layer.
        const int otherType = c.type == REQUEST_OVERTIME ? SarvikProvider::REQUEST_ATTR_OVERTIME : REQUEST_OVERTIME;
        m_provider->file(otherType, record(layer.get(), 0, id, {1.0}, 1.0));
        EXPECT_FALSE(layer->checkData());
        m_provider->file(c.type, record(layer.get(), 0, id, {1.0}, 1.0));
        EXPECT_TRUE(layer->checkData());

        layer->requestData(false);
        queued = m_provider->queued();
        ASSERT_EQ(queued.size(), 2u) << "asking again withdraws only this layer's request";
        EXPECT_EQ(queued[0].layer, &m_layer);
        EXPECT_NE(queued[1].requestId, id);
    }
}

} // namespace
} // namespace overtime_test
