#include "ChartTestDoubles.h"

#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <algorithm>

#include <wx/dcmemory.h>
#include <wx/menu.h>

using namespace tarquel_1_0;

namespace chart_test {

TestProvider::TestProvider(int rows, std::uint64_t duration, const wxString& prefix) : m_prefix(prefix)
{
    m_rowCount = static_cast<short>(rows);
    m_duration = duration;
    Create();
    Run();
}

void TestProvider::openGate()
{
    if (m_gateClosed.exchange(false))
        m_gate.Post();
}

void TestProvider::setFilteredRows(std::vector<int> rows)
{
    wxCriticalSectionLocker lock(m_resultsLock);
    m_filteredRows = std::move(rows);
}

int TestProvider::consumeLines(GraphLayer* layer, std::vector<unsigned int>& requestIds)
{
    wxCriticalSectionLocker lock(m_resultsLock);
    for (auto it = m_answers.begin(); it != m_answers.end();) {
        if (it->first == layer) {
            requestIds.push_back(it->second);
            it = m_answers.erase(it);
        } else {
            ++it;
        }
    }
    return static_cast<int>(requestIds.size());
}

int TestProvider::getSummaryInfo(std::vector<SummaryInfo>& out)
{
    for (short row = 0; row < m_rowCount; ++row)
        out.push_back({row, wxString::Format("%s %d", m_prefix, row), 0, m_duration});
    return static_cast<int>(out.size());
}

bool TestProvider::handleCustomRequest()
{
    if (m_currentRequest.type != LINE_REQUEST)
        return false;
    ++m_lineRequests;
    if (m_gateClosed) {
        generateProgressNotification(m_currentRequest.layer, 50);
        m_gate.Wait();
    }
    if (isCanceled())
        return true;
    wxCriticalSectionLocker lock(m_resultsLock);
    m_answers.emplace_back(m_currentRequest.layer, m_currentRequest.requestId);
    generateDataReadyNotification(m_currentRequest.layer);
    return true;
}

bool TestProvider::getVisibleRows(std::vector<int>& rows)
{
    wxCriticalSectionLocker lock(m_resultsLock);
    if (m_filteredRows.empty())
        return false;
    rows = m_filteredRows;
    return true;
}

LineLayer::LineLayer(const wxString& name, const wxColour& colour)
{
    m_layerName = name;
    m_color = colour;
}

void LineLayer::requestData(bool onlyIfMissing)
{
    auto* provider = dynamic_cast<TestProvider*>(m_parent->m_dataProvider);
    if (!provider || (onlyIfMissing && (m_dataLoaded || m_loading > 0)))
        return;
    m_requests.clear();
    m_requests[provider->queueRequest(this, TestProvider::LINE_REQUEST, DataRequest())] = true;
    ++m_requestsMade;
    m_loading = 1;
    m_loadProgress = 0;
    reportProgress(false);
}

bool LineLayer::checkData()
{
    ++m_checks;
    if (auto* provider = dynamic_cast<TestProvider*>(m_parent->m_dataProvider))
        provider->consumeLines(this, m_pending);
    m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(),
                                   [this](unsigned int id) { return m_requests.count(id) == 0; }),
                    m_pending.end());
    return !m_pending.empty();
}

void LineLayer::updateData(wxMemoryDC& dc, bool render)
{
    if (m_ticksWanted > 0) {
        ++m_ticks;
        if (--m_ticksWanted == 0)
            m_parent->requestUpdateTimer(this, false);
        return;
    }
    m_pending.clear();
    m_dataLoaded = true;
    m_loading = 0;
    m_loadProgress = 0;
    reportProgress(false);
    if (render)
        renderAll(dc);
}

wxRect LineLayer::lineRect(int displayRow) const
{
    const Ruler& ruler = *m_timeline->getRuler();
    const std::uint64_t duration = ruler.getDuration().GetValue();
    const wxRect row = m_parent->getRowRect(displayRow, false);
    const int x1 = ruler.xFromTime(duration / 4, true);
    const int x2 = ruler.xFromTime(duration / 4 * 3, true);
    return wxRect(x1, row.y + row.height / 2 - 1, x2 - x1 + 1, 3);
}

void LineLayer::renderAll(wxMemoryDC& dc)
{
    int first = -1;
    int last = -1;
    m_parent->getVisibleRowRange(first, last);
    if (!m_dataLoaded || !m_visible || first < 0)
        return;
    Renderer& renderer = m_parent->m_renderer;
    renderer.setColour(dc, m_color);
    for (int row = first; row <= last; ++row) {
        const wxRect line = lineRect(row);
        renderer.fillBox(dc, line.GetLeft(), line.GetTop(), line.GetRight(), line.GetBottom());
    }
}

bool LineLayer::hittest(int x, int y)
{
    const int before = m_hitRow;
    m_hitRow = -1;
    const int dataRow = m_dataLoaded && m_visible ? m_parent->getDataRowAt(x, y, false) : -1;
    if (dataRow >= 0) {
        const int display = m_parent->getDisplayRow(dataRow);
        if (lineRect(display).Inflate(0, 3).Contains(x, y))
            m_hitRow = display;
    }
    return before != m_hitRow;
}

bool LineLayer::setSelection()
{
    m_selectedRow = m_hitRow;
    return m_selectedRow >= 0;
}

void LineLayer::clear()
{
    GraphLayer::clear();
    m_dataLoaded = false;
    m_pending.clear();
}

void LineLayer::getTooltip(int maxCount, std::vector<wxString>& lines)
{
    if (m_hitRow >= 0 && maxCount > 0)
        lines.push_back(m_layerName + "\n" + m_parent->getRowName(m_hitRow));
}

void LineLayer::customizeLegend(std::vector<int>& ids)
{
    Legend& legend = *m_timeline->getLegend();
    const int id = legend.nextItemId();
    ids.push_back(id);
    wxImage icon(16, 16);
    icon.SetRGB(wxRect(0, 0, 16, 16), m_color.Red(), m_color.Green(), m_color.Blue());
    m_legendItem = legend.addCheckbox(id, m_layerName, icon, m_layerName, m_visible, false, 4);
}

void LineLayer::populateLegendPopup(wxMenu& menu, int id)
{
    menu.Append(id, "First");
    menu.Append(id + 1, "Second");
}

void RecordingCallback::itemSelected(GraphLayer* layer)
{
    m_calls.push_back("itemSelected " + layer->getLayerName().ToStdString());
}

void RecordingCallback::itemActivated(GraphLayer* layer)
{
    m_calls.push_back("itemActivated " + layer->getLayerName().ToStdString());
}

void RecordingCallback::rulerMenuCommand(Timeline*, int id)
{
    m_calls.push_back("rulerMenuCommand " + std::to_string(id));
}

void RecordingCallback::rowVisibilityChanged(Timeline* timeline, GraphLayerParent* graph)
{
    m_calls.push_back("rowVisibilityChanged");
    EventCallback::rowVisibilityChanged(timeline, graph);
}

void RecordingCallback::layerColorChanged(GraphLayer*, const wxString& what, const wxColour&)
{
    m_calls.push_back("layerColorChanged " + what.ToStdString());
}

void RecordingCallback::rowsSelected(GraphLayerParent*, const std::vector<int>& rows)
{
    std::string text = "rowsSelected ";
    for (std::size_t i = 0; i < rows.size(); ++i)
        text += (i ? "," : "") + std::to_string(rows[i]);
    m_calls.push_back(text);
}

void RecordingCallback::headerMenuCommand(HeaderCtrl*, int id)
{
    m_calls.push_back("headerMenuCommand " + std::to_string(id));
}

} // namespace chart_test
