#include <tarquel_1_0/EventCallback.h>

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/Timeline.h>

namespace tarquel_1_0 {

EventCallback::~EventCallback() = default;

void EventCallback::rowVisibilityChanged(Timeline* timeline, GraphLayerParent* graph)
{
    if (!timeline)
        return;
    const Directory& directory = timeline->getDirectory();
    for (GraphLayer* layer : directory.getLayers())
        if (directory.findGraphOf(layer) == graph)
            layer->requestData(true);
    timeline->getGraphArea()->renderAllGraphs();
}

} // namespace tarquel_1_0
