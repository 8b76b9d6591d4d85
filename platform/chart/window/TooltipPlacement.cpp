#include "TooltipPlacement.h"

#include <algorithm>

namespace tarquel_1_0 {

int TooltipPlacement::along(int pointer, int length, int after, int before, int begin, int end)
{
    if (pointer + after + length <= end)
        return pointer + after;
    return std::max(pointer - before - length, begin);
}

wxPoint TooltipPlacement::place(const wxSize& size, const wxPoint& pointer) const
{
    const int right = m_screen.x + m_screen.width;
    const int bottom = m_screen.y + m_screen.height;
    wxPoint corner(along(pointer.x, size.x, kRightGap, kLeftGap, m_screen.x, right),
                   along(pointer.y, size.y, kBelowGap, kAboveGap, m_screen.y, bottom));
    // Pushed against the screen's top by its height, it may reach down over the pointer: then
    // it goes beside the pointer rather than over it, on the side with more room.
    if (wxRect(corner, size).Contains(pointer))
        corner.x = right - pointer.x >= pointer.x - m_screen.x ? pointer.x + kRightGap
                                                               : pointer.x - kLeftGap - size.x;
    return corner;
}

} // namespace tarquel_1_0
