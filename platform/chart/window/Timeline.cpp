#include <tarquel_1_0/Timeline.h>

#include "AreaGraph.h"
#include "AreaPane.h"
#include "RulerWindow.h"
#include "StatusLine.h"

#include <tarquel_1_0/DataProvider.h>
#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/EventCallback.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/ProviderNotice.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/UiThread.h>

#include <brannow2/IMessenger.h>
#include <VORN_2_9/varg_list.h>

#include <algorithm>

#include <wx/sizer.h>

namespace tarquel_1_0 {

class Timeline::Impl {
public:
    explicit Impl(Timeline* owner) : owner(*owner), ruler(std::make_unique<Ruler>()) {}

    Timeline& owner;
    std::unique_ptr<Ruler> ruler;
    int rulerListener = -1;
    RulerWindow* rulerWindow = nullptr;
    GraphArea* graphArea = nullptr;
    Legend* legend = nullptr;
    StatusLine* status = nullptr;
    Directory directory;
    brannow2::IMessenger* messenger = nullptr;
    TimeMask timeMask;

    // The ruler window first, then the areas in pane order.
    std::vector<GraphWindow*> graphs() const
    {
        std::vector<GraphWindow*> all{rulerWindow};
        for (AreaGraph* area : areas())
            all.push_back(area);
        return all;
    }

    GraphWindow* graph(int paneIndex) const
    {
        if (paneIndex == -1)
            return rulerWindow;
        AreaPane* pane = graphArea->getPane(paneIndex);
        return pane ? pane->getGraph() : nullptr;
    }

    std::vector<AreaGraph*> areas() const
    {
        std::vector<AreaGraph*> all;
        for (int i = 0; i < graphArea->getPaneCount(); ++i)
            all.push_back(graphArea->getPane(i)->getGraph());
        return all;
    }

    // The graph that holds the notice's provider, or null when no graph does any more. The
    // serial tells a provider from a later one that happens to get the same address.
    GraphWindow* graphOf(const ProviderNotice& notice) const
    {
        for (GraphWindow* graph : graphs())
            if (graph->m_dataProvider && graph->m_dataProvider == notice.provider &&
                graph->m_dataProvider->getSerial() == notice.serial)
                return graph;
        return nullptr;
    }

    // The filter band belongs to the area, not to a layer: its notices come without a layer.
    static void requestFilterUpdate(GraphWindow& graph)
    {
        if (graph.isFilterLayerEnabled() && graph.m_dataProvider)
            graph.m_dataProvider->requestSBFilterUpdate(nullptr);
    }

    void dataReady(const ProviderNotice& notice)
    {
        GraphWindow* graph = graphOf(notice);
        if (!graph)
            return;
        if (!notice.layer) {
            status->remove(notice.provider);
            filterBandReady(*graph);
            return;
        }
        // Both keys must still be held, and by the same graph.
        if (directory.findGraphOf(notice.layer) == graph)
            graph->layerDataReady(notice.layer);
    }

    void progress(const ProviderNotice& notice)
    {
        GraphWindow* graph = graphOf(notice);
        if (!graph)
            return;
        if (!notice.layer) {
            const int pane = directory.paneIndexOf(graph);
            const wxString name = pane >= 0 ? graphArea->getPane(pane)->getName() : wxString();
            // Nothing is left to wait for at 100%, even when the computation files nothing.
            status->update({notice.provider, name, wxString(), 0, notice.percent < 100 ? 1 : 0, notice.percent});
        } else if (directory.findGraphOf(notice.layer) == graph) {
            owner.reportLayerProgress(notice.layer, notice.percent);
        }
    }

    // Told once per cause by the provider; the user reads it through the host's messenger.
    void failure(const ProviderNotice& notice, const wxString& cause) const
    {
        if (!messenger || !graphOf(notice))
            return;
        const wxString text = cause.empty()
                                  ? getString("%Request_failed_unknown")
                                  : getString("%Request_failed", VORN_2_9::generic::varg_list().add(cause.ToStdWstring()));
        messenger->message(brannow2::IMessenger::Error, text.ToStdWstring());
    }

    void filterBandReady(GraphWindow& graph)
    {
        auto* area = dynamic_cast<AreaGraph*>(&graph);
        if (area && area->refreshVisibleRows()) {
            if (EventCallback* callback = area->getEventCallback())
                callback->rowVisibilityChanged(&owner, area);
            else
                area->requestData(true);
        }
        graphArea->renderAllGraphs();
    }

    void rulerChanged(Ruler::Change change)
    {
        switch (change) {
        case Ruler::Change::Range:
            for (GraphWindow* graph : graphs()) {
                graph->clearHittest();
                graph->requestData(false);
                graph->renderAll();
            }
            break;
        case Ruler::Change::Selection:
            rulerWindow->renderAll();
            for (AreaGraph* area : areas())
                area->Refresh(false);
            break;
        case Ruler::Change::FrameAnchor:
            for (GraphWindow* graph : graphs())
                graph->Refresh(false);
            break;
        case Ruler::Change::SortOrder:
            graphArea->renderAllGraphs();
            for (int i = 0; i < graphArea->getPaneCount(); ++i)
                graphArea->getPane(i)->getHeader()->Refresh();
            break;
        }
    }
};

Timeline::Timeline(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxPanel(parent, id, pos, size, wxTAB_TRAVERSAL | wxWANTS_CHARS), m_impl(std::make_unique<Impl>(this))
{
    Impl& d = *m_impl;
    d.rulerWindow = new RulerWindow(this, this);
    d.graphArea = new GraphArea(this, d.rulerWindow);
    d.legend = new Legend(this, this);
    d.status = new StatusLine(this);
    d.directory.addGraph(-1, d.rulerWindow);

    // The ruler's time axis lines up with the graphs: room for the row headers on the left and
    // for the areas' scroll bars on the right.
    auto* rulerRow = new wxBoxSizer(wxHORIZONTAL);
    rulerRow->AddSpacer(AreaPane::kHeaderWidth);
    rulerRow->Add(d.rulerWindow, 1, wxEXPAND);
    rulerRow->AddSpacer(AreaPane::scrollBarWidth(this));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(rulerRow, 0, wxEXPAND);
    sizer->Add(d.graphArea, 1, wxEXPAND);
    sizer->Add(d.legend, 0, wxEXPAND | wxALL, 2);
    sizer->Add(d.status, 0, wxEXPAND);
    SetSizer(sizer);

    d.rulerListener = d.ruler->addListener([this](Ruler::Change change) { m_impl->rulerChanged(change); });
    // Menus popped up on the timeline are the ruler's (the row headers handle their own).
    Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
        if (EventCallback* callback = m_impl->rulerWindow->getEventCallback())
            callback->rulerMenuCommand(this, event.GetId());
    });
    Bind(EVT_PROVIDER_DATA_READY, [this](wxThreadEvent& event) { m_impl->dataReady(noticeOf(event)); });
    Bind(EVT_PROVIDER_PROGRESS, [this](wxThreadEvent& event) { m_impl->progress(noticeOf(event)); });
    Bind(EVT_PROVIDER_FAILURE,
         [this](wxThreadEvent& event) { m_impl->failure(noticeOf(event), event.GetString()); });
}

Timeline::~Timeline()
{
    // The children own the layers and providers, which may still reach the ruler and the
    // directory while they go; so they go first, while both exist.
    DestroyChildren();
    m_impl->ruler->removeListener(m_impl->rulerListener);
}

int Timeline::addPane(const wxString& name)
{
    TARQUEL_UI_THREAD_ONLY();
    AreaPane* pane = m_impl->graphArea->addPane(name);
    const int index = m_impl->graphArea->getPaneCount() - 1;
    m_impl->directory.addGraph(index, pane->getGraph());
    Layout();
    return index;
}

int Timeline::getPaneCount() const
{
    return m_impl->graphArea->getPaneCount();
}

bool Timeline::addLayer(int paneIndex, GraphLayer* layer, int position)
{
    TARQUEL_UI_THREAD_ONLY();
    GraphWindow* graph = m_impl->graph(paneIndex);
    if (!graph) {
        delete layer;
        return false;
    }
    graph->addLayer(layer, position);
    m_impl->directory.addLayer(layer, graph);
    return true;
}

void Timeline::addGlobalLayer(GraphLayer* layer)
{
    TARQUEL_UI_THREAD_ONLY();
    addLayer(-1, layer, 0);
}

void Timeline::setDataProvider(int paneIndex, DataProvider* provider, bool takeOwnership)
{
    TARQUEL_UI_THREAD_ONLY();
    if (GraphWindow* graph = m_impl->graph(paneIndex)) {
        if (provider)
            provider->setNotificationSink(this);
        graph->setProvider(provider, takeOwnership);
    }
}

void Timeline::setGlobalDataProvider(DataProvider* provider)
{
    TARQUEL_UI_THREAD_ONLY();
    setDataProvider(-1, provider, true);
}

DataProvider* Timeline::getDataProvider(int paneIndex) const
{
    GraphWindow* graph = m_impl->graph(paneIndex);
    return graph ? graph->m_dataProvider : nullptr;
}

DataProvider* Timeline::getGlobalDataProvider() const
{
    return getDataProvider(-1);
}

void Timeline::setEventCallback(int paneIndex, EventCallback* callback)
{
    if (GraphWindow* graph = m_impl->graph(paneIndex))
        graph->setEventCallback(callback);
}

void Timeline::setGlobalEventCallback(EventCallback* callback)
{
    m_impl->rulerWindow->setEventCallback(callback);
}

Ruler* Timeline::getRuler() const
{
    return m_impl->ruler.get();
}

GraphArea* Timeline::getGraphArea() const
{
    return m_impl->graphArea;
}

Legend* Timeline::getLegend() const
{
    return m_impl->legend;
}

HeaderCtrl* Timeline::getHeader(int paneIndex) const
{
    AreaPane* pane = m_impl->graphArea->getPane(paneIndex);
    return pane ? pane->getHeader() : nullptr;
}

GraphLayerParent* Timeline::getGraph(int paneIndex) const
{
    return m_impl->graph(paneIndex);
}

GraphLayer* Timeline::getSelectionLayer() const
{
    for (GraphWindow* graph : m_impl->graphs())
        if (GraphLayer* layer = graph->getSelectionLayer())
            return layer;
    return nullptr;
}

void Timeline::clearHeaderSelection(HeaderCtrl* except)
{
    for (int i = 0; i < getPaneCount(); ++i)
        if (HeaderCtrl* header = getHeader(i); header != except)
            header->clearSelection();
}

void Timeline::clearLayerSelection(GraphLayer* except)
{
    for (GraphWindow* graph : m_impl->graphs())
        graph->clearLayerSelection(except);
}

void Timeline::customizeLegend()
{
    TARQUEL_UI_THREAD_ONLY();
    Legend& legend = *m_impl->legend;
    legend.clear();
    for (GraphLayer* layer : m_impl->directory.getLayers()) {
        // The old items are gone with the legend's clear.
        layer->m_legendItem = nullptr;
        layer->m_runningLegendItem = nullptr;
        std::vector<int> ids;
        layer->customizeLegend(ids);
        legend.assignLayer(ids, layer);
    }
    legend.updateState();
    Layout();
}

void Timeline::enableFilterLayer(int paneIndex)
{
    if (GraphWindow* graph = m_impl->graph(paneIndex))
        graph->enableFilterLayer();
}

void Timeline::filterChanged()
{
    TARQUEL_UI_THREAD_ONLY();
    for (GraphWindow* graph : m_impl->graphs()) {
        Impl::requestFilterUpdate(*graph);
        for (GraphLayer* layer : graph->getLayers())
            layer->filterChanged();
        graph->renderAll();
    }
}

void Timeline::setTimeMask(const TimeMask& mask)
{
    if (mask == m_impl->timeMask)
        return;
    m_impl->timeMask = mask;
    for (GraphWindow* graph : m_impl->graphs()) {
        graph->clearHittest();
        graph->renderAll();
    }
}

const TimeMask& Timeline::getTimeMask() const
{
    return m_impl->timeMask;
}

void Timeline::finalize(bool requestData)
{
    TARQUEL_UI_THREAD_ONLY();
    Impl& d = *m_impl;
    std::uint64_t duration = 0;
    for (GraphWindow* graph : d.graphs())
        if (graph->m_dataProvider)
            duration = std::max(duration, graph->m_dataProvider->getDuration());
    d.ruler->setDuration(duration);
    for (AreaGraph* area : d.areas())
        area->reloadRows();
    customizeLegend();
    Layout();
    for (GraphWindow* graph : d.graphs()) {
        if (requestData) {
            Impl::requestFilterUpdate(*graph);
            graph->requestData(true);
        }
        graph->renderAll();
    }
}

void Timeline::reload(bool resetZoom)
{
    TARQUEL_UI_THREAD_ONLY();
    Impl& d = *m_impl;
    if (resetZoom && d.ruler->canZoomReset())
        d.ruler->zoomReset();
    for (AreaGraph* area : d.areas())
        area->reloadRows();
    // Once cleared every layer misses its data, so asking for what is missing fetches it all.
    for (GraphWindow* graph : d.graphs()) {
        for (GraphLayer* layer : graph->getLayers())
            layer->clear();
        Impl::requestFilterUpdate(*graph);
        graph->requestData(true);
        graph->renderAll();
    }
    d.legend->updateState();
}

void Timeline::showStatus(bool show)
{
    m_impl->status->Show(show);
    Layout();
}

void Timeline::setMessenger(brannow2::IMessenger* messenger)
{
    m_impl->messenger = messenger;
}

brannow2::IMessenger* Timeline::getMessenger() const
{
    return m_impl->messenger;
}

void Timeline::reportLayerProgress(GraphLayer* layer, int percent)
{
    TARQUEL_UI_THREAD_ONLY();
    if (!m_impl->directory.findGraphOf(layer))
        return;
    m_impl->status->update({layer, layer->m_layerName, layer->getProgressText(), layer->m_loadProgress,
                            layer->m_loading, percent});
}

wxString Timeline::getStatusText() const
{
    return m_impl->status->getText();
}

bool Timeline::isLoading() const
{
    const std::vector<GraphLayer*>& layers = m_impl->directory.getLayers();
    const std::vector<GraphWindow*> graphs = m_impl->graphs();
    return !m_impl->status->isIdle() ||
           std::any_of(layers.begin(), layers.end(), [](const GraphLayer* layer) { return layer->m_loading != 0; }) ||
           std::any_of(graphs.begin(), graphs.end(), [](const GraphWindow* graph) { return graph->isRepaintPending(); });
}

const Directory& Timeline::getDirectory() const
{
    return m_impl->directory;
}

} // namespace tarquel_1_0
