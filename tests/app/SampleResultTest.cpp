#include "SampleResult.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace velmora_viewer {
namespace {

using dd_sarvik_2_2::store::GeneratorOptions;

// A sample cached under one set of options must never be reused for another.
TEST(SampleResult, EveryOptionTellsCachedSamplesApart)
{
    const std::vector<std::function<void(GeneratorOptions&)>> changes = {
        [](GeneratorOptions& o) { ++o.threads; },       [](GeneratorOptions& o) { ++o.processes; },
        [](GeneratorOptions& o) { ++o.timeOrigin; },    [](GeneratorOptions& o) { ++o.tickFrequency; },
        [](GeneratorOptions& o) { ++o.duration; },      [](GeneratorOptions& o) { ++o.samples; },
        [](GeneratorOptions& o) { ++o.markers; },       [](GeneratorOptions& o) { ++o.transitions; },
        [](GeneratorOptions& o) { ++o.globalMarkers; }, [](GeneratorOptions& o) { ++o.counterValues; },
        [](GeneratorOptions& o) { ++o.seed; },
    };
    std::set<std::string> names{SampleResult::directoryName(GeneratorOptions())};
    for (const auto& change : changes) {
        GeneratorOptions options;
        change(options);
        EXPECT_TRUE(names.insert(SampleResult::directoryName(options)).second) << *names.rbegin();
    }
    EXPECT_EQ(SampleResult::directoryName(GeneratorOptions()), SampleResult::directoryName(GeneratorOptions()));
}

} // namespace
} // namespace velmora_viewer
