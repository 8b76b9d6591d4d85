#pragma once
// The time axis of a timeline, as a model without a window: the data length, the visible time
// range with its zoom history, the mapping between time and pixel columns, the selected range, the
// frame a global layer asks for, and time texts. The ruler window paints it and the graphs draw
// with it; both listen for changes. All times are nanoseconds from the start of the data.
//
// Mapping. The visible range [getStart(), getEnd()] (both inclusive) is spread evenly over
// getPixelWidth() columns: getStart() falls in column 0 and, as long as the range holds at least
// one nanosecond per column, getEnd() in the last one, so xFromTime(getEnd(), false) -
// xFromTime(getStart(), false) + 1 is the pixel width. Times outside the range give columns
// outside it.
//
// UI thread only.
#include <chart_export.h>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include <wx/gdicmn.h>
#include <wx/longlong.h>
#include <wx/string.h>

namespace tarquel_1_0 {

class TARQUEL_API Ruler {
public:
    enum class Change { Range, Selection, FrameAnchor, SortOrder };
    using Listener = std::function<void(Change)>;

    // Pixels of time added on both sides of the view when layers pick the markers to draw.
    static constexpr int MARKER_MARGIN_PIXELS = 10;
    // How far outside the view xFromTime(t, true) may go, so far-off shapes stay drawable.
    static constexpr int LIMIT_PIXELS = 1 << 20;
    // Nanoseconds in the narrowest range a zoom reaches (and never fewer than columns).
    static constexpr std::uint64_t MINIMUM_SPAN = 100;

    Ruler();

    // Data length: the view and zoom reset cover [0, duration]. Resets the view and the history.
    void setDuration(const wxULongLong& duration);
    wxULongLong getDuration() const { return m_duration; }
    // Width of the time axis in pixels (the graph width).
    void setPixelWidth(int width);
    int getPixelWidth() const { return m_width; }
    // Size of the ruler window (global layers draw on its bottom line).
    void setWindowSize(const wxSize& size) { m_windowSize = size; }
    wxSize getWindowSize() const { return m_windowSize; }

    wxULongLong getStart() const { return m_start; }
    wxULongLong getEnd() const { return m_end; }
    // Shows [start, end] (ordered, limited to the data, at least MINIMUM_SPAN wide where the data
    // allows); with remember the range shown before goes on the zoom history.
    void setVisibleRange(const wxULongLong& start, const wxULongLong& end, bool remember);

    // Shows [start, end] as a pan: a run of pans with nothing else between them is one step of
    // the zoom history, so one undo goes back to where the panning began.
    void panTo(const wxULongLong& start, const wxULongLong& end);
    // Pixel column of `time`. With limited the result stays within LIMIT_PIXELS of the axis.
    int xFromTime(const wxULongLong& time, bool limited) const;
    // First time of column x (clamped to the data).
    wxULongLong timeFromX(int x) const;
    // Nanoseconds covered by one column (at least 1).
    double nsPerPixel() const;
    // The time span of MARKER_MARGIN_PIXELS at the current zoom.
    wxULongLong getMarkerMargin() const;

    // Selection [start, end]; start == end means none. With refresh the listeners hear of it.
    void setSelection(const wxULongLong& start, const wxULongLong& end, bool refresh);
    wxULongLong getSelectionStart() const { return m_selectionStart; }
    wxULongLong getSelectionEnd() const { return m_selectionEnd; }
    bool hasRulerSelection() const;

    bool canZoomSelection() const;
    bool canZoomUndo() const;
    bool canZoomReset() const;
    // Shows the selection and clears it; the view before goes on the history.
    void zoomSelection();
    void zoomUndo();
    // Shows all data; the view before goes on the history.
    void zoomReset();

    // A span of columns framed on the ruler (hovered global markers); (-1, -1) removes it.
    void setFrameAnchorPos(int x1, int x2);
    bool hasFrameAnchor() const { return m_frameX1 != -1 || m_frameX2 != -1; }
    int getFrameAnchorX1() const { return m_frameX1; }
    int getFrameAnchorX2() const { return m_frameX2; }

    // The row order of some area changed: listeners re-map rows and repaint.
    void sortOrderChanged();

    // `time` in seconds with as many decimals as one pixel column resolves (at least 0, at most
    // 9), e.g. "1.25 s" at 10 ms per column; the decimal separator is getDecimalSeparator().
    wxString timeToLimitedString(const wxULongLong& time) const;
    // The locale's decimal separator unless set.
    wxString getDecimalSeparator() const { return m_decimalSeparator; }
    void setDecimalSeparator(const wxString& separator) { m_decimalSeparator = separator; }

    // Returns an id for removeListener.
    int addListener(Listener listener);
    void removeListener(int id);

private:
    void notify(Change change);
    void show(std::uint64_t start, std::uint64_t end);

    std::uint64_t m_duration = 0;
    std::uint64_t m_start = 0;
    std::uint64_t m_end = 0;
    int m_width = 1;
    double m_columnsPerNs = 1.0; // m_width / (m_end - m_start + 1), for xFromTime's estimate
    wxSize m_windowSize;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_history; // views before, oldest first
    bool m_panning = false; // the last change of the view was a pan
    std::uint64_t m_selectionStart = 0;
    std::uint64_t m_selectionEnd = 0;
    int m_frameX1 = -1;
    int m_frameX2 = -1;
    wxString m_decimalSeparator;
    std::map<int, Listener> m_listeners;
    int m_nextListenerId = 0;
};

} // namespace tarquel_1_0
