#pragma once
// Colours that the ruler and the areas share, so that a selection or a frame reads as one
// thing across the windows.
#include <wx/colour.h>

namespace tarquel_1_0::palette {

// The selected time range: the band on the ruler and its edges in the areas.
inline const wxColour selectionFill(170, 200, 240);
inline const wxColour selectionEdge(70, 120, 200);
// The span a hovered global marker frames.
inline const wxColour frame(0, 0, 160);

} // namespace tarquel_1_0::palette
