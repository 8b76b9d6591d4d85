#include "pane/TimelinePaneContainer.h"

#include <tarquel_1_0/Timeline.h>

#include <wx/sizer.h>
#include <wx/timer.h>

namespace velmora_1_0 {

namespace {

wxSize atLeastMinimumWidth(wxSize size)
{
    if (size.GetWidth() < TimelinePaneContainer::MINIMUM_WIDTH)
        size.SetWidth(TimelinePaneContainer::MINIMUM_WIDTH);
    return size;
}

} // namespace

TimelinePaneContainer::TimelinePaneContainer(wxWindow* parent, const wxPoint& position, const wxSize& size)
    : wxPanel(parent, wxID_ANY, position, atLeastMinimumWidth(size), 0, "TimelinePaneContainer")
{
    SetBackgroundColour(*wxBLACK);
    timeline = new tarquel_1_0::Timeline(this, wxID_ANY, wxPoint(0, 0), GetClientSize());
    timeline->Hide();
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(timeline, 1, wxEXPAND | wxALL, 0);
    SetSizer(sizer);
    timer = std::make_unique<wxTimer>(this, SETTLE_TIMER_ID);
    Bind(wxEVT_SIZE, &TimelinePaneContainer::onSize, this);
    Bind(wxEVT_TIMER, &TimelinePaneContainer::onTimer, this, SETTLE_TIMER_ID);
}

// Defined here, where wxTimer is complete; the timer stops as it is destroyed.
TimelinePaneContainer::~TimelinePaneContainer() = default;

bool TimelinePaneContainer::isSettling() const
{
    return timer->IsRunning();
}

void TimelinePaneContainer::onSize(wxSizeEvent& event)
{
    event.Skip();
    // Restarting coalesces a burst of size events into one re-layout of the control.
    timer->StartOnce(SETTLE_MILLISECONDS);
}

void TimelinePaneContainer::onTimer(wxTimerEvent&)
{
    timeline->SetSize(GetClientSize());
    timeline->Show();
    timeline->Refresh();
}

} // namespace velmora_1_0
