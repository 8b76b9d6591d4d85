#include "TraceFormat.h"

#include "json/JsonRecordReader.h"

#include <cctype>
#include <fstream>

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

} // namespace

TraceFormatKind TraceFormat::detect(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
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
    case TraceFormatKind::unknown:
        break;
    }
    return nullptr;
}

std::string TraceFormat::unknownKindMessage()
{
    return "not a trace file of a known kind (a JSON trace event file)";
}

} // namespace velmora_import
