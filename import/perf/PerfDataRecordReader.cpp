#include "perf/PerfDataRecordReader.h"

#include "perf/ChildProcess.h"
#include "perf/PerfDataHeader.h"
#include "perf/PerfScriptRecordReader.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace velmora_import {

namespace {

constexpr const char* MISSING_PERF = "reading a perf.data recording needs perf, which is not installed here "
                                     "(Debian package linux-perf); `perf script > FILE.txt` on the machine that "
                                     "recorded it writes text this viewer reads without perf";

// perf's warnings (lost events, events out of order) are worth a note; its chatter is not.
void addWarnings(const std::string& messages, std::vector<std::string>& notes)
{
    std::size_t start = 0;
    int added = 0;
    while (start < messages.size() && added < 5) {
        const std::size_t end = std::min(messages.find('\n', start), messages.size());
        const std::string line = messages.substr(start, end - start);
        if (line.find("Warning") != std::string::npos || line.find("lost") != std::string::npos) {
            notes.push_back("perf: " + line);
            ++added;
        }
        start = end + 1;
    }
}

} // namespace

PerfDataRecordReader::PerfDataRecordReader(std::string perf)
    : m_perf(std::move(perf))
{
}

std::vector<std::string> PerfDataRecordReader::fieldArguments(const PerfDataHeader& header)
{
    // `type` empty: every event; "trace" fields exist for tracepoints only.
    const auto fields = [&header](const std::string& type, bool withCpu) {
        return (type.empty() ? "" : type + ":") + "comm,pid,tid," + (withCpu ? "cpu," : "") + "time,event," +
               (header.everyEventHasPeriod ? "period," : "") + (type.empty() || type == "trace" ? "trace," : "") +
               "ip,sym,dso";
    };
    std::vector<std::string> arguments = {"-F", fields({}, header.everyEventHasCpu)};
    for (const std::string& type : header.everyEventHasCpu ? std::vector<std::string>() : header.typesWithCpu) {
        arguments.push_back("-F");
        arguments.push_back(fields(type, true));
    }
    return arguments;
}

bool PerfDataRecordReader::readHeader(const std::filesystem::path& file, std::string& header, std::string& error) const
{
    ChildProcess child;
    bool missing = false;
    if (!child.start({m_perf, "report", "--header-only", "-i", file.string()}, error, missing)) {
        error = file.string() + ": " + (missing ? std::string(MISSING_PERF) : error);
        return false;
    }
    char chunk[4096];
    for (;;) {
        const ssize_t count = ::read(child.output(), chunk, sizeof chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        header.append(chunk, static_cast<std::size_t>(count));
    }
    std::string messages;
    if (!child.finish(error, messages)) {
        error = file.string() + ": perf cannot read it: " + error;
        return false;
    }
    return true;
}

bool PerfDataRecordReader::read(const std::filesystem::path& file, const Progress& progress,
                                dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
                                std::string& error)
{
    std::string headerText;
    if (!readHeader(file, headerText, error))
        return false;
    const PerfDataHeader header = PerfDataHeader::parse(headerText);

    ChildProcess child;
    bool missing = false;
    std::vector<std::string> command = {m_perf, "script", "-i", file.string(), "--ns"};
    for (std::string& argument : fieldArguments(header))
        command.push_back(std::move(argument));
    if (!child.start(command, error, missing)) {
        error = file.string() + ": " + (missing ? std::string(MISSING_PERF) : error);
        return false;
    }
    const std::uint64_t first = std::min(header.firstSample, header.lastSample);
    const std::uint64_t span = std::max<std::uint64_t>(header.lastSample - first, 1);
    const auto position = [first, span](std::uint64_t, std::uint64_t time) {
        return std::make_pair(time > first ? time - first : 0, span);
    };
    std::vector<std::string> found;
    if (!PerfScriptRecordReader::readFrom(child.output(), file, position, progress, records, found, error))
        return false; // the child is stopped when it goes away
    std::string messages;
    if (!child.finish(error, messages)) {
        error = file.string() + ": perf script " + error;
        return false;
    }
    addWarnings(messages, notes);
    notes.insert(notes.end(), found.begin(), found.end());
    return true;
}

} // namespace velmora_import
