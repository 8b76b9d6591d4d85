#pragma once
// A forward walk over a sequence of per-bucket values that the engine computed for one row.
//
// The derived over-time answer (dd_overtime_derived_data::const_iterator) and the attribute
// walker (dd_attr_overtime::forward_iterator) are both this: the values are shared with the
// engine's answer, so copies are cheap. Reading past the end yields 0.0, so a caller that reads
// a fixed number of buckets never reads invalid memory.

#include <cstddef>
#include <memory>
#include <vector>

namespace dd_sarvik_2_2 {

class dd_value_sequence {
public:
    dd_value_sequence() = default;
    explicit dd_value_sequence(std::shared_ptr<const std::vector<double>> values)
        : m_values(std::move(values))
    {
    }

    /// Set by the engine: the walk has values (possibly none).
    bool valid() const { return m_values != nullptr; }
    bool at_end() const { return !m_values || m_position >= m_values->size(); }
    double operator*() const { return at_end() ? 0.0 : (*m_values)[m_position]; }
    dd_value_sequence& operator++()
    {
        ++m_position;
        return *this;
    }
    std::size_t size() const { return m_values ? m_values->size() : 0; }

private:
    std::shared_ptr<const std::vector<double>> m_values;
    std::size_t m_position = 0;
};

}  // namespace dd_sarvik_2_2
