#include "ScreenshotTaker.h"

#include "ViewerFrame.h"

#include <tarquel_1_0/Timeline.h>

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace velmora_viewer {

ScreenshotTaker::ScreenshotTaker(ViewerFrame& frame, std::filesystem::path file, int timeoutSeconds, Done done)
    : m_frame(frame)
    , m_file(std::move(file))
    , m_deadline(std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds))
    , m_done(std::move(done))
    , m_timer(this)
{
    Bind(wxEVT_TIMER, &ScreenshotTaker::onTimer, this);
    m_timer.Start(POLL_MILLISECONDS);
}

ScreenshotTaker::~ScreenshotTaker()
{
    m_timer.Stop();
}

void ScreenshotTaker::onTimer(wxTimerEvent&)
{
    m_quietPolls = m_frame.isComplete() ? m_quietPolls + 1 : 0;
    if (m_quietPolls < QUIET_POLLS) {
        if (std::chrono::steady_clock::now() < m_deadline)
            return;
        m_timer.Stop();
        m_done(1, "timed out waiting for the timeline to finish loading; no screenshot written");
        return;
    }
    m_timer.Stop();
    std::string error;
    if (save(error))
        m_done(0, {});
    else
        m_done(1, error);
}

bool ScreenshotTaker::save(std::string& error)
{
    tarquel_1_0::Timeline& timeline = m_frame.timeline();
    timeline.Refresh();
    timeline.Update(); // paint now, so the capture holds the finished frame
    const wxSize size = timeline.GetClientSize();
    if (size.x <= 0 || size.y <= 0) {
        error = "the timeline has no visible area to capture";
        return false;
    }
    wxBitmap bitmap(size, 24);
    {
        wxMemoryDC memory(bitmap);
        wxClientDC window(&timeline);
        memory.Blit(0, 0, size.x, size.y, &window, 0, 0);
    }
    std::error_code code;
    if (m_file.has_parent_path())
        std::filesystem::create_directories(m_file.parent_path(), code);
    if (!bitmap.ConvertToImage().SaveFile(wxString(m_file.wstring()), wxBITMAP_TYPE_PNG)) {
        error = "cannot write the screenshot to " + m_file.string();
        return false;
    }
    return true;
}

} // namespace velmora_viewer
