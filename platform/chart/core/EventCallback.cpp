#include <tarquel_1_0/EventCallback.h>

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/RequestHold.h>
#include <tarquel_1_0/Timeline.h>

namespace tarquel_1_0 {

EventCallback::~EventCallback() = default;

void EventCallback::rowVisibilityChanged(Timeline* timeline, GraphLayerParent* graph)
{
    if (!timeline)
        return;
    const Directory& directory = timeline->getDirectory();
    const RequestHold hold(graph ? graph->m_dataProvider : nullptr);
    for (GraphLayer* layer : directory.getLayers())
        if (directory.findGraphOf(layer) == graph)
            layer->requestData(true);
    timeline->getGraphArea()->renderAllGraphs();
}

} // namespace tarquel_1_0
