#pragma once
// The per-bucket values of one attribute over time, for attribute-over-time walkers.
//
// Points come from the timed series stored under the path ("counter.value") when there is one;
// otherwise from the objects of a global band table at their start, each carrying the path's
// value for the object's instance. A bucket holds the largest point inside it (so a peak
// survives zooming out), or else the last value before it; 0 before the first point. An
// instance of -1 takes the points of every instance; any other only that instance's points
// (one counter's series).

#include <ddb_2_2/database.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace dd_sarvik_2_2 {

class AttributeSeries {
public:
    /// Null when neither source exists or the width is empty.
    static std::shared_ptr<const std::vector<double>> compute(const ddb_2_2::database& db,
                                                              const ddb_2_2::string& instanceTable,
                                                              const ddb_2_2::string& path, std::int32_t instance,
                                                              std::uint64_t start, std::uint64_t end, int count);
    /// The smallest and largest point over all time; false when there is none.
    static bool range(const ddb_2_2::database& db, const ddb_2_2::string& instanceTable, const ddb_2_2::string& path,
                      std::int32_t instance, double& min, double& max);
};

}  // namespace dd_sarvik_2_2
