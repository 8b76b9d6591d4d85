#include "ProbeProvider.h"
#include "TestResults.h"
#include "WxTestMain.h"

#include <gtest/gtest.h>

namespace provider_test {
namespace {

using velmora_1_0::SarvikProvider;
using dd_sarvik_2_2::dd_overtime_query;

// Consume puts what arrived ahead of what `out` held; gathering over several calls appends
// instead, so `all` keeps the order of arrival.
template <class Record, class Consume>
void gather(std::vector<Record>& all, Consume&& consume)
{
    std::vector<Record> arrived;
    consume(arrived);
    all.insert(all.end(), arrived.begin(), arrived.end());
}

// Takes the finished marker records of `layer` once `count` have arrived (appended to `out`).
bool waitForMarkers(SarvikProvider& provider, tarquel_1_0::GraphLayer& layer,
                    std::vector<SarvikProvider::EventMarkerData>& out, std::size_t count)
{
    const std::size_t target = out.size() + count;
    return chart_test::pumpUntil([&] {
        gather(out, [&](auto& arrived) { provider.consumeEventMarkerDataArray(&layer, arrived); });
        return out.size() >= target;
    });
}

TEST(RequestFlowTest, IdentifiersAreConsecutiveAcrossTypes)
{
    ProviderPtr provider(new ProbeProvider); // no thread: requests wait in the queue
    SourceLayer layer(sampleSource(dd_overtime_query::data_src_count));
    EXPECT_EQ(provider->requestOverTimeData(&layer, 0, 0, 100, 4), 0u);
    EXPECT_EQ(provider->requestEventMarkers(&layer, 1), 1u);
    EXPECT_EQ(provider->requestGlobalEventMarkers(&layer), 2u);
    EXPECT_EQ(provider->requestTransitions(&layer, 0, 2), (std::vector<unsigned int>{3, 4, 5}));
    EXPECT_TRUE(provider->requestTransitions(&layer, 5, 4).empty());
    EXPECT_EQ(provider->requestDerivedOverTimeData(&layer, 0, 0, 100, 4), 6u);
    EXPECT_EQ(provider->requestAttrOverTimeData(&layer, 0, 0, 100, 4), 7u);
}

TEST(RequestFlowTest, LayersTakeTheirOwnRecordsInCompletionOrderAheadOfWhatTheyHeld)
{
    ResultHolder result(smallRecords());
    ProviderPtr provider = makeAreaProvider(result.get());
    SourceLayer a(bandSource("marker_band"));
    SourceLayer b(bandSource("marker_band"));
    const unsigned int a0 = provider->requestEventMarkers(&a, 0);
    provider->requestEventMarkers(&b, 0);
    const unsigned int a1 = provider->requestEventMarkers(&a, 1);
    const unsigned int a2 = provider->requestEventMarkers(&a, 2);
    provider->requestEventMarkers(&b, 2);
    // The worker handles requests in order: once b's last record is in, all of a's are.
    std::vector<SarvikProvider::EventMarkerData> ofB;
    ASSERT_TRUE(waitForMarkers(*provider, b, ofB, 2));

    std::vector<SarvikProvider::EventMarkerData> out(2);
    EXPECT_EQ(provider->consumeEventMarkerDataArray(&a, out), 5);
    EXPECT_EQ(out[0].requestId, a0);
    EXPECT_EQ(out[1].requestId, a1);
    EXPECT_EQ(out[2].requestId, a2);
    EXPECT_EQ(out[0].markers.size(), 2u);
    EXPECT_TRUE(out[1].markers.empty()); // a row without markers still gets its record
    EXPECT_EQ(out[2].row, 2);
    EXPECT_EQ(out[3].layer, nullptr);
    // Nothing more: out stays as it is.
    EXPECT_EQ(provider->consumeEventMarkerDataArray(&a, out), 5);
}

TEST(RequestFlowTest, EveryRequestTypeFilesForItsLayer)
{
    ResultHolder result(smallRecords());
    ProviderPtr provider = makeAreaProvider(result.get());
    SourceLayer samples(sampleSource(dd_overtime_query::data_src_count));
    SourceLayer waits(bandSource("wait_state"));
    SourceLayer events(bandSource("global_event", "event_key"));
    const unsigned int overTime = provider->requestOverTimeData(&samples, 0, 0, 100, 4);
    const std::vector<unsigned int> transitions = provider->requestTransitions(&waits, 0, 2);
    const unsigned int global = provider->requestGlobalEventMarkers(&events);

    std::vector<SarvikProvider::OverTimeData> rows;
    std::vector<SarvikProvider::TransitionsData> lines;
    std::vector<SarvikProvider::EventMarkerData> markers;
    ASSERT_TRUE(chart_test::pumpUntil([&] {
        gather(rows, [&](auto& arrived) { provider->consumeOverTimeDataArray(&samples, arrived); });
        gather(lines, [&](auto& arrived) { provider->consumeTransitionArray(&waits, arrived); });
        gather(markers, [&](auto& arrived) { provider->consumeGlobalEventMarkerDataArray(&events, arrived); });
        return rows.size() == 3 && lines.size() == 3 && markers.size() == 1;
    }));
    for (const auto& row : rows)
        EXPECT_EQ(row.requestId, overTime);
    EXPECT_EQ(rows[1].values.front(), 10.0);
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].requestId, transitions[i]);
    EXPECT_EQ(lines[2].transitions.size(), 1u);
    EXPECT_EQ(markers[0].requestId, global);
    EXPECT_EQ(markers[0].row, -1);
    EXPECT_EQ(markers[0].markers.size(), 2u);
}

// Races on a result large enough that the first over-time call is still in the engine when the
// UI thread acts.
class RunningQueryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dd_sarvik_2_2::store::GeneratorOptions options;
        options.threads = 32;
        options.samples = 3000000;
        s_result = new ResultHolder(options);
    }
    static void TearDownTestSuite()
    {
        delete s_result;
        s_result = nullptr;
    }

    // Starts an over-time query of `layer` and waits until the engine is working on it.
    void startQuery(SarvikProvider& provider, ProbeProvider& probe)
    {
        provider.requestOverTimeData(&m_querying, 0, 0, 10000000000ull, 2000);
        ASSERT_TRUE(chart_test::pumpUntil([&] { return probe.overTimeQueryRunning(); }));
    }

    static ResultHolder* s_result;
    SourceLayer m_querying{sampleSource(dd_overtime_query::data_src_time)};
    SourceLayer m_other{bandSource("marker_instant")};
};

ResultHolder* RunningQueryTest::s_result = nullptr;

TEST_F(RunningQueryTest, ClearingAnotherLayersOverTimeRequestsCancelsTheRunningQuery)
{
    ProviderPtr provider = makeAreaProvider(s_result->get());
    startQuery(*provider, *provider);
    provider->clearOverTimeRequests(&m_other);
    // A marker request queued behind the query tells when the worker is done with it.
    provider->requestEventMarkers(&m_other, 0);
    std::vector<SarvikProvider::EventMarkerData> sentinel;
    ASSERT_TRUE(waitForMarkers(*provider, m_other, sentinel, 1));
    std::vector<SarvikProvider::OverTimeData> rows;
    EXPECT_EQ(provider->consumeOverTimeDataArray(&m_querying, rows), 0);
}

TEST_F(RunningQueryTest, ClearDuringAQueryStillFilesItsRecords)
{
    ProviderPtr provider = makeAreaProvider(s_result->get());
    startQuery(*provider, *provider);
    provider->clear();
    std::vector<SarvikProvider::OverTimeData> rows;
    ASSERT_TRUE(chart_test::pumpUntil([&] { return provider->consumeOverTimeDataArray(&m_querying, rows) > 0; }));
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(provider->getRowCount()));
    EXPECT_EQ(rows[0].values.size(), 2000u);
}

TEST_F(RunningQueryTest, DeleteSelfDuringAQueryEndsTheProvider)
{
    auto destroyed = std::make_shared<std::atomic<bool>>(false);
    ProviderPtr provider = makeAreaProvider(s_result->get(), destroyed);
    startQuery(*provider, *provider);
    provider.reset(); // deleteSelf
    EXPECT_TRUE(chart_test::pumpUntil([&] { return destroyed->load(); }));
}

} // namespace
} // namespace provider_test
