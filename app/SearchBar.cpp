#include "SearchBar.h"

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace velmora_viewer {

using velmora_1_0::SliceLayer;
using velmora_1_0::SliceSearch;

SearchBar::SearchBar(wxWindow* parent, tarquel_1_0::Timeline& timeline)
    : wxPanel(parent, wxID_ANY), m_timeline(timeline)
{
    m_field = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(260, -1), wxTE_PROCESS_ENTER);
    m_field->SetHint("Find slices");
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
    if (SliceLayer* layer = sliceLayer()) {
        layer->setMarked({});
        m_timeline.getGraphArea()->renderAllGraphs();
    }
    Hide();
    GetParent()->Layout();
}

void SearchBar::search(const wxString& text)
{
    if (m_field->GetValue() != text)
        m_field->ChangeValue(text);
    // The search before is cancelled and waited for: it stops at its next row.
    m_job.reset();
    SliceLayer* layer = sliceLayer();
    if (!layer || text.empty()) {
        matchesFound({});
        return;
    }
    m_answered = false;
    m_count->SetLabel("Searching...");
    using Matches = std::vector<SliceSearch::Match>;
    m_job = std::make_unique<BackgroundJob<Matches>>(
        *this,
        [rows = layer->snapshot(), wanted = text.ToStdWstring()](const std::atomic<bool>& canceled) {
            return SliceSearch::find(rows, wanted, canceled);
        },
        [this](Matches matches) { matchesFound(std::move(matches)); });
}

void SearchBar::matchesFound(std::vector<SliceSearch::Match> matches)
{
    m_answered = true;
    m_matches = std::move(matches);
    m_current = -1;
    if (SliceLayer* layer = sliceLayer()) {
        std::vector<SliceLayer::Item> marked;
        marked.reserve(m_matches.size());
        for (const SliceSearch::Match& match : m_matches)
            marked.push_back({match.row, match.slice, 1});
        layer->setMarked(marked);
        m_timeline.getGraphArea()->renderAllGraphs();
    }
    showCount();
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
    SliceLayer* layer = sliceLayer();
    if (!layer || m_matches.empty())
        return false;
    const int count = matchCount();
    m_current = m_current < 0 ? (forward ? 0 : count - 1) : (m_current + (forward ? 1 : count - 1)) % count;
    const SliceSearch::Match& match = m_matches[static_cast<std::size_t>(m_current)];
    layer->select({match.row, match.slice, 1});
    // The match fills the middle half of the view.
    const std::uint64_t length = std::max<std::uint64_t>(match.endTime - match.startTime, 1);
    const std::uint64_t start = match.startTime > length / 2 ? match.startTime - length / 2 : 0;
    m_timeline.getRuler()->setVisibleRange(start, match.endTime + length / 2, true);
    m_timeline.getGraphArea()->renderAllGraphs();
    showCount();
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
