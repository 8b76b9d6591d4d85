#pragma once
// Finds the markers and ruler events whose names contain a text, ignoring case (NameFilter),
// across every row of the result: it reads the band tables itself, so rows not loaded by their
// layer yet are searched too. Plain and thread-agnostic: the viewer runs it on a worker over
// copies of the marker layers' data sources; the result must stay open while it runs.
#include "provider/SarvikDataSource.h"
#include <VelmoraExport.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace dd_sarvik_2_2 {
class Result;
}

namespace velmora_1_0 {

class VELMORA_API MarkerSearch {
public:
    // The band table of one marker layer.
    struct Source {
        SarvikDataSource dataSource;
        bool global = false; // on the ruler: one set of markers, no rows
        int rowCount = 0;
    };

    struct Match {
        int source = -1; // index into the sources searched
        int row = -1;    // data row, as the layer's markers carry it (ruler events: the global row)
        std::uint64_t startTime = 0;
        std::uint64_t endTime = 0;
        std::int32_t instance = -1;
    };

    explicit MarkerSearch(const dd_sarvik_2_2::Result& result) : m_result(result) {}

    // In time order; empty when `text` is empty or `canceled` turned true meanwhile.
    std::vector<Match> find(const std::vector<Source>& sources, const std::wstring& text,
                            const std::atomic<bool>& canceled) const;

private:
    const dd_sarvik_2_2::Result& m_result;
};

} // namespace velmora_1_0
