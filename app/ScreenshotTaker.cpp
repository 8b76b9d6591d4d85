#include "ScreenshotTaker.h"

#include "ViewerFrame.h"

#include <tarquel_1_0/Timeline.h>

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

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
    return writePng(bitmap.ConvertToImage(), error);
}

// The image goes to a name of its own in the target's directory and is renamed into place only
// when complete, so a failed write (no permission, a full disk, a file size limit) leaves
// neither a truncated file nor an older screenshot half overwritten.
bool ScreenshotTaker::writePng(const wxImage& image, std::string& error) const
{
    const std::filesystem::path directory = m_file.has_parent_path() ? m_file.parent_path() : ".";
    std::error_code code;
    std::filesystem::create_directories(directory, code);
    if (code) {
        error = "cannot write the screenshot to " + m_file.string() + ": " + code.message();
        return false;
    }
    std::filesystem::path partial = m_file;
    partial += ".partial-" + std::to_string(::getpid());
    // Encoded in memory and written here: the toolkit's file stream does not report a short write.
    wxMemoryOutputStream encoded;
    {
        wxLogNull quiet; // the toolkit would report through a modal box; the caller reports instead
        if (!image.SaveFile(encoded, wxBITMAP_TYPE_PNG)) {
            error = "cannot encode the screenshot as PNG";
            return false;
        }
    }
    std::vector<char> bytes(encoded.GetLength());
    encoded.CopyTo(bytes.data(), bytes.size());
    errno = 0;
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0;
    const int cause = errno;
    if (out)
        written = std::fclose(out) == 0 && written;
    if (written)
        std::filesystem::rename(partial, m_file, code);
    if (!written || code) {
        std::filesystem::remove(partial, code);
        error = "cannot write the screenshot to " + m_file.string();
        if (cause != 0)
            error += std::string(": ") + std::strerror(cause);
        return false;
    }
    return true;
}

} // namespace velmora_viewer
