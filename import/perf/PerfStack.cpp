#include "perf/PerfStack.h"

#include "perf/PerfScriptLine.h"

namespace velmora_import {

PerfStack::PerfStack(const PerfEvent& event, bool tracepoint)
    : m_rest(event.stack)
    , m_single(event.stack.empty() ? event.payload : std::string_view())
    , m_tracepoint(tracepoint)
{
}

bool PerfStack::next(PerfFrame& frame)
{
    if (!m_single.empty()) {
        const std::string_view single = m_single;
        m_single = {};
        return m_tracepoint ? PerfScriptLine::trailingFrame(single, frame) : PerfScriptLine::parseFrame(single, frame);
    }
    while (!m_rest.empty()) {
        const std::size_t end = m_rest.find('\n');
        const std::string_view line = m_rest.substr(0, end);
        m_rest = end == std::string_view::npos ? std::string_view() : m_rest.substr(end + 1);
        if (PerfScriptLine::parseFrame(line, frame))
            return true;
    }
    return false;
}

} // namespace velmora_import
