#include "BoxPainter.h"

#include "ExactPixels.h"
#include "PixelTarget.h"

#include <algorithm>
#include <cstring>

#include <wx/dc.h>

namespace tarquel_1_0 {

namespace {

// Marks `count` bytes; marker shapes are mostly narrower than 16 pixels, where two overlapping
// fixed-size copies beat a call to memset.
void mark(unsigned char* at, int count)
{
    static const unsigned char kOnes[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    if (count >= 8 && count <= 16) {
        std::memcpy(at, kOnes, 8);
        std::memcpy(at + count - 8, kOnes, 8);
    } else {
        std::memset(at, 1, count);
    }
}

} // namespace

BoxPainter::BoxPainter(wxDC& dc)
    : m_dc(dc), m_pixels(std::make_unique<PixelTarget>(dc)), m_pen(dc.GetPen()), m_brush(dc.GetBrush())
{
    m_waiting.fill(kNoBox);
}

BoxPainter::~BoxPainter()
{
    flush();
    if (m_touched) {
        m_dc.SetPen(m_pen);
        m_dc.SetBrush(m_brush);
    }
}

void BoxPainter::use(const wxColour& colour)
{
    if (colour == m_colour)
        return;
    // Colours must land in the order they were asked for.
    paintPending();
    m_colour = colour;
    m_direct = m_pixels->ok() && PixelTarget::pixelOf(colour, m_pixel);
}

void BoxPainter::add(int x1, int y1, int x2, int y2)
{
    const Box box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    if (!m_direct && !m_masking) {
        if (m_listedCount < kListedBoxes) {
            m_listed[m_listedCount++] = box;
            return;
        }
        startMask();
    }
    const size_t slot = (box.y1 + (box.y2 - box.y1) * 17) & (kWaitingSlots - 1);
    Box& waiting = m_waiting[slot];
    if (waiting.y1 == box.y1 && waiting.y2 == box.y2 && box.x1 <= waiting.x2 + 1 && box.x2 >= waiting.x1 - 1) {
        waiting.x1 = std::min(waiting.x1, box.x1);
        waiting.x2 = std::max(waiting.x2, box.x2);
        return;
    }
    release(waiting);
    waiting = box;
    m_occupied |= std::uint64_t(1) << slot;
}

void BoxPainter::release(const Box& box)
{
    if (m_direct)
        m_pixels->fill(box.x1, box.y1, box.x2, box.y2, m_pixel);
    else
        cover(box);
}

void BoxPainter::releaseWaiting()
{
    for (; m_occupied != 0; m_occupied &= m_occupied - 1) {
        Box& waiting = m_waiting[static_cast<size_t>(__builtin_ctzll(m_occupied))];
        release(waiting);
        waiting = kNoBox;
    }
}

wxRect BoxPainter::areaOf(const wxDC& dc)
{
    const wxSize size = dc.GetSize();
    const int left = dc.DeviceToLogicalX(0);
    const int top = dc.DeviceToLogicalY(0);
    return wxRect(left, top, dc.DeviceToLogicalX(size.x) - left, dc.DeviceToLogicalY(size.y) - top);
}

const wxRect& BoxPainter::area()
{
    if (!m_areaKnown) {
        m_area = areaOf(m_dc);
        m_areaKnown = true;
    }
    return m_area;
}

void BoxPainter::startMask()
{
    m_masking = true;
    m_mask.assign(static_cast<size_t>(std::max(area().width, 0)) * std::max(area().height, 0), 0);
    m_firstRow = m_area.height;
    m_lastRow = -1;
    for (size_t i = 0; i < m_listedCount; ++i)
        cover(m_listed[i]);
    m_listedCount = 0;
}

void BoxPainter::cover(const Box& box)
{
    if (box.y1 > box.y2)
        return; // an empty waiting slot
    // Nothing outside the DC shows, so the mask only needs the DC's area.
    const int left = std::max(box.x1, m_area.x) - m_area.x;
    const int right = std::min(box.x2, m_area.GetRight()) - m_area.x;
    const int top = std::max(box.y1, m_area.y) - m_area.y;
    const int bottom = std::min(box.y2, m_area.GetBottom()) - m_area.y;
    if (left > right || top > bottom)
        return;
    m_firstRow = std::min(m_firstRow, top);
    m_lastRow = std::max(m_lastRow, bottom);
    unsigned char* line = m_mask.data() + static_cast<size_t>(top) * m_area.width + left;
    for (int y = top; y <= bottom; ++y, line += m_area.width)
        mark(line, right - left + 1);
}

void BoxPainter::flush()
{
    paintPending();
    m_pixels->marked();
}

void BoxPainter::paintPending()
{
    releaseWaiting();
    if (m_masking)
        paintMask();
    else
        paintBoxes();
}

void BoxPainter::paintBoxes()
{
    if (m_listedCount == 0)
        return;
    ExactPixels exact(m_dc);
    select();
    for (size_t i = 0; i < m_listedCount; ++i) {
        const Box& box = m_listed[i];
        m_dc.DrawRectangle(box.x1, box.y1, box.x2 - box.x1 + 1, box.y2 - box.y1 + 1);
    }
    m_listedCount = 0;
}

void BoxPainter::paintMask()
{
    if (m_lastRow < m_firstRow)
        return;
    ExactPixels exact(m_dc);
    select();
    // Covered runs of one line, and rectangles still growing downwards: a run that is the same
    // on the next line extends its rectangle instead of starting a new one.
    struct Run {
        int left, right, top;
    };
    std::vector<Run> open;
    std::vector<Run> next;
    std::vector<Run> line;
    const int width = m_area.width;
    const auto close = [&](const Run& run, int endRow) {
        m_dc.DrawRectangle(m_area.x + run.left, m_area.y + run.top, run.right - run.left + 1, endRow - run.top);
    };
    for (int y = m_firstRow; y <= m_lastRow + 1; ++y) {
        line.clear();
        if (y <= m_lastRow) {
            unsigned char* pixels = m_mask.data() + static_cast<size_t>(y) * width;
            const unsigned char* const end = pixels + width;
            const unsigned char* at = pixels;
            while (at < end) {
                at = static_cast<const unsigned char*>(std::memchr(at, 1, end - at));
                if (!at)
                    break;
                const unsigned char* stop = at;
                while (stop < end && *stop)
                    ++stop;
                line.push_back({static_cast<int>(at - pixels), static_cast<int>(stop - pixels) - 1, y});
                at = stop;
            }
            std::memset(pixels, 0, width);
        }
        next.clear();
        size_t i = 0;
        size_t j = 0;
        while (i < open.size() || j < line.size()) {
            if (j == line.size() || (i < open.size() && open[i].left < line[j].left)) {
                close(open[i++], y);
            } else if (i == open.size() || line[j].left < open[i].left) {
                next.push_back(line[j++]);
            } else if (open[i].right == line[j].right) {
                next.push_back(open[i++]);
                ++j;
            } else {
                close(open[i++], y);
                next.push_back(line[j++]);
            }
        }
        open.swap(next);
    }
    m_firstRow = m_area.height;
    m_lastRow = -1;
}

void BoxPainter::select()
{
    m_dc.SetPen(*wxTRANSPARENT_PEN);
    m_dc.SetBrush(wxBrush(m_colour));
    m_touched = true;
}

} // namespace tarquel_1_0
