#include <tarquel_1_0/Legend.h>

#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/LegendCheckBox.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/wrapsizer.h>

namespace tarquel_1_0 {

namespace {
// Menu ids handed to a layer's populateLegendPopup; the layer's entries count up from here.
constexpr int kFirstPopupId = wxID_HIGHEST + 500;
} // namespace

Legend::Legend(wxWindow* parent, Timeline* timeline)
    : wxPanel(parent, wxID_ANY), m_timeline(timeline)
{
    SetSizer(new wxBoxSizer(wxVERTICAL));
}

LegendItem* Legend::addCheckbox(int id, const wxString& label, const wxImage& icon, const wxString& tooltip,
                                bool checked, bool newLine, int spacing)
{
    auto* item = new LegendCheckBox(this, id, label, icon, tooltip, checked, spacing);
    wxSizer* sizer = GetSizer();
    wxSizerItemList& lines = sizer->GetChildren();
    if (newLine || lines.empty())
        sizer->Add(new wxWrapSizer(wxHORIZONTAL), 0, wxEXPAND); // a line too long wraps, never cut
    sizer->GetChildren().back()->GetSizer()->Add(item, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    m_items.push_back(item);
    Layout();
    return item;
}

void Legend::assignLayer(const std::vector<int>& ids, GraphLayer* layer)
{
    for (const int id : ids)
        if (LegendItem* item = findItem(id))
            item->setLayer(layer);
}

LegendItem* Legend::findItem(int id) const
{
    for (LegendItem* item : m_items)
        if (item->getItemId() == id)
            return item;
    return nullptr;
}

void Legend::clear()
{
    GetSizer()->Clear(true);
    m_items.clear();
    m_nextItemId = 0;
    Layout();
}

void Legend::repaint()
{
    for (LegendItem* item : m_items)
        item->Refresh();
    Refresh();
}

void Legend::updateState()
{
    for (LegendItem* item : m_items) {
        GraphLayer* layer = item->getLayer();
        auto* box = dynamic_cast<LegendCheckBox*>(item);
        if (!layer || !box)
            continue;
        if (item == layer->m_legendItem)
            box->setChecked(layer->m_visible);
        else if (item == layer->m_runningLegendItem)
            box->setChecked(layer->m_showRunning);
        box->Enable(layer->m_enabled);
    }
    repaint();
}

bool Legend::buildPopup(LegendItem* item, wxMenu& menu) const
{
    GraphLayer* layer = item->getLayer();
    if (!layer)
        return false;
    layer->populateLegendPopup(menu, kFirstPopupId);
    return menu.GetMenuItemCount() > 0;
}

void Legend::handlePopupSelection(LegendItem* item, int commandId)
{
    if (GraphLayer* layer = item->getLayer(); layer && commandId >= kFirstPopupId)
        layer->handleLegendPopupMenu(commandId - kFirstPopupId);
}

void Legend::showPopupFor(LegendItem* item)
{
    wxMenu menu;
    if (!buildPopup(item, menu))
        return;
    const int chosen = GetPopupMenuSelectionFromUser(menu, item->GetPosition() + wxPoint(0, item->GetSize().y));
    if (chosen != wxID_NONE)
        handlePopupSelection(item, chosen);
}

void Legend::itemToggled(LegendItem* item)
{
    if (GraphLayer* layer = item->getLayer())
        layer->handleCustomLegendCommand(item);
    m_timeline->getGraphArea()->renderAllGraphs();
}

} // namespace tarquel_1_0
