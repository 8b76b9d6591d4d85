#pragma once
// The consume and clear walks over a provider's results lists, shared by every record type that
// carries a `layer`. Callers hold the results lock.
#include <vector>

namespace tarquel_1_0 {
class GraphLayer;
}

namespace velmora_1_0 {

class LayerRecords {
public:
    // Moves the records of `layer` to the front of `out`, keeping their completion order.
    template <class Record>
    static int moveTo(std::vector<Record>& list, const tarquel_1_0::GraphLayer* layer, std::vector<Record>& out)
    {
        std::vector<Record> mine;
        std::vector<Record> others;
        for (Record& record : list)
            (record.layer == layer ? mine : others).push_back(std::move(record));
        list = std::move(others);
        out.insert(out.begin(), std::make_move_iterator(mine.begin()), std::make_move_iterator(mine.end()));
        return static_cast<int>(out.size());
    }

    template <class Record>
    static void erase(std::vector<Record>& list, const tarquel_1_0::GraphLayer* layer)
    {
        std::vector<Record> others;
        for (Record& record : list)
            if (record.layer != layer)
                others.push_back(std::move(record));
        list = std::move(others);
    }
};

} // namespace velmora_1_0
