#include <mirrow2/variant_t.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <limits>
#include <type_traits>

namespace mirrow2 {

namespace {

// Converts any numeric alternative to Target: in range values exactly, others clamped,
// NaN to 0; text and empty give 0.
template <class Target>
struct numeric_converter {
    Target operator()(std::monostate) const { return 0; }
    Target operator()(const std::wstring&) const { return 0; }
    Target operator()(bool value) const { return value ? 1 : 0; }

    template <class Source>
    Target operator()(Source value) const
    {
        if constexpr (std::is_floating_point_v<Target>) {
            return static_cast<Target>(value);
        } else if constexpr (std::is_floating_point_v<Source>) {
            if (std::isnan(value))
                return 0;
            if (value <= static_cast<Source>(std::numeric_limits<Target>::min()))
                return std::numeric_limits<Target>::min();
            // The max of a 64-bit type rounds up as a double, so compare with >=.
            if (value >= static_cast<Source>(std::numeric_limits<Target>::max()))
                return std::numeric_limits<Target>::max();
            return static_cast<Target>(value);
        } else {
            // Every source is at most 64 bits wide, so these comparisons are exact.
            if constexpr (std::is_signed_v<Source>) {
                if (value < 0) {
                    if constexpr (std::is_unsigned_v<Target>)
                        return 0;
                    else if (static_cast<std::int64_t>(value) < std::numeric_limits<Target>::min())
                        return std::numeric_limits<Target>::min();
                    return static_cast<Target>(value);
                }
            }
            if (static_cast<std::uint64_t>(value) > static_cast<std::uint64_t>(std::numeric_limits<Target>::max()))
                return std::numeric_limits<Target>::max();
            return static_cast<Target>(value);
        }
    }
};

template <class Target, class Value>
Target convert(const Value& value)
{
    return std::visit(numeric_converter<Target>(), value);
}

std::wstring real_text(double value)
{
    // Shortest of the usual precisions that reads back as the same double.
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.15g", value);
    if (std::wcstod(buffer, nullptr) != value)
        std::swprintf(buffer, 64, L"%.17g", value);
    return buffer;
}

} // namespace

bool variant_t::get_bool() const { return get_double() != 0.0; }
std::int32_t variant_t::get_int32() const { return convert<std::int32_t>(m_value); }
std::uint32_t variant_t::get_uint32() const { return convert<std::uint32_t>(m_value); }
std::int64_t variant_t::get_int64() const { return convert<std::int64_t>(m_value); }
std::uint64_t variant_t::get_uint64() const { return convert<std::uint64_t>(m_value); }
double variant_t::get_double() const { return convert<double>(m_value); }

const std::wstring& variant_t::get_text() const
{
    static const std::wstring none;
    const auto* text = std::get_if<std::wstring>(&m_value);
    return text ? *text : none;
}

std::wstring variant_t::to_text() const
{
    switch (type()) {
    case type_t::empty:
        return {};
    case type_t::boolean:
        return std::get<bool>(m_value) ? L"true" : L"false";
    case type_t::int32:
    case type_t::int64:
        return std::to_wstring(get_int64());
    case type_t::uint32:
    case type_t::uint64:
        return std::to_wstring(get_uint64());
    case type_t::real:
        return real_text(std::get<double>(m_value));
    case type_t::text:
        return std::get<std::wstring>(m_value);
    }
    return {};
}

} // namespace mirrow2
