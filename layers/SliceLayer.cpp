#include "layers/SliceLayer.h"

#include "layers/SliceColor.h"
#include "layers/SliceLaneLines.h"
#include "layers/SliceLanes.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Renderer.h>
#include <tarquel_1_0/Ruler.h>

#include <VORN_2_9/varg_list.h>

#include <algorithm>

#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/menu.h>

namespace velmora_1_0 {

using tarquel_1_0::getString;
using tarquel_1_0::Renderer;

namespace {

// A name is drawn only in a box at least this wide; narrower ones would show an ellipsis only.
constexpr int kMinTextWidth = 18;
constexpr int kTextInset = 3;
// Outline of the slices a search found.
const wxColour kMarkColour(255, 120, 0);

wxFont laneFont()
{
    return wxFont(wxFontInfo(8).Family(wxFONTFAMILY_SWISS));
}

} // namespace

SliceLayer::SliceLayer()
{
    m_layerName = "Slices";
    m_color = wxColour(120, 144, 156);
}

SliceLayer::~SliceLayer() = default;

SarvikProvider* SliceLayer::provider() const
{
    return m_parent ? dynamic_cast<SarvikProvider*>(m_parent->m_dataProvider) : nullptr;
}

const SliceRow* SliceLayer::getRow(int dataRow) const
{
    return dataRow >= 0 && dataRow < static_cast<int>(m_rows.size()) ? m_rows[dataRow].get() : nullptr;
}

void SliceLayer::requestData(bool)
{
    SarvikProvider* source = provider();
    // The slices of a row do not depend on the view: they are read once.
    if (!source || !m_enabled || m_dataLoaded || m_loading != 0)
        return;
    source->clearSliceRequests(this);
    m_requests.clear();
    const int rows = m_parent->getRowCount();
    m_rows.assign(rows, nullptr);
    for (int row = 0; row < rows; ++row)
        m_requests[source->requestSlices(this, row)] = true;
    m_loading = rows;
    m_loadProgress = 0;
    reportProgress(false);
}

bool SliceLayer::checkData()
{
    if (SarvikProvider* source = provider())
        source->consumeSliceDataArray(this, m_pending);
    // Answers to requests cleared since are dropped.
    m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(),
                                   [this](const SarvikProvider::SliceData& data) {
                                       return m_requests.find(data.requestId) == m_requests.end();
                                   }),
                    m_pending.end());
    return !m_pending.empty();
}

void SliceLayer::updateData(wxMemoryDC& dc, bool render)
{
    std::vector<int> displays; // drawn now, as a repaint would draw them
    for (SarvikProvider::SliceData& data : m_pending) {
        const int row = data.row;
        ++m_loadProgress;
        if (row < 0 || row >= static_cast<int>(m_rows.size()))
            continue;
        m_rows[row] = std::make_shared<const SliceRow>(std::move(data));
        m_parent->setRowExtraHeight(this, row, m_lanes.extraHeight(m_rows[row]->depth()));
        if (render && m_visible) {
            const int display = m_parent->getDisplayRow(row);
            if (display >= 0) {
                drawRow(dc, display, m_laneLines[row]);
                displays.push_back(display);
            }
        }
    }
    m_pending.clear();
    drawNames(dc, displays);
    for (const int display : displays)
        drawHiddenLanes(dc, display);
    if (m_loading > 0 && m_loadProgress >= m_loading) {
        m_dataLoaded = true;
        m_loading = 0;
        m_loadProgress = 0;
    }
    reportProgress(false);
}

wxRect SliceLayer::lanesRect(int displayRow) const
{
    return m_parent ? m_parent->getRowExtraRect(displayRow) : wxRect();
}

namespace {
std::uint64_t markKey(int row, int slice)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) | static_cast<std::uint32_t>(slice);
}
} // namespace

void SliceLayer::renderAll(wxMemoryDC& dc)
{
    if (!m_visible || !m_parent || !getRuler()) {
        m_laneLines.clear(); // nothing drawn: nothing to hit
        return;
    }
    // Lines of the rows still in view are kept; those of rows gone are let go.
    std::unordered_map<int, SliceLaneLines> kept;
    std::vector<int> displays;
    forEachVisibleRow([&](int displayRow) {
        const int dataRow = m_parent->getDataRow(displayRow);
        SliceLaneLines& lines = kept[dataRow];
        const auto previous = m_laneLines.find(dataRow);
        if (previous != m_laneLines.end())
            lines = std::move(previous->second);
        drawRow(dc, displayRow, lines);
        displays.push_back(displayRow);
    });
    m_laneLines.swap(kept);
    drawNames(dc, displays);
    for (const int displayRow : displays)
        drawHiddenLanes(dc, displayRow);
    for (const std::uint64_t key : m_marked)
        outline(dc, {static_cast<int>(key >> 32), static_cast<int>(key & 0xFFFFFFFFu), 1}, kMarkColour);
    if (m_selected.valid())
        outline(dc, m_selected, *wxBLACK);
}

void SliceLayer::setMarked(const std::vector<Item>& items)
{
    m_marked.clear();
    for (const Item& item : items)
        m_marked.insert(markKey(item.row, item.slice));
}

bool SliceLayer::isMarked(int row, int slice) const
{
    return m_marked.count(markKey(row, slice)) != 0;
}

bool SliceLayer::laneLines(int lanesTop, int lane, int& top, int& bottom) const
{
    top = lanesTop + lane * SliceLanes::kLaneHeight;
    bottom = top + SliceLanes::kLaneHeight - 2; // a line of space under each lane
    return bottom >= 0 && top < m_height;
}

void SliceLayer::drawRow(wxDC& dc, int displayRow, SliceLaneLines& lines) const
{
    const int dataRow = m_parent->getDataRow(displayRow);
    const SliceRow* row = getRow(dataRow);
    const tarquel_1_0::Ruler* ruler = getRuler();
    if (!row || row->depth() == 0 || !ruler)
        return;
    const wxRect lanes = lanesRect(displayRow);
    if (lanes.height < SliceLanes::kLaneHeight)
        return; // the area has not grown the row yet
    const int width = std::max(ruler->getPixelWidth(), 1);
    SliceDecimator::Mapping mapping;
    mapping.start = static_cast<double>(ruler->getStart().GetValue());
    mapping.nsPerPixel = (static_cast<double>((ruler->getEnd() - ruler->getStart()).GetValue()) + 1.0) / width;
    mapping.width = m_width;
    lines.use(m_rows[static_cast<size_t>(dataRow)], mapping);

    Renderer& renderer = m_parent->m_renderer;
    // Boxes of one batch: they reach the DC before any text is written on them.
    Renderer::Batch batch(renderer, dc);
    const int shown = m_lanes.shown(row->depth());
    for (int lane = 0; lane < shown; ++lane) {
        int y1 = 0;
        int y2 = 0;
        if (!laneLines(lanes.y, lane, y1, y2))
            continue;
        // One line of colours on all the lane's lines: its cost is its pixels, not its boxes.
        const SliceLaneLines::Lane& painted = lines.lane(lane);
        renderer.fillLines(dc, -1, y1, y2, painted.colours.data(), static_cast<int>(painted.colours.size()));
    }
}

template <typename Visit>
void SliceLayer::forEachDrawnBox(int displayRow, Visit&& visit) const
{
    const int dataRow = m_parent->getDataRow(displayRow);
    const SliceRow* row = getRow(dataRow);
    const auto lines = m_laneLines.find(dataRow);
    if (!row || lines == m_laneLines.end())
        return;
    const wxRect lanes = lanesRect(displayRow);
    const int shown = m_lanes.shown(row->depth());
    for (int lane = 0; lane < shown; ++lane) {
        int y1 = 0;
        int y2 = 0;
        const SliceLaneLines::Lane* drawn = lines->second.made(lane);
        if (!drawn || !laneLines(lanes.y, lane, y1, y2))
            continue;
        for (const SliceDecimator::Box& box : drawn->boxes) {
            int x1 = 0;
            int x2 = 0;
            SliceLaneLines::span(box, m_width, x1, x2);
            visit(lane, box, wxRect(x1, y1, x2 - x1 + 1, y2 - y1 + 1));
        }
    }
}

void SliceLayer::drawHiddenLanes(wxDC& dc, int displayRow) const
{
    const SliceRow* row = getRow(m_parent->getDataRow(displayRow));
    const int hidden = row ? m_lanes.hidden(row->depth()) : 0;
    if (hidden == 0)
        return;
    // The bottom lane says how many lanes are left out, over whatever is drawn there.
    const wxRect lanes = lanesRect(displayRow);
    const wxString text = wxString::Format("+%d", hidden);
    dc.SetFont(laneFont());
    const wxSize size = dc.GetTextExtent(text);
    const int y = lanes.y + (m_lanes.shown(row->depth()) - 1) * SliceLanes::kLaneHeight;
    const int x = std::max(m_width - size.x - 2 * kTextInset, 0);
    Renderer& renderer = m_parent->m_renderer;
    renderer.setColour(dc, *wxBLACK);
    renderer.fillBox(dc, x, y, m_width - 1, y + SliceLanes::kLaneHeight - 2);
    dc.SetTextForeground(*wxWHITE);
    dc.DrawText(text, x + kTextInset, y + (SliceLanes::kLaneHeight - 1 - size.y) / 2);
}

void SliceLayer::drawNames(wxDC& dc, const std::vector<int>& displayRows)
{
    if (displayRows.empty())
        return;
    dc.SetFont(laneFont());
    const int charHeight = dc.GetCharHeight();
    Renderer& renderer = m_parent->m_renderer;
    // Names over boxes of a known colour: the renderer copies each one it has painted before.
    Renderer::Batch batch(renderer, dc);
    for (const int displayRow : displayRows) {
        const SliceRow* row = getRow(m_parent->getDataRow(displayRow));
        forEachDrawnBox(displayRow, [&](int lane, const SliceDecimator::Box& box, const wxRect& rect) {
            const int room = std::min(rect.GetRight(), m_width) - std::max(rect.x, 0) - 2 * kTextInset;
            if (box.count != 1 || room < kMinTextWidth)
                return;
            const SliceRow::Slice& slice = row->slices()[static_cast<size_t>(row->lane(lane)[box.slice])];
            const wxString shown = m_names.fit(dc, row->name(slice), room);
            if (shown.empty())
                return;
            renderer.drawLabel(dc, shown, std::max(rect.x, 0) + kTextInset, rect.y + (rect.height - charHeight) / 2,
                               *wxBLACK, row->colour(slice));
        });
    }
}

bool SliceLayer::drawnRect(const Item& item, wxRect& rect) const
{
    const SliceRow* row = getRow(item.row);
    const auto lines = m_laneLines.find(item.row);
    if (!row || lines == m_laneLines.end() || item.slice < 0 ||
        item.slice >= static_cast<int>(row->slices().size()))
        return false;
    const int lane = row->slices()[static_cast<size_t>(item.slice)].depth;
    const SliceLaneLines::Lane* drawn = lane < m_lanes.shown(row->depth()) ? lines->second.made(lane) : nullptr;
    const int display = m_parent->getDisplayRow(item.row);
    int y1 = 0;
    int y2 = 0;
    if (!drawn || display < 0 || !laneLines(lanesRect(display).y, lane, y1, y2))
        return false;
    // The slice's place in its lane (entries rise with the slices' indices), then its box.
    const std::vector<int>& entries = row->lane(lane);
    const auto entry = std::lower_bound(entries.begin(), entries.end(), item.slice);
    if (entry == entries.end() || *entry != item.slice)
        return false;
    const int place = static_cast<int>(entry - entries.begin());
    const auto box = std::lower_bound(drawn->boxes.begin(), drawn->boxes.end(), place,
                                      [](const SliceDecimator::Box& b, int p) { return b.slice < p; });
    if (box == drawn->boxes.end() || box->slice != place || box->count != item.count)
        return false;
    int x1 = 0;
    int x2 = 0;
    SliceLaneLines::span(*box, m_width, x1, x2);
    rect = wxRect(x1, y1, x2 - x1 + 1, y2 - y1 + 1);
    return true;
}

void SliceLayer::outline(wxDC& dc, const Item& item, const wxColour& colour) const
{
    wxRect rect;
    if (drawnRect(item, rect))
        outlineRect(dc, rect, colour);
}

void SliceLayer::outlineRect(wxDC& dc, const wxRect& r, const wxColour& colour) const
{
    Renderer& renderer = m_parent->m_renderer;
    renderer.setColour(dc, colour);
    renderer.drawLine(dc, r.x, r.y, r.GetRight(), r.y);
    renderer.drawLine(dc, r.x, r.GetBottom(), r.GetRight(), r.GetBottom());
    renderer.drawLine(dc, r.x, r.y, r.x, r.GetBottom());
    renderer.drawLine(dc, r.GetRight(), r.y, r.GetRight(), r.GetBottom());
}

void SliceLayer::renderHittest(wxMemoryDC& dc)
{
    if (m_visible && m_hovered.valid())
        outline(dc, m_hovered, tarquel_1_0::getHittestColor());
}

void SliceLayer::populateLegendPopup(wxMenu& menu, int id)
{
    menu.Append(id, lanesExpanded() ? wxString::Format("Show at most %d lanes per row", SliceLanes::kCollapsedLanes)
                                    : wxString("Show every lane"));
}

void SliceLayer::handleLegendPopupMenu(int index)
{
    if (index == 0)
        expandLanes(!lanesExpanded());
}

void SliceLayer::expandLanes(bool expanded)
{
    m_lanes = SliceLanes(expanded ? SliceLanes::kMaxLanes : SliceLanes::kCollapsedLanes);
    if (!m_parent)
        return;
    // Rows ask for their new heights; the area then lays out and repaints them.
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row)
        if (m_rows[row])
            m_parent->setRowExtraHeight(this, row, m_lanes.extraHeight(m_rows[row]->depth()));
}

bool SliceLayer::hittest(int x, int y)
{
    const Item before = m_hovered;
    m_hovered = Item();
    for (const auto& drawnRow : m_laneLines) {
        const SliceRow* row = getRow(drawnRow.first);
        const int display = row && m_parent ? m_parent->getDisplayRow(drawnRow.first) : -1;
        const wxRect lanes = display >= 0 ? lanesRect(display) : wxRect();
        const int lane = display >= 0 ? m_lanes.laneAt(y - lanes.y, row->depth()) : -1;
        const SliceLaneLines::Lane* drawn = lane >= 0 ? drawnRow.second.made(lane) : nullptr;
        int y1 = 0;
        int y2 = 0;
        if (!drawn || !laneLines(lanes.y, lane, y1, y2) || y > y2)
            continue;
        // The first box reaching x: boxes follow each other along the lane.
        const auto spanOf = [this](const SliceDecimator::Box& box) {
            std::pair<int, int> span;
            SliceLaneLines::span(box, m_width, span.first, span.second);
            return span;
        };
        const auto box = std::partition_point(drawn->boxes.begin(), drawn->boxes.end(),
                                              [&](const SliceDecimator::Box& b) { return spanOf(b).second < x; });
        if (box != drawn->boxes.end() && spanOf(*box).first <= x)
            m_hovered = {drawnRow.first, row->lane(lane)[box->slice], box->count};
        break;
    }
    return m_hovered != before;
}

void SliceLayer::clearHittest()
{
    m_hovered = Item();
}

bool SliceLayer::canSelect()
{
    return m_hovered.valid();
}

bool SliceLayer::setSelection()
{
    m_selected = m_hovered;
    if (m_onSelect)
        m_onSelect(m_selected);
    return m_selected.valid();
}

void SliceLayer::clearSelection()
{
    const bool had = m_selected.valid();
    m_selected = Item();
    if (had && m_onSelect)
        m_onSelect(m_selected);
}

bool SliceLayer::hasSelection()
{
    return m_selected.valid();
}

void SliceLayer::select(const Item& item)
{
    m_selected = item;
    if (m_onSelect)
        m_onSelect(m_selected);
}

void SliceLayer::clear()
{
    GraphLayer::clear();
    if (SarvikProvider* source = provider())
        source->clearSliceRequests(this);
    m_rows.clear();
    m_pending.clear();
    m_laneLines.clear();
    m_dataLoaded = false;
    m_hovered = Item();
    m_selected = Item();
    m_marked.clear();
}

int SliceLayer::getTooltipCount()
{
    return m_hovered.valid() ? 1 : 0;
}

void SliceLayer::getTooltip(int maxCount, std::vector<wxString>& lines)
{
    if (maxCount >= 1 && m_hovered.valid())
        lines.push_back(tooltipText(m_hovered));
}

wxString SliceLayer::tooltipText(const Item& item) const
{
    const SliceRow* row = getRow(item.row);
    const tarquel_1_0::Ruler* ruler = getRuler();
    if (!row || !ruler || item.slice >= static_cast<int>(row->slices().size()))
        return m_layerName;
    if (item.count > 1) {
        VORN_2_9::generic::varg_list args;
        args.add(std::to_wstring(item.count));
        return getString("%Slice_run_tooltip", args);
    }
    const SliceRow::Slice& slice = row->slices()[item.slice];
    const std::wstring& name = row->name(slice);
    VORN_2_9::generic::varg_list args;
    args.add(ruler->timeToLimitedString(slice.startTime).ToStdWstring());
    args.add(tarquel_1_0::durationText(static_cast<double>(slice.endTime - slice.startTime)).ToStdWstring());
    args.add(tarquel_1_0::durationText(static_cast<double>(slice.selfTime)).ToStdWstring());
    wxString text = name.empty() ? getString("%Slice_unnamed") : wxString(name);
    text += "\n" + getString("%Slice_tooltip_times", args);
    const std::wstring& category = row->category(slice);
    if (!category.empty()) {
        VORN_2_9::generic::varg_list categoryArgs;
        categoryArgs.add(category);
        text += "\n" + getString("%Slice_tooltip_category", categoryArgs);
    }
    return text;
}

} // namespace velmora_1_0
