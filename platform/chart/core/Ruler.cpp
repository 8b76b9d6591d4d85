#include <tarquel_1_0/Ruler.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include <wx/numformatter.h>

namespace tarquel_1_0 {

namespace {

const std::uint64_t kNanosPerSecond = 1000000000ULL;

} // namespace

Ruler::Ruler() : m_decimalSeparator(wxString(wxNumberFormatter::GetDecimalSeparator()))
{
}

void Ruler::setDuration(const wxULongLong& duration)
{
    m_duration = duration.GetValue();
    m_history.clear();
    m_selectionStart = m_selectionEnd = 0;
    show(0, m_duration);
    notify(Change::Range);
}

void Ruler::setPixelWidth(int width)
{
    m_width = std::max(1, width);
    show(m_start, m_end);
    notify(Change::Range);
}

void Ruler::setVisibleRange(const wxULongLong& start, const wxULongLong& end, bool remember)
{
    m_panning = false;
    const auto before = std::make_pair(m_start, m_end);
    show(start.GetValue(), end.GetValue());
    if (before == std::make_pair(m_start, m_end))
        return;
    if (remember)
        m_history.push_back(before);
    notify(Change::Range);
}

void Ruler::panTo(const wxULongLong& start, const wxULongLong& end)
{
    const bool continues = m_panning;
    setVisibleRange(start, end, !continues);
    m_panning = true;
}

void Ruler::show(std::uint64_t start, std::uint64_t end)
{
    if (start > end)
        std::swap(start, end);
    end = std::min(end, m_duration);
    start = std::min(start, end);
    // Widen a range narrower than the zoom limit, to the right first, within the data.
    const std::uint64_t minimum =
        std::min<std::uint64_t>(m_duration, std::max<std::uint64_t>(MINIMUM_SPAN, m_width) - 1);
    if (end - start < minimum) {
        end = std::min(m_duration, start + minimum);
        start = end - minimum;
    }
    m_start = start;
    m_end = end;
    m_columnsPerNs = m_width / (static_cast<double>(m_end - m_start) + 1.0);
}

int Ruler::xFromTime(const wxULongLong& time, bool limited) const
{
    const std::int64_t low = limited ? -static_cast<std::int64_t>(LIMIT_PIXELS) : INT_MIN;
    const std::int64_t high = limited ? static_cast<std::int64_t>(m_width) + LIMIT_PIXELS : INT_MAX;
    // Columns are floor(offset * width / span). A floating estimate lands within a column of it
    // and whole-number products settle it: as exact as dividing, at a fraction of the cost, and
    // drawing asks for millions of columns per frame.
    const std::uint64_t t = time.GetValue();
    const __int128 offset = static_cast<__int128>(t) - m_start;
    // Times and starts below 2^63 differ by what 64 bits hold, which converts to floating point in
    // one instruction; a 128-bit conversion is a library call.
    constexpr std::uint64_t kHalf = std::uint64_t(1) << 63;
    const double distance = t < kHalf && m_start < kHalf
                                ? static_cast<double>(static_cast<std::int64_t>(t) - static_cast<std::int64_t>(m_start))
                                : static_cast<double>(offset);
    const double estimate = std::floor(distance * m_columnsPerNs);
    if (estimate <= static_cast<double>(low) - 2.0)
        return static_cast<int>(low);
    if (estimate >= static_cast<double>(high) + 2.0)
        return static_cast<int>(high);
    const __int128 scaled = offset * m_width;
    const __int128 span = static_cast<__int128>(m_end - m_start) + 1;
    auto x = static_cast<std::int64_t>(estimate);
    while (static_cast<__int128>(x) * span > scaled)
        --x;
    while (static_cast<__int128>(x + 1) * span <= scaled)
        ++x;
    return static_cast<int>(std::clamp(x, low, high));
}

wxULongLong Ruler::timeFromX(int x) const
{
    const long double t = static_cast<long double>(m_start)
        + std::ceil(static_cast<long double>(x) * (static_cast<long double>(m_end - m_start) + 1.0L) / m_width);
    return static_cast<std::uint64_t>(std::clamp(t, 0.0L, static_cast<long double>(m_duration)));
}

double Ruler::nsPerPixel() const
{
    return std::max(1.0, (static_cast<double>(m_end - m_start) + 1.0) / m_width);
}

wxULongLong Ruler::getMarkerMargin() const
{
    return static_cast<std::uint64_t>(std::ceil(nsPerPixel() * MARKER_MARGIN_PIXELS));
}

void Ruler::setSelection(const wxULongLong& start, const wxULongLong& end, bool refresh)
{
    m_selectionStart = std::min(start.GetValue(), end.GetValue());
    m_selectionEnd = std::max(start.GetValue(), end.GetValue());
    if (refresh)
        notify(Change::Selection);
}

bool Ruler::hasRulerSelection() const
{
    return m_selectionEnd > m_selectionStart;
}

bool Ruler::canZoomSelection() const
{
    return hasRulerSelection() && (m_selectionStart != m_start || m_selectionEnd != m_end);
}

bool Ruler::canZoomUndo() const
{
    return !m_history.empty();
}

bool Ruler::canZoomReset() const
{
    return m_start != 0 || m_end != m_duration;
}

void Ruler::zoomSelection()
{
    if (!canZoomSelection())
        return;
    const std::uint64_t start = m_selectionStart;
    const std::uint64_t end = m_selectionEnd;
    m_selectionStart = m_selectionEnd = 0;
    setVisibleRange(start, end, true);
    notify(Change::Selection);
}

void Ruler::zoomUndo()
{
    if (m_history.empty())
        return;
    const auto previous = m_history.back();
    m_history.pop_back();
    m_panning = false;
    show(previous.first, previous.second);
    notify(Change::Range);
}

void Ruler::zoomReset()
{
    if (canZoomReset())
        setVisibleRange(0, m_duration, true);
}

void Ruler::setFrameAnchorPos(int x1, int x2)
{
    if (x1 == m_frameX1 && x2 == m_frameX2)
        return;
    m_frameX1 = x1;
    m_frameX2 = x2;
    notify(Change::FrameAnchor);
}

void Ruler::sortOrderChanged()
{
    notify(Change::SortOrder);
}

wxString Ruler::timeToLimitedString(const wxULongLong& time) const
{
    // As many decimals as tell one column from the next.
    const int decimals = std::clamp(static_cast<int>(std::ceil(std::log10(1e9 / nsPerPixel()) - 1e-9)), 0, 9);
    const std::uint64_t value = time.GetValue();
    wxString text = wxString::Format("%llu", static_cast<unsigned long long>(value / kNanosPerSecond));
    if (decimals > 0) {
        std::uint64_t fraction = value % kNanosPerSecond;
        for (int i = decimals; i < 9; ++i)
            fraction /= 10;
        text << m_decimalSeparator << wxString::Format("%0*llu", decimals, static_cast<unsigned long long>(fraction));
    }
    return text + " s";
}

int Ruler::addListener(Listener listener)
{
    m_listeners[m_nextListenerId] = std::move(listener);
    return m_nextListenerId++;
}

void Ruler::removeListener(int id)
{
    m_listeners.erase(id);
}

void Ruler::notify(Change change)
{
    // A listener may add or remove listeners while it is told.
    const auto listeners = m_listeners;
    for (const auto& entry : listeners)
        entry.second(change);
}

} // namespace tarquel_1_0
