#include "DetailsPanel.h"

#include "layers/AttrOverTimeLayer.h"
#include "layers/DerivedOverTimeLayer.h"
#include "layers/OverTimeLayer.h"
#include "provider/SarvikProvider.h"

#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/window.h>

#include <algorithm>

namespace velmora_viewer {

using tarquel_1_0::GraphLayer;
using tarquel_1_0::GraphLayerParent;
using velmora_1_0::SarvikProvider;
using velmora_1_0::SliceLayer;

namespace {

SarvikProvider* providerOf(const GraphLayerParent* graph)
{
    return graph ? dynamic_cast<SarvikProvider*>(graph->m_dataProvider) : nullptr;
}

// The layer drawing the rows' CPU time: an over-time layer of time, not an attribute.
velmora_1_0::OverTimeLayer* cpuTimeLayerOf(const tarquel_1_0::Directory& directory, const GraphLayerParent* graph)
{
    for (GraphLayer* layer : directory.getLayers()) {
        auto* overTime = dynamic_cast<velmora_1_0::OverTimeLayer*>(layer);
        if (!overTime || overTime->m_parent != graph || dynamic_cast<velmora_1_0::AttrOverTimeLayer*>(layer) ||
            dynamic_cast<velmora_1_0::DerivedOverTimeLayer*>(layer))
            continue;
        const auto* source = dynamic_cast<const velmora_1_0::SarvikDataSource*>(overTime->m_dataSource);
        if (source && source->overTimeSource == dd_sarvik_2_2::dd_overtime_query::data_src_time)
            return overTime;
    }
    return nullptr;
}

} // namespace

DetailsPanel::DetailsPanel(wxWindow* parent, tarquel_1_0::Timeline& timeline)
    : wxPanel(parent, wxID_ANY), m_timeline(timeline)
{
    m_list = new wxListBox(this, wxID_ANY);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_list, 1, wxEXPAND);
    SetSizer(sizer);
    m_list->Bind(wxEVT_LISTBOX, &DetailsPanel::onLineChosen, this);
}

DetailsPanel::~DetailsPanel()
{
    *m_alive = false;
    m_clicks.reset();
    m_job.reset(); // its worker ends before the panel's members go
}

template <class Result>
void DetailsPanel::startJob(typename BackgroundJob<Result>::Work work, std::function<void(Result)> done)
{
    m_job.reset();
    m_jobDone = false;
    m_job = std::make_shared<BackgroundJob<Result>>(*this, std::move(work), [this, done](Result result) {
        m_jobDone = true;
        done(std::move(result));
    });
}

void DetailsPanel::watchLayers()
{
    if (!m_listening) {
        m_listening = true;
        m_timeline.getRuler()->addListener([this, alive = m_alive](tarquel_1_0::Ruler::Change change) {
            if (*alive && change == tarquel_1_0::Ruler::Change::Selection && !m_selectingSpan)
                rangeChanged();
        });
        // Presses are seen before the graph handles them, with the hover state they act on;
        // what the press selected is read once the graph has handled it.
        m_clicks = std::make_unique<GraphClickFilter>(
            [this](GraphLayerParent& graph, int x, int y) { graphPressed(graph, x, y); });
        for (int pane = -1; pane < m_timeline.getPaneCount(); ++pane)
            if (GraphLayerParent* graph = m_timeline.getGraph(pane))
                m_clicks->watch(*graph);
    }
    for (GraphLayer* layer : m_timeline.getDirectory().getLayers()) {
        auto* slices = dynamic_cast<SliceLayer*>(layer);
        if (!slices)
            continue;
        // The listener runs on the UI thread, from a click or from select().
        slices->setSelectionListener([this, slices](const SliceLayer::Item& item) { showSlice(slices, item); });
    }
}

void DetailsPanel::graphPressed(GraphLayerParent& graph, int x, int y)
{
    const PickedItem item = PickedItem::at(m_timeline, graph, x, y);
    if (item.valid())
        CallAfter([this, item] { showItem(item); });
    else if (isEmptySpace(graph, x, y))
        CallAfter([this] { clearSelection(); });
}

bool DetailsPanel::isEmptySpace(GraphLayerParent& graph, int x, int y) const
{
    // The ruler's time axis is for selecting ranges; only its strip holds items.
    if (&graph == m_timeline.getGraph(-1) && graph.getDataRowAt(x, y, true) < 0)
        return false;
    // Slices are not picked: their layer's hover state tells whether one is under the pointer.
    const tarquel_1_0::Directory& directory = m_timeline.getDirectory();
    for (GraphLayer* layer : directory.getLayers())
        if (directory.findGraphOf(layer) == &graph && layer->m_enabled && layer->canSelect())
            return false;
    return true;
}

void DetailsPanel::showSlice(SliceLayer* layer, const SliceLayer::Item& item)
{
    m_job.reset();
    std::vector<Shown> shown;
    const velmora_1_0::SliceRow* row = item.valid() ? layer->getRow(item.row) : nullptr;
    if (row) {
        const wxString name = rowName(layer->m_parent, item.row);
        for (const auto& line : velmora_1_0::SliceDetails::describe(item, *row, name)) {
            std::function<void()> follow;
            if (line.target.valid())
                follow = [this, layer, target = line.target] {
                    // select() reports back through the listener, which replaces the lines.
                    layer->select(target);
                    m_timeline.getGraphArea()->renderAllGraphs();
                };
            shown.push_back({line.text, follow});
        }
    }
    show(std::move(shown));
}

void DetailsPanel::showItem(const PickedItem& item)
{
    // A slice selected by the same click tells about itself.
    GraphLayer* selected = m_timeline.getSelectionLayer();
    if (!item.valid() || dynamic_cast<SliceLayer*>(selected))
        return;
    const tarquel_1_0::Directory& directory = m_timeline.getDirectory();
    const GraphLayerParent* graph = directory.findGraphOf(item.layer);
    SarvikProvider* provider = providerOf(graph);
    if (!graph || !provider || !provider->getResult())
        return;
    // States and samples are not selected in their layers: the ruler shows their span instead.
    const bool spanOnly = item.kind == PickedItem::Kind::state || item.kind == PickedItem::Kind::counterSample;
    if (spanOnly) {
        m_timeline.clearLayerSelection(nullptr);
        m_selectingSpan = true;
        m_timeline.getRuler()->setSelection(item.start, std::max(item.end, item.start + 1), true);
        m_selectingSpan = false;
        m_timeline.getGraphArea()->renderAllGraphs();
    }
    // A marker's span the pane has put on the ruler goes with the marker.
    m_spanIsItem = m_timeline.getRuler()->hasRulerSelection();
    showItemLines(item, {});
    startJob<ItemDescription::Read>(
        [result = provider->getResult(), item](const std::atomic<bool>& canceled) {
            ItemDescription::Read read;
            const velmora_1_0::ItemFactsReader reader(*result);
            if (!item.bandTable.empty() && item.instance >= 0)
                read.instance = reader.instanceFacts(item.bandTable, item.instance);
            if (!canceled && item.row >= 0 && item.kind != PickedItem::Kind::counterSample)
                read.row = reader.rowFacts(item.row);
            if (!canceled && item.fromRow >= 0)
                read.fromRow = reader.rowFacts(item.fromRow);
            return read;
        },
        [this, item](ItemDescription::Read read) { showItemLines(item, read); });
}

void DetailsPanel::showItemLines(const PickedItem& item, const ItemDescription::Read& read)
{
    GraphLayerParent* graph = m_timeline.getDirectory().findGraphOf(item.layer);
    const SarvikProvider* provider = providerOf(graph);
    std::vector<Shown> shown;
    for (const auto& line : ItemDescription::describe(item, read, [this, graph](int row) { return rowName(graph, row); })) {
        std::function<void()> follow;
        if (line.target.valid())
            follow = [this, provider, target = line.target] { goTo(provider, target); };
        shown.push_back({line.text, follow});
    }
    show(std::move(shown));
}

// Selects the row in its header and moves the view, keeping its zoom, so the time is in the middle.
void DetailsPanel::goTo(const SarvikProvider* areaOf, const ItemDescription::Target& target)
{
    for (int pane = 0; pane < m_timeline.getPaneCount(); ++pane) {
        GraphLayerParent* graph = m_timeline.getGraph(pane);
        tarquel_1_0::HeaderCtrl* header = m_timeline.getHeader(pane);
        if (!graph || !header || providerOf(graph) != areaOf)
            continue;
        header->clearSelection();
        header->selectRow(target.row, false);
        header->Refresh();
    }
    tarquel_1_0::Ruler& ruler = *m_timeline.getRuler();
    const std::uint64_t width = ruler.getEnd().GetValue() - ruler.getStart().GetValue();
    const std::uint64_t start = target.time > width / 2 ? target.time - width / 2 : 0;
    ruler.setVisibleRange(start, start + width, true);
    m_timeline.getGraphArea()->renderAllGraphs();
}

wxString DetailsPanel::rowName(GraphLayerParent* graph, int dataRow) const
{
    const int display = graph ? graph->getDisplayRow(dataRow) : -1;
    return display >= 0 ? graph->getRowName(display) : wxString::Format("row %d", dataRow);
}

void DetailsPanel::show(std::vector<Shown> shown)
{
    m_shown = std::move(shown);
    wxArrayString items;
    for (const Shown& line : m_shown)
        items.Add(line.text);
    m_list->Set(items);
}

void DetailsPanel::rangeChanged()
{
    const tarquel_1_0::Ruler& ruler = *m_timeline.getRuler();
    m_spanIsItem = false;
    if (!ruler.hasRulerSelection())
        return;
    const tarquel_1_0::Directory& directory = m_timeline.getDirectory();
    SliceLayer* layer = nullptr;
    for (GraphLayer* candidate : directory.getLayers())
        if (!layer)
            layer = dynamic_cast<SliceLayer*>(candidate);
    GraphLayerParent* graph = layer ? layer->m_parent : m_timeline.getGraph(0);
    velmora_1_0::OverTimeLayer* cpuLayer = cpuTimeLayerOf(directory, graph);
    SarvikProvider* provider = providerOf(graph);
    if (!layer && !cpuLayer)
        return;
    const std::uint64_t start = ruler.getSelectionStart().GetValue();
    const std::uint64_t end = ruler.getSelectionEnd().GetValue();
    tarquel_1_0::HeaderCtrl* header = m_timeline.getHeader(directory.paneIndexOf(graph));
    const std::vector<int> rows = header ? header->getSelectedRows(true) : std::vector<int>();
    show({{"Range " + tarquel_1_0::durationText(static_cast<double>(end - start)) + ": computing...", {}}});

    std::vector<std::shared_ptr<const velmora_1_0::SliceRow>> slices;
    if (layer)
        slices = layer->snapshot();
    std::shared_ptr<velmora_1_0::RangeCpuTimeReader> cpu;
    if (cpuLayer && provider && provider->getResult()) {
        cpu = std::make_shared<velmora_1_0::RangeCpuTimeReader>(
            *provider->getResult(), *dynamic_cast<const velmora_1_0::SarvikDataSource*>(cpuLayer->m_dataSource),
            provider->getRowByDS());
    }
    const int rowCount = graph ? graph->getRowCount() : 0;
    startJob<RangeSummary>(
        [slices = std::move(slices), cpu, rows, start, end, rowCount](const std::atomic<bool>& canceled) {
            RangeSummary summary;
            summary.slices = velmora_1_0::SliceRangeStats::compute(slices, rows, start, end, canceled);
            if (cpu && !canceled)
                summary.cpu = cpu->read(rowCount, rows, start, end, canceled);
            return summary;
        },
        [this, start, end, rows, graph](RangeSummary summary) { showRange(graph, start, end, rows, summary); });
}

void DetailsPanel::showRange(GraphLayerParent* graph, std::uint64_t start, std::uint64_t end, const std::vector<int>& rows,
                             const RangeSummary& summary)
{
    using tarquel_1_0::durationText;
    m_range = summary;
    std::vector<Shown> shown;
    const auto add = [&shown](const wxString& text) { shown.push_back({text, {}}); };
    add("Range " + durationText(static_cast<double>(end - start)) + ", from " +
        durationText(static_cast<double>(start)) + " to " + durationText(static_cast<double>(end)));
    const wxString which = rows.empty() ? wxString("all rows") : wxString::Format("the %d selected rows", static_cast<int>(rows.size()));
    add("Slices of " + which + ":");
    if (summary.slices.empty())
        add("    none");
    for (const auto& entry : summary.slices)
        add(wxString::Format("    %s: %d, total %s, self %s",
                             entry.name.empty() ? wxString("(unnamed)") : wxString(entry.name), entry.count,
                             durationText(static_cast<double>(entry.total)),
                             durationText(static_cast<double>(entry.self))));
    if (!summary.cpu.empty()) {
        add("CPU time of " + which + ":");
        for (const auto& time : summary.cpu) {
            const double share = 100.0 * static_cast<double>(time.nanoseconds) / static_cast<double>(end - start);
            add(wxString::Format("    %s: %s (%s)", rowName(graph, time.row),
                                 durationText(static_cast<double>(time.nanoseconds)),
                                 tarquel_1_0::percentText(share)));
        }
    }
    show(std::move(shown));
}

std::vector<wxString> DetailsPanel::lines() const
{
    std::vector<wxString> texts;
    for (unsigned int i = 0; i < m_list->GetCount(); ++i)
        texts.push_back(m_list->GetString(i));
    return texts;
}

void DetailsPanel::onLineChosen(wxCommandEvent& event)
{
    followLine(event.GetSelection());
}

void DetailsPanel::followLine(int index)
{
    if (index < 0 || index >= static_cast<int>(m_shown.size()) || !m_shown[static_cast<std::size_t>(index)].follow)
        return;
    // Following may replace the lines, and the action with them: run a copy.
    const std::function<void()> follow = m_shown[static_cast<std::size_t>(index)].follow;
    follow();
}

void DetailsPanel::clearSelection()
{
    m_job.reset();
    m_timeline.clearLayerSelection(nullptr);
    if (m_spanIsItem) {
        m_selectingSpan = true;
        m_timeline.getRuler()->setSelection(0, 0, true);
        m_selectingSpan = false;
        m_spanIsItem = false;
    }
    show({});
    m_timeline.getGraphArea()->renderAllGraphs();
}

} // namespace velmora_viewer
