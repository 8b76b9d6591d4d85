#include "layers/EventMarkerLayer.h"
#include "layers/LegendEntry.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Renderer.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <VORN_2_9/varg_list.h>

#include <algorithm>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>

namespace velmora_1_0 {

using tarquel_1_0::getString;
using tarquel_1_0::Renderer;

namespace {

// Shapes may start this far outside the graph so that their visible part is drawn, without
// handing the renderer coordinates far off screen.
constexpr int kClampMargin = 20;
// Legend icons are cut out of a bitmap of this size.
constexpr int kIconCanvas = 64;

} // namespace

EventMarkerLayer::EventMarkerLayer() : m_borderColor(0, 0, 0, 255)
{
    m_layerName = "Thread Marker";
    m_color = wxColour(255, 255, 128, 255);
}

EventMarkerLayer::~EventMarkerLayer() = default;

SarvikProvider* EventMarkerLayer::provider() const
{
    return m_parent ? dynamic_cast<SarvikProvider*>(m_parent->m_dataProvider) : nullptr;
}

void EventMarkerLayer::setIconType(const wxString& type)
{
    m_iconIsDuration = type == "duration";
}

unsigned int EventMarkerLayer::generateKey(int x1, int x2)
{
    return MarkerDecimator::spanKey(x1, x2);
}

bool EventMarkerLayer::markerSortFunc(const EventMarker& a, const EventMarker& b)
{
    return MarkerList::before(a, b);
}

std::vector<EventMarkerLayer::EventMarker> EventMarkerLayer::getHittestItems() const
{
    std::vector<EventMarker> items;
    for (const auto& hit : m_hitItems) { // ascending keys
        if (hit.first < 0 || hit.first >= static_cast<int>(m_markers.size()))
            break;
        items.push_back(m_markers.at(static_cast<size_t>(hit.first)));
        items.back().rect = hit.second;
    }
    return items;
}

SarvikProvider* EventMarkerLayer::providerToLoad(bool onlyIfMissing)
{
    SarvikProvider* source = provider();
    if (!source || !m_enabled)
        return nullptr;
    if (m_dataLoaded) {
        // The markers stay; a new view only needs a new choice of what to draw.
        if (!onlyIfMissing)
            dropChoice();
        return nullptr;
    }
    return m_loading == 0 ? source : nullptr;
}

void EventMarkerLayer::startLoading(int requests)
{
    m_loading = requests;
    reportProgress(false);
}

void EventMarkerLayer::requestData(bool onlyIfMissing)
{
    SarvikProvider* source = providerToLoad(onlyIfMissing);
    if (!source)
        return;
    source->clearEventMarkerRequests(this);
    m_requests.clear();
    const int rows = m_parent->getRowCount();
    for (int row = 0; row < rows; ++row)
        m_requests[source->requestEventMarkers(this, row)] = true;
    startLoading(rows);
}

void EventMarkerLayer::consumeItems()
{
    if (SarvikProvider* source = provider())
        source->consumeEventMarkerDataArray(this, m_pendingData);
}

bool EventMarkerLayer::checkData()
{
    consumeItems();
    // Answers to requests cleared since must not add markers twice.
    m_pendingData.erase(std::remove_if(m_pendingData.begin(), m_pendingData.end(),
                                       [this](const SarvikProvider::EventMarkerData& data) {
                                           return m_requests.find(data.requestId) == m_requests.end();
                                       }),
                        m_pendingData.end());
    return !m_pendingData.empty();
}

void EventMarkerLayer::updateData(wxMemoryDC& dc, bool render)
{
    for (SarvikProvider::EventMarkerData& data : m_pendingData) {
        handleEventMarkers(dc, data.markers, render);
        ++m_loadProgress;
        reportProgress(false);
    }
    if (m_loading > 0 && m_loadProgress == m_loading) {
        m_dataLoaded = true;
        m_markers.shrinkToFit();
        m_loading = 0;
        m_loadProgress = 0;
        reportProgress(false);
    }
    m_pendingData.clear();
}

void EventMarkerLayer::handleEventMarkers(wxMemoryDC& dc, std::vector<EventMarker>& markers, bool render)
{
    if (markers.empty())
        return;
    MarkerDecimator::widenLongest(markers, m_longestByRow);
    const std::vector<int> placed = m_markers.add(markers);
    // Arrivals placed among the markers held moved those under the cached indices; the next
    // renderAll chooses again, and the hovered and selected indices would name other markers now.
    dropChoice();
    m_hitItems.clear();
    m_selection.clear();
    if (render && m_visible)
        renderMarkers(dc, placed, false);
}

void EventMarkerLayer::dropChoice()
{
    m_choiceMade = false;
    // The rows' lists keep their memory for the next choice.
    for (std::vector<MarkerDecimator::Choice>& row : m_visibleMarkers)
        row.clear();
    m_choiceRows.clear();
    m_strips.clear();
    m_stripOfRow.clear();
    m_stripLayout.clear();
}

std::vector<int> EventMarkerLayer::rowsInView() const
{
    std::vector<int> rows;
    forEachVisibleRow([this, &rows](int display) { rows.push_back(m_parent->getDataRow(display)); });
    return rows;
}

void EventMarkerLayer::renderAll(wxMemoryDC& dc)
{
    // A hidden layer keeps its cached choice for when it is shown again.
    if (!m_visible)
        return;
    const tarquel_1_0::Ruler* ruler = getRuler();
    if (!m_parent || !ruler)
        return;
    std::vector<int> rows = rowsInView();
    if (rows != m_choiceRows)
        dropChoice();
    if (!m_choiceMade) {
        MarkerDecimator(*ruler, *m_parent).choose(m_markers, m_longestByRow, m_visibleMarkers);
        m_choiceRows = std::move(rows);
        m_choiceMade = true;
    }
    std::vector<int> layout = stripLayout();
    if (layout != m_stripLayout) {
        buildStrips(dc);
        m_stripLayout = std::move(layout);
    }
    paintStrips(dc);
}

std::vector<int> EventMarkerLayer::stripLayout() const
{
    std::vector<int> layout{m_width};
    forEachVisibleRow([this, &layout](int display) { layout.push_back(m_parent->getRowRect(display, false).y); });
    return layout;
}

void EventMarkerLayer::buildStrips(wxDC& dc)
{
    m_strips.clear();
    m_stripOfRow.clear();
    int first = -1;
    int last = -1;
    m_parent->getVisibleRowRange(first, last);
    if (first == -1 || last == -1 || first > last)
        return;
    Renderer& renderer = m_parent->m_renderer;
    // The hook places a row's shapes: where it puts an instant and a duration marker of the row,
    // it puts all of them.
    EventMarker instant;
    instant.startTime = instant.endTime = 0;
    EventMarker duration = instant;
    duration.endTime = 1;
    m_stripFirst = first;
    m_stripOfRow.assign(static_cast<size_t>(last - first + 1), -1);
    for (int display = first; display <= last; ++display) {
        const int y = m_parent->getRowRect(display, false).y + 4;
        m_stripOfRow[static_cast<size_t>(display - first)] = static_cast<int>(m_strips.size());
        m_strips.emplace_back(-kClampMargin, m_width + kClampMargin,
                              drawMarker(renderer, dc, 0, 0, y, instant, false, true, false).y,
                              drawMarker(renderer, dc, 0, 0, y, duration, false, true, false).y);
    }
    forEachShownChoice([](const MarkerDecimator::Choice& choice, tarquel_1_0::MarkerStrip& strip, int x1, int x2,
                          const wxRect&) {
        if (choice.duration)
            strip.addDurationMarker(x1, x2);
        else
            strip.addEventMarker(x1);
    });
}

template <typename Visit>
void EventMarkerLayer::forEachShownChoice(Visit&& visit)
{
    const auto stripOf = [this](int display) -> tarquel_1_0::MarkerStrip* {
        const int at = display - m_stripFirst;
        if (display == -1 || at < 0 || at >= static_cast<int>(m_stripOfRow.size()))
            return nullptr;
        return &m_strips[static_cast<size_t>(m_stripOfRow[static_cast<size_t>(at)])];
    };
    for (size_t row = 0; row < m_visibleMarkers.size(); ++row) {
        const std::vector<MarkerDecimator::Choice>& choices = m_visibleMarkers[row];
        if (choices.empty())
            continue;
        const int rowDisplay = m_parent->getDisplayRow(static_cast<int>(row));
        for (const MarkerDecimator::Choice& choice : choices) {
            tarquel_1_0::MarkerStrip* strip = stripOf(choice.global ? 0 : rowDisplay);
            int x1 = choice.x1;
            int x2 = choice.x2;
            if (!strip || !clampSpan(x1, x2))
                continue;
            const wxRect rect = choice.duration ? strip->durationMarkerRect(x1, x2) : strip->eventMarkerRect(x1);
            if (rect.x >= m_width || rect.GetRight() <= 0)
                continue; // its shape falls outside the graph: not drawn, not hit
            visit(choice, *strip, x1, x2, rect);
        }
    }
}

bool EventMarkerLayer::clampSpan(int& x1, int& x2) const
{
    if ((x1 < 0 && x2 < 0) || (x1 > m_width && x2 > m_width) || x1 > x2)
        return false;
    x1 = std::max(x1, -kClampMargin);
    x2 = std::min(x2, m_width + kClampMargin);
    return true;
}

void EventMarkerLayer::paintStrips(wxDC& dc)
{
    Renderer& renderer = m_parent->m_renderer;
    Renderer::Batch batch(renderer, dc);
    tarquel_1_0::MarkerStrip::paintAll(m_strips, renderer, dc, m_borderColor, m_color);
}

void EventMarkerLayer::renderMarkers(wxMemoryDC& dc, const std::vector<int>& indices, bool highlight)
{
    const tarquel_1_0::Ruler* ruler = getRuler();
    if (!m_parent || !ruler)
        return;
    int first = -1;
    int last = -1;
    m_parent->getVisibleRowRange(first, last);
    // Each pass paints its shapes merged: all borders share a colour, and so do all fills.
    Renderer::Batch batch(m_parent->m_renderer, dc);
    std::vector<Placement> drawn;
    drawn.reserve(indices.size());
    for (int index : indices) {
        Placement placement;
        if (placeMarker(*ruler, first, last, index, placement) && paintMarker(dc, placement, highlight, false))
            drawn.push_back(placement);
    }
    // The fill pass finds its markers where the border pass put them.
    for (const Placement& placement : drawn)
        paintMarker(dc, placement, false, true);
}

bool EventMarkerLayer::placeMarker(const tarquel_1_0::Ruler& ruler, int first, int last, int index,
                                   Placement& placement)
{
    if (index < 0 || index >= static_cast<int>(m_markers.size()))
        return false;
    const size_t at = static_cast<size_t>(index);
    const short row = m_markers.rows()[at];
    const MarkerList::Times& times = m_markers.times()[at];
    const int display = row == -1 ? 0 : m_parent->getDisplayRow(row);
    if (display == -1 || first == -1 || last == -1 || display < first || display > last)
        return false;
    int x1 = ruler.xFromTime(times.start, true);
    int x2 = times.end == times.start ? x1 : ruler.xFromTime(times.end, true);
    if (!clampSpan(x1, x2))
        return false;
    placement = {index, display, x1, x2};
    return true;
}

bool EventMarkerLayer::paintMarker(wxMemoryDC& dc, const Placement& placement, bool highlight, bool innerPass)
{
    const EventMarker marker = m_markers.at(static_cast<size_t>(placement.index));
    Renderer& renderer = m_parent->m_renderer;
    const wxRect measured =
        drawMarker(renderer, dc, placement.x1, placement.x2, 0, marker, highlight, true, innerPass);
    if (measured.x >= m_width || measured.x + measured.width - 1 <= 0)
        return false;
    const wxRect row = m_parent->getRowRect(placement.display, false);
    drawMarker(renderer, dc, placement.x1, placement.x2, row.y + 4, marker, highlight, false, innerPass);
    return true;
}

wxRect EventMarkerLayer::drawMarker(Renderer& renderer, wxDC& dc, int x1, int x2, int y, const EventMarker& marker,
                                    bool highlight, bool measureOnly, bool innerPass)
{
    renderer.setColour(dc, *wxBLACK);
    const bool duration = marker.startTime != marker.endTime;
    if (innerPass)
        return duration ? renderer.drawDurationMarkerFill(dc, x1, x2, y, m_color, measureOnly)
                        : renderer.drawEventMarkerFill(dc, x1, y, m_color, measureOnly);
    // Taken by reference: a colour copy per marker is a measurable share of drawing.
    const auto border = [&](const wxColour& colour) {
        return duration ? renderer.drawDurationMarkerBorder(dc, x1, x2, y, colour, measureOnly)
                        : renderer.drawEventMarkerBorder(dc, x1, y, colour, measureOnly);
    };
    return highlight ? border(tarquel_1_0::getHittestColor()) : border(m_borderColor);
}

void EventMarkerLayer::renderHittest(wxMemoryDC& dc)
{
    if (!m_visible || (m_hitItems.empty() && m_selection.empty() && m_marked.empty()))
        return;
    std::vector<int> indices;
    indices.reserve(m_hitItems.size() + m_selection.size());
    for (const auto& hit : m_hitItems)
        indices.push_back(hit.first);
    // A selected marker stays highlighted when the mouse has left it.
    for (const auto& selected : m_selection)
        if (m_hitItems.count(selected.first) == 0)
            indices.push_back(selected.first);
    // Of the marked ones only those drawn: a mark costs what the view shows, not every match.
    if (!m_marked.empty())
        for (const std::vector<MarkerDecimator::Choice>& row : m_visibleMarkers)
            for (const MarkerDecimator::Choice& choice : row) {
                const int index = choice.index;
                const size_t at = static_cast<size_t>(index);
                if (m_marked.count({m_markers.rows()[at], m_markers.instanceIndex(at)}) && !m_hitItems.count(index) &&
                    !m_selection.count(index))
                    indices.push_back(index);
            }
    renderMarkers(dc, indices, true);
}

bool EventMarkerLayer::hittest(int x, int y)
{
    if (x < 0 || x >= m_width || y < 0 || y >= m_height) {
        const bool hadHits = !m_hitItems.empty();
        m_hitItems.clear();
        return hadHits;
    }
    std::map<int, wxRect> previous;
    previous.swap(m_hitItems);
    // Only what the strips show can be hit; overlapping markers are all hit.
    forEachShownChoice([this, x, y](const MarkerDecimator::Choice& choice, tarquel_1_0::MarkerStrip&, int, int,
                                    const wxRect& rect) {
        if (!rect.Contains(x, y))
            return;
        m_hitItems[choice.index] = rect;
    });
    return m_hitItems != previous;
}

void EventMarkerLayer::clearHittest()
{
    m_hitItems.clear();
}

bool EventMarkerLayer::canSelect()
{
    return !m_hitItems.empty();
}

bool EventMarkerLayer::setSelection()
{
    m_selection.clear();
    for (const auto& hit : m_hitItems)
        m_selection.emplace_hint(m_selection.end(), hit.first, true);
    return !m_selection.empty();
}

bool EventMarkerLayer::selectMarker(int row, std::uint64_t start, std::int32_t instance)
{
    const short wanted = static_cast<short>(row);
    // The first marker of that row and start in sort order, then the one of that instance.
    for (size_t at = m_markers.lowerBound(wanted, start);
         at < m_markers.size() && m_markers.rows()[at] == wanted && m_markers.times()[at].start == start; ++at) {
        if (m_markers.instanceIndex(at) == instance) {
            m_selection = {{static_cast<int>(at), true}};
            return true;
        }
    }
    return false;
}

void EventMarkerLayer::clearSelection()
{
    m_selection.clear();
}

bool EventMarkerLayer::hasSelection()
{
    return !m_selection.empty();
}

void EventMarkerLayer::clear()
{
    GraphLayer::clear();
    m_markers.clear();
    m_longestByRow.clear();
    m_dataLoaded = false;
    m_hitItems.clear();
    m_selection.clear();
    m_pendingData.clear();
    // The cached choice indexes markers that are gone.
    dropChoice();
}

int EventMarkerLayer::getTooltipCount()
{
    return static_cast<int>(m_hitItems.size());
}

void EventMarkerLayer::getTooltip(int maxCount, std::vector<wxString>& lines)
{
    if (m_hitItems.empty() || maxCount < 1)
        return;
    std::vector<int> order;
    for (const auto& hit : m_hitItems)
        order.push_back(hit.first);
    // The marker drawn last lies on top: it comes first.
    std::rotate(order.begin(), order.end() - 1, order.end());
    const size_t count = std::min(order.size(), static_cast<size_t>(maxCount));
    for (size_t i = 0; i < count; ++i)
        if (order[i] < static_cast<int>(m_markers.size()))
            lines.push_back(tooltipText(m_markers.at(static_cast<size_t>(order[i]))));
}

wxString EventMarkerLayer::tooltipText(const EventMarker& marker)
{
    using tarquel_1_0::durationText;
    wxString times;
    if (marker.startTime == marker.endTime) {
        times = durationText(static_cast<double>(marker.startTime));
    } else {
        VORN_2_9::generic::varg_list args;
        args.add(durationText(static_cast<double>(marker.startTime)).ToStdWstring());
        args.add(durationText(static_cast<double>(marker.endTime - marker.startTime)).ToStdWstring());
        times = getString("%Duration_tooltip_times", args);
    }
    wxString text = wxString::Format("%s\n%s", m_layerName, times);
    SarvikProvider* source = provider();
    if (m_useTooltipSource && m_tooltipSource && source)
        text += source->getTooltip(m_tooltipSource, marker.instanceIndex); // begins with its own line break
    return text;
}

wxImage EventMarkerLayer::paintIcon(const IconShape& shape) const
{
    wxBitmap canvas(kIconCanvas, kIconCanvas);
    wxRect drawn;
    {
        wxMemoryDC dc(canvas);
        const wxColour background =
            m_timeline ? m_timeline->getLegend()->GetBackgroundColour() : wxColour(255, 255, 255);
        dc.SetPen(wxPen(background, 1, wxPENSTYLE_SOLID));
        dc.SetBrush(wxBrush(background, wxBRUSHSTYLE_SOLID));
        dc.DrawRectangle(0, 0, kIconCanvas, kIconCanvas);
        Renderer renderer;
        const wxRect measured = shape(renderer, dc, wxRect(), true);
        drawn = shape(renderer, dc, measured, false);
    }
    drawn.width += 1;
    drawn.height += 1;
    return canvas.GetSubBitmap(drawn.Intersect(wxRect(0, 0, kIconCanvas, kIconCanvas))).ConvertToImage();
}

wxImage EventMarkerLayer::getEventMarkerImage() const
{
    return paintIcon([this](Renderer& renderer, wxDC& dc, const wxRect& measured, bool measureOnly) {
        return renderer.drawEventMarker(dc, -measured.x, -measured.y, true, wxString(), m_color, m_borderColor,
                                        wxNullImage, measureOnly);
    });
}

wxImage EventMarkerLayer::getDurationMarkerImage() const
{
    return paintIcon([this](Renderer& renderer, wxDC& dc, const wxRect& measured, bool measureOnly) {
        const int x2 = measureOnly ? 6 : measured.width - measured.x;
        return renderer.drawDurationMarker(dc, -measured.x, x2, -measured.y, m_color, m_borderColor, measureOnly);
    });
}

wxImage EventMarkerLayer::legendIcon() const
{
    return m_iconIsDuration ? getDurationMarkerImage() : getEventMarkerImage();
}

void EventMarkerLayer::customizeLegend(std::vector<int>& ids)
{
    if (!m_timeline)
        return;
    m_legendItem = LegendEntry::addCheckbox(*this, legendIcon(), ids);
}

void EventMarkerLayer::populateLegendPopup(wxMenu& menu, int id)
{
    // The menu owns its items.
    wxMenuItem* inner = new wxMenuItem(&menu, id, getString("%Set_inner_color_menu"), wxString(), wxITEM_NORMAL);
    inner->SetBitmap(getMenuColorBitmap(m_color));
    menu.Append(inner);
    wxMenuItem* border =
        new wxMenuItem(&menu, id + 1, getString("%Set_border_color_menu"), wxString(), wxITEM_NORMAL);
    border->SetBitmap(getMenuColorBitmap(m_borderColor));
    menu.Append(border);
}

void EventMarkerLayer::handleLegendPopupMenu(int index)
{
    if (index != 0 && index != 1)
        return;
    const bool inner = index == 0;
    LegendEntry::pickColor(*this, inner ? m_color : m_borderColor,
                           getString(inner ? "%Select_inner_color" : "%Select_border_color"),
                           getString(inner ? "%Inner_color" : "%Border_color"), [this] { return legendIcon(); });
}

} // namespace velmora_1_0
