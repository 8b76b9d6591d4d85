#pragma once
// The window that holds a pane's timeline control. It is a child of the host's parent window,
// at least 300 pixels wide and black behind the control. Size changes are settled by a 200 ms
// one-shot timer: the control is hidden until the first burst of size events has ended, then
// given the whole client area, shown and refreshed once per burst, so dragging a splitter does
// not re-layout every area on every mouse move. Created by TimelinePane's constructor; the pane
// reaches the control through getTimeline().
#include <VelmoraExport.h>

#include <wx/panel.h>

#include <memory>

class wxTimer;
class wxTimerEvent;

namespace tarquel_1_0 {
class Timeline;
}

namespace velmora_1_0 {

class VELMORA_API TimelinePaneContainer : public wxPanel {
public:
    static constexpr int MINIMUM_WIDTH = 300;
    static constexpr int SETTLE_TIMER_ID = 777;
    static constexpr int SETTLE_MILLISECONDS = 200;

    TimelinePaneContainer(wxWindow* parent, const wxPoint& position, const wxSize& size);
    ~TimelinePaneContainer() override;
    TimelinePaneContainer(const TimelinePaneContainer&) = delete;
    TimelinePaneContainer& operator=(const TimelinePaneContainer&) = delete;

    tarquel_1_0::Timeline* getTimeline() const { return timeline; }
    // True while a size change waits for the timer.
    bool isSettling() const;

private:
    void onSize(wxSizeEvent& event);
    void onTimer(wxTimerEvent& event);

    tarquel_1_0::Timeline* timeline = nullptr; // child window, destroyed with the panel
    std::unique_ptr<wxTimer> timer;
};

} // namespace velmora_1_0
