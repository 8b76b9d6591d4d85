#include "LineLayer.h"
#include "NoticeSink.h"
#include "TestGraph.h"
#include "TestProvider.h"
#include "WxTestMain.h"

#include <tarquel_1_0/RequestHold.h>

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

using namespace tarquel_1_0;
using namespace chart_test;

namespace {

const wxColour kBackground(255, 255, 255);

class DataProviderTest : public ::testing::Test {
protected:
    DataProviderTest()
        : m_destroyed(std::make_shared<std::atomic<bool>>(false)),
          m_provider(new TestProvider(3, 1000, m_destroyed)),
          m_graph(m_provider.get(), &m_ruler, 100)
    {
        m_ruler.setDuration(1000);
        m_ruler.setPixelWidth(100);
        m_provider->setNotificationSink(&m_sink);
        m_layer.attach(nullptr, &m_graph);
        m_layer.setColor(wxColour(200, 0, 0));
    }

    // Starts the worker (tests that want to queue first call it later).
    void start() { m_provider->start(); }

    bool waitForData(const GraphLayer* layer, int count = 1)
    {
        return pumpUntil([&] { return m_sink.dataReadyFor(layer) >= count; });
    }

    std::shared_ptr<std::atomic<bool>> m_destroyed;
    NoticeSink m_sink;
    Ruler m_ruler;
    TestProviderPtr m_provider;
    TestGraph m_graph;
    LineLayer m_layer;
};

TEST_F(DataProviderTest, RequestTravelsThroughTheWorkerToTheLayerAndIsDrawn)
{
    start();
    m_layer.requestData(false);
    ASSERT_TRUE(waitForData(&m_layer));
    for (const NoticeSink::Received& r : m_sink.received) {
        EXPECT_TRUE(r.onMainThread);
        EXPECT_EQ(m_provider.get(), r.notice.provider);
    }

    ASSERT_TRUE(m_layer.checkData());
    wxBitmap bitmap(100, 3 * TestGraph::ROW_HEIGHT, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(kBackground));
    dc.Clear();
    m_layer.updateData(dc, false);
    ASSERT_EQ(3u, m_layer.rows().size());
    for (const auto& row : m_layer.rows()) {
        ASSERT_EQ(100u, row.second.size()) << "one sample per column of the view";
        EXPECT_DOUBLE_EQ(row.first + 1.0, row.second.front());
    }
    EXPECT_EQ(0, m_layer.m_loading);
    EXPECT_FALSE(m_layer.checkData()) << "records are handed over once";

    m_layer.renderAll(dc);
    dc.SelectObject(wxNullBitmap);
    const wxImage image = bitmap.ConvertToImage();
    for (int row = 0; row < 3; ++row) {
        const int y = row * TestGraph::ROW_HEIGHT + TestGraph::ROW_HEIGHT / 2;
        for (int x : {0, 50, 99})
            EXPECT_EQ(wxColour(200, 0, 0), wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)))
                << "row " << row << " x " << x;
        EXPECT_EQ(255, image.GetRed(50, y + 2));
        EXPECT_EQ(255, image.GetGreen(50, y + 2));
    }
}

TEST_F(DataProviderTest, ProgressArrivesInOrderWithoutRepeats)
{
    start();
    m_layer.requestData(false);
    ASSERT_TRUE(waitForData(&m_layer));
    pumpPending();
    EXPECT_EQ((std::vector<int>{0, 33, 66, 100}), m_sink.progressOf(&m_layer));
}

TEST_F(DataProviderTest, IdentifiersAreConsecutiveAcrossRequestTypes)
{
    const unsigned int first = m_provider->requestValues(&m_layer, 10);
    EXPECT_EQ(first + 1, m_provider->requestSMBData(&m_layer, 0));
    EXPECT_EQ(first + 2, m_provider->requestSBFilterUpdate(nullptr));
    EXPECT_EQ(first + 3, m_provider->requestValues(&m_layer, 10));
}

TEST_F(DataProviderTest, ClearingARunningRequestCancelsItAndOnlyTheNewAnswerArrives)
{
    start();
    m_provider->hold(true);
    m_layer.requestData(false);
    ASSERT_TRUE(pumpUntil([&] { return m_provider->isHolding(); }));
    // A zoom: the layer drops its request (cancelling the running one) and asks again.
    m_layer.requestData(false);
    m_provider->hold(false);
    ASSERT_TRUE(pumpUntil([&] { return m_provider->handledRequests() == 2; }));
    ASSERT_TRUE(waitForData(&m_layer));
    pumpPending();
    EXPECT_EQ(1, m_sink.dataReadyFor(&m_layer)) << "the cancelled request filed nothing";
    std::vector<TestProvider::Record> records;
    EXPECT_EQ(3, m_provider->consumeValues(&m_layer, records));
    EXPECT_EQ(1u, m_layer.m_requests.count(records.front().requestId));
}

TEST_F(DataProviderTest, ClearRequestTypeDropsQueuedRequestsOfThatLayerOnly)
{
    LineLayer other;
    other.attach(nullptr, &m_graph);
    m_provider->requestValues(&m_layer, 5);
    m_provider->requestValues(&other, 5);
    m_provider->requestSMBData(&m_layer, 0);
    m_provider->clearRequestType(&m_layer, TestProvider::VALUES);
    start();
    ASSERT_TRUE(waitForData(&other));
    ASSERT_TRUE(waitForData(&m_layer)); // the state-strip request survived
    pumpPending();
    std::vector<TestProvider::Record> records;
    EXPECT_EQ(0, m_provider->consumeValues(&m_layer, records));
    EXPECT_EQ(3, m_provider->consumeValues(&other, records));
    std::vector<DataProvider::SMBRowData> states;
    EXPECT_EQ(1, m_provider->consumeSMBData(&m_layer, states));
}

TEST_F(DataProviderTest, ClearDropsTheQueueButTheRunningRequestStillFiles)
{
    start();
    m_provider->hold(true);
    const unsigned int running = m_provider->requestValues(&m_layer, 4);
    ASSERT_TRUE(pumpUntil([&] { return m_provider->isHolding(); }));
    m_provider->requestValues(&m_layer, 4);
    m_provider->clear();
    m_provider->hold(false);
    ASSERT_TRUE(waitForData(&m_layer));
    std::vector<TestProvider::Record> records;
    m_provider->consumeValues(&m_layer, records);
    ASSERT_EQ(3u, records.size());
    for (const TestProvider::Record& r : records)
        EXPECT_EQ(running, r.requestId);
    EXPECT_EQ(1, m_provider->handledRequests());
}

TEST_F(DataProviderTest, ForgetLayerCancelsItsWorkAndKeepsOthers)
{
    LineLayer other;
    start();
    m_provider->hold(true);
    m_provider->requestValues(&m_layer, 4);
    ASSERT_TRUE(pumpUntil([&] { return m_provider->isHolding(); }));
    m_provider->requestSMBData(&m_layer, 1);
    m_provider->requestValues(&other, 4);
    m_provider->forgetLayer(&m_layer);
    m_provider->hold(false);
    ASSERT_TRUE(waitForData(&other));
    pumpPending();
    EXPECT_EQ(0, m_sink.dataReadyFor(&m_layer));
}

TEST_F(DataProviderTest, FilterUpdateReplacesVisibleRowsAndFilterBands)
{
    m_provider->setFilterRows({0, 2});
    m_provider->setFilterBand(1, {{100, 200}, {300, 400}});
    std::vector<int> rows;
    EXPECT_FALSE(m_provider->getVisibleRowFilter(rows)) << "every row is shown before the first update";
    start();
    m_provider->requestSBFilterUpdate(nullptr);
    ASSERT_TRUE(waitForData(nullptr));
    ASSERT_TRUE(m_provider->getVisibleRowFilter(rows));
    EXPECT_EQ((std::vector<int>{0, 2}), rows);
    std::vector<DataProvider::SBInterval> band;
    m_provider->getFilterBand(1, band);
    ASSERT_EQ(2u, band.size());
    EXPECT_EQ(300u, band[1].start);
    m_provider->getFilterBand(0, band);
    EXPECT_TRUE(band.empty());

    m_graph.refreshRows();
    EXPECT_EQ(2, m_graph.m_rows.getDisplayRowCount());
    EXPECT_EQ(-1, m_graph.getDisplayRow(1));
}

TEST_F(DataProviderTest, ANewerFilterUpdateCancelsTheRunningOne)
{
    LineLayer later;
    start();
    m_provider->hold(true);
    m_provider->requestSBFilterUpdate(&m_layer);
    ASSERT_TRUE(pumpUntil([&] { return m_provider->isHolding(); }));
    m_provider->setFilterRows({1});
    m_provider->requestSBFilterUpdate(&later);
    m_provider->hold(false);
    ASSERT_TRUE(waitForData(&later));
    pumpPending();
    EXPECT_EQ(0, m_sink.dataReadyFor(&m_layer)) << "the abandoned computation filed nothing";
    std::vector<int> rows;
    ASSERT_TRUE(m_provider->getVisibleRowFilter(rows));
    EXPECT_EQ(std::vector<int>{1}, rows);
}

TEST_F(DataProviderTest, DeleteSelfWhileARequestRunsEndsWithoutANotice)
{
    start();
    m_provider->hold(true);
    m_layer.requestData(false);
    ASSERT_TRUE(pumpUntil([&] { return m_provider->isHolding(); }));
    m_provider.reset(); // deleteSelf: returns at once, the worker ends and deletes the provider
    ASSERT_TRUE(pumpUntil([&] { return m_destroyed->load(); }));
    pumpPending();
    EXPECT_EQ(0, m_sink.dataReadyFor(&m_layer));
}

// What a host does before it closes the result: the wait returns only once the worker, inside a
// request when deleteSelf came, has left it and the provider is gone; the UI thread pumps nothing.
TEST_F(DataProviderTest, WaitingForEndingWorkersOutlastsTheRunningRequest)
{
    start();
    m_provider->hold(true);
    m_layer.requestData(false);
    ASSERT_TRUE(pumpUntil([&] { return m_provider->isHolding(); }));
    m_provider.reset();
    EXPECT_TRUE(DataProvider::waitForEndingWorkers(10000));
    EXPECT_TRUE(*m_destroyed);
}

TEST_F(DataProviderTest, DeleteSelfOfProvidersThatNeverRan)
{
    m_provider.reset();
    EXPECT_TRUE(*m_destroyed) << "no thread: deleted at once";

    auto destroyed = std::make_shared<std::atomic<bool>>(false);
    auto* created = new TestProvider(1, 10, destroyed); // ended through deleteSelf below
    created->Create();
    created->requestValues(nullptr, 3);
    created->deleteSelf();
    EXPECT_TRUE(pumpUntil([&] { return destroyed->load(); }));
}

// A graph asking all its layers at once holds the worker: nothing starts until the outermost
// release, and every request queued meanwhile is handled afterwards. The rounds race holding and
// releasing against a worker that is taking requests.
TEST_F(DataProviderTest, HeldWorkerStartsNothingUntilTheLastReleaseThenEverything)
{
    start();
    {
        const RequestHold outer(m_provider.get());
        const RequestHold inner(m_provider.get());
        m_provider->requestValues(&m_layer, 10);
        m_provider->requestValues(&m_layer, 10);
        pumpUntil([] { return false; }, 50);
        EXPECT_EQ(0, m_provider->handledRequests());
    }
    ASSERT_TRUE(pumpUntil([&] { return m_provider->handledRequests() == 2; }));

    int queued = 2;
    for (int round = 0; round < 200; ++round) {
        const RequestHold hold(m_provider.get());
        for (int i = 0; i < round % 3; ++i, ++queued)
            m_provider->requestValues(&m_layer, 1);
    }
    EXPECT_TRUE(pumpUntil([&] { return m_provider->handledRequests() == queued; }))
        << m_provider->handledRequests() << " of " << queued << ": posts taken while held were lost";
}

// Requests, clears, consumes and finally deleteSelf from the UI thread while the worker files and
// posts: the races the timeline produces when the user zooms quickly and closes the view.
TEST_F(DataProviderTest, RacesBetweenUiAndWorkerEndCleanly)
{
    for (int round = 0; round < 20; ++round) {
        auto destroyed = std::make_shared<std::atomic<bool>>(false);
        TestProviderPtr provider(new TestProvider(20, 1000, destroyed));
        NoticeSink sink;
        provider->setNotificationSink(&sink);
        provider->start();
        LineLayer a;
        LineLayer b;
        std::vector<TestProvider::Record> records;
        for (int i = 0; i < 30; ++i) {
            provider->requestValues(&a, 50);
            provider->requestValues(&b, 50);
            if (i % 3 == 0)
                provider->clearValueRequests(&a);
            if (i % 5 == 0)
                provider->clear();
            if (i % 7 == 0)
                provider->requestSBFilterUpdate(&b);
            provider->consumeValues(&b, records);
            pumpPending();
        }
        if (round % 2 == 0)
            pumpUntil([&] { return provider->handledRequests() > 3; }, 2000);
        provider.reset();
        ASSERT_TRUE(pumpUntil([&] { return destroyed->load(); })) << "round " << round;
        for (const NoticeSink::Received& r : sink.received)
            ASSERT_TRUE(r.notice.layer == &a || r.notice.layer == &b);
    }
}

} // namespace
