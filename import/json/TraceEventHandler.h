#pragma once
// The JSON parser's handler for a trace: knows where in the document it is (the events array,
// an event, its args, the "stackFrames" and "samples" sections) and builds one TraceEvent per
// event object, handing it to the sink when the object closes. Members it does not read are
// skipped at any depth. Fields of a type no producer means mark the event defective rather than
// stop the read: one odd event must not cost the rest of the file.
#include "json/JsonInputStream.h"
#include "json/TraceEvent.h"

#include <rapidjson/reader.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora_import {

class TraceEventSink;

class TraceEventHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TraceEventHandler> {
public:
    TraceEventHandler(const JsonInputStream& stream, TraceEventSink& sink);

    bool StartObject() { return open(true); }
    bool EndObject(rapidjson::SizeType) { return close(); }
    bool StartArray() { return open(false); }
    bool EndArray(rapidjson::SizeType) { return close(); }
    bool Key(const char* text, rapidjson::SizeType length, bool);
    bool String(const char* text, rapidjson::SizeType length, bool) { return this->text({text, length}); }
    bool Int(int value) { return integer(value); }
    bool Uint(unsigned value) { return integer(value); }
    bool Int64(std::int64_t value) { return integer(value); }
    bool Uint64(std::uint64_t value);
    bool Double(double value);
    bool Bool(bool value);
    bool Null() { return scalar("null"); }

    // An events array was found (the document is a trace).
    bool sawEvents() const { return m_sawEvents; }
    std::size_t completeEvents() const { return m_completeEvents; }
    // The document's outermost value was closed: whatever follows is not part of the trace.
    bool documentEnded() const { return m_sawEvents && m_open.empty(); }
    // The read was stopped by the progress callback.
    bool canceled() const { return m_canceled; }

private:
    // What an open object or array is to the trace.
    enum class Role { root, events, samples, event, args, id2, frames, frame, other };
    // The member names the reader acts on, told apart once per key rather than by comparing
    // the key's text again for every value.
    enum class Field { ph, name, cat, pid, tid, ts, dur, tdur, s, id, scope, bindId, sf, bp, flowIn, flowOut,
                       args, id2, global, traceEvents, samples, stackFrames, parent, category, labels, sortIndex,
                       other };
    static Field fieldOf(std::string_view key);
    struct Open {
        Role role;
        bool object;
        std::size_t members = 0; // values seen, for separators when args are rendered as text
    };

    bool open(bool object);
    bool close();
    bool integer(std::int64_t value);
    bool number(double value, const std::string& text);
    bool scalar(std::string_view text);
    bool text(std::string_view value);
    Role role() const { return m_open.empty() ? Role::other : m_open.back().role; }
    // Inside args below their top level: values are rendered into the current arg's text.
    bool inArgValue() const { return m_argDepth > 0; }
    void appendArgText(std::string_view token);
    void appendArgValue(std::string_view token);
    void finishArg();
    void setEventNumber(double value, const std::string& text);
    void setEventText(std::string_view value);
    // The defect of a field whose value has a type no producer means.
    void markDefect(std::string_view what);

    const JsonInputStream& m_stream;
    TraceEventSink& m_sink;
    std::vector<Open> m_open;
    std::string m_key;
    Field m_field = Field::other; // m_key's meaning
    TraceEvent m_event;
    std::size_t m_argDepth = 0; // nesting below the args object
    std::string m_argKey;       // top-level arg being rendered
    std::string m_argValue;
    std::string m_idScope; // "scope" of the event's id, joined to it when the event closes
    TraceFrame m_frame;
    bool m_sawEvents = false;
    bool m_canceled = false;
    std::size_t m_completeEvents = 0;
};

} // namespace velmora_import
