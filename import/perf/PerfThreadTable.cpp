#include "perf/PerfThreadTable.h"

#include "RecordTables.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <tuple>

namespace velmora_import {

namespace store = dd_sarvik_2_2::store;

std::size_t PerfThreadTable::indexOf(std::int64_t tid, std::int32_t cpu)
{
    // Idle threads are told apart by CPU; keys below -1 cannot be thread ids.
    const std::int64_t key = tid != 0 ? tid : -2 - std::max(cpu, -1);
    if (key == m_lastKey && !m_threads.empty())
        return m_lastIndex;
    const auto [found, added] = m_index.emplace(key, m_threads.size());
    if (added) {
        m_threads.emplace_back();
        m_threads.back().tid = tid;
        m_threads.back().cpu = tid == 0 ? cpu : -1;
        if (tid == 0)
            m_threads.back().pid = 0;
    }
    m_lastKey = key;
    m_lastIndex = found->second;
    return found->second;
}

const std::string& PerfThreadTable::commandOf(const PerfThread& thread) const
{
    return thread.comm.empty() ? thread.namedAs : thread.comm;
}

std::string PerfThreadTable::nameOf(const PerfThread& thread) const
{
    if (thread.tid == 0)
        return thread.cpu >= 0 ? "swapper/" + std::to_string(thread.cpu) : "swapper";
    const std::string& command = commandOf(thread);
    return (command.empty() ? "thread" : command) + " " + std::to_string(thread.tid);
}

std::vector<std::int32_t> PerfThreadTable::rows() const
{
    std::vector<std::size_t> order(m_threads.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        const PerfThread& x = m_threads[a];
        const PerfThread& y = m_threads[b];
        return std::make_tuple(processOf(x), x.tid, x.cpu) < std::make_tuple(processOf(y), y.tid, y.cpu);
    });
    std::vector<std::int32_t> rows(m_threads.size());
    for (std::size_t row = 0; row < order.size(); ++row)
        rows[order[row]] = static_cast<std::int32_t>(row);
    return rows;
}

void PerfThreadTable::addTo(store::ResultRecords& records, const std::vector<std::int32_t>& rows,
                            std::uint64_t origin) const
{
    // A process is named by its main thread's command, else by its first thread's.
    std::map<std::int64_t, std::string> processes;
    for (const PerfThread& thread : m_threads) {
        const std::int64_t process = processOf(thread);
        if (thread.tid == process || processes.count(process) == 0)
            processes[process] = thread.tid == 0 ? "swapper" : commandOf(thread);
    }
    store::AttributeTableRecord table;
    table.name = L"dd_thread";
    table.columns = {{L"name", {}}, {L"process", {}}, {L"pid", {}}, {L"tid", {}}};
    table.instances.resize(m_threads.size());
    records.lifetimes.resize(m_threads.size());
    for (std::size_t index = 0; index < m_threads.size(); ++index) {
        const PerfThread& thread = m_threads[index];
        const std::int32_t row = rows[index];
        const std::int64_t process = processOf(thread);
        table.instances[row] = {RecordTables::wide(nameOf(thread)),
                                RecordTables::wide(processes[process] + " " + std::to_string(process)),
                                process, thread.tid};
        records.lifetimes[row] = {L"dd_thread", row, thread.first - origin, thread.last - origin};
    }
    records.attributeTables.push_back(std::move(table));
}

} // namespace velmora_import
