#include <tarquel_1_0/Legend.h>

#include "LegendFlow.h"

#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/LegendCheckBox.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/menu.h>

namespace tarquel_1_0 {

namespace {
// Menu ids handed to a layer's populateLegendPopup; the layer's entries count up from here.
constexpr int kFirstPopupId = wxID_HIGHEST + 500;
constexpr int kItemMargin = 2;
} // namespace

Legend::Legend(wxWindow* parent, Timeline* timeline)
    : wxPanel(parent, wxID_ANY), m_timeline(timeline), m_flow(std::make_unique<LegendFlow>(kItemMargin))
{
    Bind(wxEVT_SIZE, &Legend::onSize, this);
}

Legend::~Legend() = default;

LegendItem* Legend::addCheckbox(int id, const wxString& label, const wxImage& icon, const wxString& tooltip,
                                bool checked, bool newLine, int spacing)
{
    auto* item = new LegendCheckBox(this, id, label, icon, tooltip, checked, spacing);
    m_flow->add(item->GetBestSize(), newLine);
    m_items.push_back(item);
    placeItems();
    InvalidateBestSize();
    return item;
}

bool Legend::InformFirstDirection(int direction, int size, int)
{
    if (direction != wxHORIZONTAL || size <= 0)
        return false;
    m_width = size;
    InvalidateBestSize();
    return true;
}

wxSize Legend::DoGetBestClientSize() const
{
    const int width = m_width > 0 ? m_width : GetClientSize().x;
    return wxSize(m_flow->narrowestWidth(), m_flow->heightFor(std::max(width, 1)));
}

void Legend::onSize(wxSizeEvent& event)
{
    placeItems();
    const int width = GetClientSize().x;
    // A width the sizer did not announce changes the height the lines need: lay out again.
    if (width > 0 && width != m_width) {
        m_width = width;
        InvalidateBestSize();
        if (m_flow->heightFor(width) != GetClientSize().y)
            CallAfter([this] { GetParent()->Layout(); });
    }
    event.Skip();
}

void Legend::placeItems()
{
    const std::vector<wxPoint> places = m_flow->place(std::max(GetClientSize().x, 1));
    for (std::size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->SetSize(wxRect(places[i], m_items[i]->GetBestSize()));
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
    DestroyChildren();
    m_items.clear();
    m_flow->clear();
    m_nextItemId = 0;
    InvalidateBestSize();
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
