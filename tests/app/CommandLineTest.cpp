#include "CommandLine.h"

#include <gtest/gtest.h>

namespace velmora_viewer {
namespace {

struct Parsed {
    bool ok;
    ViewerOptions options;
    std::string error;
};

Parsed parse(const std::vector<std::string>& arguments)
{
    Parsed parsed;
    parsed.ok = CommandLine().parse(arguments, parsed.options, parsed.error);
    return parsed;
}

TEST(CommandLine, ViewIsTheDefaultAndTakesResultViewpointAndScreenshot)
{
    const Parsed bare = parse({});
    ASSERT_TRUE(bare.ok);
    EXPECT_EQ(bare.options.command, ViewerOptions::Command::view);
    EXPECT_TRUE(bare.options.result.empty());
    EXPECT_EQ(bare.options.viewpoint, "default");

    const Parsed full = parse({"view", "/r", "--viewpoint", "all_layers", "--screenshot", "s.png", "--timeout", "7"});
    ASSERT_TRUE(full.ok) << full.error;
    EXPECT_EQ(full.options.result, "/r");
    EXPECT_EQ(full.options.viewpoint, "all_layers");
    EXPECT_EQ(full.options.screenshot, "s.png");
    EXPECT_EQ(full.options.timeoutSeconds, 7);
}

TEST(CommandLine, GenerateSetsSizesAndKeepsProcessesWithinThreads)
{
    const Parsed parsed = parse({"generate", "out", "--threads", "2", "--samples", "10000000", "--markers", "5",
                                 "--transitions", "6", "--global-markers", "7", "--seed", "9", "--duration-ms", "3"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const auto& generator = parsed.options.generator;
    EXPECT_EQ(generator.threads, 2u);
    EXPECT_EQ(generator.processes, 2u);
    EXPECT_EQ(generator.samples, 10000000u);
    EXPECT_EQ(generator.markers, 5u);
    EXPECT_EQ(generator.transitions, 6u);
    EXPECT_EQ(generator.globalMarkers, 7u);
    EXPECT_EQ(generator.seed, 9u);
    EXPECT_EQ(generator.duration, 3u * generator.tickFrequency / 1000);
}

TEST(CommandLine, ImportTakesATraceAndAnOutputDirectory)
{
    const Parsed parsed = parse({"import", "t.json", "out"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.options.command, ViewerOptions::Command::import);
    EXPECT_EQ(parsed.options.trace, "t.json");
    EXPECT_EQ(parsed.options.result, "out");
}

TEST(CommandLine, MistakesAreNamed)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"show"}, "unknown command \"show\""},
        {{"view", "--viewpoint"}, "option --viewpoint needs a value"},
        {{"view", "a", "b"}, "more than one result directory: \"b\""},
        {{"view", "--threads", "3"}, "unknown option --threads"},
        {{"lint", "--screenshot", "x.png"}, "unknown option --screenshot"},
        {{"generate"}, "generate needs an output directory"},
        {{"generate", "o", "--samples", "-4"}, "option --samples needs a whole number, not \"-4\""},
        {{"generate", "o", "--threads", "0"}, "--threads must be between 1 and 100000"},
        {{"generate", "o", "--samples", "500000000"}, "--samples must be at most 50000000"},
        {{"generate", "o", "--samples", "999999999999999999"}, "--samples must be at most 50000000"},
        {{"generate", "o", "--global-markers", "50000001"}, "--global-markers must be at most 50000000"},
        {{"generate", "o", "--samples", "1e18"}, "option --samples needs a whole number, not \"1e18\""},
        {{"generate", "o", "--duration-ms", "0"}, "--duration-ms must be between 1 and 9223372036853"},
        {{"generate", "o", "--duration-ms", "18446744073709"}, "--duration-ms must be between 1 and 9223372036853"},
        {{"import", "t.json"}, "import needs a trace file and an output directory"},
        {{"import", "t.json", "a", "b"}, "more than one output directory: \"b\""},
        {{"import", "t.json", "a", "--viewpoint", "v"}, "unknown option --viewpoint"},
    };
    for (const auto& [arguments, error] : cases) {
        const Parsed parsed = parse(arguments);
        EXPECT_FALSE(parsed.ok) << arguments.front();
        EXPECT_EQ(parsed.error, error);
    }
}

} // namespace
} // namespace velmora_viewer
