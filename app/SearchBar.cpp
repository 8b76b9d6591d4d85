#include "SearchBar.h"

#include "layers/EventMarkerLayer.h"
#include "layers/GlobalEventMarkerLayer.h"
#include "layers/SliceLayer.h"
#include "layers/SliceSearch.h"
#include "provider/MarkerSearch.h"

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <map>
#include <set>

namespace velmora_viewer {

using velmora_1_0::EventMarkerLayer;
using velmora_1_0::MarkerSearch;
using velmora_1_0::SarvikProvider;
using velmora_1_0::SliceLayer;
using velmora_1_0::SliceSearch;

namespace {

SarvikProvider* providerOf(const tarquel_1_0::GraphLayer& layer)
{
    return layer.m_parent ? dynamic_cast<SarvikProvider*>(layer.m_parent->m_dataProvider) : nullptr;
}

} // namespace

SearchBar::SearchBar(wxWindow* parent, tarquel_1_0::Timeline& timeline)
    : wxPanel(parent, wxID_ANY), m_timeline(timeline)
{
    m_field = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(260, -1), wxTE_PROCESS_ENTER);
    m_field->SetHint("Find slices, markers and events");
    m_count = new wxStaticText(this, wxID_ANY, wxString());
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_field, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    sizer->Add(m_count, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    SetSizer(sizer);
    m_field->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { search(m_field->GetValue()); });
    m_field->Bind(wxEVT_KEY_DOWN, &SearchBar::onKey, this);
    Hide();
}

SearchBar::~SearchBar() = default;

wxWindow* SearchBar::field() const
{
    return m_field;
}

SliceLayer* SearchBar::sliceLayer() const
{
    for (tarquel_1_0::GraphLayer* layer : m_timeline.getDirectory().getLayers())
        if (auto* slices = dynamic_cast<SliceLayer*>(layer))
            return slices;
    return nullptr;
}

std::vector<EventMarkerLayer*> SearchBar::markerLayers() const
{
    std::vector<EventMarkerLayer*> layers;
    for (tarquel_1_0::GraphLayer* layer : m_timeline.getDirectory().getLayers()) {
        auto* markers = dynamic_cast<EventMarkerLayer*>(layer);
        if (markers && dynamic_cast<const velmora_1_0::SarvikDataSource*>(markers->m_dataSource) &&
            providerOf(*markers) && providerOf(*markers)->getResult())
            layers.push_back(markers);
    }
    return layers;
}

void SearchBar::open()
{
    Show();
    GetParent()->Layout();
    m_field->SetFocus();
    m_field->SelectAll();
}

void SearchBar::close()
{
    m_job.reset();
    m_answered = true;
    m_matches.clear();
    m_current = -1;
    markMatches();
    Hide();
    GetParent()->Layout();
}

void SearchBar::search(const wxString& text)
{
    if (m_field->GetValue() != text)
        m_field->ChangeValue(text);
    // The search before is cancelled and waited for: it stops at its next row.
    m_job.reset();
    SliceLayer* slices = sliceLayer();
    const std::vector<EventMarkerLayer*> markers = markerLayers();
    if ((!slices && markers.empty()) || text.empty()) {
        matchesFound({});
        return;
    }
    // Workers get copies of what they read: the layers go on changing meanwhile.
    std::vector<MarkerSearch::Source> sources;
    for (EventMarkerLayer* layer : markers) {
        const bool global = dynamic_cast<velmora_1_0::GlobalEventMarkerLayer*>(layer) != nullptr;
        sources.push_back({*dynamic_cast<const velmora_1_0::SarvikDataSource*>(layer->m_dataSource), global,
                           global ? 0 : layer->m_parent->getRowCount()});
    }
    const dd_sarvik_2_2::Result* result = markers.empty() ? nullptr : providerOf(*markers.front())->getResult();
    std::vector<std::shared_ptr<const velmora_1_0::SliceRow>> rows;
    if (slices)
        rows = slices->snapshot();
    m_answered = false;
    m_count->SetLabel("Searching...");
    m_job = std::make_unique<BackgroundJob<std::vector<Match>>>(
        *this,
        [rows = std::move(rows), slices, sources = std::move(sources), markers, result,
         wanted = text.ToStdWstring()](const std::atomic<bool>& canceled) {
            std::vector<Match> found;
            for (const SliceSearch::Match& match : SliceSearch::find(rows, wanted, canceled))
                found.push_back({slices, nullptr, match.row, match.slice, -1, match.startTime, match.endTime});
            if (result && !canceled)
                for (const MarkerSearch::Match& match : MarkerSearch(*result).find(sources, wanted, canceled))
                    found.push_back({nullptr, markers[static_cast<std::size_t>(match.source)], match.row, -1,
                                     match.instance, match.startTime, match.endTime});
            std::stable_sort(found.begin(), found.end(),
                             [](const Match& a, const Match& b) { return a.startTime < b.startTime; });
            return canceled ? std::vector<Match>() : found;
        },
        [this](std::vector<Match> matches) { matchesFound(std::move(matches)); });
}

void SearchBar::matchesFound(std::vector<Match> matches)
{
    m_answered = true;
    m_matches = std::move(matches);
    m_current = -1;
    markMatches();
    showCount();
}

// Every layer gets its own matches marked, the others none.
void SearchBar::markMatches()
{
    std::vector<SliceLayer::Item> slices;
    std::map<EventMarkerLayer*, std::set<std::pair<int, std::int32_t>>> markers;
    for (EventMarkerLayer* layer : markerLayers())
        markers[layer];
    for (const Match& match : m_matches) {
        if (match.slices)
            slices.push_back({match.row, match.slice, 1});
        else
            markers[match.markers].insert({match.row, match.instance});
    }
    if (SliceLayer* layer = sliceLayer())
        layer->setMarked(slices);
    for (auto& [layer, marked] : markers)
        layer->setMarked(std::move(marked));
    m_timeline.getGraphArea()->renderAllGraphs();
}

wxString SearchBar::countText() const
{
    if (!m_answered)
        return "Searching...";
    if (m_field->GetValue().empty())
        return wxString();
    if (m_matches.empty())
        return "No matches";
    if (m_current < 0)
        return wxString::Format("%d matches", matchCount());
    return wxString::Format("%d of %d", m_current + 1, matchCount());
}

void SearchBar::showCount()
{
    m_count->SetLabel(countText());
    Layout();
}

bool SearchBar::step(bool forward)
{
    if (m_matches.empty())
        return false;
    const int count = matchCount();
    m_current = m_current < 0 ? (forward ? 0 : count - 1) : (m_current + (forward ? 1 : count - 1)) % count;
    const Match& match = m_matches[static_cast<std::size_t>(m_current)];
    tarquel_1_0::Ruler& ruler = *m_timeline.getRuler();
    if (match.endTime > match.startTime) {
        // The match fills the middle half of the view.
        const std::uint64_t length = match.endTime - match.startTime;
        const std::uint64_t start = match.startTime > length / 2 ? match.startTime - length / 2 : 0;
        ruler.setVisibleRange(start, match.endTime + length / 2, true);
    } else {
        // An instant has no length to zoom to: it is centred at the zoom the user chose.
        const std::uint64_t width = ruler.getEnd().GetValue() - ruler.getStart().GetValue();
        const std::uint64_t start = match.startTime > width / 2 ? match.startTime - width / 2 : 0;
        ruler.setVisibleRange(start, start + width, true);
    }
    m_timeline.clearLayerSelection(nullptr);
    if (match.slices)
        match.slices->select({match.row, match.slice, 1});
    else
        match.markers->selectMarker(match.row, match.startTime, match.instance);
    m_timeline.getGraphArea()->renderAllGraphs();
    showCount();
    if (m_onStep)
        m_onStep(match);
    return true;
}

void SearchBar::onKey(wxKeyEvent& event)
{
    switch (event.GetKeyCode()) {
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        step(!event.ShiftDown());
        break;
    case WXK_ESCAPE:
        close();
        break;
    default:
        event.Skip();
    }
}

} // namespace velmora_viewer
