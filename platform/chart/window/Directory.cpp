#include <tarquel_1_0/Directory.h>

#include <algorithm>

namespace tarquel_1_0 {

void Directory::addGraph(int paneIndex, GraphLayerParent* graph)
{
    m_graphs[paneIndex] = graph;
}

void Directory::addLayer(GraphLayer* layer, GraphLayerParent* graph)
{
    if (m_layerGraphs.emplace(layer, graph).second)
        m_layers.push_back(layer);
}

GraphLayerParent* Directory::findGraph(int paneIndex) const
{
    const auto it = m_graphs.find(paneIndex);
    return it == m_graphs.end() ? nullptr : it->second;
}

GraphLayerParent* Directory::findGraphOf(const GraphLayer* layer) const
{
    const auto it = m_layerGraphs.find(layer);
    return it == m_layerGraphs.end() ? nullptr : it->second;
}

int Directory::paneIndexOf(const GraphLayerParent* graph) const
{
    for (const auto& [index, candidate] : m_graphs)
        if (candidate == graph)
            return index;
    return -2;
}

} // namespace tarquel_1_0
