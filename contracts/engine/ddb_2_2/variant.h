#pragma once
// One attribute value of the engine: a type tag and its payload.
//
// The tag numbers are part of the stored page format, which is why they are fixed here and
// not compacted. Tags without a payload of their own (1 to 5, 10, 14, 15, 17) still keep their
// number, so a value read back from a page file compares equal to the one written. A
// default-constructed variant is nil (tag 1).

#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <cstdint>
#include <variant>
#include <vector>

namespace ddb_2_2 {

using byte_block = std::vector<std::uint8_t>;

class SARVIK_API variant {
public:
    enum type_t : std::uint8_t {
        type_bool = 0,
        type_nil = 1,
        type_int32 = 6,
        type_uint32 = 7,
        type_int64 = 8,
        type_uint64 = 9,
        type_double = 11,
        type_narrow_string = 12,   ///< text that came from narrow characters; held like type_string
        type_string = 13,
        type_byte_block = 16,
        type_last = 17,            ///< the highest tag a stored value may carry
    };

    variant() = default;
    variant(bool value) : m_type(type_bool), m_value(value) {}
    variant(std::int32_t value) : m_type(type_int32), m_value(value) {}
    variant(std::uint32_t value) : m_type(type_uint32), m_value(value) {}
    variant(std::int64_t value) : m_type(type_int64), m_value(value) {}
    variant(std::uint64_t value) : m_type(type_uint64), m_value(value) {}
    variant(double value) : m_type(type_double), m_value(value) {}
    variant(string value) : m_type(type_string), m_value(std::move(value)) {}
    variant(const wchar_t* value) : variant(string(value)) {}
    variant(byte_block value) : m_type(type_byte_block), m_value(std::move(value)) {}

    /// A value of `tag` with the tag's zero payload (false, 0, 0.0, empty text or block, or
    /// nothing for the tags without payload). Tags above type_last give nil.
    static variant of_type(std::uint8_t tag);
    /// Text under type_string or type_narrow_string.
    static variant text(string value, type_t tag);

    std::uint8_t get_type() const { return m_type; }
    /// True when the value carries no payload (nil and the other payload-less tags).
    bool is_nil() const { return std::holds_alternative<std::monostate>(m_value); }

    // Typed reads: the stored payload when the tag matches, else the type's zero.
    bool get_bool() const { return get<bool>(); }
    std::int32_t get_int32() const { return get<std::int32_t>(); }
    std::uint32_t get_uint32() const { return get<std::uint32_t>(); }
    std::int64_t get_int64() const { return get<std::int64_t>(); }
    std::uint64_t get_uint64() const { return get<std::uint64_t>(); }
    double get_double() const { return get<double>(); }
    string get_string() const { return get<string>(); }
    const byte_block& get_byte_block() const;

    /// Numeric value of any number, bool or number-shaped text; false (and `out` untouched)
    /// for nil, byte blocks and other text.
    bool to_double(double& out) const;
    /// Display text: numbers in decimal, bool as "true"/"false", nil and blocks as "".
    string to_string() const;

    friend SARVIK_API bool operator==(const variant& a, const variant& b);
    friend bool operator!=(const variant& a, const variant& b) { return !(a == b); }
    /// Orders by tag first, then by payload.
    friend SARVIK_API bool operator<(const variant& a, const variant& b);

private:
    using payload = std::variant<std::monostate, bool, std::int32_t, std::uint32_t, std::int64_t,
                                 std::uint64_t, double, string, byte_block>;

    template <class T>
    T get() const
    {
        const T* value = std::get_if<T>(&m_value);
        return value ? *value : T();
    }

    std::uint8_t m_type = type_nil;
    payload m_value;
};

}  // namespace ddb_2_2
