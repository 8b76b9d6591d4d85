#include <tarquel_1_0/QuantityText.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace tarquel_1_0 {

namespace {

// `value` with at most `digits` significant digits in fixed notation, trailing zeros and a
// trailing point dropped; fixed rather than exponent notation because people read units.
std::string rounded(double value, int digits)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "NaN" : (value < 0 ? "-inf" : "inf");
    if (value == 0)
        return "0";
    digits = digits < 1 ? 1 : digits;
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = digits - 1 - magnitude;
    const double scale = std::pow(10.0, decimals);
    double kept = std::round(value * scale) / scale;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals > 0 ? decimals : 0, kept);
    std::string text(buffer);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

} // namespace

wxString durationText(double nanoseconds, int significantDigits)
{
    struct Unit {
        double nanoseconds;
        const wchar_t* name;
    };
    static const Unit units[] = {{1e9, L"s"}, {1e6, L"ms"}, {1e3, L"\u00b5s"}, {1, L"ns"}};
    const double size = std::fabs(nanoseconds);
    for (const Unit& unit : units) {
        // Rounding may carry 999.6 µs up to 1000 µs: that reads better as 1 ms.
        const std::string inUnit = rounded(nanoseconds / unit.nanoseconds, significantDigits);
        if (size >= unit.nanoseconds || unit.nanoseconds == 1 || std::fabs(std::stod(inUnit)) >= 1)
            return wxString::FromUTF8(inUnit) + L" " + unit.name;
    }
    return wxString();
}

wxString percentText(double percent, int significantDigits)
{
    return wxString::FromUTF8(rounded(percent, significantDigits)) + L"%";
}

wxString numberText(double value, int significantDigits)
{
    return wxString::FromUTF8(rounded(value, significantDigits));
}

} // namespace tarquel_1_0
