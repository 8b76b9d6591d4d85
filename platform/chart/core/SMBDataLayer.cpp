#include <tarquel_1_0/SMBDataLayer.h>

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/ColumnCursor.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/LegendCheckBox.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <VORN_2_9/varg_list.h>

#include <algorithm>
#include <memory>

#include <wx/dcmemory.h>
#include <wx/menu.h>

namespace tarquel_1_0 {

namespace {

enum ColumnState : unsigned char { kEmpty = 0, kRunning = 1, kWaiting = 2, kMixed = kRunning | kWaiting };

// Half running, half waiting: the layer's legend icon.
wxImage stateIcon(const DataProvider& provider)
{
    wxImage icon(16, 12);
    const wxColour running = provider.getSMBRunningColor();
    const wxColour waiting = provider.getSMBWaitingColor();
    for (int y = 0; y < icon.GetHeight(); ++y)
        for (int x = 0; x < icon.GetWidth(); ++x) {
            const wxColour& c = x < icon.GetWidth() / 2 ? running : waiting;
            icon.SetRGB(x, y, c.Red(), c.Green(), c.Blue());
        }
    return icon;
}

} // namespace

SMBDataLayer::SMBDataLayer()
{
    m_layerName = getString("%Running_wait_state");
}

void SMBDataLayer::requestData(bool)
{
    // States cover the whole time range, so zooming or filtering never needs them again; only
    // clear() (the data changed) makes the layer fetch anew.
    DataProvider* provider = m_parent ? m_parent->m_dataProvider : nullptr;
    if (!provider || !m_enabled || m_dataLoaded || m_loading != 0)
        return;
    provider->clearRequestType(this, DataProvider::REQUEST_SMB_DATA);
    m_requests.clear();
    m_rowData.clear();
    const int rows = m_parent->getRowCount();
    for (int row = 0; row < rows; ++row)
        m_requests[provider->requestSMBData(this, row)] = true;
    m_loading = rows;
    m_loadProgress = 0;
    reportProgress(false);
}

bool SMBDataLayer::checkData()
{
    DataProvider* provider = m_parent ? m_parent->m_dataProvider : nullptr;
    if (!provider)
        return false;
    provider->consumeSMBData(this, m_pendingData);
    m_pendingData.erase(std::remove_if(m_pendingData.begin(), m_pendingData.end(),
                                       [this](const DataProvider::SMBRowData& data) {
                                           return m_requests.count(data.requestId) == 0;
                                       }),
                        m_pendingData.end());
    return !m_pendingData.empty();
}

void SMBDataLayer::updateData(wxMemoryDC& dc, bool render)
{
    const Ruler* ruler = getRuler();
    std::unique_ptr<ColumnEdges> edges;
    if (render && m_visible && ruler && !m_pendingData.empty())
        edges = std::make_unique<ColumnEdges>(*ruler);
    for (DataProvider::SMBRowData& data : m_pendingData) {
        m_requests.erase(data.requestId);
        m_rowData[data.row] = std::move(data.intervals);
        ++m_loadProgress;
        if (edges)
            renderRow(dc, m_parent->getDisplayRow(data.row), *edges);
    }
    m_pendingData.clear();
    if (m_loadProgress >= m_loading) {
        m_dataLoaded = true;
        m_loading = 0;
        m_loadProgress = 0;
    }
    reportProgress(false);
}

void SMBDataLayer::renderAll(wxMemoryDC& dc)
{
    const Ruler* ruler = getRuler();
    if (!m_visible || !m_parent || !ruler)
        return;
    // Every run of every row through one painter: no set-up per box.
    Renderer::Batch batch(m_parent->m_renderer, dc);
    const ColumnEdges edges(*ruler);
    forEachVisibleRow([&](int row) { renderRow(dc, row, edges); });
}

void SMBDataLayer::renderRow(wxMemoryDC& dc, int displayRow, const ColumnEdges& edges)
{
    if (displayRow < 0 || m_width <= 0 || !m_parent->m_dataProvider)
        return;
    const auto data = m_rowData.find(m_parent->getDataRow(displayRow));
    if (data == m_rowData.end() || data->second.empty())
        return;
    // One state per pixel column, so that any number of intervals costs the row's pixels.
    std::vector<unsigned char> columns(m_width, kEmpty);
    // Intervals come in time order: their columns follow a cursor each.
    ColumnCursor starts(edges);
    ColumnCursor ends(edges);
    for (const DataProvider::SMBInterval& interval : data->second) {
        const int x0 = std::max(starts.column(interval.start), 0);
        const int x1 = std::min(ends.column(interval.end), m_width - 1);
        const unsigned char state = interval.value != 0 ? kRunning : kWaiting;
        for (int x = x0; x <= x1; ++x)
            columns[x] |= state;
    }
    const DataProvider& provider = *m_parent->m_dataProvider;
    const std::uint32_t colours[] = {0, Renderer::lineColour(provider.getSMBRunningColor()),
                                     Renderer::lineColour(provider.getSMBWaitingColor()),
                                     Renderer::lineColour(provider.getSMBMixedColor())};
    std::vector<std::uint32_t> line(columns.size());
    std::transform(columns.begin(), columns.end(), line.begin(), [&](unsigned char state) { return colours[state]; });
    const wxRect row = m_parent->getRowRect(displayRow, false);
    m_parent->m_renderer.fillLines(dc, 0, row.y + 2, row.y + row.height - 3, line.data(), m_width);
}

bool SMBDataLayer::hittest(int x, int y)
{
    const int oldRow = m_hitRow;
    const int oldInterval = m_hitInterval;
    m_hitRow = -1;
    m_hitInterval = -1;
    const Ruler* ruler = getRuler();
    const int dataRow = m_visible && m_parent && ruler ? m_parent->getDataRowAt(x, y, false) : -1;
    const auto data = m_rowData.find(dataRow);
    if (data != m_rowData.end()) {
        // Everything that touches the column under the pointer counts; running states win.
        const std::uint64_t from = ruler->timeFromX(x).GetValue();
        const std::uint64_t to = std::max<std::uint64_t>(from, ruler->timeFromX(x + 1).GetValue() - 1);
        for (size_t i = 0; i < data->second.size(); ++i) {
            const DataProvider::SMBInterval& interval = data->second[i];
            if (interval.start > to || interval.end < from)
                continue;
            if (m_hitInterval == -1 || (interval.value != 0 && data->second[m_hitInterval].value == 0)) {
                m_hitRow = dataRow;
                m_hitInterval = static_cast<int>(i);
            }
        }
    }
    return m_hitRow != oldRow || m_hitInterval != oldInterval;
}

void SMBDataLayer::clearHittest()
{
    m_hitRow = -1;
    m_hitInterval = -1;
}

const DataProvider::SMBInterval* SMBDataLayer::getHitInterval() const
{
    const auto data = m_rowData.find(m_hitRow);
    if (data == m_rowData.end() || m_hitInterval < 0 || m_hitInterval >= static_cast<int>(data->second.size()))
        return nullptr;
    return &data->second[m_hitInterval];
}

void SMBDataLayer::clear()
{
    GraphLayer::clear();
    m_rowData.clear();
    m_pendingData.clear();
    m_dataLoaded = false;
    clearHittest();
}

int SMBDataLayer::getTooltipCount()
{
    return getHitInterval() ? 1 : 0;
}

void SMBDataLayer::getTooltip(int maxCount, std::vector<wxString>& lines)
{
    const DataProvider::SMBInterval* interval = getHitInterval();
    if (!interval || maxCount < 1)
        return;
    const wxString state = getString(interval->value != 0 ? "%State_running" : "%State_waiting");
    const wxString times = getString("%Duration_tooltip_times",
                                     VORN_2_9::generic::varg_list()
                                         .add(durationText(static_cast<double>(interval->start)).ToStdWstring())
                                         .add(durationText(static_cast<double>(interval->end - interval->start)).ToStdWstring()));
    wxString text = m_layerName;
    const int displayRow = m_parent->getDisplayRow(m_hitRow);
    if (displayRow >= 0)
        text << "\n" << (m_rowByName.empty() ? wxString() : m_rowByName + ": ") << m_parent->getRowName(displayRow);
    text << "\n" << state << "\n" << times;
    if (m_useTooltipSource && m_tooltipSource && m_parent->m_dataProvider)
        text << m_parent->m_dataProvider->getTooltip(m_tooltipSource, interval->instanceIndex);
    lines.push_back(text);
}

void SMBDataLayer::customizeLegend(std::vector<int>& ids)
{
    if (!m_timeline || !m_parent || !m_parent->m_dataProvider)
        return;
    Legend* legend = m_timeline->getLegend();
    const int id = legend->nextItemId();
    ids.push_back(id);
    m_legendItem = legend->addCheckbox(id, m_layerName, stateIcon(*m_parent->m_dataProvider), m_layerName, m_visible,
                                       false, 4);
}

void SMBDataLayer::filterChanged()
{
    // The states do not depend on the filter: what is loaded stays.
}

void SMBDataLayer::populateLegendPopup(wxMenu& menu, int id)
{
    if (!m_parent || !m_parent->m_dataProvider)
        return;
    const DataProvider& provider = *m_parent->m_dataProvider;
    wxMenuItem* running = new wxMenuItem(&menu, id, getString("%Set_running_color_menu"));
    running->SetBitmap(getMenuColorBitmap(provider.getSMBRunningColor()));
    menu.Append(running); // the menu owns its items
    wxMenuItem* waiting = new wxMenuItem(&menu, id + 1, getString("%Set_waiting_color_menu"));
    waiting->SetBitmap(getMenuColorBitmap(provider.getSMBWaitingColor()));
    menu.Append(waiting);
}

void SMBDataLayer::handleLegendPopupMenu(int index)
{
    if ((index != 0 && index != 1) || !m_parent || !m_parent->m_dataProvider)
        return;
    DataProvider& provider = *m_parent->m_dataProvider;
    const bool running = index == 0;
    wxColour chosen;
    if (!getColorFromUser(m_parent->getWindow(), getString(running ? "%Select_running_color" : "%Select_waiting_color"),
                          running ? provider.getSMBRunningColor() : provider.getSMBWaitingColor(), chosen))
        return;
    if (running)
        provider.setSMBRunningColor(chosen);
    else
        provider.setSMBWaitingColor(chosen);
    if (auto* box = dynamic_cast<LegendCheckBox*>(m_legendItem))
        box->setImage(stateIcon(provider));
    if (m_timeline) {
        m_timeline->getGraphArea()->renderAllGraphs();
        m_timeline->getLegend()->repaint();
    }
    m_parent->layerColorChanged(this, chosen, getString(running ? "%Running_color" : "%Waiting_color"));
}

} // namespace tarquel_1_0
