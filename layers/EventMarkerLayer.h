#pragma once
// A graph layer that draws the event markers of every row: an instant marker as a pin at its time,
// a duration marker as a bar from its start to its end.
//
// All markers received are kept in one list sorted by row, start and end. For drawing, each row
// keeps at most one marker per distinct pixel span (the first in sort order), so thousands of
// markers on the same pixels cost one drawing; that choice is cached until the view changes
// (requestData(false)) or new markers arrive. Markers are drawn in two passes, every border
// before any fill. A repaint paints the chosen markers of each row as one MarkerStrip, built when
// the choice or the rows' places change: its cost is the rows' pixels, not their markers. Hit
// tests look at the chosen markers on the strips only, so a marker that was not drawn cannot be
// hovered; a hovered marker gets the rectangle it was drawn in.
//
// How it is called (UI thread only): the pane sets the icon kind, name, colours and data source
// and adds it to an area; the timeline then calls requestData (one provider request per row), on
// data-ready notices checkData and updateData, renderAll on repaint, hittest and the tooltip and
// selection operations on mouse moves and clicks, and the legend operations.
#include "layers/MarkerDecimator.h"
#include "layers/MarkerList.h"
#include "provider/SarvikProvider.h"
#include <VelmoraExport.h>

#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/MarkerStrip.h>

#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include <wx/colour.h>
#include <wx/image.h>

class wxDC;

namespace tarquel_1_0 {
class Renderer;
class Ruler;
}

namespace velmora_1_0 {

class VELMORA_API EventMarkerLayer : public tarquel_1_0::GraphLayer {
public:
    using EventMarker = SarvikProvider::EventMarker;

    EventMarkerLayer();
    EventMarkerLayer(const EventMarkerLayer& other) = default;
    EventMarkerLayer& operator=(const EventMarkerLayer& other) = default;

    // Virtual operations in slot order.
    ~EventMarkerLayer() override;
    void requestData(bool onlyIfMissing) override;
    void updateData(wxMemoryDC& dc, bool render) override;
    bool checkData() override;
    void renderAll(wxMemoryDC& dc) override;
    void renderHittest(wxMemoryDC& dc) override;
    bool hittest(int x, int y) override;
    void clearHittest() override;
    bool canSelect() override;
    bool setSelection() override;
    void clearSelection() override;
    bool hasSelection() override;
    void clear() override;
    int getTooltipCount() override;
    void getTooltip(int maxCount, std::vector<wxString>& lines) override;
    void customizeLegend(std::vector<int>& ids) override;
    void populateLegendPopup(wxMenu& menu, int id) override;
    void handleLegendPopupMenu(int index) override;

    // "duration" (exactly) gives the legend a bar icon; anything else a pin.
    void setIconType(const wxString& type);
    // Copies of the hovered markers in sort order, each with the rectangle it was drawn in.
    std::vector<EventMarker> getHittestItems() const;
    // Markers drawn highlighted like a hovered one (search matches), by data row (-1 on the
    // ruler) and instance; an empty set removes every mark.
    void setMarked(std::set<std::pair<int, std::int32_t>> marked) { m_marked = std::move(marked); }
    // Selects the loaded marker of `row` that starts at `start` with `instance`; false when the
    // layer holds no such marker (yet).
    bool selectMarker(int row, std::uint64_t start, std::int32_t instance);
    // The pixel span of a marker as a cache key: x2 in the upper half, the low 16 bits of x1.
    static unsigned int generateKey(int x1, int x2);
    // By row (signed), then start, then end.
    static bool markerSortFunc(const EventMarker& a, const EventMarker& b);

protected:
    // Hooks: how a marker is drawn (y is the top of the shape) and where answers come from.
    virtual wxRect drawMarker(tarquel_1_0::Renderer& renderer, wxDC& dc, int x1, int x2, int y,
                              const EventMarker& marker, bool highlight, bool measureOnly, bool innerPass);
    virtual void consumeItems();

    // Adds arriving markers (sorting them in place); with render they are drawn at once (not
    // thinned).
    void handleEventMarkers(wxMemoryDC& dc, std::vector<EventMarker>& markers, bool render);
    // Every border first, then every fill; highlighted borders take the hit-test colour.
    void renderMarkers(wxMemoryDC& dc, const std::vector<int>& indices, bool highlight);
    wxImage getEventMarkerImage() const;
    wxImage getDurationMarkerImage() const;

    // The provider of the layer's area when a new load must be issued; otherwise null (and, when
    // loaded and not onlyIfMissing, the drawing choice is dropped).
    SarvikProvider* providerToLoad(bool onlyIfMissing);
    // Counts `requests` outstanding answers.
    void startLoading(int requests);
    SarvikProvider* provider() const;

    MarkerDecimator::RowChoices m_visibleMarkers;          // chosen for drawing, per data row
    std::vector<int> m_choiceRows;                         // data rows in view when the choice was made
    bool m_choiceMade = false;
    MarkerList m_markers; // sorted by markerSortFunc
    std::vector<std::uint64_t> m_longestByRow; // what MarkerDecimator::widenLongest keeps
    bool m_dataLoaded = false;
    std::map<int, wxRect> m_hitItems; // hovered markers and the rectangles they were drawn in
    std::map<int, bool> m_selection;
    std::set<std::pair<int, std::int32_t>> m_marked; // row and instance
    std::vector<SarvikProvider::EventMarkerData> m_pendingData;
    bool m_iconIsDuration = false;
    wxColour m_borderColor;

private:
    // Where a marker goes: its display row and its x span, clamped around the graph.
    struct Placement {
        int index, display, x1, x2;
    };
    using IconShape = std::function<wxRect(tarquel_1_0::Renderer& renderer, wxDC& dc, const wxRect& measured,
                                           bool measureOnly)>;

    // False when the marker is off the visible rows [first, last] or off screen.
    bool placeMarker(const tarquel_1_0::Ruler& ruler, int first, int last, int index, Placement& placement);
    // Clamps a marker's columns around the graph; false when they lie off it or are reversed.
    bool clampSpan(int& x1, int& x2) const;
    // visit(choice, strip, x1, x2, rect) for every chosen marker the strips show, with its
    // clamped columns and its rectangle.
    template <typename Visit>
    void forEachShownChoice(Visit&& visit);
    // One pass of one marker; false (nothing drawn) when its shape falls outside the graph.
    bool paintMarker(wxMemoryDC& dc, const Placement& placement, bool highlight, bool innerPass);
    void dropChoice();
    // The width and each row's top in view: the strips are built again when it changes.
    std::vector<int> stripLayout() const;
    // One strip per row in view from the chosen markers, which get their rectangles.
    void buildStrips(wxDC& dc);
    void paintStrips(wxDC& dc);
    // Data rows in view, top first: a choice made for other rows (scrolled, sorted, filtered
    // since) leaves the newcomers empty.
    std::vector<int> rowsInView() const;
    wxImage paintIcon(const IconShape& shape) const;
    wxImage legendIcon() const;
    wxString tooltipText(const EventMarker& marker);

    std::vector<tarquel_1_0::MarkerStrip> m_strips; // one per display row in view
    std::vector<int> m_stripOfRow;                  // from display row m_stripFirst on: index in m_strips
    int m_stripFirst = 0;
    std::vector<int> m_stripLayout; // what m_strips were built for; empty: not built
};

} // namespace velmora_1_0
