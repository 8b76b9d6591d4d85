#include "filter/FilterBandBuilder.h"

#include <algorithm>

namespace dd_sarvik_2_2 {

void FilterBandBuilder::add(std::int32_t key, std::int32_t instanceIndex, const Spans& pieces)
{
    if (pieces.empty())
        return;
    auto& band = m_bands[key];
    band.instanceIndex = instanceIndex;
    band.pieces.insert(band.pieces.end(), pieces.begin(), pieces.end());
}

std::vector<dd_band_record> FilterBandBuilder::build() const
{
    std::vector<dd_band_record> records;
    for (const auto& [key, band] : m_bands) {
        Spans pieces = band.pieces;
        std::sort(pieces.begin(), pieces.end());
        const std::size_t first = records.size();
        for (const auto& [start, end] : pieces) {
            if (records.size() > first && start <= records.back().end) {
                records.back().end = std::max(records.back().end, end);
                continue;
            }
            dd_band_record record;
            record.row = key;
            record.start = start;
            record.end = end;
            record.instanceIndex = band.instanceIndex;
            records.push_back(record);
        }
    }
    return records;
}

}  // namespace dd_sarvik_2_2
