#pragma once
// Once the first part of an input is read, reserves in a record vector the room the whole input
// will need at the rate seen so far. A vector left to double as it fills copies everything it
// holds each time and touches fresh pages twice; on inputs of millions of events that was a
// fifth of an import. Reserved but unused room costs address space, not memory, and a forecast
// that falls short only means the vector grows as before.
//
//   const CapacityForecast forecast(bytesRead, fileSize);
//   forecast.reserve(m_samples);  forecast.reserve(m_marks);
#include <algorithm>
#include <cstdint>
#include <vector>

namespace velmora_import {

class CapacityForecast {
public:
    // `done` of `total`, in any measure that grows evenly with the input (bytes, time).
    CapacityForecast(std::uint64_t done, std::uint64_t total)
        : m_done(done)
        , m_total(total)
    {
    }

    // Worth a reservation: something was read, and most of the input is still ahead.
    bool useful() const { return m_done > 0 && m_total / 2 > m_done; }

    template <class Record>
    void reserve(std::vector<Record>& records) const
    {
        if (!useful())
            return;
        const double wanted =
            static_cast<double>(records.size()) * static_cast<double>(m_total) / static_cast<double>(m_done) * MARGIN;
        // A start unlike the rest must not reserve more than the input could ever fill.
        const double ceiling = static_cast<double>(m_total) / sizeof(Record);
        const auto count = static_cast<std::size_t>(std::min(wanted, ceiling));
        if (count > records.capacity())
            records.reserve(count);
    }

private:
    static constexpr double MARGIN = 1.05; // inputs thin out or thicken a little over time

    std::uint64_t m_done;
    std::uint64_t m_total;
};

} // namespace velmora_import
