#include "json/TraceEventHandler.h"

#include "json/TraceEventSink.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace velmora_import {

namespace {

// A rendered arg value longer than this is cut: tooltips show a line, not a document.
constexpr std::size_t LONGEST_ARG_TEXT = 200;
// All of an event's args together.
constexpr std::size_t LONGEST_ARGS_TEXT = 2000;
// Names beyond this are cut: a 100 MB "name" must not become a 400 MB wide string per table.
constexpr std::size_t LONGEST_NAME = 4096;

std::string shortened(const std::string& text)
{
    return text.size() <= LONGEST_NAME ? text : text.substr(0, LONGEST_NAME) + "\u2026";
}

// The number a whole string spells ("12.5", "24572"), as producers write numbers in quotes.
bool parseNumber(const std::string& text, double& value)
{
    if (text.empty() || text.size() > 64 || std::isspace(static_cast<unsigned char>(text[0])))
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value) &&
           text.find_first_of("xXnN") == std::string::npos; // no hex ids, "nan" or "inf"
}

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

TraceId idOf(double value)
{
    TraceId id;
    id.number = static_cast<std::int64_t>(value);
    return id;
}

} // namespace

// Field by field, so the strings keep their capacity from one event to the next.
void TraceEvent::clear()
{
    phase = 0;
    name.clear();
    category.clear();
    pid = TraceId();
    tid = TraceId();
    pidGiven = false;
    timestamp.reset();
    duration.reset();
    threadDuration.reset();
    scope = 0;
    id.clear();
    bindId.clear();
    flowIn = flowOut = bindToEnclosing = false;
    stackFrame.clear();
    argsText.clear();
    argName.clear();
    argSortIndex.reset();
    argLabels.clear();
    numbers.clear();
    defect.clear();
}

TraceEventHandler::TraceEventHandler(const JsonInputStream& stream, TraceEventSink& sink)
    : m_stream(stream)
    , m_sink(sink)
{
}

bool TraceEventHandler::open(bool object)
{
    Role next = Role::other;
    if (m_open.empty()) {
        next = object ? Role::root : Role::events;
    } else if (inArgValue() || (role() == Role::args)) {
        if (inArgValue()) {
            appendArgValue(object ? "{" : "[");
        } else {
            m_argKey = m_key;
            m_argValue.clear();
            appendArgText(object ? "{" : "[");
        }
        ++m_argDepth;
        next = Role::args;
    } else {
        switch (role()) {
        case Role::root:
            if (!object && m_key == "traceEvents")
                next = Role::events;
            else if (!object && m_key == "samples")
                next = Role::samples;
            else if (object && m_key == "stackFrames")
                next = Role::frames;
            break;
        case Role::events:
        case Role::samples:
            if (object) {
                next = Role::event;
                m_event.clear();
                m_idScope.clear();
                if (role() == Role::samples)
                    m_event.phase = 'P';
            }
            break;
        case Role::event:
            if (object && m_key == "args")
                next = Role::args;
            else if (object && m_key == "id2")
                next = Role::id2;
            break;
        case Role::frames:
            if (object) {
                next = Role::frame;
                m_frameId = m_key;
                m_frameName.clear();
                m_frameParent.clear();
            }
            break;
        default:
            break;
        }
    }
    if (next == Role::events)
        m_sawEvents = true;
    m_open.push_back({next, object});
    return true;
}

bool TraceEventHandler::close()
{
    const Open closed = m_open.back();
    m_open.pop_back();
    if (m_stream.canceled()) {
        m_canceled = true;
        return false;
    }
    switch (closed.role) {
    case Role::event:
        if (!m_idScope.empty() && !m_event.id.empty())
            m_event.id = m_idScope + ":" + m_event.id;
        m_sink.event(m_event);
        ++m_completeEvents;
        break;
    case Role::frame:
        m_sink.frame(m_frameId, m_frameName, m_frameParent);
        break;
    case Role::args:
        if (m_argDepth > 0) {
            --m_argDepth;
            appendArgText(closed.object ? "}" : "]");
            if (m_argDepth == 0)
                finishArg();
        }
        break;
    default:
        break;
    }
    return true;
}

bool TraceEventHandler::Key(const char* text, rapidjson::SizeType length, bool)
{
    if (inArgValue()) {
        if (m_open.back().members++)
            appendArgText(", ");
        appendArgText(std::string(text, length) + ": ");
        return true;
    }
    m_key.assign(text, length);
    return true;
}

void TraceEventHandler::appendArgValue(const std::string& token)
{
    // Values in an array are separated; in an object the key wrote the separator.
    if (!m_open.back().object && m_open.back().members++)
        appendArgText(", ");
    appendArgText(token);
}

void TraceEventHandler::appendArgText(const std::string& token)
{
    if (m_argValue.size() >= LONGEST_ARG_TEXT)
        return;
    m_argValue += token;
    if (m_argValue.size() >= LONGEST_ARG_TEXT)
        m_argValue.replace(LONGEST_ARG_TEXT, std::string::npos, "\u2026");
}

void TraceEventHandler::finishArg()
{
    std::string& all = m_event.argsText;
    if (all.size() >= LONGEST_ARGS_TEXT)
        return;
    if (!all.empty())
        all += '\n';
    all += m_argKey + ": " + m_argValue;
    if (all.size() > LONGEST_ARGS_TEXT)
        all.replace(LONGEST_ARGS_TEXT, std::string::npos, "\u2026");
}

bool TraceEventHandler::scalar(const std::string& text)
{
    if (inArgValue()) {
        appendArgValue(text);
        return true;
    }
    if (role() == Role::args) {
        m_argKey = m_key;
        m_argValue.clear();
        appendArgText(text);
        finishArg();
        return true;
    }
    if (role() == Role::event && (m_key == "ph" || m_key == "pid" || m_key == "tid" || m_key == "ts" ||
                                  m_key == "dur" || m_key == "tdur"))
        m_event.defect = "\"" + m_key + "\" is " + text;
    return true;
}

bool TraceEventHandler::Bool(bool value)
{
    if (role() == Role::event && (m_key == "flow_in" || m_key == "flow_out")) {
        (m_key == "flow_in" ? m_event.flowIn : m_event.flowOut) = value;
        return true;
    }
    return scalar(value ? "true" : "false");
}

bool TraceEventHandler::integer(std::int64_t value)
{
    if (role() == Role::event && (m_key == "pid" || m_key == "tid")) {
        TraceId id;
        id.number = value;
        (m_key == "pid" ? m_event.pid : m_event.tid) = id;
        m_event.pidGiven = m_event.pidGiven || m_key == "pid";
        return true;
    }
    return number(static_cast<double>(value), std::to_string(value));
}

bool TraceEventHandler::Uint64(std::uint64_t value)
{
    if (value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return integer(static_cast<std::int64_t>(value));
    return number(static_cast<double>(value), std::to_string(value));
}

bool TraceEventHandler::Double(double value)
{
    // Times are most of a trace's fractional numbers and need no text.
    if (!inArgValue() && role() == Role::event && (m_key == "ts" || m_key == "dur" || m_key == "tdur")) {
        setEventNumber(value, {});
        return true;
    }
    return number(value, numberText(value));
}

bool TraceEventHandler::number(double value, const std::string& text)
{
    if (inArgValue())
        return scalar(text);
    switch (role()) {
    case Role::args:
        if (m_key == "sort_index")
            m_event.argSortIndex = value;
        m_event.numbers.emplace_back(m_key, value);
        return scalar(text);
    case Role::event:
        setEventNumber(value, text);
        return true;
    case Role::id2:
        m_event.id = (m_key == "global" ? "g:" : "l:") + text;
        return true;
    case Role::frame:
        if (m_key == "parent")
            m_frameParent = text;
        return true;
    default:
        return true;
    }
}

bool TraceEventHandler::String(const char* chars, rapidjson::SizeType length, bool)
{
    return text(std::string(chars, length));
}

bool TraceEventHandler::text(const std::string& value)
{
    if (inArgValue())
        return scalar("\"" + value + "\"");
    switch (role()) {
    case Role::args: {
        double parsed = 0;
        if (m_key == "name")
            m_event.argName = shortened(value);
        else if (m_key == "labels")
            m_event.argLabels = value;
        else if (parseNumber(value, parsed))
            m_event.numbers.emplace_back(m_key, parsed);
        return scalar(value);
    }
    case Role::event:
        setEventText(value);
        return true;
    case Role::id2:
        m_event.id = (m_key == "global" ? "g:" : "l:") + value;
        return true;
    case Role::frame:
        if (m_key == "name")
            m_frameName = value;
        else if (m_key == "parent")
            m_frameParent = value;
        return true;
    default:
        return true;
    }
}

void TraceEventHandler::setEventNumber(double value, const std::string& text)
{
    if (m_key == "pid" || m_key == "tid") {
        (m_key == "pid" ? m_event.pid : m_event.tid) = idOf(value);
        m_event.pidGiven = m_event.pidGiven || m_key == "pid";
    } else if (m_key == "ts") {
        m_event.timestamp = value;
    } else if (m_key == "dur") {
        m_event.duration = value;
    } else if (m_key == "tdur") {
        m_event.threadDuration = value;
    } else if (m_key == "id") {
        m_event.id = text;
    } else if (m_key == "bind_id") {
        m_event.bindId = text;
    } else if (m_key == "sf") {
        m_event.stackFrame = text;
    } else if (m_key == "name") {
        m_event.name = text;
    } else if (m_key == "cat") {
        m_event.category = text;
    } else if (m_key == "ph" || m_key == "s") {
        m_event.defect = "\"" + m_key + "\" is a number";
    }
}

void TraceEventHandler::setEventText(const std::string& value)
{
    double parsed = 0;
    if (m_key == "ph") {
        if (value.size() == 1)
            m_event.phase = value[0];
        else
            m_event.defect = "\"ph\" is not one letter";
    } else if (m_key == "name") {
        m_event.name = shortened(value);
    } else if (m_key == "cat") {
        m_event.category = shortened(value);
    } else if (m_key == "pid" || m_key == "tid") {
        TraceId id;
        if (parseNumber(value, parsed) && parsed == std::floor(parsed)) {
            id = idOf(parsed);
        } else {
            id.name = value;
            id.named = true;
        }
        (m_key == "pid" ? m_event.pid : m_event.tid) = id;
        m_event.pidGiven = m_event.pidGiven || m_key == "pid";
    } else if (m_key == "ts" || m_key == "dur" || m_key == "tdur") {
        if (!parseNumber(value, parsed))
            m_event.defect = "\"" + m_key + "\" is not a number";
        else
            (m_key == "ts" ? m_event.timestamp : m_key == "dur" ? m_event.duration : m_event.threadDuration) = parsed;
    } else if (m_key == "s") {
        m_event.scope = value.empty() ? 0 : value[0];
    } else if (m_key == "id") {
        m_event.id = value;
    } else if (m_key == "scope") {
        m_idScope = value;
    } else if (m_key == "bind_id") {
        m_event.bindId = value;
    } else if (m_key == "sf") {
        m_event.stackFrame = value;
    } else if (m_key == "bp") {
        m_event.bindToEnclosing = value == "e";
    }
}

} // namespace velmora_import
