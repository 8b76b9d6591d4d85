#include "ViewerMessenger.h"

#include <algorithm>
#include <cstdio>

namespace velmora_viewer {

ViewerMessenger::ViewerMessenger()
    : m_printer(stderr)
{
}

void ViewerMessenger::message(int kind, const std::wstring& text)
{
    m_printer.message(kind, text);
    std::lock_guard<std::mutex> lock(m_mutex);
    // The viewpoint is read more than once; lint counts each of its problems once.
    if ((kind == Configuration || kind == Warning)
        && std::find(m_configuration.begin(), m_configuration.end(), text) == m_configuration.end())
        m_configuration.push_back(text);
    if (m_sink)
        m_sink(kind, text);
}

void ViewerMessenger::setSink(Sink sink)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sink = std::move(sink);
}

std::vector<std::wstring> ViewerMessenger::configurationMessages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_configuration;
}

} // namespace velmora_viewer
