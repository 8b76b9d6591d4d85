#include "ScreenshotLayout.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace viewer_test {

bool ScreenshotLayout::parse(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    bool axis = false;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "axis") {
            axis = static_cast<bool>(fields >> m_left >> m_width >> m_start >> m_end);
        } else if (kind == "ruler") {
            fields >> m_ruler.left >> m_ruler.top >> m_ruler.width >> m_ruler.height;
        } else if (kind == "area") {
            std::size_t index = 0;
            LayoutBox box;
            fields >> index >> box.left >> box.top >> box.width >> box.height;
            if (m_areas.size() <= index)
                m_areas.resize(index + 1);
            m_areas[index] = box;
        } else if (kind == "row") {
            LayoutRow row;
            fields >> row.area >> row.dataRow >> row.top >> row.height;
            std::getline(fields >> std::ws, row.name);
            m_rows.push_back(row);
        } else if (kind == "lanes") {
            int area = 0;
            int dataRow = 0;
            int top = 0;
            int height = 0;
            fields >> area >> dataRow >> top >> height;
            for (LayoutRow& row : m_rows)
                if (row.area == area && row.dataRow == dataRow) {
                    row.lanesTop = top;
                    row.lanesHeight = height;
                }
        }
    }
    return axis && m_width > 0 && m_end > m_start;
}

int ScreenshotLayout::xOf(std::uint64_t nanoseconds) const
{
    const long double offset = static_cast<long double>(nanoseconds) - static_cast<long double>(m_start);
    return m_left + static_cast<int>(offset * m_width / (static_cast<long double>(m_end - m_start) + 1.0L));
}

const LayoutRow* ScreenshotLayout::row(int area, int dataRow) const
{
    const auto found = std::find_if(m_rows.begin(), m_rows.end(), [&](const LayoutRow& row) {
        return row.area == area && row.dataRow == dataRow;
    });
    return found == m_rows.end() ? nullptr : &*found;
}

const LayoutBox* ScreenshotLayout::area(int index) const
{
    return index >= 0 && index < static_cast<int>(m_areas.size()) ? &m_areas[static_cast<std::size_t>(index)]
                                                                    : nullptr;
}

bool ScreenshotLayout::isShown(const LayoutRow& row) const
{
    const LayoutBox* box = area(row.area);
    const int bottom = row.lanesHeight > 0 ? row.lanesTop + row.lanesHeight : row.top + row.height;
    return box && row.top >= box->top && bottom <= box->top + box->height;
}

bool ColourFinder::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_image.GetWidth() || y >= m_image.GetHeight())
        return false;
    const int tolerance = 6;
    return std::abs(m_image.GetRed(x, y) - static_cast<int>((m_rgb >> 16) & 0xFF)) <= tolerance &&
           std::abs(m_image.GetGreen(x, y) - static_cast<int>((m_rgb >> 8) & 0xFF)) <= tolerance &&
           std::abs(m_image.GetBlue(x, y) - static_cast<int>(m_rgb & 0xFF)) <= tolerance;
}

bool ColourFinder::inBox(int x0, int x1, int y0, int y1) const
{
    const std::vector<bool> found = columns(x0, x1, y0, y1);
    return std::find(found.begin(), found.end(), true) != found.end();
}

std::vector<bool> ColourFinder::columns(int x0, int x1, int y0, int y1) const
{
    std::vector<bool> found;
    for (int x = x0; x <= x1; ++x) {
        bool any = false;
        for (int y = y0; y < y1 && !any; ++y)
            any = at(x, y);
        found.push_back(any);
    }
    return found;
}

} // namespace viewer_test
