#include "layers/TransitionLayer.h"
#include "layers/LegendEntry.h"

#include "layers/TransitionHitPainter.h"
#include "layers/TransitionKey.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Images.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Renderer.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <VORN_2_9/varg_list.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/menu.h>
#include <wx/pen.h>

namespace velmora_1_0 {

using tarquel_1_0::getString;

std::vector<unsigned int> TransitionLayer::m_red;
std::vector<unsigned int> TransitionLayer::m_green;
std::vector<unsigned int> TransitionLayer::m_blue;
std::map<unsigned int, unsigned int> TransitionLayer::m_redMap;
std::map<unsigned int, unsigned int> TransitionLayer::m_greenMap;
std::map<unsigned int, unsigned int> TransitionLayer::m_blueMap;
bool TransitionLayer::m_canHittest = false;

namespace {

constexpr unsigned int kLevels = 32;
constexpr unsigned int kHalfMask = 0x7FFF;
constexpr unsigned int kHighMask = 0x3FFF8000;
constexpr int kHalfBits = 15;
constexpr unsigned int kNoTransition = static_cast<unsigned int>(-1);

// Records a reproduced channel value as the next level unless it repeats the previous one.
void addLevel(std::vector<unsigned int>& levels, std::map<unsigned int, unsigned int>& positions, unsigned int value)
{
    if (levels.size() >= kLevels || (!levels.empty() && levels.back() == value))
        return;
    positions[value] = static_cast<unsigned int>(levels.size());
    levels.push_back(value);
}

bool findLevel(const std::map<unsigned int, unsigned int>& positions, unsigned char value, unsigned int& level)
{
    const auto found = positions.find(value);
    if (found == positions.end())
        return false;
    level = found->second;
    return true;
}

} // namespace

TransitionLayer::TransitionLayer()
{
    m_layerName = getString("%Transition_layer_name");
    constructRGBTable();
    m_color = wxColour(255, 201, 14, 128);
}

TransitionLayer::~TransitionLayer() = default;

void TransitionLayer::setLayerName(const wxString&) {}

SarvikProvider* TransitionLayer::provider() const
{
    return m_parent ? dynamic_cast<SarvikProvider*>(m_parent->m_dataProvider) : nullptr;
}

void TransitionLayer::requestData(bool)
{
    SarvikProvider* source = provider();
    if (!source || !m_enabled)
        return;
    if (m_dataLoaded) {
        // The transitions are kept; only the view changed.
        m_needsDecimation = true;
        startDecimation();
        return;
    }
    if (m_loading != 0)
        return;
    m_requests.clear();
    const int rows = m_parent->getRowCount();
    for (const unsigned int id : source->requestTransitions(this, 0, rows - 1))
        m_requests[id] = true;
    m_loading = rows;
    reportProgress(false);
}

bool TransitionLayer::checkData()
{
    SarvikProvider* source = provider();
    if (!source)
        return false;
    source->consumeTransitionArray(this, m_pendingData);
    m_pendingData.erase(std::remove_if(m_pendingData.begin(), m_pendingData.end(),
                                       [this](const SarvikProvider::TransitionsData& data) {
                                           return m_requests.count(data.requestId) == 0;
                                       }),
                        m_pendingData.end());
    return !m_pendingData.empty();
}

void TransitionLayer::updateData(wxMemoryDC& dc, bool render)
{
    if (!m_dataLoaded) {
        for (const auto& data : m_pendingData) {
            m_transitions.insert(m_transitions.end(), data.transitions.begin(), data.transitions.end());
            ++m_loadProgress;
            reportProgress(false);
        }
        m_pendingData.clear();
        if (m_loading == 0 || m_loadProgress != m_loading)
            return; // nothing asked for (a tick after clear()) or answers still missing
        m_dataLoaded = true;
        m_loading = 0;
        m_loadProgress = 0;
        reportProgress(false);
        m_needsDecimation = true;
        m_decimateAtOnce = m_transitions.size() <= kSyncLimit;
        startDecimation();
        return;
    }
    // A tick of batched decimation.
    if (!render)
        return;
    if (!m_visible) {
        m_needsDecimation = true;
        startDecimation();
        return;
    }
    const bool more = renderNextTransitions(dc);
    if (!more)
        finishBatches();
    renderSelection(dc);
}

void TransitionLayer::startDecimation()
{
    // Before the last answer the loading counters are in use: a repaint between two answers
    // must not turn them into decimation counters, or loading never completes.
    if (!m_dataLoaded || m_transitions.empty() || !m_needsDecimation)
        return;
    m_decimationIndex = 0;
    m_visibleTransitions.clear();
    m_transitionKeys.clear();
    m_lastPercent = 0;
    m_loading = 0;
    m_loadProgress = 0;
    m_segments.clear();
    m_drawnSegments = 0;
    m_drewEveryLine = false;
    m_drewFocusedOnly = false;
    resetHittestImages();
    if (!m_visible) {
        // Postponed until the layer is drawn again; a running batch loop stops meanwhile.
        if (!m_decimateAtOnce) {
            if (m_parent)
                m_parent->requestUpdateTimer(this, false);
            reportProgress(false);
        }
        return;
    }
    m_needsDecimation = false;
    if (m_decimateAtOnce) {
        while (performDecimation()) {
        }
        return;
    }
    m_loading = static_cast<int>(m_transitions.size());
    reportProgress(false);
    if (m_parent)
        m_parent->requestUpdateTimer(this, true);
}

bool TransitionLayer::performDecimation()
{
    const tarquel_1_0::Ruler* ruler = getRuler();
    if (m_decimationIndex >= m_transitions.size() || !ruler || !m_parent)
        return false;
    const std::uint64_t windowStart = ruler->getStart().GetValue();
    const std::uint64_t windowEnd = ruler->getEnd().GetValue();
    int first = -1;
    int last = -1;
    m_parent->getVisibleRowRange(first, last);
    if (first == -1 || last == -1)
        return false;

    int count = 0;
    while (m_decimationIndex < m_transitions.size()) {
        const unsigned int index = m_decimationIndex++;
        const Transition& t = m_transitions[index];
        if ((t.startTime < windowStart && t.endTime < windowStart) ||
            (t.startTime > windowEnd && t.endTime > windowEnd))
            continue; // off the time window: free, does not count toward the batch
        int r1 = -1;
        int r2 = -1;
        TransitionSegment line;
        unsigned long long key = 0;
        const bool shown = keyOf(t, r1, r2, line.x1, line.x2, key) && !(r1 < first && r2 < first) &&
                           !(r1 > last && r2 > last);
        if (shown) {
            const auto found = m_transitionKeys.find(key);
            if (found != m_transitionKeys.end()) {
                VisibleTransition& kept = m_visibleTransitions[found->second];
                if (kept.duplicateCount < VisibleTransition::kRecordedDuplicates)
                    kept.duplicates[kept.duplicateCount] = static_cast<int>(index);
                ++kept.duplicateCount;
            } else {
                VisibleTransition kept;
                kept.index = static_cast<int>(index);
                m_transitionKeys.emplace(key, static_cast<unsigned int>(m_visibleTransitions.size()));
                m_visibleTransitions.push_back(kept);
                line.y1 = rowCentre(r1);
                line.y2 = rowCentre(r2);
                line.fromRow = t.fromRow;
                line.toRow = t.toRow;
                m_segments.push_back(line);
            }
        }
        if (!m_decimateAtOnce && ++count == kBatchSize)
            break;
    }
    return !m_decimateAtOnce && m_decimationIndex < m_transitions.size();
}

bool TransitionLayer::renderNextTransitions(wxMemoryDC& dc)
{
    const bool more = performDecimation();
    // Earlier batches' lines are already on the graph: drawing them again on every tick would
    // make the whole decimation quadratic and each tick slower than the last.
    drawSegments(dc, m_drawnSegments);
    if (!m_decimateAtOnce)
        reportDecimationProgress();
    return more;
}

void TransitionLayer::renderDecimatedTransitions(wxMemoryDC& dc)
{
    drawSegments(dc, 0);
}

void TransitionLayer::reportDecimationProgress()
{
    m_loadProgress = static_cast<int>(m_decimationIndex);
    if (m_loading == 0)
        return;
    const auto percent =
        static_cast<unsigned int>(static_cast<unsigned long long>(m_decimationIndex) * 100 / m_loading);
    if (percent == m_lastPercent)
        return;
    reportProgress(false);
    m_lastPercent = percent;
}

void TransitionLayer::finishBatches()
{
    if (m_parent)
        m_parent->requestUpdateTimer(this, false);
    // A batch drew for a density the finished set does not have (lines a dense picture leaves
    // out, or the other way round): draw the graph again.
    if ((isDense() ? m_drewEveryLine : m_drewFocusedOnly) && m_timeline)
        m_timeline->getGraphArea()->renderAllGraphs();
    m_loading = 0;
    m_loadProgress = 0;
    m_lastPercent = 0;
    reportProgress(false);
}

unsigned long long TransitionLayer::generateTransitionKey(int x1, int x2, int fromDisplayRow, int toDisplayRow) const
{
    return TransitionKey::make(x1, x2, fromDisplayRow, toDisplayRow);
}

bool TransitionLayer::keyOf(const Transition& t, int& r1, int& r2, int& x1, int& x2, unsigned long long& key) const
{
    const tarquel_1_0::Ruler* ruler = getRuler();
    if (!m_parent || !ruler)
        return false;
    r1 = m_parent->getDisplayRow(t.fromRow);
    r2 = m_parent->getDisplayRow(t.toRow);
    if (r1 == -1 || r2 == -1)
        return false;
    x1 = ruler->xFromTime(wxULongLong(t.startTime), true);
    x2 = ruler->xFromTime(wxULongLong(t.endTime), true);
    key = generateTransitionKey(x1, x2, r1, r2);
    return true;
}

int TransitionLayer::rowCentre(int displayRow) const
{
    const wxRect row = m_parent->getRowRect(displayRow, false);
    return row.y + row.height / 2;
}

const VisibleTransition* TransitionLayer::visibleEntry(const Transition& t) const
{
    int r1 = -1;
    int r2 = -1;
    int x1 = 0;
    int x2 = 0;
    unsigned long long key = 0;
    if (!keyOf(t, r1, r2, x1, x2, key))
        return nullptr;
    const auto found = m_transitionKeys.find(key);
    return found == m_transitionKeys.end() ? nullptr : &m_visibleTransitions[found->second];
}

void TransitionLayer::resetHittestImages()
{
    // Made again on the next hover, at the size the graph has then.
    m_hittestLow = wxImage();
    m_hittestHigh = wxImage();
    m_hittestPainted = 0;
}

void TransitionLayer::paintHittestImages()
{
    if (!m_hittestLow.IsOk() && m_width > 0 && m_height > 0) {
        // Black is no transition: every code has a non-zero low or high colour.
        m_hittestLow = wxImage(m_width, m_height, true);
        m_hittestHigh = wxImage(m_width, m_height, true);
    }
    if (m_hittestPainted >= m_segments.size() || !m_hittestLow.IsOk())
        return;
    TransitionHitPainter painter(m_hittestLow, m_hittestHigh);
    for (; m_hittestPainted < m_segments.size(); ++m_hittestPainted) {
        wxColour lowColour;
        wxColour highColour;
        transitionIdToHittestColors(static_cast<unsigned int>(m_visibleTransitions[m_hittestPainted].index),
                                    lowColour, highColour);
        painter.paint(m_segments[m_hittestPainted], lowColour, highColour);
    }
}

void TransitionLayer::drawSegments(wxMemoryDC& dc, std::size_t from)
{
    m_drawnSegments = from;
    if (from >= m_segments.size() || !m_parent)
        return;
    const std::unique_ptr<wxGraphicsContext> context(wxGraphicsContext::Create(dc));
    if (!context)
        return;
    const wxGraphicsPen pen = context->CreatePen(wxPen(m_color, 2, wxPENSTYLE_SOLID));
    const bool dense = looksDense();
    (dense ? m_drewFocusedOnly : m_drewEveryLine) = true;
    const tarquel_1_0::HeaderCtrl* header = dense ? rowHeader() : nullptr;
    if (dense)
        context->SetBrush(context->CreateBrush(wxBrush(m_color)));
    for (; m_drawnSegments < m_segments.size(); ++m_drawnSegments) {
        const TransitionSegment& line = m_segments[m_drawnSegments];
        // A row hidden since the decimation ends this pass; the next decimation drops its lines.
        if (m_parent->getDisplayRow(line.fromRow) == -1 || m_parent->getDisplayRow(line.toRow) == -1)
            break;
        if (dense && !isFocused(line, header))
            continue;
        m_parent->m_renderer.drawTransition(*context, line.x1, line.y1, line.x2, line.y2, pen);
        if (dense)
            drawArrowHead(*context, line);
    }
}

bool TransitionLayer::isDense() const
{
    return !m_showAll && m_width > 0 &&
           m_segments.size() > static_cast<std::size_t>(kDenseLinesPerColumn) * static_cast<std::size_t>(m_width);
}

bool TransitionLayer::looksDense() const
{
    if (isDense())
        return true;
    const bool decimating = !m_decimateAtOnce && m_decimationIndex > 0 && m_decimationIndex < m_transitions.size();
    if (m_showAll || m_width <= 0 || !decimating)
        return false;
    // The lines kept so far, in proportion to the transitions still to come.
    const double projected =
        static_cast<double>(m_segments.size()) * static_cast<double>(m_transitions.size()) / m_decimationIndex;
    return projected > static_cast<double>(kDenseLinesPerColumn) * m_width;
}

const tarquel_1_0::HeaderCtrl* TransitionLayer::rowHeader() const
{
    return m_timeline ? m_timeline->getHeader(m_timeline->getDirectory().paneIndexOf(m_parent)) : nullptr;
}

bool TransitionLayer::isFocused(const TransitionSegment& line, const tarquel_1_0::HeaderCtrl* header) const
{
    if (m_selectedId >= 0 && static_cast<std::size_t>(m_selectedId) < m_transitions.size()) {
        const Transition& selected = m_transitions[static_cast<std::size_t>(m_selectedId)];
        for (const int row : {line.fromRow, line.toRow})
            if (row == selected.fromRow || row == selected.toRow)
                return true;
    }
    return header && (header->isRowSelected(line.fromRow) || header->isRowSelected(line.toRow));
}

void TransitionLayer::drawArrowHead(wxGraphicsContext& context, const TransitionSegment& line)
{
    // A filled head at the destination, pointing along the line.
    constexpr double kLength = 8;
    constexpr double kHalfWidth = 4;
    double dx = line.x2 - line.x1;
    double dy = line.y2 - line.y1;
    const double length = std::hypot(dx, dy);
    if (length < 1) {
        dx = 1;
        dy = 0;
    } else {
        dx /= length;
        dy /= length;
    }
    wxGraphicsPath head = context.CreatePath();
    head.MoveToPoint(line.x2, line.y2);
    head.AddLineToPoint(line.x2 - dx * kLength - dy * kHalfWidth, line.y2 - dy * kLength + dx * kHalfWidth);
    head.AddLineToPoint(line.x2 - dx * kLength + dy * kHalfWidth, line.y2 - dy * kLength - dx * kHalfWidth);
    head.CloseSubpath();
    context.FillPath(head);
}

void TransitionLayer::renderAll(wxMemoryDC& dc)
{
    if (!m_visible)
        return;
    if (m_needsDecimation)
        startDecimation();
    drawSegments(dc, 0);
    renderSelection(dc);
}

void TransitionLayer::renderTransition(wxMemoryDC& dc, unsigned int index, const wxColour& colour)
{
    if (index == kNoTransition || index >= m_transitions.size())
        return;
    int r1 = -1;
    int r2 = -1;
    int x1 = 0;
    int x2 = 0;
    unsigned long long key = 0;
    // Only lines of the current decimation can be highlighted.
    if (!keyOf(m_transitions[index], r1, r2, x1, x2, key) || m_transitionKeys.count(key) == 0)
        return;
    const std::unique_ptr<wxGraphicsContext> context(wxGraphicsContext::Create(dc));
    if (!context)
        return;
    const wxGraphicsPen pen = context->CreatePen(wxPen(colour, 2, wxPENSTYLE_SOLID));
    m_parent->m_renderer.drawTransition(*context, x1, rowCentre(r1), x2, rowCentre(r2), pen);
}

void TransitionLayer::renderHittest(wxMemoryDC& dc)
{
    renderTransition(dc, static_cast<unsigned int>(m_hitId), tarquel_1_0::getHittestColor());
}

void TransitionLayer::renderSelection(wxMemoryDC& dc)
{
    renderTransition(dc, static_cast<unsigned int>(m_selectedId), tarquel_1_0::getHittestColor());
}

void TransitionLayer::constructRGBTable()
{
    if (!m_red.empty())
        return;
    // The screen's depth decides which channel values survive a round trip through a bitmap;
    // only those can be read back exactly from the hit-test images.
    const int steps = 256;
    wxImage ramps(3, steps, true);
    for (int y = 0; y < steps; ++y) {
        const auto v = static_cast<unsigned char>(y);
        ramps.SetRGB(0, y, v, 0, 0);
        ramps.SetRGB(1, y, 0, v, 0);
        ramps.SetRGB(2, y, 0, 0, v);
    }
    const wxImage reproduced = wxBitmap(ramps).ConvertToImage();
    for (int y = 0; y < steps; ++y) {
        addLevel(m_red, m_redMap, reproduced.GetRed(0, y));
        addLevel(m_green, m_greenMap, reproduced.GetGreen(1, y));
        addLevel(m_blue, m_blueMap, reproduced.GetBlue(2, y));
    }
    m_canHittest = m_red.size() == kLevels && m_green.size() == kLevels && m_blue.size() == kLevels;
}

void TransitionLayer::transitionIdToHittestColors(unsigned int id, wxColour& low, wxColour& high) const
{
    const unsigned int code = id + kCodeOffset;
    const auto colourOf = [](unsigned int half) {
        return wxColour(static_cast<unsigned char>(m_red[(half >> 10) & 31]),
                        static_cast<unsigned char>(m_green[(half >> 5) & 31]),
                        static_cast<unsigned char>(m_blue[half & 31]), 255);
    };
    low = colourOf(code & kHalfMask);
    high = colourOf((code & kHighMask) >> kHalfBits);
}

unsigned int TransitionLayer::hittestColorsToTransitionID(unsigned char r1, unsigned char g1, unsigned char b1,
                                                          unsigned char r2, unsigned char g2, unsigned char b2) const
{
    const auto halfOf = [](unsigned char r, unsigned char g, unsigned char b, unsigned int& half) {
        unsigned int red = 0;
        unsigned int green = 0;
        unsigned int blue = 0;
        if (!findLevel(m_redMap, r, red) || !findLevel(m_greenMap, g, green) || !findLevel(m_blueMap, b, blue))
            return false;
        half = (red << 10) | (green << 5) | blue;
        return true;
    };
    unsigned int lowHalf = 0;
    unsigned int highHalf = 0;
    if (!halfOf(r1, g1, b1, lowHalf) || !halfOf(r2, g2, b2, highHalf))
        return kNoTransition;
    return ((highHalf << kHalfBits) | lowHalf) - kCodeOffset;
}

bool TransitionLayer::hittest(int x, int y)
{
    if (!m_visible || !m_canHittest)
        return false;
    paintHittestImages();
    if (!m_hittestLow.IsOk())
        return false;
    const int old = m_hitId;
    m_hitId = -1;
    if (x < 0 || y < 0 || x >= m_hittestLow.GetWidth() || y >= m_hittestLow.GetHeight())
        return old != -1;
    const unsigned char r1 = m_hittestLow.GetRed(x, y);
    const unsigned char g1 = m_hittestLow.GetGreen(x, y);
    const unsigned char b1 = m_hittestLow.GetBlue(x, y);
    const unsigned char r2 = m_hittestHigh.GetRed(x, y);
    const unsigned char g2 = m_hittestHigh.GetGreen(x, y);
    const unsigned char b2 = m_hittestHigh.GetBlue(x, y);
    if ((r1 | g1 | b1 | r2 | g2 | b2) == 0)
        return old != -1;
    const unsigned int id = hittestColorsToTransitionID(r1, g1, b1, r2, g2, b2);
    // Colours of no table level, or of an index not loaded, hit nothing.
    if (id < m_transitions.size())
        m_hitId = static_cast<int>(id);
    return m_hitId != old;
}

void TransitionLayer::clearHittest()
{
    m_hitId = -1;
}

bool TransitionLayer::canSelect()
{
    return m_visible && m_hitId != -1;
}

bool TransitionLayer::setSelection()
{
    m_selectedId = m_hitId;
    return m_hitId != -1;
}

void TransitionLayer::clearSelection()
{
    m_selectedId = -1;
}

bool TransitionLayer::hasSelection()
{
    return m_visible && m_selectedId != -1;
}

void TransitionLayer::clear()
{
    // Batches of the old data would otherwise go on ticking over nothing.
    if (m_parent)
        m_parent->requestUpdateTimer(this, false);
    GraphLayer::clear();
    m_transitions.clear();
    m_visibleTransitions.clear();
    m_transitionKeys.clear();
    m_pendingData.clear();
    // Lines of the old data would otherwise be drawn on rows that now mean something else.
    m_segments.clear();
    m_drawnSegments = 0;
    m_needsDecimation = false;
    m_decimationIndex = 0;
    m_lastPercent = 0;
    m_dataLoaded = false;
    m_hitId = -1;
    m_selectedId = -1;
    resetHittestImages();
}

int TransitionLayer::getTooltipCount()
{
    if (m_hitId == -1)
        return 0;
    const Transition& hovered = m_transitions[m_hitId];
    if (m_parent->getDisplayRow(hovered.fromRow) == -1 || m_parent->getDisplayRow(hovered.toRow) == -1)
        return 0;
    const VisibleTransition* entry = visibleEntry(hovered);
    return 1 + static_cast<int>(entry ? entry->duplicateCount : 0);
}

wxString TransitionLayer::createTooltipString(const Transition& t)
{
    VORN_2_9::generic::varg_list rowArgs;
    rowArgs.add(m_parent->getRowName(m_parent->getDisplayRow(t.fromRow)).ToStdWstring());
    rowArgs.add(m_parent->getRowName(m_parent->getDisplayRow(t.toRow)).ToStdWstring());
    const wxString rows = getString("%Transition_tooltip_rows", rowArgs);
    VORN_2_9::generic::varg_list timeArgs;
    timeArgs.add(tarquel_1_0::durationText(static_cast<double>(t.startTime)).ToStdWstring());
    timeArgs.add(tarquel_1_0::durationText(static_cast<double>(t.endTime)).ToStdWstring());
    const wxString times = getString("%Transition_tooltip_times", timeArgs);
    return wxString::Format("%s\n%s%s", m_layerName, rows, times);
}

wxString TransitionLayer::tooltipEntry(const Transition& t)
{
    wxString text = createTooltipString(t);
    SarvikProvider* source = provider();
    if (m_useTooltipSource && m_tooltipSource && source)
        text += source->getTooltip(m_tooltipSource, t.instanceIndex);
    return text;
}

void TransitionLayer::getTooltip(int maxCount, std::vector<wxString>& lines)
{
    if (m_hitId == -1 || maxCount < 1)
        return;
    const Transition& hovered = m_transitions[m_hitId];
    if (m_parent->getDisplayRow(hovered.fromRow) == -1 || m_parent->getDisplayRow(hovered.toRow) == -1)
        return;
    lines.push_back(tooltipEntry(hovered));
    const VisibleTransition* entry = visibleEntry(hovered);
    if (!entry)
        return;
    const unsigned int recorded = std::min(entry->duplicateCount, VisibleTransition::kRecordedDuplicates);
    for (unsigned int k = 0; k < recorded && static_cast<int>(k) + 1 < maxCount; ++k)
        lines.push_back(tooltipEntry(m_transitions[entry->duplicates[k]]));
}

wxImage TransitionLayer::legendIcon() const
{
    return tarquel_1_0::createFilledImage(tarquel_1_0::loadImage("transitions.bmp", false),
                                          wxColour(255, 255, 255, 255), m_color);
}

void TransitionLayer::customizeLegend(std::vector<int>& ids)
{
    if (!m_timeline)
        return;
    m_legendItem = LegendEntry::addCheckbox(*this, legendIcon(), ids);
}

wxString TransitionLayer::getProgressText()
{
    return getString(m_dataLoaded ? "%Resolving_transitions" : "%Loading_transitions");
}

void TransitionLayer::populateLegendPopup(wxMenu& menu, int id)
{
    // The menu owns its items.
    wxMenuItem* item =
        new wxMenuItem(&menu, id, getString("%Set_transition_color_menu"), wxString(), wxITEM_NORMAL);
    item->SetBitmap(getMenuColorBitmap(m_color));
    menu.Append(item);
    menu.AppendCheckItem(id + 1, getString("%Show_all_transitions_menu"))->Check(m_showAll);
}

void TransitionLayer::handleLegendPopupMenu(int index)
{
    if (index == 1) {
        m_showAll = !m_showAll;
        if (m_timeline)
            m_timeline->getGraphArea()->renderAllGraphs();
        return;
    }
    if (index == 0)
        LegendEntry::pickColor(*this, m_color, getString("%Select_transition_color"), getString("%Transition_color"),
                               [this] { return legendIcon(); });
}

} // namespace velmora_1_0
