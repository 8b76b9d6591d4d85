#include "provider/SliceReader.h"

#include "provider/BandObjectReader.h"
#include "provider/SarvikDataSource.h"
#include "provider/SliceNesting.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>
#include <dd_sarvik_2_2/dd_single_band_table.h>

#include <unordered_map>

namespace velmora_1_0 {

namespace {

std::wstring textOf(const ddb_2_2::variant& value)
{
    return value.is_nil() ? std::wstring() : std::wstring(value.to_string().str());
}

} // namespace

SliceReader::SliceReader(const dd_sarvik_2_2::Result* result, TickClock clock, std::function<bool()> isCanceled)
    : m_result(result), m_clock(clock), m_isCanceled(std::move(isCanceled))
{
}

bool SliceReader::read(const SarvikDataSource& ds, int row, SarvikProvider::SliceData& out) const
{
    std::vector<SarvikProvider::EventMarker> markers;
    if (!BandObjectReader(m_result, m_clock, m_isCanceled).readMarkers(ds, row, markers))
        return false;

    dd_sarvik_2_2::dd_single_band_table table;
    ddb_2_2::string attributes;
    if (table.initialize(ddb_2_2::string(ds.instanceTable.ToStdWstring()), m_result->get_database()))
        attributes = table.get_attribute_table();
    const dd_sarvik_2_2::dd_attribute_table_data_retriever names(m_result->get_database(),
                                                                 attributes + ddb_2_2::string(L".name"));
    const dd_sarvik_2_2::dd_attribute_table_data_retriever categories(m_result->get_database(),
                                                                      attributes + ddb_2_2::string(L".category"));

    // Rows repeat a few names many times: each instance is looked up once.
    std::unordered_map<std::int32_t, int> nameOfInstance;
    out.slices.reserve(markers.size());
    for (const SarvikProvider::EventMarker& marker : markers) {
        if (marker.endTime <= marker.startTime)
            continue;
        if (m_isCanceled())
            return true;
        SarvikProvider::Slice slice;
        slice.startTime = marker.startTime;
        slice.endTime = marker.endTime;
        slice.instanceIndex = marker.instanceIndex;
        slice.value = marker.value;
        const auto known = nameOfInstance.find(marker.instanceIndex);
        if (known != nameOfInstance.end()) {
            slice.name = known->second;
        } else {
            const ddb_2_2::index instance(marker.instanceIndex);
            slice.name = static_cast<int>(out.names.size());
            out.names.push_back(textOf(names.get_value(instance)));
            out.categories.push_back(textOf(categories.get_value(instance)));
            nameOfInstance.emplace(marker.instanceIndex, slice.name);
        }
        out.slices.push_back(slice);
    }
    out.depth = SliceNesting::assign(out.slices);
    return true;
}

} // namespace velmora_1_0
