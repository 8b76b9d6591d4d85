#pragma once
// The viewer's messenger: every message goes to standard error as one line; configuration
// messages (the ones a viewpoint asks to show) and warnings (what the session storage could not
// read of the viewpoint) are also counted for lint and handed to the window's log on the
// user-interface thread. Thread-safe: workers may report too.
#include <brannow2/IMessenger.h>
#include <brannow2/PrintingMessenger.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace velmora_viewer {

class ViewerMessenger : public brannow2::IMessenger {
public:
    using Sink = std::function<void(int kind, const std::wstring& text)>;

    ViewerMessenger();
    void message(int kind, const std::wstring& text) override;
    // The sink runs on the reporting thread; the window's sink queues to its own thread.
    void setSink(Sink sink);
    std::vector<std::wstring> configurationMessages() const;

private:
    brannow2::PrintingMessenger m_printer;
    mutable std::mutex m_mutex;
    Sink m_sink;
    std::vector<std::wstring> m_configuration;
};

} // namespace velmora_viewer
