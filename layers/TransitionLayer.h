#pragma once
// A graph layer that draws transitions: for each SarvikProvider::Transition a line from (x of its
// start time, centre of its source row) to (x of its end time, centre of its destination row).
//
// Traces hold far more transitions than pixels, so for the current view the layer keeps one line
// per distinct TransitionKey (both pixel columns and both display rows) and only counts the
// others as duplicates of it. Up to kSyncLimit transitions are decimated at once; above that the
// chart's update timer calls updateData(dc, true) and each tick examines kBatchSize transitions
// inside the visible time range, reporting a percentage and drawing the lines that batch kept
// (renderAll draws them all). Every kept line is also plotted into two hit-test images
// (TransitionHitPainter) whose exact colours encode the transition's index (the low and the high
// 15 bits), so hover is one pixel read in each image. The images are painted on the first hover
// after the lines were kept, not while decimating: a zoom or a scroll then costs no hit-test
// painting at all, and only the lines kept since the last hover are painted.
//
// When more than kDenseLinesPerColumn kept lines fall on each pixel column of the graph, they
// merge into a band in which no line can be followed: then only the lines touching the rows
// selected in the header or the rows of the selected transition are drawn, with an arrow head at
// their destination. The legend's menu asks for all of them (and back). Hit testing covers every
// kept line either way, so hovering shows one that is not drawn.
//
// How it is called (UI thread only): the pane creates it and adds it to an area; the timeline
// calls requestData (one provider request per row, once; later calls re-decimate for the new
// view), checkData/updateData on data-ready notices and timer ticks, renderAll on repaint,
// hittest, tooltips and selection on mouse moves and clicks, and the legend operations.
#include "layers/TransitionSegment.h"
#include "layers/VisibleTransition.h"
#include "provider/SarvikProvider.h"
#include <VelmoraExport.h>

#include <tarquel_1_0/GraphLayer.h>

#include <cstddef>
#include <map>
#include <vector>

#include <wx/colour.h>
#include <wx/image.h>


class wxGraphicsContext;

namespace tarquel_1_0 {
class HeaderCtrl;
}

namespace velmora_1_0 {

class VELMORA_API TransitionLayer : public tarquel_1_0::GraphLayer {
public:
    using Transition = SarvikProvider::Transition;

    static constexpr unsigned int kSyncLimit = 5000;
    static constexpr int kDenseLinesPerColumn = 3;
    static constexpr int kBatchSize = 300;
    // The code of index i is i + kCodeOffset, so no transition is black in both images.
    static constexpr unsigned int kCodeOffset = 10;

    TransitionLayer();
    TransitionLayer(const TransitionLayer& other) = default;
    TransitionLayer& operator=(const TransitionLayer& other) = default;

    // Virtual operations in slot order.
    ~TransitionLayer() override;
    // Keeps the localized name given by the constructor.
    void setLayerName(const wxString& name) override;
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
    wxString getProgressText() override;
    void populateLegendPopup(wxMenu& menu, int id) override;
    void handleLegendPopupMenu(int index) override;

    // The hovered transition; only valid while hittest reported one.
    const Transition& getHittestItem() const { return m_transitions[m_hitId]; }

protected:
    unsigned long long generateTransitionKey(int x1, int x2, int fromDisplayRow, int toDisplayRow) const;
    void startDecimation();
    // One batch (or everything when decimating at once); true while transitions remain.
    bool performDecimation();
    bool renderNextTransitions(wxMemoryDC& dc);
    void renderDecimatedTransitions(wxMemoryDC& dc);

    static void constructRGBTable();
    void transitionIdToHittestColors(unsigned int id, wxColour& low, wxColour& high) const;
    // -1 (as unsigned) when a channel value is no table colour.
    unsigned int hittestColorsToTransitionID(unsigned char r1, unsigned char g1, unsigned char b1, unsigned char r2,
                                             unsigned char g2, unsigned char b2) const;
    void renderTransition(wxMemoryDC& dc, unsigned int index, const wxColour& colour);
    void renderSelection(wxMemoryDC& dc);
    wxString createTooltipString(const Transition& t);

    std::vector<Transition> m_transitions; // arrival order; the index is the drawing id
    std::vector<VisibleTransition> m_visibleTransitions;
    std::map<unsigned long long, unsigned int> m_transitionKeys; // key -> m_visibleTransitions position
    bool m_needsDecimation = true;
    bool m_decimateAtOnce = false;
    std::vector<TransitionSegment> m_segments; // m_segments[i] is the line of m_visibleTransitions[i]
    std::size_t m_drawnSegments = 0;             // of m_segments, already on the graph during batches
    // What the passes of the running decimation drew: every line, or only the focused ones.
    bool m_drewEveryLine = false;
    bool m_drewFocusedOnly = false;
    unsigned int m_decimationIndex = 0;
    unsigned int m_lastPercent = 0;
    bool m_dataLoaded = false;
    bool m_showAll = false; // every kept line is drawn even when they are dense
    int m_hitId = -1;
    int m_selectedId = -1;
    std::vector<SarvikProvider::TransitionsData> m_pendingData;
    wxImage m_hittestLow;
    wxImage m_hittestHigh;
    std::size_t m_hittestPainted = 0; // of m_segments, already in the hit-test images

    // Channel levels as the screen reproduces a 0..255 ramp: the first 32 distinct values each.
    static std::vector<unsigned int> m_red;
    static std::vector<unsigned int> m_green;
    static std::vector<unsigned int> m_blue;
    static std::map<unsigned int, unsigned int> m_redMap;
    static std::map<unsigned int, unsigned int> m_greenMap;
    static std::map<unsigned int, unsigned int> m_blueMap;
    static bool m_canHittest;

private:
    SarvikProvider* provider() const;
    // Display rows and key of a transition in the current view; false when a row is hidden.
    bool keyOf(const Transition& t, int& r1, int& r2, int& x1, int& x2, unsigned long long& key) const;
    int rowCentre(int displayRow) const;
    // The decimation entry of a transition's line, or null when it is not part of it.
    const VisibleTransition* visibleEntry(const Transition& t) const;
    void resetHittestImages();
    // Paints the kept lines not yet in the hit-test images, in the order they were kept.
    void paintHittestImages();
    // Draws m_segments from `from` on, up to the first on a hidden row; m_drawnSegments is where
    // the pass stopped.
    void drawSegments(wxMemoryDC& dc, std::size_t from);
    // Too many lines per pixel column to follow one (and all were not asked for).
    bool isDense() const;
    // isDense, or, while batches run, the lines kept so far project to a dense set: early batches
    // then leave out what the finished picture would not show, instead of drawing thousands of
    // lines only to draw the graph again without them.
    bool looksDense() const;
    // The row header of this layer's graph, where rows are selected; null without a timeline.
    const tarquel_1_0::HeaderCtrl* rowHeader() const;
    // A line touching a row selected in `header` or a row of the selected transition.
    bool isFocused(const TransitionSegment& line, const tarquel_1_0::HeaderCtrl* header) const;
    static void drawArrowHead(wxGraphicsContext& context, const TransitionSegment& line);
    // Mirrors the decimation position into the loading counters and reports a changed percentage.
    void reportDecimationProgress();
    void finishBatches();
    wxImage legendIcon() const;
    // The tooltip text of one transition, with its instance text when the layer has a source.
    wxString tooltipEntry(const Transition& t);
};

} // namespace velmora_1_0
