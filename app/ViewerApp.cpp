#include "ViewerApp.h"

#include "LayoutReport.h"
#include "SampleResult.h"
#include "ScreenshotTaker.h"
#include "TraceCache.h"
#include "ViewerFrame.h"
#include "ViewerSession.h"

#include "pane/TimelinePane.h"

#include <wx/image.h>
#include <wx/log.h>

#include <iostream>

namespace velmora_viewer {

namespace {

const wxSize WINDOW_SIZE(1400, 900);

void printError(const std::string& error)
{
    std::cerr << "velmora-viewer: " << error << std::endl;
}

// The result to show: the directory named, a trace file's import, else the cached sample (each
// cached one made on first use); null after telling the user what went wrong.
std::unique_ptr<ViewerSession> openSession(const ViewerOptions& options)
{
    std::string error;
    std::error_code code;
    std::filesystem::path result = options.result;
    if (result.empty())
        result = SampleResult::ensure(error);
    else if (std::filesystem::is_regular_file(result, code))
        result = TraceCache::ensure(result, error, velmora_import::TraceImporter::printer(result));
    auto session = std::make_unique<ViewerSession>();
    if (result.empty() || !session->open(result, options.viewpoint, error)) {
        printError(error);
        return nullptr;
    }
    return session;
}

} // namespace

ViewerApp::ViewerApp() = default;
ViewerApp::~ViewerApp() = default;

bool ViewerApp::OnInit()
{
    wxImage::AddHandler(new wxPNGHandler);
    return true;
}

int ViewerApp::OnRun()
{
    wxApp::OnRun();
    return m_exitCode;
}

int ViewerApp::runView(const ViewerOptions& options)
{
    std::unique_ptr<ViewerSession> session = openSession(options);
    if (!session)
        return 1;
    ViewerFrame* const frame = showWindow(std::move(session), nullptr);
    if (!options.screenshot.empty()) {
        reportToolkitErrorsOnStandardError();
        auto done = [this, frame, printLayout = options.printLayout](int exitCode, const std::string& message) {
            if (exitCode != 0)
                printError(message);
            else if (printLayout)
                std::cout << LayoutReport::describe(frame->timeline());
            finish(exitCode);
            frame->Destroy();
        };
        m_screenshot =
            std::make_unique<ScreenshotTaker>(*frame, options.screenshot, options.timeoutSeconds, std::move(done));
    }
    return OnRun();
}

int ViewerApp::runLint(const ViewerOptions& options)
{
    reportToolkitErrorsOnStandardError();
    std::unique_ptr<ViewerSession> session = openSession(options);
    if (!session)
        return 1;
    ViewerSession& opened = *session;
    auto* frame = new ViewerFrame(std::move(session), WINDOW_SIZE); // never shown
    frame->start();
    // Shown messages went through the messenger; the rest stayed with the pane.
    std::vector<std::wstring> messages = opened.messenger().configurationMessages();
    for (const wxString& text : frame->pane().getErrors())
        messages.push_back(text.ToStdWstring());
    for (const std::string& note : opened.importNotes())
        std::cout << "import note: " << note << '\n';
    for (const auto& text : messages)
        std::cout << wxString(text).ToStdString(wxConvUTF8) << '\n';
    std::cout << opened.viewpointName() << ": " << messages.size() << " configuration message(s)" << std::endl;
    frame->Destroy();
    finish(messages.empty() ? 0 : 1);
    return OnRun();
}

// A run without a user must not stop on a message box that nobody will close.
void ViewerApp::reportToolkitErrorsOnStandardError()
{
    delete wxLog::SetActiveTarget(new wxLogStderr); // the log owns its active target
}

ViewerFrame* ViewerApp::showWindow(std::unique_ptr<ViewerSession> session, const wxWindow* owner,
                                   const ViewerFrame::LayerColours& colours)
{
    // The window system deletes it.
    auto* frame = new ViewerFrame(std::move(session), owner ? owner->GetSize() : WINDOW_SIZE);
    frame->Show();
    frame->start();
    frame->applyColours(colours);
    return frame;
}

} // namespace velmora_viewer
