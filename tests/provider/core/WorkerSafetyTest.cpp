// The worker against the UI thread: layers that leave while their request runs, windows that
// close while queries run, and requests that fail. Races are made on purpose; the address and
// thread sanitizer builds are what see a source read after its layer freed it.
#include "ProbeProvider.h"
#include "TestResults.h"
#include "ScratchDirectory.h"
#include "WxTestMain.h"

#include <tarquel_1_0/DataSource.h>
#include <tarquel_1_0/ProviderNotice.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>
#include <thread>


namespace provider_test {
namespace {

using velmora_1_0::SarvikProvider;
using dd_sarvik_2_2::dd_overtime_query;

bool waitForMarkerTotal(SarvikProvider& provider, tarquel_1_0::GraphLayer& layer,
                    std::vector<SarvikProvider::EventMarkerData>& out, std::size_t count)
{
    return chart_test::pumpUntil([&] {
        std::vector<SarvikProvider::EventMarkerData> arrived;
        provider.consumeEventMarkerDataArray(&layer, arrived);
        out.insert(out.end(), arrived.begin(), arrived.end());
        return out.size() >= count;
    });
}

TEST(LayerLifetimeTest, AForgottenLayersSourceIsNeverReadOnceItIsGone)
{
    ResultHolder result(smallRecords());
    auto hook = std::make_shared<RequestHook>();
    ProviderPtr provider = makeAreaProvider(result.get(), nullptr, hook);
    SourceLayer staying(bandSource("marker_band"));
    for (int round = 0; round < 3; ++round) {
        auto leaving = std::make_unique<SourceLayer>(bandSource("marker_band"));
        hook->close();
        provider->requestEventMarkers(leaving.get(), 0);
        ASSERT_TRUE(hook->waitForArrival());
        // The worker holds the request; the layer leaves the timeline and takes its source along.
        provider->forgetLayer(leaving.get());
        leaving.reset();
        hook->open();
        provider->requestEventMarkers(&staying, 0);
        std::vector<SarvikProvider::EventMarkerData> records;
        ASSERT_TRUE(waitForMarkerTotal(*provider, staying, records, 1));
        EXPECT_EQ(records[0].markers.size(), 2u);
    }
}

TEST(LayerLifetimeTest, AnEndedProvidersWorkerNeverReadsTheSourceOfAGoneLayer)
{
    ResultHolder result(smallRecords());
    auto hook = std::make_shared<RequestHook>();
    auto destroyed = std::make_shared<std::atomic<bool>>(false);
    ProviderPtr provider = makeAreaProvider(result.get(), destroyed, hook);
    auto layer = std::make_unique<SourceLayer>(bandSource("global_event", "event_key"));
    hook->close();
    provider->requestGlobalEventMarkers(layer.get());
    ASSERT_TRUE(hook->waitForArrival());
    // What a closing window does: end the provider, then delete its layers.
    provider.reset();
    layer.reset();
    hook->open();
    EXPECT_TRUE(chart_test::pumpUntil([&] { return destroyed->load(); }));
}

// Every kind of request of a window's layers in flight when the window closes, round after round.
TEST(LayerLifetimeTest, ClosingWhileEveryKindOfQueryRunsLeavesNothingBehind)
{
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = 8;
    options.samples = 20000;
    ResultHolder result(options);
    for (int round = 0; round < 25; ++round) {
        auto destroyed = std::make_shared<std::atomic<bool>>(false);
        ProviderPtr provider = makeAreaProvider(result.get(), destroyed);
        std::vector<std::unique_ptr<SourceLayer>> layers;
        layers.push_back(std::make_unique<SourceLayer>(sampleSource(dd_overtime_query::data_src_time)));
        layers.push_back(std::make_unique<SourceLayer>(bandSource("marker_instant")));
        layers.push_back(std::make_unique<SourceLayer>(bandSource("wait_state")));
        layers.push_back(std::make_unique<SourceLayer>(bandSource("global_event", "global_event")));
        const int rows = provider->getRowCount();
        for (int repeat = 0; repeat < 3; ++repeat) {
            provider->requestOverTimeData(layers[0].get(), 0, 0, 10000000000ull, 400);
            for (int row = 0; row < rows; ++row)
                provider->requestEventMarkers(layers[1].get(), row);
            provider->requestTransitions(layers[2].get(), 0, rows - 1);
            provider->requestGlobalEventMarkers(layers[3].get());
        }
        // Let the worker get going, a little further each round.
        std::vector<SarvikProvider::EventMarkerData> markers;
        ASSERT_TRUE(waitForMarkerTotal(*provider, *layers[1], markers, static_cast<std::size_t>(round % rows)));
        provider.reset();
        layers.clear();
        ASSERT_TRUE(chart_test::pumpUntil([&] { return destroyed->load(); }));
    }
}

// Records the failures a provider reports, as the timeline receives them.
class FailureSink : public wxEvtHandler {
public:
    FailureSink()
    {
        Bind(tarquel_1_0::EVT_PROVIDER_FAILURE, [this](wxThreadEvent& event) {
            causes.push_back(event.GetString());
            layers.push_back(tarquel_1_0::noticeOf(event).layer);
        });
    }
    std::vector<wxString> causes;
    std::vector<tarquel_1_0::GraphLayer*> layers;
};

// A source the provider does not understand: its checked cast fails on the worker.
class ForeignSource : public tarquel_1_0::DataSource {
public:
    std::unique_ptr<tarquel_1_0::DataSource> clone() const override { return std::make_unique<ForeignSource>(); }
};

TEST(FailedRequestTest, AFailedRequestFilesNothingIsToldOncePerCauseAndTheWorkerGoesOn)
{
    ResultHolder result(smallRecords());
    auto hook = std::make_shared<RequestHook>();
    auto destroyed = std::make_shared<std::atomic<bool>>(false);
    ProviderPtr provider = makeAreaProvider(result.get(), destroyed, hook);
    FailureSink sink;
    provider->setNotificationSink(&sink);
    SourceLayer markers(bandSource("marker_band"));
    SourceLayer foreign(bandSource("marker_band"));
    foreign.setDataSource(new ForeignSource);

    // The first four requests throw; the two of `foreign` fail in the provider's own checked cast.
    const std::exception_ptr failures[] = {std::make_exception_ptr(std::bad_alloc()),
                                           std::make_exception_ptr(std::bad_alloc()),
                                           std::make_exception_ptr(std::runtime_error("page file damaged")),
                                           std::make_exception_ptr(42)};
    for (const std::exception_ptr& failure : failures) {
        hook->failNextWith(failure);
        provider->requestEventMarkers(&markers, 0);
    }
    provider->requestEventMarkers(&foreign, 0);
    provider->requestEventMarkers(&foreign, 1);
    provider->requestEventMarkers(&markers, 2);

    // Only the last request of `markers` files a record; the worker took it after all the failures.
    std::vector<SarvikProvider::EventMarkerData> records;
    ASSERT_TRUE(waitForMarkerTotal(*provider, markers, records, 1));
    chart_test::pumpUntil([&] { return sink.causes.size() >= 4; });
    EXPECT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].row, 2);
    ASSERT_EQ(sink.causes.size(), 4u); // bad_alloc, runtime_error, unknown, bad_cast: once each
    EXPECT_EQ(sink.causes[0], wxString(std::bad_alloc().what()));
    EXPECT_EQ(sink.causes[1], "page file damaged");
    EXPECT_EQ(sink.causes[2], "");
    EXPECT_EQ(sink.causes[3], wxString(std::bad_cast().what()));
    EXPECT_EQ(sink.layers[3], &foreign);
    std::vector<SarvikProvider::EventMarkerData> ofForeign;
    EXPECT_EQ(provider->consumeEventMarkerDataArray(&foreign, ofForeign), 0);

    provider->setNotificationSink(nullptr);
    provider.reset();
    EXPECT_TRUE(chart_test::pumpUntil([&] { return destroyed->load(); }));
}

TEST(FailedRequestTest, APageFileThatCannotBeWrittenIsToldOnceWithItsPath)
{
    // Page files go under a plain file: no page can be written there, whoever runs the test.
    const ScratchDirectory scratch("velmora_pages");
    const std::filesystem::path blocker = scratch.path() / "blocker";
    std::ofstream(blocker) << "x";
    const std::wstring pages = (blocker / "pages").wstring();
    ResultHolder result(smallRecords(), pages);
    result.get()->get_database().get_pager().set_memory_budget(0);
    ProviderPtr provider = makeAreaProvider(result.get());
    FailureSink sink;
    provider->setNotificationSink(&sink);
    SourceLayer samples(sampleSource(dd_overtime_query::data_src_count));
    std::vector<SarvikProvider::OverTimeData> rows;
    for (int round = 0; round < 2; ++round) {
        provider->requestOverTimeData(&samples, 0, 0, 100, 4);
        ASSERT_TRUE(chart_test::pumpUntil([&] {
            std::vector<SarvikProvider::OverTimeData> arrived;
            provider->consumeOverTimeDataArray(&samples, arrived);
            rows.insert(rows.end(), arrived.begin(), arrived.end());
            return rows.size() == 3u * (round + 1) && !sink.causes.empty();
        }));
    }
    chart_test::pumpPending();
    provider->setNotificationSink(nullptr);
    ASSERT_EQ(sink.causes.size(), 1u);
    EXPECT_TRUE(sink.causes[0].StartsWith("cannot write the page file " + wxString(pages))) << sink.causes[0];
    EXPECT_EQ(rows[1].values.front(), 10.0);   // the pages stayed in memory, the answer is whole
}

TEST(UiThreadTest, RequestsConsumesAndClearsFromAnotherThreadAreCaught)
{
    ProviderPtr provider(new ProbeProvider); // no worker: requests only wait in the queue
    SourceLayer layer(bandSource("marker_band"));
    chart_test::ExpectAssertions expected;
    std::thread other([&] {
        provider->requestEventMarkers(&layer, 0);
        std::vector<SarvikProvider::EventMarkerData> out;
        provider->consumeEventMarkerDataArray(&layer, out);
        provider->clearEventMarkerRequests(&layer);
    });
    other.join();
    // The request and the consume are caught once each, the clear also in the base it calls.
    EXPECT_EQ(expected.count(), 4);
    provider->requestEventMarkers(&layer, 0);
    EXPECT_EQ(expected.count(), 4);
}

} // namespace
} // namespace provider_test
