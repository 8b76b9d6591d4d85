// The blob packing of bulky records: exact round trips at the extremes of every field, and
// refusal of truncated or overlong blobs.

#include "store/RecordChunkCodec.h"

#include "RecordsEquality.h"

#include <gtest/gtest.h>

#include <limits>

using namespace dd_sarvik_2_2::store;

namespace {

constexpr std::uint64_t maxTick = std::numeric_limits<std::uint64_t>::max();
constexpr std::int32_t minInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t maxInt = std::numeric_limits<std::int32_t>::max();

TEST(RecordChunkCodec, extremeAndUnsortedRecordsRoundTrip)
{
    const std::vector<BandObjectRecord> objects = {
        {maxInt, maxTick, maxTick, minInt, maxInt, minInt},
        {minInt, 0, maxTick, maxInt, minInt, maxInt},
        {0, 5, 3, 0, 0, -1},   // end before start still survives
        {0, 5, 5, 0, 0, -1}};
    const std::string blob = RecordChunkCodec::encode(objects.data(), objects.size());
    std::vector<BandObjectRecord> decoded = {objects[3]};
    ASSERT_TRUE(RecordChunkCodec::decode(blob.data(), blob.size(), objects.size(), decoded));
    ASSERT_EQ(decoded.size(), 5u);   // appended after what was there
    EXPECT_TRUE(std::vector<BandObjectRecord>(decoded.begin() + 1, decoded.end()) == objects);

    const std::vector<SampleRecord> samples = {{minInt, maxTick, 0, 0xFFFFFFFFu, maxInt},
                                               {3, 10, 11, 1, 0}};
    const std::string sampleBlob = RecordChunkCodec::encode(samples.data(), samples.size());
    std::vector<SampleRecord> decodedSamples;
    ASSERT_TRUE(RecordChunkCodec::decode(sampleBlob.data(), sampleBlob.size(), 2, decodedSamples));
    EXPECT_TRUE(decodedSamples == samples);
}

TEST(RecordChunkCodec, sortedRecordsPackSmall)
{
    std::vector<SampleRecord> samples;
    for (std::uint64_t i = 0; i < 1000; ++i)
        samples.push_back({static_cast<std::int32_t>(i / 100), 1000000 + i * 50, 1000000 + i * 50 + 20, 1,
                           static_cast<std::int32_t>(i % 3)});
    EXPECT_LT(RecordChunkCodec::encode(samples.data(), samples.size()).size(), 6 * samples.size());
}

TEST(RecordChunkCodec, truncatedOrOverlongBlobsAreRefused)
{
    const std::vector<TimedValueRecord> values = {{0, 10, 1.5}, {1, maxTick, -2.0}};
    const std::string blob = RecordChunkCodec::encode(values.data(), values.size());
    std::vector<TimedValueRecord> out;
    EXPECT_FALSE(RecordChunkCodec::decode(blob.data(), blob.size() - 1, 2, out));
    out.clear();
    EXPECT_FALSE(RecordChunkCodec::decode(blob.data(), blob.size(), 1, out));
    out.clear();
    EXPECT_FALSE(RecordChunkCodec::decode(blob.data(), blob.size(), 3, out));
    const std::string endless(20, '\xFF');
    out.clear();
    EXPECT_FALSE(RecordChunkCodec::decode(endless.data(), endless.size(), 1, out));
}

// Runs handed over and taken away one by one still decode every record exactly (each is stored
// against the one before it, across the runs' seams), and a refused run stops the decoding.
TEST(RecordChunkCodec, runsTakenAwayDecodeExactlyAndARefusalStops)
{
    std::vector<SampleRecord> samples;
    for (std::int32_t i = 0; i < 10; ++i)
        samples.push_back({i / 4, 1000u * i, 1000u * i + 7, static_cast<std::uint32_t>(i), 9 - i});
    const std::string blob = RecordChunkCodec::encode(samples.data(), samples.size());

    std::vector<SampleRecord> taken;
    std::vector<std::size_t> runSizes;
    std::vector<SampleRecord> out;
    const auto takeAll = [&](std::vector<SampleRecord>& run) {
        runSizes.push_back(run.size());
        taken.insert(taken.end(), run.begin(), run.end());
        run.clear();
        return true;
    };
    ASSERT_TRUE(RecordChunkCodec::decodeRuns<SampleRecord>(blob.data(), blob.size(), samples.size(), 4, out, takeAll));
    EXPECT_TRUE(taken == samples);
    EXPECT_EQ(runSizes, (std::vector<std::size_t>{4, 4, 2}));

    int calls = 0;
    out.clear();
    EXPECT_FALSE(RecordChunkCodec::decodeRuns<SampleRecord>(blob.data(), blob.size(), samples.size(), 3, out,
                                                            [&calls](std::vector<SampleRecord>&) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(out.size(), 6u);   // kept: the refusing taker took nothing
}

}  // namespace
