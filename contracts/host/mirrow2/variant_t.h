#pragma once
#include <host_export.h>

#include <cstdint>
#include <string>
#include <variant>

namespace mirrow2 {

// A small tagged value: empty, a boolean, a 32- or 64-bit (un)signed integer, a double
// or wide text. Numeric getters convert between the numeric kinds (bool as 0/1, doubles
// truncated and clamped); text and empty give 0. Equality compares kind and value.
class HOST_API variant_t {
public:
    enum class type_t { empty, boolean, int32, uint32, int64, uint64, real, text };

    variant_t() = default;
    variant_t(bool value) : m_value(value) {}
    variant_t(std::int32_t value) : m_value(value) {}
    variant_t(std::uint32_t value) : m_value(value) {}
    variant_t(std::int64_t value) : m_value(value) {}
    variant_t(std::uint64_t value) : m_value(value) {}
    variant_t(long long value) : m_value(static_cast<std::int64_t>(value)) {}
    variant_t(unsigned long long value) : m_value(static_cast<std::uint64_t>(value)) {}
    variant_t(double value) : m_value(value) {}
    variant_t(std::wstring value) : m_value(std::move(value)) {}
    variant_t(const wchar_t* value) : m_value(std::wstring(value)) {}
    // Narrow text would otherwise silently become a boolean.
    variant_t(const char*) = delete;

    type_t type() const noexcept { return static_cast<type_t>(m_value.index()); }
    bool is_empty() const noexcept { return type() == type_t::empty; }
    bool is_text() const noexcept { return type() == type_t::text; }
    bool is_numeric() const noexcept { return !is_empty() && !is_text(); }

    bool get_bool() const;
    std::int32_t get_int32() const;
    std::uint32_t get_uint32() const;
    std::int64_t get_int64() const;
    std::uint64_t get_uint64() const;
    double get_double() const;
    // The text itself, or an empty text when the value is not text.
    const std::wstring& get_text() const;
    // Any value written as text: numbers in decimal, booleans as "true"/"false".
    std::wstring to_text() const;

    bool operator==(const variant_t& other) const { return m_value == other.m_value; }
    bool operator!=(const variant_t& other) const { return !(*this == other); }

private:
    std::variant<std::monostate, bool, std::int32_t, std::uint32_t, std::int64_t,
                 std::uint64_t, double, std::wstring>
        m_value;
};

} // namespace mirrow2
