#pragma once
// Where the legend's items go for a given width. Items follow one another in lines; an item that
// asks for a new line starts one, and an item that does not fit in the rest of its line moves to
// the next (one wider than the whole width gets a line to itself). The height is what the lines
// take, so a legend given that height holds every item. Plain geometry, apart from the windows.
#include <wx/gdicmn.h>

#include <vector>

namespace tarquel_1_0 {

class LegendFlow {
public:
    // `margin`: room kept round each item, so neighbours are 2 * margin apart.
    explicit LegendFlow(int margin) : m_margin(margin) {}

    void add(const wxSize& size, bool newLine);
    void clear() { m_items.clear(); }

    // Top-left corners of the items, in the order they were added, for lines `width` wide.
    std::vector<wxPoint> place(int width) const;
    // Height the lines take at `width`, margins included; 0 without items.
    int heightFor(int width) const;
    // Width of the widest item with its margins: the narrowest the legend can usefully be.
    int narrowestWidth() const;

private:
    struct Item {
        wxSize size;
        bool newLine;
    };

    // Places the items when `positions` is given; returns the height either way.
    int flow(int width, std::vector<wxPoint>* positions) const;

    int m_margin;
    std::vector<Item> m_items;
};

} // namespace tarquel_1_0
