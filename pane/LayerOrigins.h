#pragma once
// Where in the viewpoint description each layer that takes its colour from there was declared:
// the area it was built in (pane index, -1 for the ruler) and the instance of its <layer>
// element. A transition layer counts as declared by the multi-band layer it joins. The pane fills
// it while it builds the timeline and reads it when it writes the viewpoint back with the colours
// the user chose. The layers belong to the timeline; an entry is only read while they exist.
#include <vector>

namespace tarquel_1_0 {
class GraphLayer;
}

namespace velmora_1_0 {

class LayerOrigins {
public:
    struct Origin {
        const tarquel_1_0::GraphLayer* layer = nullptr;
        int paneIndex = -1;
        int layerInstance = 0;
    };

    void record(const tarquel_1_0::GraphLayer& layer, int paneIndex, int layerInstance);
    void clear() { m_origins.clear(); }
    const std::vector<Origin>& origins() const { return m_origins; }

private:
    std::vector<Origin> m_origins;
};

} // namespace velmora_1_0
