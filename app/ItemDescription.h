#pragma once
// The lines the details panel shows for a picked item (PickedItem): its name, what kind of item
// it is, category, thread and process, start and duration, then every other attribute its
// instance has. A category of several lines is a call stack (the frames follow the kind, one per
// line) and is shown frame by frame. A transition's two ends are lines that lead to that end.
// A plain model: the facts are read beforehand on a worker (ItemFactsReader).
#include "PickedItem.h"

#include "provider/ItemFactsReader.h"

#include <functional>
#include <vector>

namespace velmora_viewer {

class ItemDescription {
public:
    using Facts = std::vector<velmora_1_0::ItemFactsReader::Fact>;

    // What the worker read for one item.
    struct Read {
        Facts instance; // of the item's own instance
        Facts row;      // of the row it is on (a transition: its end's row)
        Facts fromRow;  // of a transition's start row
    };

    // Where a line leads: a time on a data row.
    struct Target {
        int row = -1;
        std::uint64_t time = 0;
        bool valid() const { return row >= 0; }
    };

    struct Line {
        wxString text;
        Target target;
    };

    // `rowName` names a data row as the row header shows it.
    static std::vector<Line> describe(const PickedItem& item, const Read& read,
                                      const std::function<wxString(int row)>& rowName);
};

} // namespace velmora_viewer
