#pragma once
// The viewer's main window: one TimelinePane over one result, the host side of the pane's
// signals (apply filter, remove filters, selection echo, highlighting), a status line that shows
// the messages meant for the user, and menus to open another result or trace file or pick another
// viewpoint (each opens a new window through ViewerApp and closes this one) or save the viewpoint
// with the colours and sort orders the user chose. The details of the
// selected item show in a panel under the timeline, and Ctrl+F opens a search field over the
// slices, markers and ruler events above it (Escape closes it, or else clears the selection). A trace is imported
// on a worker (TraceImportJob), and another result or viewpoint is opened on a worker
// (ResultOpenJob), while this window stays usable; the status line shows how far the opening
// is, and Escape or closing the window cancels it.
//
// Created by ViewerApp with a session that opened successfully; start() runs the pane's start-up.
#include <wx/frame.h>

#include <mirrow2/sptr_t.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <wx/colour.h>

namespace tarquel_1_0 {
class Timeline;
}
namespace velmora_1_0 {
class TimelinePane;
}

namespace velmora_viewer {

class DetailsPanel;
class ResultOpenJob;
class SearchBar;
class TraceImportJob;
class ViewerSession;

class ViewerFrame : public wxFrame {
public:
    // Layer colours by layer name.
    using LayerColours = std::map<std::wstring, wxColour>;

    ViewerFrame(std::unique_ptr<ViewerSession> session, const wxSize& size);
    ~ViewerFrame() override;
    ViewerFrame(const ViewerFrame&) = delete;
    ViewerFrame& operator=(const ViewerFrame&) = delete;

    void start();
    velmora_1_0::TimelinePane& pane() const { return *m_pane; }
    tarquel_1_0::Timeline& timeline() const;
    ViewerSession& session() const { return *m_session; }
    // True once the container has its final size and no layer loads or decimates.
    bool isComplete() const;
    // The colours the user changed from the legend since start().
    LayerColours changedColours() const;
    // Gives the layers of those names these colours, as the user chose them in another window.
    void applyColours(const LayerColours& colours);
    DetailsPanel& details() const { return *m_details; }
    // Writes the viewpoint with the colours and sort orders shown now; the error text, empty
    // when the file was written. The status line tells either way.
    wxString saveViewpoint(const std::filesystem::path& file);
    SearchBar& search() const { return *m_search; }
    // Opens `result` on a worker and shows it in a new window that replaces this one, with the
    // layers of those names in `colours`; a failure is told and this window stays.
    void openInNewWindow(const std::filesystem::path& result, const std::string& viewpoint,
                         const LayerColours& colours = {});
    bool isOpening() const { return m_open != nullptr; }
    // Stops the opening under way, if any; this window stays. False when there was none.
    bool cancelOpening();

private:
    void buildMenus();
    void onCharHook(wxKeyEvent& event);
    void connectSignals();
    void showMessage(int kind, const wxString& text);
    void showImportNotes();
    void applyFilter();
    void removeFilters();
    void openResult();
    void openTrace();
    void saveViewpointAs();
    void traceImported(const std::filesystem::path& result, const std::string& error);
    void resultOpened(std::unique_ptr<ViewerSession> session, const std::string& error,
                      const LayerColours& colours);
    void pickViewpoint(int menuId);

    std::unique_ptr<ViewerSession> m_session;
    mirrow2::sptr_t<velmora_1_0::TimelinePane> m_pane;
    wxArrayString m_viewpoints; // bundled viewpoint names, in menu order
    std::unique_ptr<TraceImportJob> m_import; // the trace being imported, if any
    std::unique_ptr<ResultOpenJob> m_open;    // the result being opened, if any
    wxString m_opening;                       // its name, for the status line
    LayerColours m_startColours;              // what the viewpoint gave the layers
    SearchBar* m_search = nullptr;            // owned by the window
    DetailsPanel* m_details = nullptr;        // owned by the window
};

} // namespace velmora_viewer
