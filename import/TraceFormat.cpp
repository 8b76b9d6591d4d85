#include "TraceFormat.h"

#include "json/JsonRecordReader.h"
#include "perf/PerfDataRecordReader.h"
#include "perf/PerfScriptLine.h"
#include "perf/PerfScriptRecordReader.h"

#include <cctype>
#include <fstream>
#include <string>
#include <string_view>

namespace velmora_import {

namespace {

// The first byte that is not white space or a UTF-8 byte order mark.
int firstSignificantByte(std::istream& in)
{
    static const unsigned char byteOrderMark[] = {0xEF, 0xBB, 0xBF};
    std::size_t markMatched = 0;
    for (int c = in.get(); c != EOF; c = in.get()) {
        if (markMatched < 3 && static_cast<unsigned char>(c) == byteOrderMark[markMatched]) {
            ++markMatched;
            continue;
        }
        if (!std::isspace(c))
            return c;
    }
    return EOF;
}

// perf script output: its first line that is not blank or a comment is an event's first line.
// Only the file's beginning is looked at, so a JSON file on one huge line costs nothing.
bool isPerfScript(std::istream& in)
{
    std::string start(64 * 1024, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    std::size_t line = 0;
    while (line < start.size()) {
        const std::size_t end = start.find('\n', line);
        if (end == std::string::npos)
            return false;
        const std::string_view text(start.data() + line, end - line);
        const std::size_t visible = text.find_first_not_of(" \t\r");
        if (visible != std::string_view::npos && text[visible] != '#') {
            PerfEvent event;
            return PerfScriptLine::parseHeader(text, event);
        }
        line = end + 1;
    }
    return false;
}

} // namespace

TraceFormatKind TraceFormat::detect(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    char magic[8] = {};
    in.read(magic, sizeof magic);
    if (in.gcount() == sizeof magic && std::string_view(magic, sizeof magic) == "PERFILE2")
        return TraceFormatKind::perfData;
    in.clear();
    in.seekg(0);
    if (isPerfScript(in))
        return TraceFormatKind::perfScript;
    in.clear();
    in.seekg(0);
    const int first = firstSignificantByte(in);
    if (first == '[' || first == '{')
        return TraceFormatKind::json;
    return TraceFormatKind::unknown;
}

std::unique_ptr<RecordReader> TraceFormat::readerFor(TraceFormatKind kind)
{
    switch (kind) {
    case TraceFormatKind::json:
        return std::make_unique<JsonRecordReader>();
    case TraceFormatKind::perfData:
        return std::make_unique<PerfDataRecordReader>();
    case TraceFormatKind::perfScript:
        return std::make_unique<PerfScriptRecordReader>();
    case TraceFormatKind::unknown:
        break;
    }
    return nullptr;
}

std::string TraceFormat::unknownKindMessage()
{
    return "not a trace file of a known kind (a JSON trace event file, a perf.data recording or the text "
           "perf script writes)";
}

} // namespace velmora_import
