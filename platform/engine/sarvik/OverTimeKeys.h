#pragma once
// The keys under which an over-time query's answer lives in a paged bucket: one per answered
// row, and a marker key whose entry says the bucket holds the whole answer. They depend on the
// query alone, so a caller can look a row up in a filled bucket without resolving the query's
// samples again (which costs time in the number of rows).

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_overtime_data.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>

#include <cstdint>

namespace dd_sarvik_2_2 {

class OverTimeKeys {
public:
    explicit OverTimeKeys(const dd_overtime_query& query);

    dd_overtime_data::key row(std::int32_t row) const;
    dd_overtime_data::key marker() const;
    bool isFilled(const Result::overtime_bucket& bucket) const { return !bucket.find(marker()).at_end(); }
    bool operator==(const OverTimeKeys& other) const { return marker() == other.marker(); }

private:
    const dd_overtime_query& m_query;
    ddb_2_2::string m_signature;
};

}  // namespace dd_sarvik_2_2
