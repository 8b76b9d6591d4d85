#include "json/TraceJsonReader.h"

#include "json/TraceEvent.h"

#include <rapidjson/error/en.h>
#include <rapidjson/filereadstream.h>
#include <rapidjson/reader.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace velmora_import {

void TraceEvent::clear()
{
    phase = 0;
    name.clear();
    category.clear();
    pid = tid = 0;
    timestamp.reset();
    duration.reset();
    scope = 't';
    argName.clear();
    numbers.clear();
}

namespace {

struct Place {
    std::size_t line = 1;
    std::size_t column = 1;

    std::string text() const { return std::to_string(line) + ":" + std::to_string(column); }
};

// The file stream with the line and column of the next character, and progress reports.
class PositionStream {
public:
    using Ch = char;

    PositionStream(std::FILE* file, std::uint64_t size, const TraceJsonReader::Progress& progress)
        : m_buffer(1 << 16)
        , m_stream(file, m_buffer.data(), m_buffer.size())
        , m_size(size)
        , m_progress(progress)
    {
    }

    Ch Peek() const { return m_stream.Peek(); }
    Ch Take()
    {
        const Ch c = m_stream.Take();
        if (c == '\n') {
            ++m_line;
            m_lineStart = m_stream.Tell();
        }
        if (m_stream.Tell() >= m_nextReport && m_progress) {
            m_canceled = m_canceled || !m_progress(m_stream.Tell(), m_size);
            m_nextReport += TraceJsonReader::PROGRESS_STEP;
        }
        return c;
    }
    std::size_t Tell() const { return m_stream.Tell(); }
    // The progress callback asked to stop; the handler ends the parse at the next event.
    bool canceled() const { return m_canceled; }
    // The reader never writes back into its input (no in-situ parsing).
    Ch* PutBegin() { return nullptr; }
    void Put(Ch) {}
    void Flush() {}
    std::size_t PutEnd(Ch*) { return 0; }

    // Line and column (1-based) of the byte at `offset`, which must lie on the current line.
    Place placeOf(std::size_t offset) const
    {
        return {m_line, offset >= m_lineStart ? offset - m_lineStart + 1 : 1};
    }

private:
    std::vector<char> m_buffer;
    rapidjson::FileReadStream m_stream;
    std::uint64_t m_size;
    const TraceJsonReader::Progress& m_progress;
    std::uint64_t m_nextReport = TraceJsonReader::PROGRESS_STEP;
    std::size_t m_line = 1;
    std::size_t m_lineStart = 0;
    bool m_canceled = false;
};

// What an open object or array is to the trace.
enum class Role { root, events, event, args, other };

// Builds one TraceEvent per object of the events array and hands it to the sink.
class EventHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, EventHandler> {
public:
    EventHandler(const PositionStream& stream, const TraceJsonReader::Sink& sink)
        : m_stream(stream)
        , m_sink(sink)
    {
    }

    bool StartObject() { return open(true); }
    bool EndObject(rapidjson::SizeType) { return close(); }
    bool StartArray() { return open(false); }
    bool EndArray(rapidjson::SizeType) { return close(); }
    bool Key(const char* text, rapidjson::SizeType length, bool)
    {
        m_key.assign(text, length);
        return true;
    }
    bool String(const char* text, rapidjson::SizeType length, bool);
    bool Int(int value) { return number(value); }
    bool Uint(unsigned value) { return number(value); }
    bool Int64(std::int64_t value) { return number(static_cast<double>(value)); }
    bool Uint64(std::uint64_t value) { return number(static_cast<double>(value)); }
    bool Double(double value) { return number(value); }
    // Booleans and nulls carry nothing the importer reads; in a known field they are mistakes.
    bool Default() { return inEvent() ? fieldOfWrongType() : true; }

    bool sawEvents() const { return m_sawEvents; }
    const std::string& error() const { return m_error; }
    Place errorPlace() const { return m_errorPlace; }

private:
    bool open(bool object);
    bool close();
    bool number(double value);
    bool inEvent() const { return !m_roles.empty() && m_roles.back() == Role::event; }
    bool fieldOfWrongType();
    bool fail(const std::string& error, Place place)
    {
        m_error = error;
        m_errorPlace = place;
        return false;
    }
    // The value just read ends at the current position.
    Place here() const { return m_stream.placeOf(m_stream.Tell() - 1); }

    const PositionStream& m_stream;
    const TraceJsonReader::Sink& m_sink;
    std::vector<Role> m_roles;
    std::string m_key;
    TraceEvent m_event;
    Place m_eventPlace; // the event's opening brace
    bool m_sawEvents = false;
    std::string m_error;
    Place m_errorPlace;
};

bool EventHandler::open(bool object)
{
    const Role parent = m_roles.empty() ? Role::other : m_roles.back();
    Role role = Role::other;
    if (m_roles.empty())
        role = object ? Role::root : Role::events;
    else if (parent == Role::root && !object && m_key == "traceEvents")
        role = Role::events;
    else if (parent == Role::events && object)
        role = Role::event;
    else if (parent == Role::event && object && m_key == "args")
        role = Role::args;
    else if (parent == Role::event && !fieldOfWrongType())
        return false;

    if (role == Role::events)
        m_sawEvents = true;
    if (role == Role::event) {
        m_event.clear();
        m_eventPlace = m_stream.placeOf(m_stream.Tell()); // the brace is not taken yet
    }
    m_roles.push_back(role);
    return true;
}

bool EventHandler::close()
{
    const Role role = m_roles.back();
    m_roles.pop_back();
    if (m_stream.canceled())
        return fail("the import was canceled", here());
    if (role != Role::event)
        return true;
    std::string error;
    return m_sink(m_event, error) || fail(error, m_eventPlace);
}

bool EventHandler::String(const char* text, rapidjson::SizeType length, bool)
{
    if (m_roles.empty())
        return true;
    if (m_roles.back() == Role::args) {
        if (m_key == "name")
            m_event.argName.assign(text, length);
        return true;
    }
    if (m_roles.back() != Role::event)
        return true;
    if (m_key == "ph" || m_key == "s") {
        if (length != 1)
            return fail("\"" + m_key + "\" must be one letter, not \"" + std::string(text, length) + "\"",
                        here());
        (m_key == "ph" ? m_event.phase : m_event.scope) = text[0];
    } else if (m_key == "name") {
        m_event.name.assign(text, length);
    } else if (m_key == "cat") {
        m_event.category.assign(text, length);
    } else if (m_key == "pid" || m_key == "tid" || m_key == "ts" || m_key == "dur") {
        return fieldOfWrongType();
    }
    return true;
}

bool EventHandler::number(double value)
{
    if (m_roles.empty())
        return true;
    if (m_roles.back() == Role::args) {
        m_event.numbers.emplace_back(m_key, value);
        return true;
    }
    if (m_roles.back() != Role::event)
        return true;
    if (m_key == "pid")
        m_event.pid = static_cast<std::int64_t>(value);
    else if (m_key == "tid")
        m_event.tid = static_cast<std::int64_t>(value);
    else if (m_key == "ts")
        m_event.timestamp = value;
    else if (m_key == "dur")
        m_event.duration = value;
    else if (m_key == "ph" || m_key == "name" || m_key == "cat" || m_key == "s")
        return fieldOfWrongType();
    return true;
}

bool EventHandler::fieldOfWrongType()
{
    static const char* const numbers[] = {"pid", "tid", "ts", "dur"};
    static const char* const texts[] = {"ph", "name", "cat", "s"};
    for (const char* field : numbers) {
        if (m_key == field)
            return fail("\"" + m_key + "\" must be a number", here());
    }
    for (const char* field : texts) {
        if (m_key == field)
            return fail("\"" + m_key + "\" must be a string", here());
    }
    return true;
}

} // namespace

bool TraceJsonReader::read(const std::filesystem::path& file, const Sink& sink, const Progress& progress,
                           std::string& error) const
{
    std::error_code code;
    const std::uint64_t size = std::filesystem::file_size(file, code);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> handle(std::fopen(file.c_str(), "rb"), &std::fclose);
    if (code || !handle) {
        error = "cannot read the trace file " + file.string();
        return false;
    }
    PositionStream stream(handle.get(), size, progress);
    EventHandler handler(stream, sink);
    rapidjson::Reader reader;
    const rapidjson::ParseResult parsed =
        reader.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseTrailingCommasFlag |
                     rapidjson::kParseValidateEncodingFlag>(stream, handler);
    if (!handler.error().empty()) {
        error = file.string() + ":" + handler.errorPlace().text() + ": " + handler.error();
        return false;
    }
    if (parsed.IsError()) {
        error = file.string() + ":" + stream.placeOf(parsed.Offset()).text() + ": " +
                rapidjson::GetParseError_En(parsed.Code());
        return false;
    }
    if (!handler.sawEvents()) {
        error = file.string() + " is not a trace: expected an array of events or an object with \"traceEvents\"";
        return false;
    }
    return true;
}

} // namespace velmora_import
