#include "ViewerFrame.h"

#include "ControlsHelp.h"
#include "DetailsPanel.h"
#include "PickedItem.h"
#include "SearchBar.h"

#include "HostFilter.h"
#include "ResultOpenJob.h"
#include "TraceImportJob.h"
#include "ViewerApp.h"
#include "ViewerSession.h"

#include "pane/SelectionHighlighter.h"
#include "pane/TimelinePane.h"
#include "pane/TimelinePaneContainer.h"

#include <brannow2/IMessenger.h>
#include <dd_sarvik_2_2/Result.h>
#include <tarquel_1_0/DataProvider.h>
#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace velmora_viewer {

namespace {

enum MenuId {
    ID_OPEN_RESULT = wxID_HIGHEST + 1,
    ID_OPEN_TRACE,
    ID_SAVE_VIEWPOINT,
    ID_APPLY_FILTER,
    ID_REMOVE_FILTERS,
    ID_FIRST_VIEWPOINT, // one id per bundled viewpoint from here on
};

constexpr int DETAILS_HEIGHT = 110;

// A cancelled query polls for cancellation between steps: ending takes far less than this.
constexpr int WORKERS_TIMEOUT_MS = 30000;

// The result's own name (an imported trace keeps its file's), else its directory's.
wxString titleFor(const ViewerSession& session)
{
    const std::wstring& stored = session.result()->get_name().str();
    const std::wstring name = stored.empty() ? session.resultDirectory().filename().wstring() : stored;
    return wxString::Format("%s (%s) - Velmora", wxString(name), wxString(session.viewpointName()));
}

} // namespace

ViewerFrame::ViewerFrame(std::unique_ptr<ViewerSession> session, const wxSize& size)
    : wxFrame(nullptr, wxID_ANY, titleFor(*session), wxDefaultPosition, size)
    , m_session(std::move(session))
{
    CreateStatusBar();
    buildMenus();
    m_pane = mirrow2::sptr_t<velmora_1_0::TimelinePane>(new velmora_1_0::TimelinePane(this));
    // Under the timeline: the search field (hidden until Ctrl+F) and the details of the selection.
    m_search = new SearchBar(this, *m_pane->getTimeline());   // children: the window deletes them
    m_details = new DetailsPanel(this, *m_pane->getTimeline());
    m_details->SetMinSize(wxSize(-1, DETAILS_HEIGHT));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_pane->getContainer(), 1, wxEXPAND);
    sizer->Add(m_search, 0, wxEXPAND);
    sizer->Add(m_details, 0, wxEXPAND);
    SetSizer(sizer);
    Bind(wxEVT_CHAR_HOOK, &ViewerFrame::onCharHook, this);
    showImportNotes();
    // Messages may come from workers: hand them to the window's thread.
    m_session->messenger().setSink([this](int kind, const std::wstring& text) {
        CallAfter([this, kind, text] { showMessage(kind, text); });
    });
}

ViewerFrame::~ViewerFrame()
{
    m_import.reset(); // stop the workers before anything they report to goes
    m_open.reset();
    m_session->messenger().setSink(nullptr);
    m_pane = nullptr;
    // The timeline's providers read the result: they go before the session closes it, and so
    // do their workers, which may still be leaving a cancelled query.
    DestroyChildren();
    if (!tarquel_1_0::DataProvider::waitForEndingWorkers(WORKERS_TIMEOUT_MS)) {
        // Closing the result under a running query would crash: keep it open instead.
        std::cerr << "warning: a data worker did not end; its result stays open until the program exits\n";
        static_cast<void>(m_session.release()); // deliberately never freed
    }
}

tarquel_1_0::Timeline& ViewerFrame::timeline() const
{
    return *m_pane->getTimeline();
}

bool ViewerFrame::isComplete() const
{
    return !m_pane->getContainer()->isSettling() && !timeline().isLoading();
}

void ViewerFrame::onCharHook(wxKeyEvent& event)
{
    const bool plain = !event.HasAnyModifiers();
    if (event.GetKeyCode() == 'F' && event.GetModifiers() == wxMOD_CONTROL) {
        m_search->open();
    } else if (event.GetKeyCode() == WXK_ESCAPE && plain && cancelOpening()) {
        // A long opening is what the user most likely wants to stop.
    } else if (event.GetKeyCode() == WXK_ESCAPE && plain && m_search->IsShown() &&
               m_search->IsDescendant(FindFocus())) {
        m_search->close();
    } else if (event.GetKeyCode() == WXK_ESCAPE && plain) {
        m_details->clearSelection();
    } else {
        event.Skip();
    }
}

void ViewerFrame::start()
{
    Layout();
    connectSignals();
    m_session->start(*m_pane);
    for (tarquel_1_0::GraphLayer* layer : timeline().getDirectory().getLayers())
        m_startColours[layer->getLayerName().ToStdWstring()] = layer->getColor();
    // Keys navigate from the start, without a click into the graph first.
    if (tarquel_1_0::GraphLayerParent* graph = timeline().getGraph(timeline().getPaneCount() > 0 ? 0 : -1))
        graph->getWindow()->SetFocus();
    m_details->watchLayers();
    // A marker stepped to in the search tells about itself as a click on it does.
    m_search->setStepListener([this](const SearchBar::Match& match) {
        if (match.markers)
            m_details->showItem(PickedItem::marker(*match.markers, match.row, match.startTime, match.endTime, match.instance));
    });
}

ViewerFrame::LayerColours ViewerFrame::changedColours() const
{
    LayerColours changed;
    for (tarquel_1_0::GraphLayer* layer : timeline().getDirectory().getLayers()) {
        const std::wstring name = layer->getLayerName().ToStdWstring();
        const auto start = m_startColours.find(name);
        if (start != m_startColours.end() && start->second != layer->getColor())
            changed[name] = layer->getColor();
    }
    return changed;
}

void ViewerFrame::applyColours(const LayerColours& colours)
{
    bool applied = false;
    for (tarquel_1_0::GraphLayer* layer : timeline().getDirectory().getLayers()) {
        const auto chosen = colours.find(layer->getLayerName().ToStdWstring());
        if (chosen != colours.end()) {
            layer->setColor(chosen->second);
            applied = true;
        }
    }
    if (!applied)
        return;
    timeline().customizeLegend(); // the legend's icons show the colours
    timeline().getGraphArea()->renderAllGraphs();
}

void ViewerFrame::buildMenus()
{
    auto* file = new wxMenu;
    file->Append(ID_OPEN_RESULT, "&Open result...\tCtrl+O");
    file->Append(ID_OPEN_TRACE, "Open &trace file...\tCtrl+T");
    file->Append(ID_SAVE_VIEWPOINT, "&Save viewpoint as...\tCtrl+S");
    file->AppendSeparator();
    file->Append(wxID_EXIT, "&Quit\tCtrl+Q");

    auto* viewpoints = new wxMenu;
    std::vector<std::filesystem::path> files;
    std::error_code code;
    for (const auto& entry : std::filesystem::directory_iterator(ViewerSession::bundledViewpoints(), code)) {
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        const int id = ID_FIRST_VIEWPOINT + static_cast<int>(m_viewpoints.size());
        m_viewpoints.push_back(path.stem().wstring());
        viewpoints->AppendRadioItem(id, m_viewpoints.back());
        viewpoints->Check(id, m_viewpoints.back() == wxString(m_session->viewpointName()));
    }

    auto* filter = new wxMenu;
    filter->Append(ID_APPLY_FILTER, "&Apply selection as filter");
    filter->Append(ID_REMOVE_FILTERS, "&Remove filters");

    auto* help = new wxMenu;
    help->Append(wxID_HELP, "&Mouse and keyboard\tF1");

    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(viewpoints, "&Viewpoint");
    bar->Append(filter, "F&ilter");
    bar->Append(help, "&Help");
    SetMenuBar(bar);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { wxMessageBox(ControlsHelp::text(), "Mouse and keyboard", wxOK, this); },
         wxID_HELP);

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { openResult(); }, ID_OPEN_RESULT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { openTrace(); }, ID_OPEN_TRACE);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { saveViewpointAs(); }, ID_SAVE_VIEWPOINT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, wxID_EXIT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { applyFilter(); }, ID_APPLY_FILTER);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { removeFilters(); }, ID_REMOVE_FILTERS);
    if (!m_viewpoints.empty()) {
        Bind(wxEVT_MENU, [this](wxCommandEvent& event) { pickViewpoint(event.GetId()); }, ID_FIRST_VIEWPOINT,
             ID_FIRST_VIEWPOINT + static_cast<int>(m_viewpoints.size()) - 1);
    }
}

// The signals are raised by the pane's commands on this thread; the answers are queued so the
// pane finishes its command before it hears of the consequences.
void ViewerFrame::connectSignals()
{
    m_pane->applyFilterSignal.connect([this] { CallAfter([this] { applyFilter(); }); });
    m_pane->removeFiltersSignal.connect([this] { CallAfter([this] { removeFilters(); }); });
    m_pane->selectionChangedSignal.connect([this] { CallAfter([this] { m_pane->selectionChanged(); }); });
    m_pane->highlightingSignal.connect([this](const std::wstring& filter) {
        CallAfter([this, filter] { velmora_1_0::SelectionHighlighter(*m_pane->getTimeline()).show(filter); });
    });
    m_pane->deepViewSignal.connect(
        [this] { CallAfter([this] { showMessage(brannow2::IMessenger::Info, "Deep-view filter set"); }); });
}

void ViewerFrame::showMessage(int, const wxString& text)
{
    // Every message is for the user, the hints too (how to keep a changed colour); the messenger
    // also logs them on standard error.
    SetStatusText(text);
}

// What the import skipped or repaired stays in view until another message replaces it; the
// status bar shows the whole line as its tip when the window is too narrow for it.
void ViewerFrame::showImportNotes()
{
    const std::vector<std::string>& notes = m_session->importNotes();
    if (notes.empty())
        return;
    wxString all = wxString::Format("Import notes (%zu): ", notes.size());
    for (std::size_t index = 0; index < notes.size(); ++index)
        all += (index ? "; " : "") + wxString::FromUTF8(notes[index]);
    SetStatusText(all);
}

void ViewerFrame::applyFilter()
{
    if (!HostFilter(*m_session->result()).applySelection()) {
        SetStatusText("Nothing selected: select a time range or rows first");
        return;
    }
    m_pane->filterChanged();
    SetStatusText("Filter applied");
}

void ViewerFrame::removeFilters()
{
    HostFilter(*m_session->result()).removeAll();
    m_pane->filterChanged();
    SetStatusText("Filters removed");
}

void ViewerFrame::openResult()
{
    wxDirDialog dialog(this, "Open a result directory", m_session->resultDirectory().parent_path().wstring(),
                       wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return;
    openInNewWindow(dialog.GetPath().ToStdWstring(), m_session->viewpointName());
}

void ViewerFrame::openTrace()
{
    wxFileDialog dialog(this, "Open a trace file", wxEmptyString, wxEmptyString,
                        "All files|*|JSON trace files (*.json)|*.json|perf recordings (perf.data*)|perf.data*",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxString name = wxFileName(dialog.GetPath()).GetFullName();
    SetStatusText("Importing " + name + "...");
    m_import = std::make_unique<TraceImportJob>(
        *this, dialog.GetPath().ToStdWstring(),
        [this, name](int percent) { SetStatusText(wxString::Format("Importing %s: %d%%", name, percent)); },
        [this](const std::filesystem::path& result, const std::string& error) { traceImported(result, error); });
}

void ViewerFrame::saveViewpointAs()
{
    wxFileDialog dialog(this, "Save the viewpoint", wxEmptyString, m_session->viewpointName() + ".xml",
                        "Viewpoints (*.xml)|*.xml", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxString error = saveViewpoint(dialog.GetPath().ToStdWstring());
    if (!error.empty())
        wxMessageBox(error, "Cannot save the viewpoint", wxOK | wxICON_ERROR, this);
}

wxString ViewerFrame::saveViewpoint(const std::filesystem::path& file)
{
    wxString error;
    if (!m_pane->saveViewpoint(file, error)) {
        SetStatusText(error);
        return error;
    }
    SetStatusText("Viewpoint saved to " + wxString(file.wstring()));
    return wxString();
}

void ViewerFrame::traceImported(const std::filesystem::path& result, const std::string& error)
{
    m_import.reset(); // its worker has finished: this is its last call
    SetStatusText(wxEmptyString);
    if (result.empty()) {
        wxMessageBox(wxString::FromUTF8(error), "Cannot import the trace", wxOK | wxICON_ERROR, this);
        return;
    }
    openInNewWindow(result, m_session->viewpointName());
}

void ViewerFrame::pickViewpoint(int menuId)
{
    const wxString name = m_viewpoints[static_cast<std::size_t>(menuId - ID_FIRST_VIEWPOINT)];
    if (name == wxString(m_session->viewpointName()))
        return;
    // Colours changed from the legend go along to the other viewpoint's layers of the same names.
    openInNewWindow(m_session->resultDirectory(), name.ToStdString(), changedColours());
}

void ViewerFrame::openInNewWindow(const std::filesystem::path& result, const std::string& viewpoint,
                                  const LayerColours& colours)
{
    m_open.reset(); // a newer request replaces one under way
    m_opening = wxString(result.filename().wstring());
    SetStatusText("Opening " + m_opening + "... (Escape cancels)");
    m_open = std::make_unique<ResultOpenJob>(
        *this, result, viewpoint,
        [this](int percent) {
            SetStatusText(wxString::Format("Opening %s: %d%% (Escape cancels)", m_opening, percent));
        },
        [this, colours](std::unique_ptr<ViewerSession> session, const std::string& error) {
            resultOpened(std::move(session), error, colours);
        });
}

bool ViewerFrame::cancelOpening()
{
    if (!m_open)
        return false;
    m_open.reset(); // the engine stops at its next step
    SetStatusText("Opening " + m_opening + " cancelled");
    return true;
}

void ViewerFrame::resultOpened(std::unique_ptr<ViewerSession> session, const std::string& error,
                               const LayerColours& colours)
{
    m_open.reset(); // its worker has finished: this is its last call
    SetStatusText(wxEmptyString);
    if (!session) {
        wxMessageBox(wxString::FromUTF8(error), "Cannot open", wxOK | wxICON_ERROR, this);
        return;
    }
    ViewerApp::showWindow(std::move(session), this, colours);
    Close();
}

} // namespace velmora_viewer
