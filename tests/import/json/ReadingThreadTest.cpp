// A JSON trace is parsed on a thread of its own and built on the caller's, batch by batch: the
// hand-off keeps every event in order however the two threads race, and a cancel from the
// reading thread while batches are in flight ends the import cleanly.
#include "ImportFixture.h"

#include "BatchChannel.h"

#include <atomic>
#include <fstream>
#include <set>
#include <thread>

namespace velmora_import_test {
namespace {

namespace fs = std::filesystem;

struct Numbered {
    std::vector<int> values;
};

TEST(BatchChannelTest, HandsEveryBatchOverInOrderThroughItsPool)
{
    constexpr int BATCHES = 20000;
    velmora_import::BatchChannel<Numbered> channel(2);
    std::thread producer([&] {
        for (int sent = 0; sent < BATCHES; ++sent) {
            auto batch = channel.take();
            batch->values.assign(static_cast<std::size_t>(sent % 7 + 1), sent);
            channel.send(std::move(batch));
        }
        channel.close();
    });
    int expected = 0;
    std::set<const Numbered*> seen;
    while (auto batch = channel.receive()) {
        ASSERT_EQ(batch->values.size(), static_cast<std::size_t>(expected % 7 + 1));
        EXPECT_EQ(batch->values.front(), expected);
        seen.insert(batch.get());
        ++expected;
        channel.recycle(std::move(batch));
    }
    producer.join();
    EXPECT_EQ(expected, BATCHES);
    EXPECT_LE(seen.size(), 2u) << "batches are reused, never made anew";
}

// `pairs` begin/end pairs nested three deep on one thread, one event a line.
std::string nestedTrace(int pairs)
{
    std::string text = "[\n";
    for (int i = 0; i < pairs; ++i) {
        const double base = i * 10.0;
        for (int depth = 0; depth < 3; ++depth)
            text += "{\"ph\": \"B\", \"pid\": 1, \"tid\": 2, \"ts\": " + std::to_string(base + depth) +
                    ", \"name\": \"level" + std::to_string(depth) + "\"},\n";
        for (int depth = 2; depth >= 0; --depth)
            text += "{\"ph\": \"E\", \"pid\": 1, \"tid\": 2, \"ts\": " + std::to_string(base + 6 - depth) + "},\n";
    }
    text += "{\"ph\": \"i\", \"pid\": 1, \"tid\": 2, \"ts\": 0, \"name\": \"start\"}]\n";
    return text;
}

class ReadingThreadTest : public ImportFixture {};

TEST_F(ReadingThreadTest, EventsKeepTheirOrderAcrossBatches)
{
    // Far more events than the batches in flight hold, so the reader waits for the builder.
    constexpr int PAIRS = 20000;
    ASSERT_TRUE(import(nestedTrace(PAIRS))) << m_error;
    const auto& slices = band(L"marker_duration").objects;
    ASSERT_EQ(slices.size(), 3u * PAIRS);
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const auto depth = static_cast<std::int32_t>(i % 3);
        ASSERT_EQ(slices[i].value, depth) << "slice " << i;
        ASSERT_EQ(text(L"marker", static_cast<std::size_t>(slices[i].instanceIndex)),
                  L"level" + std::to_wstring(depth));
        ASSERT_EQ(slices[i].end - slices[i].start, static_cast<std::uint64_t>(6000 - 2000 * depth));
    }
    EXPECT_TRUE(m_notes.empty());
}

TEST_F(ReadingThreadTest, CancelFromTheReadingThreadWhileBatchesAreInFlightLeavesNothing)
{
    // Progress is told every few megabytes: the second report comes with most of the file still
    // to read and batches on their way.
    const fs::path trace = scratch() / "canceled.json";
    std::ofstream(trace) << nestedTrace(40000);
    ASSERT_GT(fs::file_size(trace), 12u << 20);
    std::atomic<int> reports{0};
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<bool> fromOtherThread{false};
    velmora_import::TraceImporter importer([&](int) {
        fromOtherThread = fromOtherThread || std::this_thread::get_id() != caller;
        return ++reports < 2;
    });
    const fs::path output = scratch() / "canceled_result";
    std::string error;
    EXPECT_FALSE(importer.importTo(trace, output, error));
    EXPECT_NE(error.find("canceled"), std::string::npos) << error;
    EXPECT_EQ(reports, 2) << "nothing is reported once the reading stopped";
    EXPECT_TRUE(fromOtherThread);
    EXPECT_FALSE(fs::exists(output));
}

} // namespace
} // namespace velmora_import_test
