#pragma once
// Saves a window's timeline as PNG once everything is drawn: a timer on the event loop polls
// the window until its size has settled and no layer loads or decimates, for a few polls in a
// row (a finished layer may start the next request), then captures the control through a
// client DC. The wait is bounded; a timeout or a failed save is reported through `done` with a
// non-zero code. The loop keeps running meanwhile, so the workers' answers arrive as usual.
#include <wx/event.h>
#include <wx/timer.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

class wxImage;

namespace velmora_viewer {

class ViewerFrame;

class ScreenshotTaker : public wxEvtHandler {
public:
    using Done = std::function<void(int exitCode, const std::string& message)>;

    ScreenshotTaker(ViewerFrame& frame, std::filesystem::path file, int timeoutSeconds, Done done);
    ~ScreenshotTaker() override;
    ScreenshotTaker(const ScreenshotTaker&) = delete;
    ScreenshotTaker& operator=(const ScreenshotTaker&) = delete;

private:
    static constexpr int POLL_MILLISECONDS = 50;
    static constexpr int QUIET_POLLS = 4;

    void onTimer(wxTimerEvent& event);
    bool save(std::string& error);
    bool writePng(const wxImage& image, std::string& error) const;

    ViewerFrame& m_frame;
    std::filesystem::path m_file;
    std::chrono::steady_clock::time_point m_deadline;
    Done m_done;
    wxTimer m_timer;
    int m_quietPolls = 0;
};

} // namespace velmora_viewer
