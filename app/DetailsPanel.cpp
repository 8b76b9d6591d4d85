#include "DetailsPanel.h"

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/listbox.h>
#include <wx/sizer.h>

namespace velmora_viewer {

using velmora_1_0::SliceLayer;

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
}

void DetailsPanel::watchLayers()
{
    if (!m_listening) {
        m_listening = true;
        m_timeline.getRuler()->addListener([this, alive = m_alive](tarquel_1_0::Ruler::Change change) {
            if (*alive && change == tarquel_1_0::Ruler::Change::Selection)
                rangeChanged();
        });
    }
    for (tarquel_1_0::GraphLayer* layer : m_timeline.getDirectory().getLayers()) {
        auto* slices = dynamic_cast<SliceLayer*>(layer);
        if (!slices)
            continue;
        // The listener runs on the UI thread, from a click or from select().
        slices->setSelectionListener([this, slices](const SliceLayer::Item& item) { show(slices, item); });
    }
}

void DetailsPanel::show(SliceLayer* layer, const SliceLayer::Item& item)
{
    m_layer = item.valid() ? layer : nullptr;
    m_lines.clear();
    if (m_layer) {
        const velmora_1_0::SliceRow* row = m_layer->getRow(item.row);
        tarquel_1_0::GraphLayerParent* graph = m_layer->m_parent;
        const wxString rowName = graph ? graph->getRowName(graph->getDisplayRow(item.row)) : wxString();
        if (row)
            m_lines = velmora_1_0::SliceDetails::describe(item, *row, rowName);
    }
    std::vector<wxString> texts;
    for (const auto& line : m_lines)
        texts.push_back(line.text);
    showLines(texts);
}

void DetailsPanel::showLines(const std::vector<wxString>& texts)
{
    wxArrayString items;
    for (const wxString& text : texts)
        items.Add(text);
    m_list->Set(items);
}

void DetailsPanel::rangeChanged()
{
    const tarquel_1_0::Ruler& ruler = *m_timeline.getRuler();
    m_statsJob.reset();
    m_statsDone = true;
    if (!ruler.hasRulerSelection())
        return;
    SliceLayer* layer = nullptr;
    for (tarquel_1_0::GraphLayer* candidate : m_timeline.getDirectory().getLayers())
        if (!layer)
            layer = dynamic_cast<SliceLayer*>(candidate);
    if (!layer)
        return;
    const std::uint64_t start = ruler.getSelectionStart().GetValue();
    const std::uint64_t end = ruler.getSelectionEnd().GetValue();
    tarquel_1_0::HeaderCtrl* header = m_timeline.getHeader(m_timeline.getDirectory().paneIndexOf(layer->m_parent));
    const std::vector<int> rows = header ? header->getSelectedRows(true) : std::vector<int>();
    m_layer = nullptr;
    m_lines.clear();
    m_statsDone = false;
    showLines({"Range " + tarquel_1_0::durationText(static_cast<double>(end - start)) + ": computing..."});
    using Entries = std::vector<velmora_1_0::SliceRangeStats::Entry>;
    m_statsJob = std::make_unique<BackgroundJob<Entries>>(
        *this,
        [slices = layer->snapshot(), rows, start, end](const std::atomic<bool>& canceled) {
            return velmora_1_0::SliceRangeStats::compute(slices, rows, start, end, canceled);
        },
        [this, start, end, count = static_cast<int>(rows.size())](Entries entries) {
            m_statsDone = true;
            showStats(start, end, count, entries);
        });
}

void DetailsPanel::showStats(std::uint64_t start, std::uint64_t end, int rows,
                             const std::vector<velmora_1_0::SliceRangeStats::Entry>& entries)
{
    using tarquel_1_0::durationText;
    std::vector<wxString> texts;
    texts.push_back("Range " + durationText(static_cast<double>(end - start)) + ", from " +
                    durationText(static_cast<double>(start)) + " to " + durationText(static_cast<double>(end)));
    texts.push_back(rows > 0 ? wxString::Format("Slices of the %d selected rows:", rows)
                             : wxString("Slices of all rows:"));
    if (entries.empty())
        texts.push_back("    none");
    for (const auto& entry : entries)
        texts.push_back(wxString::Format("    %s: %d, total %s, self %s",
                                         entry.name.empty() ? wxString("(unnamed)") : wxString(entry.name),
                                         entry.count, durationText(static_cast<double>(entry.total)),
                                         durationText(static_cast<double>(entry.self))));
    showLines(texts);
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
    if (!m_layer || index < 0 || index >= static_cast<int>(m_lines.size()) || !m_lines[index].target.valid())
        return;
    SliceLayer* layer = m_layer;
    // select() reports back through the listener, which replaces the lines.
    layer->select(m_lines[index].target);
    m_timeline.getGraphArea()->renderAllGraphs();
}

void DetailsPanel::clearSelection()
{
    for (tarquel_1_0::GraphLayer* layer : m_timeline.getDirectory().getLayers())
        if (auto* slices = dynamic_cast<SliceLayer*>(layer))
            if (slices->hasSelection())
                slices->select({});
    show(nullptr, {});
    m_timeline.getGraphArea()->renderAllGraphs();
}

} // namespace velmora_viewer
