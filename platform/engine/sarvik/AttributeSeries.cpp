#include "sarvik/AttributeSeries.h"

#include "sarvik/AttributePath.h"
#include "sarvik/BucketGrid.h"
#include "sarvik/TimedAttributeData.h"

#include <dd_sarvik_2_2/dd_band_data.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace dd_sarvik_2_2 {

namespace {
using Points = std::vector<std::pair<std::uint64_t, double>>;   // (tick, value), tick order

bool ofInstance(std::int32_t pointInstance, std::int32_t instance)
{
    return instance == -1 || pointInstance == instance;
}

std::optional<Points> timedPoints(const ddb_2_2::database& db, const ddb_2_2::string& path, std::int32_t instance)
{
    auto series = std::dynamic_pointer_cast<const TimedAttributeData>(db.get_table(path));
    if (!series)
        return std::nullopt;
    Points points;
    points.reserve(instance == -1 ? series->points().size() : 0);
    for (const auto& p : series->points())
        if (ofInstance(p.instanceIndex, instance))
            points.emplace_back(p.tick, p.value);
    return points;
}

std::optional<Points> bandPoints(const ddb_2_2::database& db, const ddb_2_2::string& instanceTable,
                                 const ddb_2_2::string& path, std::int32_t instance)
{
    auto band = std::dynamic_pointer_cast<const dd_band_data>(db.get_table(instanceTable));
    if (!band)
        return std::nullopt;
    const auto attribute = AttributePath::resolve(db, path.str());
    if (!attribute)
        return std::nullopt;
    Points points;
    for (const dd_band_record& r : band->records()) {
        double value = 0.0;
        if (r.instanceIndex >= 0 && ofInstance(r.instanceIndex, instance) &&
            AttributePath::toVariant(attribute->value(static_cast<std::size_t>(r.instanceIndex))).to_double(value))
            points.emplace_back(r.start, value);
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return points;
}

std::optional<Points> seriesPoints(const ddb_2_2::database& db, const ddb_2_2::string& instanceTable,
                                   const ddb_2_2::string& path, std::int32_t instance)
{
    std::optional<Points> points = timedPoints(db, path, instance);
    return points ? points : bandPoints(db, instanceTable, path, instance);
}
}  // namespace

bool AttributeSeries::range(const ddb_2_2::database& db, const ddb_2_2::string& instanceTable,
                            const ddb_2_2::string& path, std::int32_t instance, double& min, double& max)
{
    const std::optional<Points> points = seriesPoints(db, instanceTable, path, instance);
    if (!points || points->empty())
        return false;
    const auto [low, high] = std::minmax_element(points->begin(), points->end(),
                                                 [](const auto& a, const auto& b) { return a.second < b.second; });
    min = low->second;
    max = high->second;
    return true;
}

std::shared_ptr<const std::vector<double>> AttributeSeries::compute(const ddb_2_2::database& db,
                                                                    const ddb_2_2::string& instanceTable,
                                                                    const ddb_2_2::string& path, std::int32_t instance,
                                                                    std::uint64_t start, std::uint64_t end, int count)
{
    const BucketGrid grid(start, end, count);
    if (grid.count() == 0)
        return nullptr;
    const std::optional<Points> points = seriesPoints(db, instanceTable, path, instance);
    if (!points)
        return nullptr;

    auto values = std::make_shared<std::vector<double>>(grid.count(), 0.0);
    double last = 0.0;
    auto next = points->begin();
    for (std::uint32_t i = 0; i < grid.count(); ++i) {
        const std::uint64_t bucketStart = grid.boundary(i);
        const std::uint64_t bucketEnd = grid.boundary(i + 1);
        for (; next != points->end() && next->first < bucketStart; ++next)
            last = next->second;
        bool inside = false;
        double largest = 0.0;
        for (; next != points->end() && next->first < bucketEnd; ++next) {
            largest = inside ? std::max(largest, next->second) : next->second;
            inside = true;
            last = next->second;
        }
        (*values)[i] = inside ? largest : last;
    }
    return values;
}

}  // namespace dd_sarvik_2_2
