#include "GraphWindow.h"

#include "TimeWindow.h"
#include "TooltipPopup.h"

#include <tarquel_1_0/DataProvider.h>
#include <tarquel_1_0/EventCallback.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/RequestHold.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>
#include <tarquel_1_0/UiThread.h>
#include <tarquel_1_0/UpdateTimer.h>

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

namespace tarquel_1_0 {

namespace {
constexpr double kWheelZoomIn = 0.8;
constexpr double kPanStep = 0.2;
constexpr double kWheelPanStep = 0.1;
constexpr int kMaxTooltipLines = 8;
constexpr int kWheelRows = 3;
// Data of several layers tends to arrive together; one repaint serves them all.
constexpr int kRepaintDelayMs = 40;
// Time that a time filter excludes: a flat grey, darker than the row stripes.
const wxColour kExcludedTime(214, 214, 214);

TimeWindow viewOf(const Ruler& ruler)
{
    return {ruler.getStart().GetValue(), ruler.getEnd().GetValue()};
}

// Every zoom by wheel or key is one step of the zoom history.
void show(Ruler& ruler, const TimeWindow& window)
{
    if (!(window == viewOf(ruler)))
        ruler.setVisibleRange(window.start, window.end, true);
}

// A run of pans is one step.
void panTo(Ruler& ruler, const TimeWindow& window)
{
    if (!(window == viewOf(ruler)))
        ruler.panTo(window.start, window.end);
}
} // namespace

GraphWindow::GraphWindow(wxWindow* parent, Timeline* timeline)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE),
      m_timeline(timeline),
      m_updateTimer(std::make_unique<UpdateTimer>([this](GraphLayer& layer) { updateTick(layer); })),
      m_repaintTimer(this),
      m_tooltip(new TooltipPopup(this))
{
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { renderAll(); }, m_repaintTimer.GetId());
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &GraphWindow::onPaint, this);
    Bind(wxEVT_SIZE, &GraphWindow::onSize, this);
    Bind(wxEVT_LEFT_DOWN, &GraphWindow::onMouse, this);
    Bind(wxEVT_LEFT_UP, &GraphWindow::onMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &GraphWindow::onMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &GraphWindow::onMouse, this);
    Bind(wxEVT_MOTION, &GraphWindow::onMouse, this);
    Bind(wxEVT_LEAVE_WINDOW, &GraphWindow::onMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &GraphWindow::onWheel, this);
    Bind(wxEVT_KEY_DOWN, &GraphWindow::onKey, this);
}

GraphWindow::~GraphWindow()
{
    // Stop the work for the layers before the layers go.
    m_updateTimer.reset();
    setProvider(nullptr, false);
    m_layers.clear();
    // Left to the window's own teardown, the popup would go after the window's native part,
    // which the toolkit does not survive.
    m_tooltip->Destroy();
}

void GraphWindow::addLayer(GraphLayer* layer, int position)
{
    layer->attach(m_timeline, this);
    layer->setParentSize(GetClientSize());
    const int top = static_cast<int>(m_layers.size());
    const int index = std::clamp(top - std::max(position, 0), 0, top);
    m_layers.insert(m_layers.begin() + index, std::unique_ptr<GraphLayer>(layer));
    layer->layerAdded();
}

std::vector<GraphLayer*> GraphWindow::getLayers() const
{
    std::vector<GraphLayer*> layers;
    layers.reserve(m_layers.size());
    for (const auto& layer : m_layers)
        layers.push_back(layer.get());
    return layers;
}

void GraphWindow::setProvider(DataProvider* provider, bool owned)
{
    if (m_dataProvider == provider) {
        m_ownsProvider = owned;
        return;
    }
    if (m_dataProvider && m_ownsProvider)
        m_dataProvider->deleteSelf();
    m_dataProvider = provider;
    m_ownsProvider = owned;
}

void GraphWindow::requestData(bool onlyIfMissing)
{
    TARQUEL_UI_THREAD_ONLY();
    const RequestHold hold(m_dataProvider);
    for (const auto& layer : m_layers)
        if (layer->m_enabled)
            layer->requestData(onlyIfMissing);
}

void GraphWindow::renderAll()
{
    TARQUEL_UI_THREAD_ONLY();
    m_repaintTimer.Stop();
    {
        wxMemoryDC dc(buffer());
        drawBackground(dc);
        // The filter band is a row background: data of every layer stays readable on top of it.
        if (m_filterLayer)
            for (const auto& layer : m_layers)
                if (layer->m_enabled)
                    layer->renderFilterOutline(dc);
        for (const auto& layer : m_layers)
            if (layer->m_enabled)
                layer->renderAll(dc);
        maskExcludedTime(dc);
    }
    Refresh(false);
}

bool GraphWindow::isRepaintPending() const
{
    return m_repaintTimer.IsRunning();
}

bool GraphWindow::hasEnabledLayerAbove(const GraphLayer& layer) const
{
    const auto it = std::find_if(m_layers.begin(), m_layers.end(),
                                 [&layer](const std::unique_ptr<GraphLayer>& held) { return held.get() == &layer; });
    return it != m_layers.end() &&
           std::any_of(std::next(it), m_layers.end(), [](const std::unique_ptr<GraphLayer>& above) { return above->m_enabled; });
}

void GraphWindow::applyData(GraphLayer& layer)
{
    // Drawing straight into the bitmap would cover the layers above: those data are applied
    // undrawn and the whole stack is repainted once the arrivals of the moment are in.
    const bool covered = layer.m_enabled && hasEnabledLayerAbove(layer);
    {
        wxMemoryDC dc(buffer());
        layer.updateData(dc, layer.m_enabled && !covered);
        maskExcludedTime(dc);
    }
    if (covered && !m_repaintTimer.IsRunning())
        m_repaintTimer.StartOnce(kRepaintDelayMs);
    Refresh(false);
}

void GraphWindow::layerDataReady(GraphLayer* layer)
{
    TARQUEL_UI_THREAD_ONLY();
    if (layer->checkData())
        applyData(*layer);
}

void GraphWindow::clearLayerSelection(GraphLayer* except)
{
    for (const auto& layer : m_layers)
        if (layer.get() != except)
            layer->clearSelection();
}

GraphLayer* GraphWindow::getSelectionLayer() const
{
    for (const auto& layer : m_layers)
        if (layer->hasSelection())
            return layer.get();
    return nullptr;
}

void GraphWindow::clearHittest()
{
    for (const auto& layer : m_layers)
        layer->clearHittest();
    m_tooltip->hideTip();
    Refresh(false);
}

bool GraphWindow::claimRowBackgroundPainting(GraphLayer* layer)
{
    if (!m_backgroundLayer)
        m_backgroundLayer = layer;
    return m_backgroundLayer == layer;
}

void GraphWindow::layerColorChanged(GraphLayer* layer, const wxColour& colour, const wxString& what)
{
    if (m_callback)
        m_callback->layerColorChanged(layer, what, colour);
}

void GraphWindow::requestUpdateTimer(GraphLayer* layer, bool on)
{
    m_updateTimer->request(layer, on);
}

void GraphWindow::drawOverlay(wxDC&) const {}

bool GraphWindow::handleLeftDown(wxMouseEvent&)
{
    return false;
}

bool GraphWindow::handleMotion(wxMouseEvent&)
{
    return false;
}

bool GraphWindow::handleLeftUp(wxMouseEvent&)
{
    return false;
}

void GraphWindow::handleRightDown(wxMouseEvent&) {}

void GraphWindow::sizeChanged(const wxSize&) {}

void GraphWindow::scrollRows(int) {}

void GraphWindow::maskExcludedTime(wxDC& dc)
{
    const TimeMask& mask = m_timeline->getTimeMask();
    if (!mask.isActive())
        return;
    const wxRect area = maskedArea();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(kExcludedTime));
    for (const auto& run : mask.excludedColumns(*m_timeline->getRuler(), GetClientSize().x))
        dc.DrawRectangle(run.first, area.y, run.second - run.first + 1, area.height);
}

bool GraphWindow::isExcludedColumn(int x) const
{
    return !m_timeline->getTimeMask().keepsColumn(*m_timeline->getRuler(), x);
}

wxRect GraphWindow::maskedArea() const
{
    return wxRect(GetClientSize());
}

wxBitmap& GraphWindow::buffer()
{
    const wxSize size = GetClientSize();
    const wxSize wanted(std::max(size.x, 1), std::max(size.y, 1));
    if (!m_buffer.IsOk() || m_buffer.GetSize() != wanted)
        m_buffer.Create(wanted);
    return m_buffer;
}

void GraphWindow::composeFrame()
{
    // Highlights go on a copy, so that the layers' picture stays clean for the next hover.
    if (!m_frame.IsOk() || m_frame.GetSize() != m_buffer.GetSize())
        m_frame.Create(m_buffer.GetSize());
    wxMemoryDC dc(m_frame);
    dc.DrawBitmap(m_buffer, 0, 0);
    for (const auto& layer : m_layers)
        if (layer->m_enabled)
            layer->renderHittest(dc);
    drawOverlay(dc);
}

void GraphWindow::onPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (!m_buffer.IsOk()) {
        dc.SetBackground(wxBrush(GetBackgroundColour()));
        dc.Clear();
        return;
    }
    composeFrame();
    dc.DrawBitmap(m_frame, 0, 0);
}

void GraphWindow::onSize(wxSizeEvent& event)
{
    const wxSize size = GetClientSize();
    for (const auto& layer : m_layers)
        layer->setParentSize(size);
    sizeChanged(size);
    renderAll();
    event.Skip();
}

void GraphWindow::onMouse(wxMouseEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN) {
        SetFocus();
        if (!handleLeftDown(event))
            selectAt(false);
    } else if (type == wxEVT_LEFT_DCLICK) {
        selectAt(true);
    } else if (type == wxEVT_LEFT_UP) {
        handleLeftUp(event);
    } else if (type == wxEVT_RIGHT_DOWN) {
        m_tooltip->hideTip(); // a menu is about to open over it
        handleRightDown(event);
    } else if (type == wxEVT_MOTION) {
        m_pointerX = event.GetX();
        if (handleMotion(event))
            m_tooltip->hideTip(); // a drag: the tooltip would only be in the way
        else
            hover(event.GetX(), event.GetY());
    } else if (type == wxEVT_LEAVE_WINDOW) {
        m_pointerX = -1;
        hover(-1, -1);
    }
}

void GraphWindow::hover(int x, int y)
{
    // Nothing shows in excluded time, so nothing there can be hovered.
    if (x >= 0 && isExcludedColumn(x)) {
        x = -1;
        y = -1;
    }
    bool changed = false;
    for (const auto& layer : m_layers)
        if (layer->m_enabled && layer->hittest(x, y))
            changed = true;
    if (changed)
        Refresh(false);
    // The tooltip moves with the pointer even over the same item.
    if (x < 0)
        m_tooltip->hideTip();
    else
        m_tooltip->showAt(changed ? tooltipText() : m_tooltip->GetLabel(), ClientToScreen(wxPoint(x, y)));
}

wxString GraphWindow::tooltipText() const
{
    std::vector<wxString> lines;
    for (auto it = m_layers.rbegin(); it != m_layers.rend(); ++it) {
        GraphLayer& layer = **it;
        const int room = kMaxTooltipLines - static_cast<int>(lines.size());
        if (layer.m_enabled && room > 0 && layer.getTooltipCount() > 0)
            layer.getTooltip(room, lines);
    }
    wxString text;
    for (const wxString& line : lines)
        text += (text.empty() ? wxString() : wxString("\n\n")) + line;
    return text;
}

void GraphWindow::selectAt(bool activate)
{
    GraphLayer* chosen = nullptr;
    for (auto it = m_layers.rbegin(); it != m_layers.rend() && !chosen; ++it)
        if ((*it)->m_enabled && (*it)->canSelect())
            chosen = it->get();
    m_timeline->clearLayerSelection(chosen);
    if (chosen) {
        const bool selected = chosen->setSelection();
        if (activate) {
            chosen->doubleClicked();
            if (m_callback)
                m_callback->itemActivated(chosen);
        } else if (selected && m_callback) {
            m_callback->itemSelected(chosen);
        }
    }
    m_timeline->getGraphArea()->renderAllGraphs();
}

void GraphWindow::onWheel(wxMouseEvent& event)
{
    const int rotation = event.GetWheelRotation();
    if (rotation == 0)
        return;
    // The sideways wheel pans to the right for a positive turn; the other panning turns of the
    // wheel move away from the user (positive) towards earlier time.
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL) {
        pan(rotation > 0 ? kWheelPanStep : -kWheelPanStep);
    } else if (event.ControlDown()) {
        scrollRows(rotation > 0 ? -kWheelRows : kWheelRows);
    } else if (event.ShiftDown()) {
        pan(rotation > 0 ? -kWheelPanStep : kWheelPanStep);
    } else {
        zoomAround(event.GetX(), rotation > 0 ? kWheelZoomIn : 1.0 / kWheelZoomIn);
    }
}

void GraphWindow::zoomAround(int x, double factor)
{
    Ruler& ruler = *m_timeline->getRuler();
    const TimeWindow current = viewOf(ruler);
    const std::uint64_t anchor =
        x >= 0 ? ruler.timeFromX(x).GetValue() : current.start + (current.end - current.start) / 2;
    show(ruler, current.zoomedAround(anchor, factor, ruler.getDuration().GetValue()));
}

void GraphWindow::pan(double fraction)
{
    Ruler& ruler = *m_timeline->getRuler();
    panTo(ruler, viewOf(ruler).panned(fraction, ruler.getDuration().GetValue()));
}

void GraphWindow::onKey(wxKeyEvent& event)
{
    // Letters with a modifier are commands of the window (search and the like).
    if (event.HasAnyModifiers() && event.GetKeyCode() < WXK_START) {
        event.Skip();
        return;
    }
    Ruler& ruler = *m_timeline->getRuler();
    const TimeWindow current = viewOf(ruler);
    const std::uint64_t span = current.end - current.start;
    switch (event.GetKeyCode()) {
    case 'W':
        zoomAround(m_pointerX, kWheelZoomIn);
        break;
    case 'S':
        zoomAround(m_pointerX, 1.0 / kWheelZoomIn);
        break;
    case '+':
    case '=':
    case WXK_NUMPAD_ADD:
        zoomAround(-1, kWheelZoomIn);
        break;
    case '-':
    case WXK_NUMPAD_SUBTRACT:
        zoomAround(-1, 1.0 / kWheelZoomIn);
        break;
    case 'A':
    case WXK_LEFT:
        pan(-kPanStep);
        break;
    case 'D':
    case WXK_RIGHT:
        pan(kPanStep);
        break;
    case WXK_HOME:
        panTo(ruler, {0, span});
        break;
    case WXK_END:
        panTo(ruler, {ruler.getDuration().GetValue() - span, ruler.getDuration().GetValue()});
        break;
    case WXK_UP:
        scrollRows(-1);
        break;
    case WXK_DOWN:
        scrollRows(1);
        break;
    case WXK_PAGEUP:
        scrollRows(-pageRows());
        break;
    case WXK_PAGEDOWN:
        scrollRows(pageRows());
        break;
    case WXK_BACK:
        if (ruler.canZoomUndo())
            ruler.zoomUndo();
        break;
    case '0':
        if (ruler.canZoomReset())
            ruler.zoomReset();
        break;
    default:
        event.Skip();
    }
}

int GraphWindow::pageRows()
{
    int first = -1;
    int last = -1;
    getVisibleRowRange(first, last);
    return std::max(last - first, 1);
}

void GraphWindow::updateTick(GraphLayer& layer)
{
    applyData(layer);
}

} // namespace tarquel_1_0
