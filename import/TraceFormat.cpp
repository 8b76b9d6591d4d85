#include "TraceFormat.h"

#include "TraceFileInput.h"
#include "json/JsonRecordReader.h"

#include <cctype>

namespace velmora_import {

namespace {

// The first byte that is not white space or a UTF-8 byte order mark, of the content (a
// compressed file is looked into).
int firstSignificantByte(const std::filesystem::path& file)
{
    static const unsigned char byteOrderMark[] = {0xEF, 0xBB, 0xBF};
    TraceFileInput in;
    std::string error;
    if (!in.open(file, error))
        return EOF;
    char buffer[4096];
    std::size_t markMatched = 0;
    for (std::size_t got = in.read(buffer, sizeof buffer); got > 0; got = in.read(buffer, sizeof buffer)) {
        for (std::size_t i = 0; i < got; ++i) {
            const auto c = static_cast<unsigned char>(buffer[i]);
            if (markMatched < 3 && c == byteOrderMark[markMatched]) {
                ++markMatched;
                continue;
            }
            if (!std::isspace(c))
                return c;
        }
    }
    return EOF;
}

} // namespace

TraceFormatKind TraceFormat::detect(const std::filesystem::path& file)
{
    const int first = firstSignificantByte(file);
    if (first == '[' || first == '{')
        return TraceFormatKind::json;
    return TraceFormatKind::unknown;
}

std::unique_ptr<RecordReader> TraceFormat::readerFor(TraceFormatKind kind)
{
    switch (kind) {
    case TraceFormatKind::json:
        return std::make_unique<JsonRecordReader>();
    case TraceFormatKind::unknown:
        break;
    }
    return nullptr;
}

std::string TraceFormat::unknownKindMessage()
{
    return "not a trace file of a known kind (a JSON trace event file, plain or gzip-compressed)";
}

} // namespace velmora_import
