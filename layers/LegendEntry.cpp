#include "layers/LegendEntry.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/LegendCheckBox.h>
#include <tarquel_1_0/Timeline.h>

namespace velmora_1_0 {

tarquel_1_0::LegendItem* LegendEntry::addCheckbox(tarquel_1_0::GraphLayer& layer, const wxImage& icon,
                                                  std::vector<int>& ids)
{
    tarquel_1_0::Legend* legend = layer.m_timeline->getLegend();
    const int id = legend->nextItemId();
    ids.push_back(id);
    return legend->addCheckbox(id, layer.m_layerName, icon, layer.m_layerName, true, false, 4);
}

bool LegendEntry::pickColor(tarquel_1_0::GraphLayer& layer, wxColour& target, const wxString& title,
                            const wxString& what, const std::function<wxImage()>& icon)
{
    if (!layer.m_parent)
        return false;
    wxColour chosen;
    if (!tarquel_1_0::getColorFromUser(layer.m_parent->getWindow(), title, target, chosen))
        return false;
    target = chosen;
    if (auto* box = dynamic_cast<tarquel_1_0::LegendCheckBox*>(layer.m_legendItem))
        box->setImage(icon());
    if (layer.m_timeline) {
        layer.m_timeline->getGraphArea()->renderAllGraphs();
        layer.m_timeline->getLegend()->repaint();
    }
    layer.m_parent->layerColorChanged(&layer, chosen, what);
    return true;
}

} // namespace velmora_1_0
