#pragma once
// Where every layer of a timeline lives: the pane index of each area's graph (-1 for the ruler)
// and the graph that holds each layer. The timeline fills it; notifications that name only a
// layer (data ready, progress) are routed through it, so a layer that is gone is simply not found.
#include <chart_export.h>

#include <map>
#include <vector>

namespace tarquel_1_0 {

class GraphLayer;
class GraphLayerParent;

class TARQUEL_API Directory {
public:
    void addGraph(int paneIndex, GraphLayerParent* graph);
    void addLayer(GraphLayer* layer, GraphLayerParent* graph);

    // Null when unknown.
    GraphLayerParent* findGraph(int paneIndex) const;
    GraphLayerParent* findGraphOf(const GraphLayer* layer) const;
    // -2 when the graph is unknown.
    int paneIndexOf(const GraphLayerParent* graph) const;

    // Every layer, in the order they were added.
    const std::vector<GraphLayer*>& getLayers() const { return m_layers; }

private:
    std::map<int, GraphLayerParent*> m_graphs;
    std::map<const GraphLayer*, GraphLayerParent*> m_layerGraphs;
    std::vector<GraphLayer*> m_layers;
};

} // namespace tarquel_1_0
