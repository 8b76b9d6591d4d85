#pragma once
// One event of a JSON trace file as the reader hands it over: the fields the importer uses, the
// rest already dropped. Times are in microseconds, as the file gives them. Numbers written as
// strings are already numbers here; a pid or tid that is not a number keeps its text.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmora_import {

// A process or thread id: a number, or a name when the file gives one ("pid": "Spans").
struct TraceId {
    std::int64_t number = 0;
    std::string name;
    bool named = false; // a text that is not a number, even an empty one

    // One text per id: numbers in decimal with '#', names with '$', so they never meet.
    std::string key() const
    {
        std::string key;
        appendKey(key);
        return key;
    }
    void appendKey(std::string& into) const
    {
        if (named)
            into.append(1, '$').append(name);
        else
            into.append(1, '#').append(std::to_string(number));
    }
    std::string text() const { return named ? name : std::to_string(number); }
};

// One frame of the "stackFrames" section: samples name their leaf frame by `id`, and each frame
// its caller by `parent`.
struct TraceFrame {
    std::string id;
    std::string name;
    std::string category; // the library or module, when the producer gives it
    std::string parent;
};

struct TraceEvent {
    char phase = 0; // the "ph" letter; 0 when missing
    std::string name;
    std::string category;
    TraceId pid;
    TraceId tid;
    bool pidGiven = false; // sample records of the "samples" section name only the thread
    std::optional<double> timestamp;
    std::optional<double> duration;       // "dur"
    std::optional<double> threadDuration; // "tdur", stands in for a missing "dur"
    char scope = 0;                       // "s": instants "t"/"p"/"g"
    std::string id;                       // "id", "id2" local or global, with "scope"
    std::string bindId;                   // "bind_id"
    bool flowIn = false;
    bool flowOut = false;
    bool bindToEnclosing = false; // "bp": "e"
    std::string stackFrame;       // "sf"
    // Top-level args as "key: value" lines for tooltips (long values shortened).
    std::string argsText;
    std::string argName;                                 // args.name (metadata)
    std::optional<double> argSortIndex;                  // args.sort_index (metadata)
    std::string argLabels;                               // args.labels (metadata)
    std::vector<std::pair<std::string, double>> numbers; // numeric args (counter series)
    // Why the event cannot be used, when a field had a type no producer means ("ts": true).
    std::string defect;

    void clear();
};

} // namespace velmora_import
