#pragma once
// Where a tooltip goes for a pointer: below and to the right of it, clear of the cursor's
// picture; to the left where the screen ends on the right, above where it ends at the bottom.
// It never covers the pointer's point and stays on the screen when it fits there. Plain
// geometry in screen coordinates, apart from the window that shows the tooltip.
#include <wx/gdicmn.h>

namespace tarquel_1_0 {

class TooltipPlacement {
public:
    explicit TooltipPlacement(const wxRect& screen) : m_screen(screen) {}

    // Top-left corner of a tooltip of `size` for the pointer at `pointer`.
    wxPoint place(const wxSize& size, const wxPoint& pointer) const;

private:
    // Gaps between the pointer and the tooltip: the cursor's arrow hangs below and to the right.
    static constexpr int kRightGap = 12;
    static constexpr int kBelowGap = 20;
    static constexpr int kLeftGap = 4;
    static constexpr int kAboveGap = 4;

    // Start of a tooltip `length` long on one axis: after the pointer if it fits before `end`,
    // else before the pointer, kept on the screen between `begin` and `end`.
    static int along(int pointer, int length, int after, int before, int begin, int end);

    wxRect m_screen;
};

} // namespace tarquel_1_0
