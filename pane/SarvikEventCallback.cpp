#include "pane/SarvikEventCallback.h"

#include "layers/EventMarkerLayer.h"
#include "layers/OverTimeLayer.h"
#include "layers/TransitionLayer.h"
#include "pane/PaneContextMenu.h"
#include "pane/SelectionFilterWriter.h"
#include "pane/TimelinePane.h"
#include "provider/SarvikDataSource.h"
#include "provider/SarvikProvider.h"

#include <VORN_2_9/varg_list.h>
#include <brannow2/IMessenger.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/menu.h>
#include <wx/utils.h>

#include <algorithm>

namespace velmora_1_0 {

using tarquel_1_0::GraphLayer;
using tarquel_1_0::GraphLayerParent;
using tarquel_1_0::HeaderCtrl;
using tarquel_1_0::Timeline;

namespace {

SarvikProvider* sarvikProvider(tarquel_1_0::DataProvider* provider)
{
    return dynamic_cast<SarvikProvider*>(provider);
}

const SarvikDataSource* dataSourceOf(const GraphLayer& layer)
{
    return dynamic_cast<const SarvikDataSource*>(layer.m_dataSource);
}

} // namespace

SarvikEventCallback::SarvikEventCallback(TimelinePane* pane)
    : m_pane(pane), m_menuPresenter([](wxWindow& window, wxMenu& menu) { window.PopupMenu(&menu); })
{
}

SarvikEventCallback::~SarvikEventCallback() = default;

void SarvikEventCallback::itemSelected(GraphLayer* layer)
{
    if (!layer || !layer->canSelect() || !holdItemOf(layer))
        return;
    Timeline* timeline = m_pane->getTimeline();
    timeline->getRuler()->setSelection(0, 0, false);
    timeline->clearHeaderSelection(nullptr);
    selectItem();
}

void SarvikEventCallback::itemActivated(GraphLayer* layer)
{
    if (!layer || !layer->canSelect() || !holdItemOf(layer))
        return;
    SarvikProvider* provider = providerOf(layer);
    const SarvikDataSource* source = dataSourceOf(*layer);
    if (!provider || !source)
        return;
    const bool transition = layer->getLayerName() == "Transition";
    // A sample is a row during some time, not an instance whose call stack could be looked up.
    const int instance = m_sampleTime ? -1 : m_selectedItem;
    if (SelectionFilterWriter(*provider).writeDeepView(source->attributeTable, source->instanceTable, instance,
                                                       transition))
        m_pane->deepViewSignal.raise();
}

void SarvikEventCallback::rulerContextMenu(Timeline* timeline)
{
    const auto menu = PaneContextMenu::buildRulerMenu(*timeline->getRuler(),
                                                      hasGlobalFilters(timeline->getGlobalDataProvider()));
    m_menuPresenter(*timeline, *menu);
}

void SarvikEventCallback::rulerRangeSelected(Timeline* timeline)
{
    holdItem(nullptr, -1, std::nullopt);
    timeline->clearHeaderSelection(nullptr);
    if (timeline->getSelectionLayer()) {
        timeline->clearLayerSelection(nullptr);
        timeline->getGraphArea()->renderAllGraphs();
    }
    if (SarvikProvider* provider = sarvikProvider(timeline->getGlobalDataProvider())) {
        const tarquel_1_0::Ruler& ruler = *timeline->getRuler();
        if (SelectionFilterWriter(*provider).selectTimeRange(ruler.getSelectionStart().GetValue(),
                                                             ruler.getSelectionEnd().GetValue()))
            m_pane->generateSelectionChangedEvent();
    }
    rulerContextMenu(timeline);
}

void SarvikEventCallback::rulerMenuCommand(Timeline* timeline, int id)
{
    tarquel_1_0::Ruler& ruler = *timeline->getRuler();
    SarvikProvider* provider = sarvikProvider(timeline->getGlobalDataProvider());
    const std::uint64_t start = ruler.getSelectionStart().GetValue();
    const std::uint64_t end = ruler.getSelectionEnd().GetValue();
    switch (id) {
    case PaneContextMenu::ZOOM_SELECTION:
    case PaneContextMenu::ZOOM_UNDO:
    case PaneContextMenu::ZOOM_RESET:
        if (id == PaneContextMenu::ZOOM_SELECTION)
            ruler.zoomSelection();
        else if (id == PaneContextMenu::ZOOM_UNDO)
            ruler.zoomUndo();
        else
            ruler.zoomReset();
        timeline->getLegend()->updateState();
        break;
    case PaneContextMenu::ZOOM_IN_FILTER_SELECTION: {
        const wxBusyCursor busy;
        ruler.zoomSelection();
        if (provider) {
            selectItemOrTime(*provider, start, end, false);
            m_pane->applyFilterSignal.raise();
        }
        break;
    }
    case PaneContextMenu::FILTER_SELECTION:
    case PaneContextMenu::FILTER_OUT_BY_TIME: {
        const wxBusyCursor busy;
        if (provider) {
            selectItemOrTime(*provider, start, end, id == PaneContextMenu::FILTER_OUT_BY_TIME);
            m_pane->applyFilterSignal.raise();
        }
        ruler.setSelection(0, 0, true);
        break;
    }
    case PaneContextMenu::RULER_REMOVE_ALL_FILTERS:
        m_pane->removeFiltersSignal.raise();
        break;
    case PaneContextMenu::UPDATE_HIGHLIGHTING:
        m_pane->highlightingSignal.raise(std::wstring(dd_sarvik_2_2::dd_filter::selection_name));
        break;
    default: // dismiss, or an id of no menu of ours
        break;
    }
}

void SarvikEventCallback::layerColorChanged(GraphLayer* layer, const wxString& what, const wxColour& colour)
{
    brannow2::IMessenger* messenger = m_pane->getMessenger();
    if (!layer || !messenger)
        return;
    // Both notations a viewpoint accepts, so the user can paste either one.
    const wxString decimal = wxString::Format("%d,%d,%d", colour.Red(), colour.Green(), colour.Blue());
    const wxString hexadecimal = wxString::Format("0x%02x%02x%02x", colour.Red(), colour.Green(), colour.Blue());
    VORN_2_9::generic::varg_list args;
    args.add(what.ToStdWstring())
        .add(layer->getLayerName().ToStdWstring())
        .add(decimal.ToStdWstring())
        .add(hexadecimal.ToStdWstring());
    messenger->message(brannow2::IMessenger::Info,
                       tarquel_1_0::getString("%Layer_color_change_info", args).ToStdWstring());
}

void SarvikEventCallback::rowsSelected(GraphLayerParent* graph, const std::vector<int>& rows)
{
    selectRows(graph, rows);
}

void SarvikEventCallback::headerContextMenu(HeaderCtrl* header)
{
    m_headerGraph = header->getGraph();
    const auto menu = PaneContextMenu::buildHeaderMenu(
        *header, m_headerGraph && hasGlobalFilters(m_headerGraph->m_dataProvider));
    m_menuPresenter(*header, *menu);
}

void SarvikEventCallback::headerMenuCommand(HeaderCtrl* header, int id)
{
    switch (id) {
    case PaneContextMenu::FILTER_OUT_BY_SELECTION:
    case PaneContextMenu::FILTER_IN_BY_SELECTION:
        if (selectRows(header->getGraph(), header->getSelectedRows(id == PaneContextMenu::FILTER_IN_BY_SELECTION)))
            m_pane->applyFilterSignal.raise();
        break;
    case PaneContextMenu::SORT_TIME_ASCENDING:
    case PaneContextMenu::SORT_TIME_DESCENDING:
    case PaneContextMenu::SORT_LABEL_ASCENDING:
    case PaneContextMenu::SORT_LABEL_DESCENDING:
        if (HeaderCtrl* sorted = headerOf(m_headerGraph)) {
            sorted->setSortOrder(PaneContextMenu::sortOrderOf(id));
            m_pane->getTimeline()->getRuler()->sortOrderChanged();
        }
        break;
    case PaneContextMenu::HEADER_REMOVE_ALL_FILTERS:
        m_pane->removeFiltersSignal.raise();
        break;
    default:
        break;
    }
}

void SarvikEventCallback::setMenuPresenter(MenuPresenter presenter)
{
    m_menuPresenter = std::move(presenter);
}

bool SarvikEventCallback::holdItemOf(GraphLayer* layer)
{
    if (auto* transitions = dynamic_cast<TransitionLayer*>(layer)) {
        holdItem(layer, transitions->getHittestItem().instanceIndex, std::nullopt);
        return true;
    }
    if (auto* graph = dynamic_cast<OverTimeLayer*>(layer)) {
        const int row = graph->getHitRow();
        if (row == -1)
            return false;
        // A sample is one pixel column of the visible range: the time that column covers now.
        const tarquel_1_0::Ruler& ruler = *m_pane->getTimeline()->getRuler();
        const int column = ruler.xFromTime(ruler.getStart(), false) + graph->getHitIndex();
        const std::uint64_t start = ruler.timeFromX(column).GetValue();
        const std::uint64_t end = column + 1 < ruler.getPixelWidth() ? ruler.timeFromX(column + 1).GetValue() - 1
                                                                     : ruler.getEnd().GetValue();
        holdItem(layer, row, TimeSpan{start, std::max(start, end)});
        return true;
    }
    if (auto* markers = dynamic_cast<EventMarkerLayer*>(layer)) {
        const std::vector<EventMarkerLayer::EventMarker> hits = markers->getHittestItems();
        if (hits.empty())
            return false;
        // Show the span of the markers hit; a single instant has no span to show.
        const std::uint64_t start = hits.front().startTime;
        const std::uint64_t end = hits.back().endTime;
        tarquel_1_0::Ruler& ruler = *m_pane->getTimeline()->getRuler();
        if (start == end)
            ruler.setSelection(0, 0, true);
        else
            ruler.setSelection(start, end, true);
        holdItem(layer, hits.back().instanceIndex, std::nullopt);
        return true;
    }
    return false;
}

void SarvikEventCallback::holdItem(GraphLayer* layer, int item, std::optional<TimeSpan> sampleTime)
{
    m_selectedItem = item;
    m_selectedLayer = layer;
    m_sampleTime = sampleTime;
}

void SarvikEventCallback::selectItem()
{
    SarvikProvider* provider = providerOf(m_selectedLayer);
    if (!provider)
        return;
    SelectionFilterWriter writer(*provider);
    bool written = false;
    if (m_sampleTime) {
        // A sample of a graph without rows (one on the ruler) is its time alone.
        const SarvikDataSource* rows = provider->getRowByDS();
        written = rows ? writer.selectInstancesDuring(rows->attributeTable, rows->instanceTable, {m_selectedItem},
                                                      m_sampleTime->start, m_sampleTime->end)
                       : writer.selectTimeRange(m_sampleTime->start, m_sampleTime->end);
    } else if (const SarvikDataSource* source = dataSourceOf(*m_selectedLayer)) {
        written = writer.selectInstances(source->attributeTable, source->instanceTable, {m_selectedItem});
    }
    if (written)
        m_pane->generateSelectionChangedEvent();
}

void SarvikEventCallback::selectItemOrTime(SarvikProvider& provider, std::uint64_t start, std::uint64_t end,
                                           bool outside)
{
    if (m_selectedLayer && m_selectedItem != -1) {
        selectItem();
        return;
    }
    SelectionFilterWriter writer(provider);
    if (outside ? writer.selectOutsideTimeRange(start, end) : writer.selectTimeRange(start, end))
        m_pane->generateSelectionChangedEvent();
}

bool SarvikEventCallback::selectRows(GraphLayerParent* graph, const std::vector<int>& rows)
{
    SarvikProvider* provider = graph ? sarvikProvider(graph->m_dataProvider) : nullptr;
    const SarvikDataSource* rowBy = provider ? provider->getRowByDS() : nullptr;
    if (!rowBy || !SelectionFilterWriter(*provider).selectInstances(rowBy->attributeTable, rowBy->instanceTable, rows))
        return false;
    m_pane->generateSelectionChangedEvent();
    return true;
}

bool SarvikEventCallback::hasGlobalFilters(tarquel_1_0::DataProvider* provider) const
{
    SarvikProvider* sarvik = sarvikProvider(provider);
    return sarvik && SelectionFilterWriter(*sarvik).hasGlobalFilters();
}

SarvikProvider* SarvikEventCallback::providerOf(GraphLayer* layer) const
{
    if (layer->m_parent)
        if (SarvikProvider* provider = sarvikProvider(layer->m_parent->m_dataProvider))
            return provider;
    return sarvikProvider(m_pane->getTimeline()->getGlobalDataProvider());
}

HeaderCtrl* SarvikEventCallback::headerOf(GraphLayerParent* graph) const
{
    Timeline* timeline = m_pane->getTimeline();
    for (int pane = 0; graph && pane < timeline->getPaneCount(); ++pane)
        if (timeline->getGraph(pane) == graph)
            return timeline->getHeader(pane);
    return nullptr;
}

} // namespace velmora_1_0
