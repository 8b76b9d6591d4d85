#include "json/TrackTable.h"

#include "RecordTables.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <tuple>

namespace velmora_import {

namespace store = dd_sarvik_2_2::store;

namespace {

// Where an id without a sort index goes: numbers by value, names after them by text.
std::tuple<double, bool, std::string> orderOf(const TraceId& id, const std::optional<double>& sortIndex)
{
    const double place = sortIndex ? *sortIndex
                                   : id.named ? std::numeric_limits<double>::infinity() : static_cast<double>(id.number);
    return {place, id.named, id.named ? id.name : std::string()};
}

bool sameId(const TraceId& a, const TraceId& b)
{
    return a.named == b.named && a.number == b.number && a.name == b.name;
}

store::StoredValue valueOf(const TraceId& id)
{
    if (id.named)
        return RecordTables::wide(id.name);
    return id.number;
}

} // namespace

TrackTable::Process& TrackTable::processOf(const TraceId& pid)
{
    Process& process = m_processes[pid.key()];
    process.id = pid;
    return process;
}

std::size_t TrackTable::add(Track track, std::map<std::string, std::size_t>& index, const std::string& key)
{
    const auto [found, added] = index.emplace(key, m_tracks.size());
    if (added)
        m_tracks.push_back(std::move(track));
    return found->second;
}

std::size_t TrackTable::thread(const TraceId& pid, const TraceId& tid)
{
    // Events come in runs of one thread: the last answer saves building a key.
    if (m_lastThread && sameId(m_lastPid, pid) && sameId(m_lastTid, tid))
        return *m_lastThread;
    m_lastThread = threadByKey(pid, tid);
    m_lastPid = pid;
    m_lastTid = tid;
    return *m_lastThread;
}

std::size_t TrackTable::threadByKey(const TraceId& pid, const TraceId& tid)
{
    const std::string key = pid.key() + '\n' + tid.key();
    if (const auto found = m_threadIndex.find(key); found != m_threadIndex.end())
        return found->second;
    processOf(pid);
    Track track;
    track.processKey = pid.key();
    track.tid = tid;
    const std::size_t index = add(std::move(track), m_threadIndex, key);
    m_firstWithTid.emplace(tid.key(), index);
    return index;
}

std::size_t TrackTable::process(const TraceId& pid)
{
    if (const auto found = m_processIndex.find(pid.key()); found != m_processIndex.end())
        return found->second;
    processOf(pid);
    Track track;
    track.kind = Kind::process;
    track.processKey = pid.key();
    return add(std::move(track), m_processIndex, pid.key());
}

std::size_t TrackTable::async(const TraceId& pid, const std::string& category, const std::string& name)
{
    const std::string label = category.empty() ? name : category + " " + name;
    const std::string key = pid.key() + '\n' + label;
    if (const auto found = m_asyncIndex.find(key); found != m_asyncIndex.end())
        return found->second;
    processOf(pid);
    Track track;
    track.kind = Kind::async;
    track.processKey = pid.key();
    track.label = label;
    return add(std::move(track), m_asyncIndex, key);
}

std::optional<std::size_t> TrackTable::threadWithTid(const TraceId& tid) const
{
    const auto found = m_firstWithTid.find(tid.key());
    return found == m_firstWithTid.end() ? std::nullopt : std::optional<std::size_t>(found->second);
}

void TrackTable::nameProcess(const TraceId& pid, const std::string& name)
{
    processOf(pid).name = name;
}

void TrackTable::labelProcess(const TraceId& pid, const std::string& labels)
{
    processOf(pid).labels = labels;
}

void TrackTable::sortProcess(const TraceId& pid, double index)
{
    processOf(pid).sortIndex = index;
}

void TrackTable::nameThread(const TraceId& pid, const TraceId& tid, const std::string& name)
{
    m_tracks[thread(pid, tid)].name = name;
}

void TrackTable::sortThread(const TraceId& pid, const TraceId& tid, double index)
{
    m_tracks[thread(pid, tid)].sortIndex = index;
}

void TrackTable::touch(std::size_t index, std::int64_t time)
{
    Track& track = m_tracks[index];
    track.first = track.timed ? std::min(track.first, time) : time;
    track.last = track.timed ? std::max(track.last, time) : time;
    track.timed = true;
}

std::string TrackTable::processLabelOf(const TraceId& pid) const
{
    const auto found = m_processes.find(pid.key());
    const std::string& name = found == m_processes.end() ? std::string() : found->second.name;
    std::string text = pid.named ? (name.empty() || name == pid.name ? pid.name : name + " (" + pid.name + ")")
                                 : (name.empty() ? "process " : name + " ") + std::to_string(pid.number);
    if (found != m_processes.end() && !found->second.labels.empty())
        text += " [" + found->second.labels + "]";
    return text;
}

std::string TrackTable::label(const Track& track) const
{
    const std::string process = processLabelOf(m_processes.at(track.processKey).id);
    switch (track.kind) {
    case Kind::process:
        return process;
    case Kind::async:
        return process + " / " + track.label;
    case Kind::thread:
        break;
    }
    if (track.tid.named)
        return process + " / " + (track.name.empty() ? track.tid.name : track.name + " (" + track.tid.name + ")");
    return process + " / " + (track.name.empty() ? "thread" : track.name) + " " + std::to_string(track.tid.number);
}

std::vector<std::int32_t> TrackTable::rows() const
{
    std::vector<std::size_t> order(m_tracks.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    const auto placeOf = [this](const Track& track) {
        const Process& process = m_processes.at(track.processKey);
        return std::make_tuple(orderOf(process.id, process.sortIndex), track.processKey, static_cast<int>(track.kind),
                               orderOf(track.tid, track.sortIndex), track.label);
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return placeOf(m_tracks[a]) < placeOf(m_tracks[b]); });
    std::vector<std::int32_t> rows(m_tracks.size());
    for (std::size_t row = 0; row < order.size(); ++row)
        rows[order[row]] = static_cast<std::int32_t>(row);
    return rows;
}

store::AttributeTableRecord TrackTable::rowTable(const std::vector<std::int32_t>& rows) const
{
    store::AttributeTableRecord table;
    table.name = L"dd_thread";
    table.columns = {{L"name", {}}, {L"process", {}}, {L"pid", {}}, {L"tid", {}}};
    table.instances.resize(m_tracks.size());
    for (std::size_t index = 0; index < m_tracks.size(); ++index) {
        const Track& track = m_tracks[index];
        const Process& process = m_processes.at(track.processKey);
        table.instances[static_cast<std::size_t>(rows[index])] = {
            RecordTables::wide(label(track)), RecordTables::wide(processLabelOf(process.id)), valueOf(process.id),
            track.kind == Kind::thread ? valueOf(track.tid) : store::StoredValue()};
    }
    return table;
}

} // namespace velmora_import
