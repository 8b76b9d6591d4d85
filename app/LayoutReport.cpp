#include "LayoutReport.h"

#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <sstream>

namespace velmora_viewer {

namespace {

// A descendant's position in an ancestor's client area.
wxPoint offsetIn(const wxWindow* window, const wxWindow* ancestor)
{
    wxPoint offset;
    for (; window && window != ancestor; window = window->GetParent())
        offset += window->GetPosition();
    return offset;
}

void putRect(std::ostringstream& out, const wxRect& rect)
{
    out << rect.x << ' ' << rect.y << ' ' << rect.width << ' ' << rect.height;
}

} // namespace

std::string LayoutReport::describe(const tarquel_1_0::Timeline& timeline)
{
    std::ostringstream out;
    const tarquel_1_0::Ruler& ruler = *timeline.getRuler();
    wxWindow* rulerWindow = timeline.getGraph(-1)->getWindow();
    const wxPoint rulerOffset = offsetIn(rulerWindow, &timeline);
    out << "axis " << rulerOffset.x << ' ' << ruler.getPixelWidth() << ' ' << ruler.getStart().GetValue() << ' '
        << ruler.getEnd().GetValue() << '\n';
    out << "ruler ";
    putRect(out, wxRect(rulerOffset, rulerWindow->GetClientSize()));
    out << '\n';
    for (int area = 0; area < timeline.getPaneCount(); ++area) {
        tarquel_1_0::GraphLayerParent& graph = *timeline.getGraph(area);
        const wxPoint offset = offsetIn(graph.getWindow(), &timeline);
        out << "area " << area << ' ';
        putRect(out, wxRect(offset, graph.getWindow()->GetClientSize()));
        out << '\n';
        for (int displayRow = 0; graph.getDataRow(displayRow) >= 0; ++displayRow) {
            const wxRect rect = graph.getRowRect(displayRow, true);
            out << "row " << area << ' ' << graph.getDataRow(displayRow) << ' ' << offset.y + rect.y << ' '
                << rect.height << ' ' << graph.getRowName(displayRow).ToStdString(wxConvUTF8) << '\n';
            // Where a row grew below its strip (slice lanes).
            const wxRect extra = graph.getRowExtraRect(displayRow);
            if (extra.height > 0)
                out << "lanes " << area << ' ' << graph.getDataRow(displayRow) << ' ' << offset.y + extra.y << ' '
                    << extra.height << '\n';
        }
    }
    return out.str();
}

} // namespace velmora_viewer
