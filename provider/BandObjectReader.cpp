#include "provider/BandObjectReader.h"

#include "provider/EngineString.h"
#include "provider/BandRowLookup.h"
#include "provider/SarvikDataSource.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_global_band2_table.h>
#include <dd_sarvik_2_2/dd_global_band_table.h>
#include <dd_sarvik_2_2/dd_global_timeline_key.h>
#include <dd_sarvik_2_2/dd_single_band_table.h>
#include <dd_sarvik_2_2/dd_single_multi_band_table.h>

#include <algorithm>

namespace velmora_1_0 {

BandObjectReader::BandObjectReader(const dd_sarvik_2_2::Result* result, TickClock clock,
                                   std::function<bool()> isCanceled)
    : m_result(result), m_clock(clock), m_isCanceled(std::move(isCanceled))
{
}

namespace {

// Room for `more` records at once instead of the vector's repeated growth while a row is walked;
// doubling still bounds the copying when one vector collects many rows.
template <class Record>
void makeRoomForRow(std::vector<Record>& out, std::size_t more)
{
    const std::size_t needed = out.size() + more;
    if (needed > out.capacity())
        out.reserve(std::max(needed, 2 * out.capacity()));
}

} // namespace

template <class Table, class Record, class Visit>
bool BandObjectReader::walkRow(const SarvikDataSource& ds, int row, std::vector<Record>& out, Visit&& visit) const
{
    if (!m_result)
        return false;
    Table table;
    typename Table::iterator objects;
    switch (BandRowLookup::find(table, engineString(ds.instanceTable), m_result->get_database(), row, m_isCanceled, objects)) {
    case BandRowLookup::FAILED:
        return false;
    case BandRowLookup::NO_DATA:
        return true;
    case BandRowLookup::FOUND:
        break;
    }
    makeRoomForRow(out, objects.size());
    for (; !objects.at_end(); ++objects) {
        if (m_isCanceled())
            return true;
        visit(*objects);
    }
    return true;
}

bool BandObjectReader::readMarkers(const SarvikDataSource& ds, int row,
                                   std::vector<SarvikProvider::EventMarker>& out) const
{
    return walkRow<dd_sarvik_2_2::dd_single_band_table>(ds, row, out, [&](const dd_sarvik_2_2::dd_single_band_obj& object) {
        SarvikProvider::EventMarker marker;
        marker.row = static_cast<short>(row);
        marker.startTime = m_clock.nanoseconds(object.start);
        marker.endTime = m_clock.nanoseconds(object.end);
        marker.value = object.value;
        marker.instanceIndex = object.instance_index.get();
        out.push_back(marker);
    });
}

bool BandObjectReader::readTransitions(const SarvikDataSource& ds, int row, std::atomic<std::uint32_t>& nextId,
                                       std::vector<SarvikProvider::Transition>& out) const
{
    return walkRow<dd_sarvik_2_2::dd_single_multi_band_table>(
        ds, row, out, [&](const dd_sarvik_2_2::dd_single_multi_band_obj& object) {
            const int fromRow = object.row_index.get();
            if (fromRow == row)
                return; // a row never transitions to itself
            SarvikProvider::Transition transition;
            transition.id = nextId++;
            transition.startTime = m_clock.nanoseconds(object.start);
            transition.endTime = m_clock.nanoseconds(object.end);
            transition.fromRow = static_cast<short>(fromRow);
            transition.toRow = static_cast<short>(row);
            transition.value = object.value;
            transition.instanceIndex = object.instance_index.get();
            out.push_back(transition);
        });
}

bool BandObjectReader::readStates(const SarvikDataSource& ds, int row,
                                  std::vector<tarquel_1_0::DataProvider::SMBInterval>& out) const
{
    return walkRow<dd_sarvik_2_2::dd_single_multi_band_table>(
        ds, row, out, [&](const dd_sarvik_2_2::dd_single_multi_band_obj& object) {
            tarquel_1_0::DataProvider::SMBInterval interval;
            interval.start = m_clock.nanoseconds(object.start);
            interval.end = m_clock.nanoseconds(object.end);
            interval.value = static_cast<std::uint32_t>(object.value);
            interval.instanceIndex = object.instance_index.get();
            out.push_back(interval);
        });
}

template <class Table, class Object>
bool BandObjectReader::walkGlobal(const ddb_2_2::string& table, const ddb_2_2::string& key,
                                  std::vector<SarvikProvider::EventMarker>& out, std::uint64_t Object::*start,
                                  std::uint64_t Object::*end) const
{
    Table band;
    if (!band.initialize(table, m_result->get_database()))
        return false;
    typename Table::iterator objects;
    band.get_data(objects, dd_sarvik_2_2::dd_global_timeline_key(key));
    for (; !objects.at_end(); ++objects) {
        if (m_isCanceled())
            return true;
        const Object object = *objects;
        SarvikProvider::EventMarker marker;
        marker.row = SarvikProvider::GLOBAL_ROW;
        marker.startTime = m_clock.nanoseconds(object.*start);
        marker.endTime = m_clock.nanoseconds(object.*end);
        marker.value = object.value;
        marker.instanceIndex = object.instance_index.get();
        out.push_back(marker);
    }
    return true;
}

bool BandObjectReader::readGlobalMarkers(const SarvikDataSource& ds,
                                         std::vector<SarvikProvider::EventMarker>& out) const
{
    if (!m_result)
        return false;
    const ddb_2_2::string key = engineString(ds.attributeTable);
    const ddb_2_2::string table = engineString(ds.instanceTable);
    if (m_result->check_instance_table_type(table, dd_sarvik_2_2::Result::global_instant_data))
        return walkGlobal<dd_sarvik_2_2::dd_global_band_table>(table, key, out, &dd_sarvik_2_2::dd_global_band_obj::time,
                                                             &dd_sarvik_2_2::dd_global_band_obj::time);
    if (m_result->check_instance_table_type(table, dd_sarvik_2_2::Result::global_duration_data))
        return walkGlobal<dd_sarvik_2_2::dd_global_band2_table>(table, key, out, &dd_sarvik_2_2::dd_global_band_obj2::start,
                                                              &dd_sarvik_2_2::dd_global_band_obj2::end);
    return true;
}

} // namespace velmora_1_0
