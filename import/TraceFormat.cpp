#include "TraceFormat.h"

#include "TraceFileInput.h"
#include "json/JsonRecordReader.h"
#include "perf/PerfDataRecordReader.h"
#include "perf/PerfScriptLine.h"
#include "perf/PerfScriptRecordReader.h"

#include <cctype>
#include <string>
#include <string_view>

namespace velmora_import {

namespace {

// Enough of a file's beginning to tell its kind, without reading a large trace twice.
constexpr std::size_t HEAD_SIZE = 64 * 1024;

// The beginning of the file's content (a compressed file is looked into).
std::string headOf(const std::filesystem::path& file)
{
    TraceFileInput in;
    std::string error;
    if (!in.open(file, error))
        return {};
    std::string head(HEAD_SIZE, '\0');
    std::size_t filled = 0;
    for (std::size_t got = 1; got > 0 && filled < head.size(); filled += got)
        got = in.read(head.data() + filled, head.size() - filled);
    head.resize(filled);
    return head;
}

// The first byte that is not white space or a UTF-8 byte order mark.
int firstSignificantByte(std::string_view head)
{
    static const unsigned char byteOrderMark[] = {0xEF, 0xBB, 0xBF};
    std::size_t markMatched = 0;
    for (const char byte : head) {
        const auto c = static_cast<unsigned char>(byte);
        if (markMatched < 3 && c == byteOrderMark[markMatched]) {
            ++markMatched;
            continue;
        }
        if (!std::isspace(c))
            return c;
    }
    return EOF;
}

// perf script output: its first line that is not blank or a comment is an event's first line.
bool isPerfScript(std::string_view head)
{
    std::size_t line = 0;
    while (line < head.size()) {
        const std::size_t end = head.find('\n', line);
        if (end == std::string_view::npos)
            return false;
        const std::string_view text = head.substr(line, end - line);
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
    const std::string head = headOf(file);
    if (head.compare(0, 8, "PERFILE2") == 0)
        return TraceFormatKind::perfData;
    if (isPerfScript(head))
        return TraceFormatKind::perfScript;
    const int first = firstSignificantByte(head);
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
    return "not a trace file of a known kind (a JSON trace event file, plain or gzip-compressed, a perf.data "
           "recording or the text perf script writes)";
}

} // namespace velmora_import
