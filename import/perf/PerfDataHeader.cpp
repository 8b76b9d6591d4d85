#include "perf/PerfDataHeader.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

namespace velmora_import {

namespace {

// The flags after "sample_type = " ("IP|TID|TIME|CPU|..."), as " IP TID TIME CPU " for lookup.
std::string sampleType(std::string_view line)
{
    std::size_t start = line.find("sample_type");
    if (start == std::string_view::npos)
        return {};
    start = line.find_first_not_of(" =:", start + 11);
    if (start == std::string_view::npos)
        return {};
    const std::size_t end = line.find_first_of(", ", start);
    std::string flags = " " + std::string(line.substr(start, end == std::string_view::npos ? end : end - start)) + " ";
    for (char& c : flags)
        c = c == '|' ? ' ' : c;
    return flags;
}

std::uint64_t secondsAfter(std::string_view line)
{
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return 0;
    const double seconds = std::strtod(std::string(line.substr(colon + 1)).c_str(), nullptr);
    return seconds > 0 && std::isfinite(seconds) ? static_cast<std::uint64_t>(std::llround(seconds * 1e9)) : 0;
}

// perf script's name for the event type in "type = N", empty for types it cannot name in -F.
std::string typeName(std::string_view line)
{
    const std::size_t at = line.find(" type = ");
    if (at == std::string_view::npos)
        return {};
    switch (std::atoi(std::string(line.substr(at + 8, 3)).c_str())) {
    case 0:
        return "hw";
    case 1:
        return "sw";
    case 2:
        return "trace";
    default:
        return {};
    }
}

} // namespace

PerfDataHeader PerfDataHeader::parse(std::string_view text)
{
    PerfDataHeader header;
    bool anyEvent = false;
    bool cpu = true;
    bool period = true;
    std::map<std::string, bool> typeCpu; // by type name: every event of the type has its CPU
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.rfind("# event :", 0) == 0) {
            const std::string flags = sampleType(line);
            // The "dummy" event that carries side-band records has no samples to print.
            if (flags.empty() || line.find("name = dummy") != std::string_view::npos)
                continue;
            anyEvent = true;
            const bool hasCpu = flags.find(" CPU ") != std::string::npos;
            cpu = cpu && hasCpu;
            const auto [type, added] = typeCpu.emplace(typeName(line), hasCpu);
            type->second = type->second && hasCpu;
            period = period && flags.find(" PERIOD ") != std::string::npos;
        } else if (line.rfind("# time of first sample", 0) == 0) {
            header.firstSample = secondsAfter(line);
        } else if (line.rfind("# time of last sample", 0) == 0) {
            header.lastSample = secondsAfter(line);
        }
    }
    header.everyEventHasCpu = anyEvent && cpu;
    for (const auto& [type, hasCpu] : typeCpu) {
        if (hasCpu && !type.empty())
            header.typesWithCpu.push_back(type);
    }
    header.everyEventHasPeriod = anyEvent && period;
    return header;
}

} // namespace velmora_import
