#pragma once
// Sees the left-button presses on a timeline's graph windows before the graphs handle them, so
// the window can read what the pointer is over while the layers' hover state is still the one
// the press acts on. The graphs handle every press themselves and pass none on, so an event
// filter is the one place that sees them first. Registered for its lifetime (RAII); UI thread.
#include <wx/eventfilter.h>

#include <functional>
#include <map>

class wxWindow;

namespace tarquel_1_0 {
class GraphLayerParent;
}

namespace velmora_viewer {

class GraphClickFilter : public wxEventFilter {
public:
    using Pressed = std::function<void(tarquel_1_0::GraphLayerParent& graph, int x, int y)>;

    explicit GraphClickFilter(Pressed pressed);
    ~GraphClickFilter() override;
    GraphClickFilter(const GraphClickFilter&) = delete;
    GraphClickFilter& operator=(const GraphClickFilter&) = delete;

    // Presses on the window of `graph` are reported from now on.
    void watch(tarquel_1_0::GraphLayerParent& graph);

    int FilterEvent(wxEvent& event) override;

private:
    Pressed m_pressed;
    std::map<const wxWindow*, tarquel_1_0::GraphLayerParent*> m_graphs; // by window; owned by the timeline
};

} // namespace velmora_viewer
