#include <tarquel_1_0/GraphLayer.h>

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/DataProvider.h>
#include <tarquel_1_0/DataSource.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <algorithm>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace tarquel_1_0 {

namespace {

DataSource* cloneOf(const DataSource* source)
{
    return source ? source->clone().release() : nullptr; // the layer owns the copy
}

} // namespace

GraphLayer::GraphLayer() : m_color(getOvertimeColor())
{
}

GraphLayer::GraphLayer(const GraphLayer& other)
    : m_timeline(other.m_timeline),
      m_parent(other.m_parent),
      m_width(other.m_width),
      m_height(other.m_height),
      m_visible(other.m_visible),
      m_loading(other.m_loading),
      m_loadProgress(other.m_loadProgress),
      m_layerName(other.m_layerName),
      m_displayFormat(other.m_displayFormat),
      m_color(other.m_color),
      m_requests(other.m_requests),
      m_dataSource(cloneOf(other.m_dataSource)),
      m_enabled(other.m_enabled),
      m_tooltipSource(cloneOf(other.m_tooltipSource)),
      m_useTooltipSource(other.m_useTooltipSource),
      m_showRunning(other.m_showRunning)
{
}

GraphLayer& GraphLayer::operator=(const GraphLayer& other)
{
    if (this != &other) {
        setDataSource(cloneOf(other.m_dataSource));
        setTooltipSource(cloneOf(other.m_tooltipSource));
        m_timeline = other.m_timeline;
        m_parent = other.m_parent;
        m_width = other.m_width;
        m_height = other.m_height;
        m_visible = other.m_visible;
        m_loading = other.m_loading;
        m_loadProgress = other.m_loadProgress;
        m_layerName = other.m_layerName;
        m_displayFormat = other.m_displayFormat;
        m_color = other.m_color;
        m_requests = other.m_requests;
        m_enabled = other.m_enabled;
        m_useTooltipSource = other.m_useTooltipSource;
        m_showRunning = other.m_showRunning;
    }
    return *this;
}

GraphLayer::~GraphLayer()
{
    delete m_dataSource;
    delete m_tooltipSource;
}

void GraphLayer::setLayerName(const wxString& name)
{
    m_layerName = name;
}

void GraphLayer::requestData(bool)
{
}

void GraphLayer::updateData(wxMemoryDC&, bool)
{
}

bool GraphLayer::checkData()
{
    return false;
}

void GraphLayer::renderPartially(wxMemoryDC& dc)
{
    renderAll(dc);
}

void GraphLayer::renderHittest(wxMemoryDC&)
{
}

void GraphLayer::renderFilterOutline(wxMemoryDC&)
{
}

bool GraphLayer::canRenderPartially()
{
    return false;
}

void GraphLayer::setParentSize(const wxSize& size)
{
    m_width = size.GetWidth();
    m_height = size.GetHeight();
}

bool GraphLayer::hittest(int, int)
{
    return false;
}

void GraphLayer::clearHittest()
{
}

bool GraphLayer::canSelect()
{
    return false;
}

bool GraphLayer::setSelection()
{
    return false;
}

void GraphLayer::clearSelection()
{
}

bool GraphLayer::hasSelection()
{
    return false;
}

void GraphLayer::doubleClicked()
{
}

void GraphLayer::clear()
{
    m_requests.clear();
    m_loading = 0;
    m_loadProgress = 0;
}

int GraphLayer::getTooltipCount()
{
    return 0;
}

void GraphLayer::getTooltip(int, std::vector<wxString>&)
{
}

wxString GraphLayer::getTooltip()
{
    std::vector<wxString> lines;
    getTooltip(getTooltipCount(), lines);
    wxString text;
    for (const wxString& line : lines)
        text << (text.empty() ? "" : "\n\n") << line;
    return text;
}

void GraphLayer::customizeLegend(std::vector<int>& ids)
{
    if (!m_timeline)
        return;
    Legend* legend = m_timeline->getLegend();
    const int id = legend->nextItemId();
    ids.push_back(id);
    m_legendItem = legend->addCheckbox(id, m_layerName, wxImage(), m_layerName, m_visible, false, 4);
}

wxString GraphLayer::getProgressText()
{
    return getString("%Loading_layer");
}

void GraphLayer::setDataSource(DataSource* source)
{
    if (source != m_dataSource)
        delete m_dataSource;
    m_dataSource = source;
}

void GraphLayer::filterChanged()
{
    requestData(false);
}

void GraphLayer::layerAdded()
{
}

void GraphLayer::removeRowData(int)
{
}

void GraphLayer::setColor(const wxColour& colour)
{
    m_color = colour;
}

void GraphLayer::populateLegendPopup(wxMenu&, int)
{
}

void GraphLayer::handleLegendPopupMenu(int)
{
}

void GraphLayer::handleCustomLegendCommand(LegendItem* item)
{
    if (item && item == m_legendItem)
        m_visible = !m_visible;
    else if (item && item == m_runningLegendItem)
        m_showRunning = !m_showRunning;
}

void GraphLayer::attach(Timeline* timeline, GraphLayerParent* parent)
{
    m_timeline = timeline;
    m_parent = parent;
}

Ruler* GraphLayer::getRuler() const
{
    if (m_parent && m_parent->m_ruler)
        return m_parent->m_ruler;
    return m_timeline ? m_timeline->getRuler() : nullptr;
}

void GraphLayer::setTooltipSource(DataSource* source)
{
    if (source != m_tooltipSource)
        delete m_tooltipSource;
    m_tooltipSource = source;
    m_useTooltipSource = source != nullptr;
}

void GraphLayer::reportProgress(bool immediate)
{
    if (!m_timeline)
        return;
    m_timeline->reportLayerProgress(this, -1);
    if (immediate)
        m_timeline->Update();
}

void GraphLayer::forEachVisibleRow(const std::function<void(int displayRow)>& renderRow) const
{
    if (!m_parent)
        return;
    int first = -1;
    int last = -1;
    m_parent->getVisibleRowRange(first, last);
    if (first == -1 || last == -1)
        return;
    for (int row = first; row <= last; ++row)
        renderRow(row);
}

void GraphLayer::renderSegment(wxMemoryDC& dc, int displayRow)
{
    const Ruler* ruler = getRuler();
    if (!m_parent || !m_parent->m_dataProvider || !ruler)
        return;
    const int dataRow = m_parent->getDataRow(displayRow);
    if (dataRow < 0)
        return;
    std::vector<DataProvider::SBInterval> band;
    m_parent->m_dataProvider->getFilterBand(dataRow, band);
    if (band.empty())
        return;
    const wxRect row = m_parent->getRowRect(displayRow, false);
    Renderer& renderer = m_parent->m_renderer;
    renderer.setColour(dc, getFilteredOvertimeColor());
    for (const DataProvider::SBInterval& interval : band) {
        const int x0 = std::max(ruler->xFromTime(interval.start, true), -1);
        const int x1 = std::min(ruler->xFromTime(interval.end, true), m_width + 1);
        if (x1 >= 0 && x0 <= m_width)
            renderer.fillBox(dc, x0, row.y + 1, x1, row.y + row.height - 2);
    }
}

void GraphLayer::addRunningLegendItem(std::vector<int>& ids)
{
    if (!m_timeline || !m_parent || !m_parent->m_dataProvider)
        return;
    Legend* legend = m_timeline->getLegend();
    const int id = legend->nextItemId();
    ids.push_back(id);
    const wxImage icon = getMenuColorBitmap(m_parent->m_dataProvider->getSMBRunningColor()).ConvertToImage();
    const wxString label = getString("%Running_legend");
    m_runningLegendItem = legend->addCheckbox(id, label, icon, label, m_showRunning, false, 4);
}

wxBitmap GraphLayer::getMenuColorBitmap(const wxColour& colour)
{
    wxBitmap bitmap(16, 16, 24);
    wxMemoryDC dc(bitmap);
    dc.SetPen(wxPen(wxColour(64, 64, 64)));
    dc.SetBrush(wxBrush(colour));
    dc.DrawRectangle(0, 0, 16, 16);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

} // namespace tarquel_1_0
