#pragma once
// The legend side of a layer, the same for every layer of ours: its check box, and a colour the
// user picks from the check box's menu. Called from the layers' customizeLegend and
// handleLegendPopupMenu on the user-interface thread.
#include <VelmoraExport.h>

#include <functional>
#include <vector>

#include <wx/colour.h>
#include <wx/image.h>
#include <wx/string.h>

namespace tarquel_1_0 {
class GraphLayer;
class LegendItem;
} // namespace tarquel_1_0

namespace velmora_1_0 {

class VELMORA_API LegendEntry {
public:
    // Adds `layer`'s check box, named after the layer and shown with `icon`, and its id to `ids`.
    static tarquel_1_0::LegendItem* addCheckbox(tarquel_1_0::GraphLayer& layer, const wxImage& icon,
                                                std::vector<int>& ids);

    // Asks the user for a colour of `layer` (dialog `title`, starting at `target`). On a choice
    // stores it in `target`, gives the check box `icon()`, draws the graphs again and tells the
    // parent that the colour `what` changed; false when the user cancelled.
    static bool pickColor(tarquel_1_0::GraphLayer& layer, wxColour& target, const wxString& title,
                          const wxString& what, const std::function<wxImage()>& icon);
};

} // namespace velmora_1_0
