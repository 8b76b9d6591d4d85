#pragma once
// Texts of times and shares as people read them: "1 ms" rather than "0.001000 s", "12.3 µs",
// "45.6%". One place, so the ruler, tooltips and details panels agree on how a value reads.
#include <chart_export.h>

#include <cstdint>

#include <wx/string.h>

namespace tarquel_1_0 {

// A duration (or a time from the origin) in the largest of ns, µs, ms and s that keeps the value
// at least 1, rounded to `significantDigits` digits, trailing zeros dropped: 1500000 -> "1.5 ms".
TARQUEL_API wxString durationText(double nanoseconds, int significantDigits = 3);
// A time of a set of ruler ticks `step` nanoseconds apart, the largest of which is `largest`:
// every label of the set in the unit of the largest, with the decimals that tell one tick from
// the next, trailing zeros dropped: 1500000 with a step of 500000 and a largest of 10000000 ->
// "1.5 ms".
TARQUEL_API wxString tickText(std::uint64_t time, std::uint64_t step, std::uint64_t largest);
// A percentage rounded to `significantDigits` digits: 12.345 -> "12.3%".
TARQUEL_API wxString percentText(double percent, int significantDigits = 3);
// A plain number rounded to `significantDigits` digits, trailing zeros dropped.
TARQUEL_API wxString numberText(double value, int significantDigits = 3);
// A value in the unit the data names, read the way that unit is read: a time unit ("ns", "us",
// "µs", "ms", "s") as durationText, "percent" or "%" as percentText, "bytes" or "B" with a
// decimal prefix (2500000 bytes -> "2.5 MB"), any other unit after the number ("12 frames"),
// and no unit as the bare number.
TARQUEL_API wxString quantityText(double value, const wxString& unit, int significantDigits = 3);

} // namespace tarquel_1_0
