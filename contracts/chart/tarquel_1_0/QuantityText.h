#pragma once
// Texts of times and shares as people read them: "1 ms" rather than "0.001000 s", "12.3 µs",
// "45.6%". One place, so the ruler, tooltips and details panels agree on how a value reads.
#include <chart_export.h>

#include <wx/string.h>

namespace tarquel_1_0 {

// A duration (or a time from the origin) in the largest of ns, µs, ms and s that keeps the value
// at least 1, rounded to `significantDigits` digits, trailing zeros dropped: 1500000 -> "1.5 ms".
TARQUEL_API wxString durationText(double nanoseconds, int significantDigits = 3);
// A percentage rounded to `significantDigits` digits: 12.345 -> "12.3%".
TARQUEL_API wxString percentText(double percent, int significantDigits = 3);
// A plain number rounded to `significantDigits` digits, trailing zeros dropped.
TARQUEL_API wxString numberText(double value, int significantDigits = 3);

} // namespace tarquel_1_0
