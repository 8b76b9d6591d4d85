#pragma once
// The items and keys of an over-time answer.
//
// An over-time query (dd_overtime_query) writes, per answered row, a list of dd_overtime_data
// items into a ddb_2_2::paged_bucket<dd_overtime_data> under that row's dd_overtime_data::key:
// one item per bucket where the row's running total changes, in ascending bucket order. The
// reader differences consecutive totals; a bucket without an item repeats the previous total.
//
// Everything here is inline: the page store serializes these types from another library and
// must not depend on the engine's binary.

#include <ddb_2_2/string.h>
#include <ddb_2_2/variant.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dd_sarvik_2_2 {

/// An ordered list of attribute values identifying what a series is about (an axis instance, a
/// restriction value), with one trailing 32-bit word. The first eight values live inline, so
/// the common short rows cost no allocation; further values go to a vector, which allocates
/// nothing while empty (keys are made and copied for every answered series).
class dd_attribute_row {
public:
    static constexpr std::size_t inline_capacity = 8;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    const ddb_2_2::variant& operator[](std::size_t i) const
    {
        return i < inline_capacity ? m_inline[i] : m_overflow[i - inline_capacity];
    }
    ddb_2_2::variant& operator[](std::size_t i)
    {
        return i < inline_capacity ? m_inline[i] : m_overflow[i - inline_capacity];
    }

    void push_back(const ddb_2_2::variant& value)
    {
        if (m_size < inline_capacity)
            m_inline[m_size] = value;
        else
            m_overflow.push_back(value);
        ++m_size;
    }

    void clear()
    {
        m_inline = {};
        m_overflow.clear();
        m_size = 0;
        m_trailing = 0;
    }

    std::uint32_t get_trailing_value() const { return m_trailing; }
    void set_trailing_value(std::uint32_t value) { m_trailing = value; }

    friend bool operator==(const dd_attribute_row& a, const dd_attribute_row& b)
    {
        if (a.m_size != b.m_size || a.m_trailing != b.m_trailing)
            return false;
        for (std::size_t i = 0; i < a.m_size; ++i)
            if (!(a[i] == b[i]))
                return false;
        return true;
    }
    friend bool operator!=(const dd_attribute_row& a, const dd_attribute_row& b) { return !(a == b); }

    /// Shorter rows first, then value by value, then the trailing word.
    friend bool operator<(const dd_attribute_row& a, const dd_attribute_row& b)
    {
        if (a.m_size != b.m_size)
            return a.m_size < b.m_size;
        for (std::size_t i = 0; i < a.m_size; ++i) {
            if (a[i] < b[i])
                return true;
            if (b[i] < a[i])
                return false;
        }
        return a.m_trailing < b.m_trailing;
    }

private:
    std::array<ddb_2_2::variant, inline_capacity> m_inline{};
    std::vector<ddb_2_2::variant> m_overflow;   // values from the ninth on
    std::uint32_t m_size = 0;
    std::uint32_t m_trailing = 0;
};

/// One item of an over-time answer: the running total of a row up to and including a bucket.
/// 16 bytes, so a 512-item page is 8 KiB.
class dd_overtime_data {
public:
    /// Identifies one answered series in the bucket. The engine fills it as follows:
    /// row 0 holds the axis instance index (one int32; empty without an axis), rows 1 to 4 the
    /// restriction values of the first four sub-queries, first number = the axis row, second
    /// number = the data source, first name = the axis table, second name = a text that
    /// identifies the query (its sub-query paths and width), so that one bucket can hold the
    /// answers of different queries side by side.
    struct key {
        std::array<dd_attribute_row, 5> rows{};
        std::uint64_t first_number = 0;
        std::uint64_t second_number = 0;
        ddb_2_2::string first_name;
        ddb_2_2::string second_name;

        friend bool operator==(const key& a, const key& b)
        {
            return a.first_number == b.first_number && a.second_number == b.second_number &&
                   a.first_name == b.first_name && a.second_name == b.second_name &&
                   a.rows == b.rows;
        }
        friend bool operator!=(const key& a, const key& b) { return !(a == b); }
        friend bool operator<(const key& a, const key& b)
        {
            if (a.first_number != b.first_number)
                return a.first_number < b.first_number;
            if (a.second_number != b.second_number)
                return a.second_number < b.second_number;
            if (a.first_name != b.first_name)
                return a.first_name < b.first_name;
            if (a.second_name != b.second_name)
                return a.second_name < b.second_name;
            return a.rows < b.rows;
        }
    };

    dd_overtime_data() = default;
    dd_overtime_data(std::uint64_t value, std::uint32_t bucketId) : m_value(value), m_bucketId(bucketId) {}

    std::uint64_t get_value() const { return m_value; }
    std::uint32_t get_bucket_id() const { return m_bucketId; }
    void set_value(std::uint64_t value) { m_value = value; }
    void set_bucket_id(std::uint32_t bucketId) { m_bucketId = bucketId; }

    friend bool operator==(const dd_overtime_data& a, const dd_overtime_data& b)
    {
        return a.m_value == b.m_value && a.m_bucketId == b.m_bucketId;
    }
    friend bool operator!=(const dd_overtime_data& a, const dd_overtime_data& b) { return !(a == b); }

private:
    std::uint64_t m_value = 0;
    std::uint32_t m_bucketId = 0;
};

static_assert(sizeof(dd_overtime_data) == 16, "over-time items are stored 16 bytes each");

}  // namespace dd_sarvik_2_2
