#pragma once
// FilterBandBuilder: collects the pieces of time where a filter selects data, per band key (a
// row, or -1 for the whole area), and turns them into the stored records of a filter display:
// per key, sorted, with touching or overlapping pieces merged into maximal intervals.

#include <dd_sarvik_2_2/dd_band_objects.h>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace dd_sarvik_2_2 {

class FilterBandBuilder {
public:
    using Spans = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

    /// Adds pieces under `key`, remembering `instanceIndex` as the key's instance.
    void add(std::int32_t key, std::int32_t instanceIndex, const Spans& pieces);

    /// The merged records, by key then start.
    std::vector<dd_band_record> build() const;

private:
    struct Band {
        std::int32_t instanceIndex = -1;
        Spans pieces;
    };
    std::map<std::int32_t, Band> m_bands;
};

}  // namespace dd_sarvik_2_2
