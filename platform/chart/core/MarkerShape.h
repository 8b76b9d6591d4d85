#pragma once
// The outline of the event marker's pin, shared by the renderer, which paints pins one by one,
// and MarkerStrip, which composes a row of them at once: both must paint the same pixels.
namespace tarquel_1_0 {

struct MarkerShape {
    // Lines of the pin.
    static constexpr int kPinLines = 14;
    // Half-widths from the top edge down to the tip. The point narrows in steps of two lines:
    // fewer boxes per pin, and pins are drawn by the thousand.
    static constexpr int kPinHalfWidths[kPinLines] = {5, 5, 5, 5, 5, 5, 5, 5, 5, 3, 3, 1, 1, 0};
    // Lines of the pin's box, above the point; an icon goes inside its border.
    static constexpr int kPinBoxLines = 9;
};

} // namespace tarquel_1_0
