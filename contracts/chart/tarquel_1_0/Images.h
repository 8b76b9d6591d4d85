#pragma once
// Icons of the control, read from the data directory's icons/ folder (see getDataDirectory).
#include <chart_export.h>

#include <wx/colour.h>
#include <wx/image.h>
#include <wx/string.h>

namespace tarquel_1_0 {

// An invalid image when the file is missing. With maskTopLeft the colour of the top-left pixel
// becomes transparent.
TARQUEL_API wxImage loadImage(const wxString& name, bool maskTopLeft);
// A copy of `image` in which every pixel of colour `from` has colour `to` (legend icons are drawn
// with white where the layer's colour goes).
TARQUEL_API wxImage createFilledImage(const wxImage& image, const wxColour& from, const wxColour& to);

} // namespace tarquel_1_0
