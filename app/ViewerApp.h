#pragma once
// The viewer's application object: runs the view and lint commands once the window system is
// up, opens windows on a result and a viewpoint, and carries the exit code of the run (a
// screenshot that failed or timed out ends the program non-zero).
#include "CommandLine.h"
#include "ViewerFrame.h"

#include <wx/app.h>

#include <filesystem>
#include <memory>
#include <string>

namespace velmora_viewer {

class ScreenshotTaker;
class ViewerSession;

class ViewerApp : public wxApp {
public:
    ViewerApp();
    ~ViewerApp() override;

    // Our own command line is parsed before wx starts, so the base's parser is skipped.
    bool OnInit() override;
    int OnRun() override;

    int runView(const ViewerOptions& options);
    int runLint(const ViewerOptions& options);
    void finish(int exitCode) { m_exitCode = exitCode; }

    // A new shown window on an opened session (a window opens another result on a worker,
    // ResultOpenJob), as large as `owner`, its layers in `colours` where their names match.
    static ViewerFrame* showWindow(std::unique_ptr<ViewerSession> session, const wxWindow* owner,
                                   const ViewerFrame::LayerColours& colours = {});

private:
    static void reportToolkitErrorsOnStandardError();
    std::unique_ptr<ScreenshotTaker> m_screenshot;
    int m_exitCode = 0;
};

} // namespace velmora_viewer

wxDECLARE_APP(velmora_viewer::ViewerApp);
