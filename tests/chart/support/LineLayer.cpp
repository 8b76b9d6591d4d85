#include "LineLayer.h"

#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>

#include <algorithm>

#include <wx/dcmemory.h>

namespace chart_test {

TestProvider* LineLayer::provider() const
{
    return m_parent ? dynamic_cast<TestProvider*>(m_parent->m_dataProvider) : nullptr;
}

void LineLayer::requestData(bool onlyIfMissing)
{
    TestProvider* source = provider();
    const tarquel_1_0::Ruler* ruler = getRuler();
    if (!source || !m_enabled || !ruler || (onlyIfMissing && m_loaded))
        return;
    source->clearValueRequests(this);
    m_requests.clear();
    m_rows.clear();
    const int columns = ruler->xFromTime(ruler->getEnd(), false) - ruler->xFromTime(ruler->getStart(), false) + 1;
    m_requests[source->requestValues(this, columns)] = true;
    m_loaded = false;
    m_loading = 1;
    reportProgress(false);
}

bool LineLayer::checkData()
{
    TestProvider* source = provider();
    if (!source)
        return false;
    source->consumeValues(this, m_pending);
    m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(),
                                   [this](const TestProvider::Record& r) { return m_requests.count(r.requestId) == 0; }),
                    m_pending.end());
    return !m_pending.empty();
}

void LineLayer::updateData(wxMemoryDC& dc, bool render)
{
    for (TestProvider::Record& record : m_pending) {
        m_rows[record.row] = std::move(record.values);
        if (render)
            renderRow(dc, m_parent->getDisplayRow(record.row));
    }
    m_pending.clear();
    m_loaded = true;
    m_loading = 0;
    ++m_updates;
    reportProgress(false);
}

void LineLayer::renderAll(wxMemoryDC& dc)
{
    forEachVisibleRow([&](int row) { renderRow(dc, row); });
}

void LineLayer::renderRow(wxMemoryDC& dc, int displayRow)
{
    const auto data = m_rows.find(m_parent->getDataRow(displayRow));
    if (!m_visible || displayRow < 0 || data == m_rows.end() || data->second.empty())
        return;
    const wxRect row = m_parent->getRowRect(displayRow, false);
    const int y = row.y + row.height / 2;
    m_parent->m_renderer.setColour(dc, m_color);
    m_parent->m_renderer.drawLine(dc, 0, y, static_cast<int>(data->second.size()) - 1, y);
}

void LineLayer::clear()
{
    GraphLayer::clear();
    m_rows.clear();
    m_pending.clear();
    m_loaded = false;
}

} // namespace chart_test
