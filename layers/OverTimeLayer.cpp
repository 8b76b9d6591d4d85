#include "layers/OverTimeLayer.h"
#include "layers/LegendEntry.h"

#include "layers/OverTimeRowPainter.h"
#include "layers/OverTimeRowShape.h"
#include "layers/OverTimeSampleScale.h"
#include "layers/SeriesRangeLabel.h"
#include "provider/SarvikDataSource.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Images.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <algorithm>

#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/window.h>

namespace velmora_1_0 {

using tarquel_1_0::getString;

OverTimeLayer::OverTimeLayer()
    : OverTimeLayer("Over-time Data", {&SarvikProvider::requestOverTimeData, &SarvikProvider::consumeOverTimeDataArray,
                                       &SarvikProvider::clearOverTimeRequests})
{
}

OverTimeLayer::OverTimeLayer(const wxString& layerName, const EntryPoints& entryPoints) : m_entryPoints(entryPoints)
{
    m_layerName = layerName;
    m_color = tarquel_1_0::getOvertimeColor();
}

OverTimeLayer::~OverTimeLayer() = default;

SarvikProvider* OverTimeLayer::provider() const
{
    return m_parent ? dynamic_cast<SarvikProvider*>(m_parent->m_dataProvider) : nullptr;
}

const SarvikProvider::OverTimeData& OverTimeLayer::getRowData(int dataRow)
{
    return m_rowData[dataRow];
}

void OverTimeLayer::clearLayerData(SarvikProvider* provider)
{
    (provider->*m_entryPoints.clear)(this);
    m_requests.clear();
}

void OverTimeLayer::requestLayerData(SarvikProvider* provider, int row, const wxULongLong& start,
                                     const wxULongLong& end, int pixelCount)
{
    m_requests[(provider->*m_entryPoints.request)(this, row, start, end, pixelCount)] = true;
}

void OverTimeLayer::consumeLayerData(SarvikProvider* provider)
{
    (provider->*m_entryPoints.consume)(this, m_pendingData);
}

void OverTimeLayer::requestData(bool onlyIfMissing)
{
    SarvikProvider* source = provider();
    const tarquel_1_0::Ruler* ruler = getRuler();
    if (!source || !ruler || !m_enabled)
        return;
    if (!onlyIfMissing)
        m_dataLoaded = false;
    else if (m_dataLoaded)
        return;

    clearLayerData(source);
    m_rowData.clear();
    m_loading = 0;
    m_loadProgress = 0;

    int first = -1;
    int last = -1;
    m_parent->getVisibleRowRange(first, last);
    if (first == -1 || last == -1)
        return;

    const wxULongLong start = ruler->getStart();
    const wxULongLong end = ruler->getEnd();
    const int pixelCount = ruler->xFromTime(end, false) - ruler->xFromTime(start, false) + 1;
    // One request covers every row of the area; the row argument is only carried along.
    requestLayerData(source, 0, start, end, pixelCount);
    m_loading = 1;
    reportProgress(false);
}

bool OverTimeLayer::checkData()
{
    SarvikProvider* source = provider();
    if (source)
        consumeLayerData(source);
    // Answers to requests cleared since (zoom, filter change) must not overwrite newer data.
    m_pendingData.erase(std::remove_if(m_pendingData.begin(), m_pendingData.end(),
                                       [this](const SarvikProvider::OverTimeData& data) {
                                           return m_requests.find(data.requestId) == m_requests.end();
                                       }),
                        m_pendingData.end());
    return !m_pendingData.empty();
}

void OverTimeLayer::updateData(wxMemoryDC& dc, bool render)
{
    for (const SarvikProvider::OverTimeData& data : m_pendingData) {
        const int row = data.row;
        SarvikProvider::OverTimeData& stored = m_rowData[row];
        stored = data;
        if (m_associatedLayer)
            stored.maxValue = m_associatedLayer->getRowData(row).maxValue;
        if (render && m_parent)
            renderRow(dc, m_parent->getDisplayRow(row));
        reportProgress(false);
    }
    m_dataLoaded = true;
    m_loading = 0;
    m_loadProgress = 0;
    reportProgress(false);
    m_pendingData.clear();
}

void OverTimeLayer::renderAll(wxMemoryDC& dc)
{
    if (!m_parent)
        return;
    // One shape and one painter serve every row: their buffers are allocated once a frame, not
    // once a row.
    OverTimeRowShape shape(m_slopeStencils, m_parent->m_renderer.getLineWidth());
    OverTimeRowPainter painter(m_parent->m_renderer, dc, m_color);
    forEachVisibleRow([&](int row) { renderRow(dc, row, shape, painter); });
}

void OverTimeLayer::renderRow(wxMemoryDC& dc, int row)
{
    if (!m_parent)
        return;
    OverTimeRowShape shape(m_slopeStencils, m_parent->m_renderer.getLineWidth());
    OverTimeRowPainter painter(m_parent->m_renderer, dc, m_color);
    renderRow(dc, row, shape, painter);
}

void OverTimeLayer::renderRow(wxMemoryDC& dc, int row, OverTimeRowShape& shape, OverTimeRowPainter& painter)
{
    const tarquel_1_0::Ruler* ruler = getRuler();
    if (!m_enabled || m_rowData.empty() || row == -1 || !m_parent || !ruler)
        return;
    const int dataRow = m_parent->getDataRow(row);

    SarvikProvider* source = provider();
    if (m_ownsRowBackground && source && source->hasRowBy()) {
        renderSegment(dc, row);
        if (m_rowsRun && m_showRunning)
            renderRunningBar(dc, row, dataRow);
    }
    if (!m_visible)
        return;

    const auto found = m_rowData.find(dataRow);
    if (found == m_rowData.end() || found->second.values.empty())
        return;
    wxULongLong spanStart;
    wxULongLong spanEnd;
    if (!m_parent->getRowDrawSpan(row, spanStart, spanEnd))
        return;
    const int startColumn = ruler->xFromTime(ruler->getStart(), false);
    const int endColumn = ruler->xFromTime(ruler->getEnd(), false);
    if (endColumn - startColumn + 1 != static_cast<int>(found->second.values.size())) {
        // Samples of an older zoom or width: blank until the new answer arrives.
        m_rowData.erase(found);
        return;
    }
    renderSeries(dc, row, found->second, ruler->xFromTime(spanStart, false), ruler->xFromTime(spanEnd, false),
                 startColumn, shape, painter);
}

void OverTimeLayer::renderRunningBar(wxMemoryDC& dc, int row, int dataRow)
{
    wxULongLong born;
    wxULongLong died;
    m_parent->getRowLifetime(dataRow, born, died);
    const tarquel_1_0::Ruler* ruler = getRuler();
    const int x0 = std::max(ruler->xFromTime(born, true), -1);
    const int x1 = std::min(ruler->xFromTime(died, true), m_width + 1);
    const wxRect r = m_parent->getRowRect(row, false);
    tarquel_1_0::Renderer& renderer = m_parent->m_renderer;
    renderer.setColour(dc, m_parent->m_dataProvider->getSMBRunningColor());
    renderer.fillBox(dc, x0, r.y + 1, x1, r.y + r.height - 2);
}

void OverTimeLayer::renderSeries(wxMemoryDC& dc, int row, const SarvikProvider::OverTimeData& data,
                                 int firstColumn, int lastColumn, int startColumn, OverTimeRowShape& shape,
                                 OverTimeRowPainter& painter)
{
    const wxRect r = m_parent->getRowRect(row, false);
    const int bottom = r.y + r.height - 1;

    const auto* limits = dynamic_cast<const SarvikDataSource*>(m_dataSource);
    const double scale = limits && limits->upperLimit > 0 ? limits->upperLimit : data.maxValue;
    const OverTimeSampleScale heights(scale, r.height - 3);

    // The row is collected first and painted in one call: a call per column is what made
    // scrolling through many rows slow.
    shape.clear();
    // Columns of the draw span that the samples do not cover are left blank.
    const int first = std::max(firstColumn, startColumn);
    const int last = std::min(lastColumn, startColumn + static_cast<int>(data.values.size()) - 1);
    int previousY = -1;
    for (int x = first; x <= last; ++x) {
        const int h = heights.height(data.values[x - startColumn]);
        if (h == 0)
            continue; // a zero sample leaves a gap; the next line joins the last drawn height
        const int y = bottom - h;
        if (m_displayFormat != 1) {
            shape.addLine(x, y, x, bottom);
            continue;
        }
        if (previousY != -1)
            shape.addLine(x - 1, previousY, x, y);
        // The sample's own pixel, whether or not the line's end point is painted.
        shape.addPoint(x, y);
        previousY = y;
    }
    painter.paint(shape);
    if (data.ownSeries)
        SeriesRangeLabel(valueText(data, data.minValue), valueText(data, data.maxValue))
            .paint(dc, r);
}

void OverTimeLayer::renderFilterOutline(wxMemoryDC& dc)
{
    SarvikProvider* source = provider();
    if (source && source->hasRowBy())
        forEachVisibleRow([this, &dc](int row) { renderSegment(dc, row); });
}

bool OverTimeLayer::hittest(int x, int y)
{
    const int oldRow = m_hitRow;
    m_hitRow = -1;
    const tarquel_1_0::Ruler* ruler = getRuler();
    if (!m_parent || !ruler)
        return oldRow != m_hitRow;
    const int dataRow = m_parent->getDataRowAt(x, y, false);
    const auto found = dataRow == -1 ? m_rowData.end() : m_rowData.find(dataRow);
    if (found == m_rowData.end())
        return oldRow != m_hitRow;
    const wxRect graph = m_parent->getRowGraphRect(m_parent->getDisplayRow(dataRow));
    const int index = x - ruler->xFromTime(ruler->getStart(), false);
    if (x < graph.x || x >= graph.x + graph.width || index < 0 ||
        index >= static_cast<int>(found->second.values.size()))
        return oldRow != m_hitRow;
    const int oldIndex = m_hitIndex;
    m_hitIndex = index;
    m_hitRow = dataRow;
    return dataRow != oldRow || index != oldIndex;
}

void OverTimeLayer::clear()
{
    GraphLayer::clear();
    m_rowData.clear();
    m_hitRow = -1;
    m_hitIndex = 0;
    m_pendingData.clear();
    m_dataLoaded = false;
}

int OverTimeLayer::getTooltipCount()
{
    return m_hitRow != -1 ? 1 : 0;
}

void OverTimeLayer::getTooltip(int maxCount, std::vector<wxString>& lines)
{
    if (m_hitRow == -1 || maxCount < 1)
        return;
    const auto found = m_rowData.find(m_hitRow);
    if (found == m_rowData.end() || m_hitIndex >= static_cast<int>(found->second.values.size()))
        return;
    const SarvikProvider::OverTimeData& data = found->second;
    wxString line = m_layerName + "\n";
    // A row of its own series is named in the tooltip, as a reader may not see the row header.
    if (data.ownSeries && m_parent)
        line += m_parent->getRowName(m_parent->getDisplayRow(m_hitRow)) + ": ";
    lines.push_back(line + valueText(data, data.values[m_hitIndex]));
}

wxString OverTimeLayer::valueText(const SarvikProvider::OverTimeData& data, double value)
{
    return data.isPercent ? tarquel_1_0::percentText(value) : tarquel_1_0::quantityText(value, data.unit);
}

wxImage OverTimeLayer::legendIcon() const
{
    const wxImage icon = tarquel_1_0::loadImage(m_displayFormat == 1 ? "dataovertime_line.bmp" : "dataovertime.bmp",
                                                false);
    return tarquel_1_0::createFilledImage(icon, wxColour(255, 255, 255, 255), m_color);
}

void OverTimeLayer::customizeLegend(std::vector<int>& ids)
{
    if (!m_timeline)
        return;
    SarvikProvider* source = provider();
    if (m_rowsRun && m_ownsRowBackground && source && source->hasRowBy())
        addRunningLegendItem(ids);
    m_legendItem = LegendEntry::addCheckbox(*this, legendIcon(), ids);
}

void OverTimeLayer::populateLegendPopup(wxMenu& menu, int id)
{
    wxMenuItem* item = new wxMenuItem(&menu, id, getString("%Set_graph_color_menu"), wxString(), wxITEM_NORMAL);
    item->SetBitmap(getMenuColorBitmap(m_color));
    menu.Append(item); // the menu owns its items
}

void OverTimeLayer::handleLegendPopupMenu(int index)
{
    if (index == 0)
        LegendEntry::pickColor(*this, m_color, getString("%Select_graph_color"), getString("%Graph_color"),
                               [this] { return legendIcon(); });
}

void OverTimeLayer::handleCustomLegendCommand(tarquel_1_0::LegendItem* item)
{
    if (item == nullptr)
        return;
    if (item == m_legendItem)
        m_visible = !m_visible;
    else if (item == m_runningLegendItem)
        m_showRunning = !m_showRunning;
}

void OverTimeLayer::filterChanged()
{
    wxWindow* window = m_parent ? m_parent->getWindow() : nullptr;
    if (window && window->IsShown())
        requestData(false);
    else
        m_dataLoaded = false;
}

void OverTimeLayer::layerAdded()
{
    m_ownsRowBackground = m_parent && m_parent->claimRowBackgroundPainting(this);
}

void OverTimeLayer::removeRowData(int)
{
    m_dataLoaded = false;
}

} // namespace velmora_1_0
