#include <tarquel_1_0/QuantityText.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>

namespace tarquel_1_0 {

namespace {

struct Unit {
    double nanoseconds;
    const wchar_t* name;
};
const Unit kUnits[] = {{1e9, L"s"}, {1e6, L"ms"}, {1e3, L"\u00b5s"}, {1, L"ns"}};

// `value` in fixed notation with `decimals` decimals, trailing zeros and a trailing point
// dropped; fixed rather than exponent notation because people read units.
std::string fixed(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals > 0 ? decimals : 0, value);
    std::string text(buffer);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

// `value` with at most `digits` significant digits.
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
    return fixed(std::round(value * scale) / scale, decimals);
}

} // namespace

wxString durationText(double nanoseconds, int significantDigits)
{
    const double size = std::fabs(nanoseconds);
    for (const Unit& unit : kUnits) {
        // Rounding may carry 999.6 µs up to 1000 µs: that reads better as 1 ms.
        const std::string inUnit = rounded(nanoseconds / unit.nanoseconds, significantDigits);
        if (size >= unit.nanoseconds || unit.nanoseconds == 1 || std::fabs(std::stod(inUnit)) >= 1)
            return wxString::FromUTF8(inUnit) + L" " + unit.name;
    }
    return wxString();
}

wxString tickText(std::uint64_t time, std::uint64_t step, std::uint64_t largest)
{
    const Unit* unit = &kUnits[3];
    for (const Unit& candidate : kUnits) {
        if (static_cast<double>(largest) >= candidate.nanoseconds) {
            unit = &candidate;
            break;
        }
    }
    const double places = std::log10(unit->nanoseconds / static_cast<double>(step > 0 ? step : 1));
    const int decimals = places > 0 ? static_cast<int>(std::ceil(places - 1e-9)) : 0;
    return wxString::FromUTF8(fixed(static_cast<double>(time) / unit->nanoseconds, decimals)) + L" " + unit->name;
}

wxString percentText(double percent, int significantDigits)
{
    return wxString::FromUTF8(rounded(percent, significantDigits)) + L"%";
}

wxString numberText(double value, int significantDigits)
{
    return wxString::FromUTF8(rounded(value, significantDigits));
}

wxString quantityText(double value, const wxString& unit, int significantDigits)
{
    const struct {
        const wchar_t* name;
        double nanoseconds;
    } times[] = {{L"ns", 1}, {L"us", 1e3}, {L"\u00b5s", 1e3}, {L"ms", 1e6}, {L"s", 1e9}};
    for (const auto& time : times)
        if (unit == time.name)
            return durationText(value * time.nanoseconds, significantDigits);
    if (unit == L"percent" || unit == L"%")
        return percentText(value, significantDigits);
    if (unit == L"bytes" || unit == L"B") {
        const wchar_t* const prefixes[] = {L"B", L"kB", L"MB", L"GB", L"TB", L"PB"};
        std::size_t prefix = 0;
        // Rounding may carry 999.9 kB up to 1000 kB: that reads better as 1 MB.
        while (prefix + 1 < std::size(prefixes) && std::fabs(value) >= 999.5 * std::pow(1000.0, prefix))
            ++prefix;
        return numberText(value / std::pow(1000.0, prefix), significantDigits) + L" " + prefixes[prefix];
    }
    const wxString number = numberText(value, significantDigits);
    return unit.empty() ? number : number + L" " + unit;
}

} // namespace tarquel_1_0
