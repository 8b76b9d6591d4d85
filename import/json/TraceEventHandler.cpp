#include "json/TraceEventHandler.h"

#include "json/TraceEventSink.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace velmora_import {

namespace {

// A rendered arg value longer than this is cut: tooltips show a line, not a document.
constexpr std::size_t LONGEST_ARG_TEXT = 200;
// All of an event's args together.
constexpr std::size_t LONGEST_ARGS_TEXT = 2000;
// Names beyond this are cut: a 100 MB "name" must not become a 400 MB wide string per table.
constexpr std::size_t LONGEST_NAME = 4096;

void assignShortened(std::string& into, std::string_view text)
{
    if (text.size() <= LONGEST_NAME) {
        into.assign(text);
        return;
    }
    into.assign(text.substr(0, LONGEST_NAME));
    into.append("\u2026");
}

// The number a whole string spells ("12.5", "24572"), as producers write numbers in quotes.
// Read and written without the locale, whose decimal separator may not be a point, and exactly
// (the nearest double; 15 significant digits back).
bool parseNumber(std::string_view text, double& value)
{
    // A sign of its own is allowed before the digits, as C's reading of numbers allows it.
    if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    if (text.empty() || text.size() > 64 || text.find_first_of("xXnN") != std::string_view::npos)
        return false; // no hex ids, "nan" or "inf"
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

std::string numberText(double value)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    return std::string(text, written.ptr);
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

TraceEventHandler::Field TraceEventHandler::fieldOf(std::string_view key)
{
    static const std::pair<std::string_view, Field> fields[] = {
        {"ph", Field::ph},          {"name", Field::name},
        {"cat", Field::cat},        {"pid", Field::pid},
        {"tid", Field::tid},        {"ts", Field::ts},
        {"dur", Field::dur},        {"tdur", Field::tdur},
        {"s", Field::s},            {"id", Field::id},
        {"scope", Field::scope},    {"bind_id", Field::bindId},
        {"sf", Field::sf},          {"bp", Field::bp},
        {"flow_in", Field::flowIn}, {"flow_out", Field::flowOut},
        {"args", Field::args},      {"id2", Field::id2},
        {"global", Field::global},  {"traceEvents", Field::traceEvents},
        {"samples", Field::samples}, {"stackFrames", Field::stackFrames},
        {"parent", Field::parent},  {"category", Field::category},
        {"labels", Field::labels},
        {"sort_index", Field::sortIndex}};
    // Called for every member of every event: the length and first letter rule out most names
    // without a call to compare the texts.
    for (const auto& [name, field] : fields) {
        if (name.size() == key.size() && name[0] == key[0] && name == key)
            return field;
    }
    return Field::other;
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
            if (!object && m_field == Field::traceEvents)
                next = Role::events;
            else if (!object && m_field == Field::samples)
                next = Role::samples;
            else if (object && m_field == Field::stackFrames)
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
            if (object && m_field == Field::args)
                next = Role::args;
            else if (object && m_field == Field::id2)
                next = Role::id2;
            break;
        case Role::frames:
            if (object) {
                next = Role::frame;
                m_frame.id = m_key;
                m_frame.name.clear();
                m_frame.category.clear();
                m_frame.parent.clear();
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
        m_sink.frame(m_frame);
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
        appendArgText({text, length});
        appendArgText(": ");
        return true;
    }
    m_key.assign(text, length);
    m_field = fieldOf(m_key);
    return true;
}

void TraceEventHandler::appendArgValue(std::string_view token)
{
    // Values in an array are separated; in an object the key wrote the separator.
    if (!m_open.back().object && m_open.back().members++)
        appendArgText(", ");
    appendArgText(token);
}

void TraceEventHandler::appendArgText(std::string_view token)
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
    all.append(m_argKey).append(": ").append(m_argValue);
    if (all.size() > LONGEST_ARGS_TEXT)
        all.replace(LONGEST_ARGS_TEXT, std::string::npos, "\u2026");
}

bool TraceEventHandler::scalar(std::string_view text)
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
    if (role() == Role::event && (m_field == Field::ph || m_field == Field::pid || m_field == Field::tid ||
                                  m_field == Field::ts || m_field == Field::dur || m_field == Field::tdur))
        markDefect("is " + std::string(text));
    return true;
}

void TraceEventHandler::markDefect(std::string_view what)
{
    m_event.defect = "\"" + m_key + "\" " + std::string(what);
}

bool TraceEventHandler::Bool(bool value)
{
    if (role() == Role::event && (m_field == Field::flowIn || m_field == Field::flowOut)) {
        (m_field == Field::flowIn ? m_event.flowIn : m_event.flowOut) = value;
        return true;
    }
    return scalar(value ? "true" : "false");
}

bool TraceEventHandler::integer(std::int64_t value)
{
    if (role() == Role::event && (m_field == Field::pid || m_field == Field::tid)) {
        TraceId& id = m_field == Field::pid ? m_event.pid : m_event.tid;
        id = TraceId();
        id.number = value;
        m_event.pidGiven = m_event.pidGiven || m_field == Field::pid;
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
    if (!inArgValue() && role() == Role::event &&
        (m_field == Field::ts || m_field == Field::dur || m_field == Field::tdur)) {
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
        if (m_field == Field::sortIndex)
            m_event.argSortIndex = value;
        m_event.numbers.emplace_back(m_key, value);
        return scalar(text);
    case Role::event:
        setEventNumber(value, text);
        return true;
    case Role::id2:
        m_event.id = (m_field == Field::global ? "g:" : "l:") + text;
        return true;
    case Role::frame:
        if (m_field == Field::parent)
            m_frame.parent = text;
        return true;
    default:
        return true;
    }
}

bool TraceEventHandler::text(std::string_view value)
{
    if (inArgValue()) {
        appendArgValue("\"");
        appendArgText(value);
        appendArgText("\"");
        return true;
    }
    switch (role()) {
    case Role::args: {
        double parsed = 0;
        if (m_field == Field::name)
            assignShortened(m_event.argName, value);
        else if (m_field == Field::labels)
            m_event.argLabels.assign(value);
        else if (parseNumber(value, parsed))
            m_event.numbers.emplace_back(m_key, parsed);
        return scalar(value);
    }
    case Role::event:
        setEventText(value);
        return true;
    case Role::id2:
        m_event.id.assign(m_field == Field::global ? "g:" : "l:").append(value);
        return true;
    case Role::frame:
        if (m_field == Field::name)
            m_frame.name.assign(value);
        else if (m_field == Field::category)
            m_frame.category.assign(value);
        else if (m_field == Field::parent)
            m_frame.parent.assign(value);
        return true;
    default:
        return true;
    }
}

void TraceEventHandler::setEventNumber(double value, const std::string& text)
{
    switch (m_field) {
    case Field::pid:
    case Field::tid:
        (m_field == Field::pid ? m_event.pid : m_event.tid) = idOf(value);
        m_event.pidGiven = m_event.pidGiven || m_field == Field::pid;
        break;
    case Field::ts:
        m_event.timestamp = value;
        break;
    case Field::dur:
        m_event.duration = value;
        break;
    case Field::tdur:
        m_event.threadDuration = value;
        break;
    case Field::id:
        m_event.id = text;
        break;
    case Field::bindId:
        m_event.bindId = text;
        break;
    case Field::sf:
        m_event.stackFrame = text;
        break;
    case Field::name:
        m_event.name = text;
        break;
    case Field::cat:
        m_event.category = text;
        break;
    case Field::ph:
    case Field::s:
        markDefect("is a number");
        break;
    default:
        break;
    }
}

void TraceEventHandler::setEventText(std::string_view value)
{
    double parsed = 0;
    switch (m_field) {
    case Field::ph:
        if (value.size() == 1)
            m_event.phase = value[0];
        else
            markDefect("is not one letter");
        break;
    case Field::name:
        assignShortened(m_event.name, value);
        break;
    case Field::cat:
        assignShortened(m_event.category, value);
        break;
    case Field::pid:
    case Field::tid: {
        TraceId& id = m_field == Field::pid ? m_event.pid : m_event.tid;
        if (parseNumber(value, parsed) && parsed == std::floor(parsed)) {
            id = idOf(parsed);
        } else {
            id = TraceId();
            id.name.assign(value);
            id.named = true;
        }
        m_event.pidGiven = m_event.pidGiven || m_field == Field::pid;
        break;
    }
    case Field::ts:
    case Field::dur:
    case Field::tdur:
        if (!parseNumber(value, parsed))
            markDefect("is not a number");
        else
            (m_field == Field::ts ? m_event.timestamp : m_field == Field::dur ? m_event.duration
                                                                              : m_event.threadDuration) = parsed;
        break;
    case Field::s:
        m_event.scope = value.empty() ? 0 : value[0];
        break;
    case Field::id:
        m_event.id.assign(value);
        break;
    case Field::scope:
        m_idScope.assign(value);
        break;
    case Field::bindId:
        m_event.bindId.assign(value);
        break;
    case Field::sf:
        m_event.stackFrame.assign(value);
        break;
    case Field::bp:
        m_event.bindToEnclosing = value == "e";
        break;
    default:
        break;
    }
}

} // namespace velmora_import
