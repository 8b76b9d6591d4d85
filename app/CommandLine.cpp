#include "CommandLine.h"

#include <cstdint>
#include <string>
#include <map>

namespace velmora_viewer {

namespace {

bool parseCount(const std::string& text, std::uint64_t& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 18)
        return false;
    value = std::stoull(text);
    return true;
}

// The generator holds the whole result in memory before writing it; a count above this would
// need gigabytes per option.
constexpr std::uint64_t MAX_GENERATED_ITEMS = 50000000;

} // namespace

bool CommandLine::parse(const std::vector<std::string>& arguments, ViewerOptions& options, std::string& error) const
{
    std::size_t next = 0;
    if (next < arguments.size() && arguments[next].rfind("--", 0) != 0) {
        const std::string& command = arguments[next++];
        if (command == "view")
            options.command = ViewerOptions::Command::view;
        else if (command == "lint")
            options.command = ViewerOptions::Command::lint;
        else if (command == "generate")
            options.command = ViewerOptions::Command::generate;
        else if (command == "import")
            options.command = ViewerOptions::Command::import;
        else {
            error = "unknown command \"" + command + "\"";
            return false;
        }
    }
    const bool generating = options.command == ViewerOptions::Command::generate;
    const bool importing = options.command == ViewerOptions::Command::import;
    const bool showing = !generating && !importing;
    auto& generator = options.generator;
    std::uint64_t durationMs = 0;
    bool durationGiven = false;
    // Counted options of generate; each names the field it sets.
    const std::map<std::string, std::uint64_t*> counts = {
        {"--samples", &generator.samples},         {"--markers", &generator.markers},
        {"--transitions", &generator.transitions}, {"--global-markers", &generator.globalMarkers},
        {"--seed", &generator.seed},               {"--duration-ms", &durationMs}};
    std::uint64_t threads = generator.threads;
    std::uint64_t timeout = static_cast<std::uint64_t>(options.timeoutSeconds);

    for (; next < arguments.size(); ++next) {
        const std::string& argument = arguments[next];
        if (argument.rfind("--", 0) != 0) {
            if (importing && options.trace.empty()) {
                options.trace = argument;
                continue;
            }
            if (!options.result.empty()) {
                error = "more than one " + std::string(importing ? "output" : "result") + " directory: \"" +
                        argument + "\"";
                return false;
            }
            options.result = argument;
            continue;
        }
        if (options.command == ViewerOptions::Command::view && argument == "--print-layout") {
            options.printLayout = true;
            continue;
        }
        if (next + 1 >= arguments.size()) {
            error = "option " + argument + " needs a value";
            return false;
        }
        const std::string& value = arguments[++next];
        std::uint64_t* count = nullptr;
        if (generating && counts.count(argument))
            count = counts.at(argument);
        else if (generating && argument == "--threads")
            count = &threads;
        else if (showing && argument == "--timeout")
            count = &timeout;
        if (count) {
            if (!parseCount(value, *count)) {
                error = "option " + argument + " needs a whole number, not \"" + value + "\"";
                return false;
            }
            durationGiven = durationGiven || count == &durationMs;
        } else if (showing && argument == "--viewpoint") {
            options.viewpoint = value;
        } else if (options.command == ViewerOptions::Command::view && argument == "--screenshot") {
            options.screenshot = value;
        } else {
            error = "unknown option " + argument;
            return false;
        }
    }
    if (importing && options.result.empty()) {
        error = "import needs a trace file and an output directory";
        return false;
    }
    if (generating) {
        if (options.result.empty()) {
            error = "generate needs an output directory";
            return false;
        }
        if (threads == 0 || threads > 100000) {
            error = "--threads must be between 1 and 100000";
            return false;
        }
        generator.threads = static_cast<std::uint32_t>(threads);
        if (generator.processes > generator.threads)
            generator.processes = generator.threads;
        for (const auto& [name, value] : counts)
            if (value != &generator.seed && value != &durationMs && *value > MAX_GENERATED_ITEMS) {
                error = name + " must be at most " + std::to_string(MAX_GENERATED_ITEMS);
                return false;
            }
        if (durationGiven) {
            // Ticks are stored as signed 64-bit numbers, from the time origin on.
            const std::uint64_t ticksPerMs = generator.tickFrequency / 1000;
            const std::uint64_t maxMs = (std::uint64_t(INT64_MAX) - generator.timeOrigin) / ticksPerMs;
            if (durationMs == 0 || durationMs > maxMs) {
                error = "--duration-ms must be between 1 and " + std::to_string(maxMs);
                return false;
            }
            generator.duration = durationMs * ticksPerMs;
        }
    }
    options.timeoutSeconds = static_cast<int>(timeout > 86400 ? 86400 : timeout);
    return true;
}

std::string CommandLine::usage()
{
    return "usage:\n"
           "  velmora-viewer view [RESULT_DIR|TRACE] [--viewpoint NAME|FILE.xml] [--screenshot FILE.png]\n"
           "                 [--timeout S] [--print-layout]\n"
           "  velmora-viewer lint [RESULT_DIR|TRACE] [--viewpoint NAME|FILE.xml]\n"
           "  velmora-viewer generate OUTPUT_DIR [--threads N] [--samples N] [--markers N] [--transitions N]\n"
           "                 [--global-markers N] [--duration-ms N] [--seed N]\n"
           "  velmora-viewer import TRACE OUTPUT_DIR\n"
           "Without RESULT_DIR the sample result is generated into the cache directory on first use;\n"
           "a TRACE file (JSON trace events, a perf.data recording, or the text perf script writes) is\n"
           "imported into the cache directory and shown.\n"
           "--print-layout prints where the screenshot shows the time axis, the areas and each row.\n"
           "Bundled viewpoints: default, all_layers.\n";
}

} // namespace velmora_viewer
