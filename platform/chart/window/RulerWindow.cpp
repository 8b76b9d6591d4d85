#include "RulerWindow.h"

#include "Palette.h"

#include <tarquel_1_0/EventCallback.h>
#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <algorithm>
#include <cmath>

#include <wx/dc.h>
#include <wx/settings.h>

namespace tarquel_1_0 {

namespace {
const wxColour kRulerBackground(236, 236, 240);
const wxColour kStripBackground(250, 250, 250);
const wxColour kTickColour(96, 96, 96);
constexpr int kMinTickSpacing = 90; // pixels between labelled ticks, at least

// The smallest 1, 2 or 5 times a power of ten that is at least `minimum`.
std::uint64_t niceStep(long double minimum)
{
    std::uint64_t power = 1;
    while (true) {
        for (const std::uint64_t factor : {1u, 2u, 5u})
            if (static_cast<long double>(power * factor) >= minimum)
                return power * factor;
        if (power > UINT64_MAX / 100)
            return power * 10;
        power *= 10;
    }
}
// A text of the quantity formatter with the ruler's decimal separator.
wxString readable(const Ruler& ruler, wxString text)
{
    text.Replace(".", ruler.getDecimalSeparator());
    return text;
}
} // namespace

RulerWindow::RulerWindow(wxWindow* parent, Timeline* timeline) : GraphWindow(parent, timeline)
{
    SetMinSize(wxSize(-1, kLabelHeight + kStripHeight));
    // A popup or another window may take the mouse in the middle of a drag.
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        m_dragStartX = -1;
        m_dragging = false;
    });
}

wxRect RulerWindow::maskedArea() const
{
    return stripRect();
}

wxRect RulerWindow::stripRect() const
{
    const wxSize size = GetClientSize();
    return wxRect(0, size.y - kStripHeight, size.x, kStripHeight);
}

wxRect RulerWindow::getRowRect(int displayRow, bool)
{
    return displayRow == 0 ? stripRect() : wxRect();
}

void RulerWindow::getVisibleRowRange(int& first, int& last)
{
    first = 0;
    last = 0;
}

int RulerWindow::getDataRow(int displayRow)
{
    return displayRow == 0 ? 0 : -1;
}

int RulerWindow::getDisplayRow(int dataRow)
{
    return dataRow == 0 ? 0 : -1;
}

int RulerWindow::getRowCount()
{
    return 1;
}

wxString RulerWindow::getRowName(int)
{
    return wxString();
}

bool RulerWindow::getRowLifetime(int dataRow, wxULongLong& start, wxULongLong& end)
{
    start = 0;
    end = dataRow == 0 ? getTimeline()->getRuler()->getDuration() : 0;
    return dataRow == 0;
}

bool RulerWindow::getRowDrawSpan(int displayRow, wxULongLong& start, wxULongLong& end)
{
    start = getTimeline()->getRuler()->getStart();
    end = getTimeline()->getRuler()->getEnd();
    return displayRow == 0;
}

int RulerWindow::getDataRowAt(int, int y, bool)
{
    const wxRect strip = stripRect();
    return y >= strip.y && y < strip.GetBottom() + 1 ? 0 : -1;
}

wxRect RulerWindow::getRowGraphRect(int displayRow)
{
    return getRowRect(displayRow, false);
}

void RulerWindow::drawBackground(wxDC& dc)
{
    const wxSize size = GetClientSize();
    dc.SetBackground(wxBrush(kRulerBackground));
    dc.Clear();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(kStripBackground));
    dc.DrawRectangle(stripRect());

    const Ruler& ruler = *getTimeline()->getRuler();
    if (ruler.hasRulerSelection()) {
        const int x1 = ruler.xFromTime(ruler.getSelectionStart(), true);
        const int x2 = ruler.xFromTime(ruler.getSelectionEnd(), true);
        dc.SetBrush(wxBrush(palette::selectionFill));
        dc.DrawRectangle(x1, 0, std::max(x2 - x1, 1), kLabelHeight);
    }
    drawTicks(dc);
    dc.SetPen(wxPen(kTickColour));
    dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
}

void RulerWindow::drawTicks(wxDC& dc)
{
    const Ruler& ruler = *getTimeline()->getRuler();
    const std::uint64_t start = ruler.getStart().GetValue();
    const std::uint64_t end = ruler.getEnd().GetValue();
    const int width = GetClientSize().x;
    if (end <= start || width <= 0)
        return;
    const long double perPixel = static_cast<long double>(end - start) / width;
    const std::uint64_t step = niceStep(perPixel * kMinTickSpacing);
    dc.SetFont(GetFont());
    dc.SetTextForeground(kTickColour);
    dc.SetPen(wxPen(kTickColour));
    int taken = 0; // right edge of the last label drawn
    for (std::uint64_t t = (start + step - 1) / step * step; t <= end; t += step) {
        const int x = ruler.xFromTime(t, true);
        // The toolkit draws a line's last point too: the tick ends above the strip.
        dc.DrawLine(x, kLabelHeight - 6, x, kLabelHeight - 1);
        const wxString label = readable(ruler, tickText(t, step, end));
        const int textWidth = dc.GetTextExtent(label).x;
        // A label that would run off the right edge goes left of its tick, unless it would
        // cover the label before it; none is ever cut.
        int left = x + 2;
        if (left + textWidth > width)
            left = x - 2 - textWidth;
        if (left >= taken && left >= 0 && left + textWidth <= width) {
            dc.DrawText(label, left, 1);
            taken = left + textWidth + kLabelGap;
        }
        if (t > UINT64_MAX - step)
            break;
    }
}

void RulerWindow::drawSelectionLength(wxDC& dc, int x1, int x2) const
{
    // How long the selected range is, in its middle when it fits there, else beside it.
    const Ruler& ruler = *getTimeline()->getRuler();
    const wxString label =
        readable(ruler, durationText(static_cast<double>((ruler.getSelectionEnd() - ruler.getSelectionStart()).GetValue())));
    dc.SetFont(GetFont().Bold());
    const wxSize text = dc.GetTextExtent(label);
    const int width = GetClientSize().x;
    int left = (x1 + x2 - text.x) / 2;
    if (text.x + 4 > x2 - x1)
        left = x2 + 4 + text.x <= width ? x2 + 4 : x1 - 4 - text.x;
    left = std::clamp(left, 0, std::max(width - text.x, 0));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(palette::selectionFill));
    dc.DrawRectangle(left - 2, kLabelHeight, text.x + 4, text.y);
    dc.SetTextForeground(kTickColour);
    dc.DrawText(label, left, kLabelHeight);
    dc.SetFont(GetFont());
}

void RulerWindow::drawOverlay(wxDC& dc) const
{
    const Ruler& ruler = *getTimeline()->getRuler();
    if (ruler.hasRulerSelection())
        drawSelectionLength(dc, ruler.xFromTime(ruler.getSelectionStart(), true),
                            ruler.xFromTime(ruler.getSelectionEnd(), true));
    if (!ruler.hasFrameAnchor())
        return;
    const int x1 = ruler.getFrameAnchorX1();
    const int x2 = ruler.getFrameAnchorX2();
    const wxRect strip = stripRect();
    dc.SetPen(wxPen(palette::frame));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(x1, strip.y, std::max(x2 - x1 + 1, 1), strip.height);
}

bool RulerWindow::handleLeftDown(wxMouseEvent& event)
{
    // The marker strip belongs to the global layers: clicks there select markers.
    if (stripRect().Contains(event.GetPosition()))
        return false;
    m_dragStartX = event.GetX();
    m_dragging = false;
    CaptureMouse();
    return true;
}

bool RulerWindow::handleMotion(wxMouseEvent& event)
{
    if (m_dragStartX < 0 || !event.LeftIsDown())
        return false;
    if (!m_dragging && std::abs(event.GetX() - m_dragStartX) < kDragThreshold)
        return true;
    m_dragging = true;
    selectBetween(m_dragStartX, event.GetX());
    return true;
}

bool RulerWindow::handleLeftUp(wxMouseEvent& event)
{
    if (m_dragStartX < 0)
        return false;
    if (HasCapture())
        ReleaseMouse();
    const bool dragged = m_dragging;
    if (dragged)
        selectBetween(m_dragStartX, event.GetX());
    m_dragStartX = -1;
    m_dragging = false;
    if (dragged) {
        if (EventCallback* callback = getEventCallback())
            callback->rulerRangeSelected(getTimeline());
    } else {
        getTimeline()->getRuler()->setSelection(0, 0, true);
    }
    return true;
}

void RulerWindow::handleRightDown(wxMouseEvent&)
{
    if (EventCallback* callback = getEventCallback())
        callback->rulerContextMenu(getTimeline());
}

void RulerWindow::sizeChanged(const wxSize& size)
{
    Ruler& ruler = *getTimeline()->getRuler();
    ruler.setPixelWidth(size.x);
    ruler.setWindowSize(size);
}

void RulerWindow::selectBetween(int x1, int x2)
{
    const int width = GetClientSize().x;
    x1 = std::clamp(x1, 0, width);
    x2 = std::clamp(x2, 0, width);
    Ruler& ruler = *getTimeline()->getRuler();
    ruler.setSelection(ruler.timeFromX(std::min(x1, x2)), ruler.timeFromX(std::max(x1, x2)), true);
}

} // namespace tarquel_1_0
