#include "json/TraceJsonReader.h"

#include "json/TraceEventHandler.h"

#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

namespace velmora_import {

bool TraceJsonReader::read(const std::filesystem::path& file, TraceEventSink& sink, const Progress& progress,
                           std::vector<std::string>& notes, std::string& error) const
{
    TraceFileInput input;
    if (!input.open(file, error))
        return false;
    JsonInputStream stream(input, progress);
    TraceEventHandler handler(stream, sink);
    rapidjson::Reader reader;
    // Iterative parsing: 100,000 nested brackets cost memory, not the stack.
    const rapidjson::ParseResult parsed =
        reader.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseTrailingCommasFlag |
                     rapidjson::kParseNanAndInfFlag>(stream, handler);
    if (handler.canceled()) {
        error = file.string() + ": the import was canceled";
        return false;
    }
    if (parsed.IsError()) {
        const std::string place = stream.placeOf(parsed.Offset());
        const std::string what = input.error().empty() ? rapidjson::GetParseError_En(parsed.Code())
                                                       : "the compressed data is damaged (" + input.error() + ")";
        if (!handler.sawEvents() || handler.completeEvents() == 0) {
            error = file.string() + ":" + place + ": " + what;
            return false;
        }
        if (handler.documentEnded())
            notes.push_back("the text after the end of the trace, at " + place + ", was ignored");
        else
            notes.push_back("the file breaks off at " + place + " (" + what + "); the " +
                            std::to_string(handler.completeEvents()) + " complete events before it were read");
    }
    else if (!input.error().empty())
        notes.push_back("the compressed data is damaged at its end (" + input.error() + "); every event was read");
    if (!handler.sawEvents()) {
        error = file.string() + " is not a trace: expected an array of events or an object with \"traceEvents\"";
        return false;
    }
    return true;
}

} // namespace velmora_import
