#pragma once
// One event of a JSON trace file as the reader hands it over: the fields the importer uses, the
// rest already dropped. Times are in microseconds, as the file gives them.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmora_import {

struct TraceEvent {
    char phase = 0; // "X" complete, "B"/"E" begin/end, "i"/"I" instant, "C" counter, "M" metadata
    std::string name;
    std::string category;
    std::int64_t pid = 0;
    std::int64_t tid = 0;
    std::optional<double> timestamp;
    std::optional<double> duration;
    char scope = 't'; // instants: "t" thread, "p" process, "g" global
    std::string argName;                                 // args.name (metadata events)
    std::vector<std::pair<std::string, double>> numbers; // numeric args (counter series)

    void clear();
};

} // namespace velmora_import
