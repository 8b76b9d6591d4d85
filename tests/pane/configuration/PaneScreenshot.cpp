#include "PaneScreenshot.h"

#include "pane/TimelinePane.h"
#include "pane/TimelinePaneContainer.h"

#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/imagpng.h>
#include <wx/window.h>

namespace pane_test {

PaneScreenshot::PaneScreenshot(velmora_1_0::TimelinePane& pane) : m_timeline(*pane.getTimeline())
{
    wxWindow& window = *pane.getContainer();
    window.Refresh();
    window.Update(); // paint now, so the capture holds the finished frame
    m_origin = window.ClientToScreen(wxPoint(0, 0));
    const wxSize size = window.GetClientSize();
    wxBitmap shot(size, 24);
    {
        wxClientDC screen(&window);
        wxMemoryDC memory(shot);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    m_image = shot.ConvertToImage();
}

bool PaneScreenshot::save(const std::filesystem::path& file) const
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler); // wx owns its image handlers
    return m_image.SaveFile(wxString(file.wstring()), wxBITMAP_TYPE_PNG);
}

wxRect PaneScreenshot::graphRect(int paneIndex) const
{
    wxWindow* graph = m_timeline.getGraph(paneIndex)->getWindow();
    return wxRect(graph->ClientToScreen(wxPoint(0, 0)) - m_origin, graph->GetClientSize());
}

wxRect PaneScreenshot::rowRect(int paneIndex, int dataRow) const
{
    tarquel_1_0::GraphLayerParent& graph = *m_timeline.getGraph(paneIndex);
    const wxRect row = graph.getRowRect(graph.getDisplayRow(dataRow), true);
    return wxRect(row.GetPosition() + graphRect(paneIndex).GetPosition(), row.GetSize());
}

int PaneScreenshot::columnOf(int paneIndex, std::uint64_t time) const
{
    return graphRect(paneIndex).x + m_timeline.getRuler()->xFromTime(wxULongLong(time), false);
}

int PaneScreenshot::count(const wxRect& area, const wxColour& colour) const
{
    const wxRect inside = area.Intersect(wxRect(m_image.GetSize()));
    int found = 0;
    for (int y = inside.y; y < inside.y + inside.height; ++y) {
        for (int x = inside.x; x < inside.x + inside.width; ++x) {
            found += m_image.GetRed(x, y) == colour.Red() && m_image.GetGreen(x, y) == colour.Green() &&
                     m_image.GetBlue(x, y) == colour.Blue();
        }
    }
    return found;
}

} // namespace pane_test
