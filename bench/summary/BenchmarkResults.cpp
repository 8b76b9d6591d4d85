#include "BenchmarkResults.h"

#include <rapidjson/document.h>

#include <fstream>
#include <sstream>

namespace bench_summary {

namespace {

// Seconds per unit of a time, or 0 when the unit is none.
double secondsPer(const std::string& unit)
{
    if (unit == "s")
        return 1;
    if (unit == "ms")
        return 1e-3;
    if (unit == "us")
        return 1e-6;
    if (unit == "ns")
        return 1e-9;
    return 0;
}

bool isTime(const std::string& field)
{
    return field == "real_time" || field == "cpu_time";
}

bool sameFamily(const std::string& name, const std::string& benchmark)
{
    return name == benchmark || (name.size() > benchmark.size() && name.compare(0, benchmark.size(), benchmark) == 0 &&
                                 name[benchmark.size()] == '/');
}

} // namespace

bool BenchmarkResults::read(const std::string& path)
{
    std::ifstream in(path);
    if (!in) {
        m_errors.push_back("cannot read " + path);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str(), path);
}

bool BenchmarkResults::parse(const std::string& json, const std::string& origin)
{
    rapidjson::Document document;
    document.Parse(json.c_str(), json.size());
    if (document.HasParseError() || !document.IsObject() || !document.HasMember("benchmarks") ||
        !document["benchmarks"].IsArray()) {
        m_errors.push_back(origin + " is not benchmark output");
        return false;
    }
    for (const auto& entry : document["benchmarks"].GetArray()) {
        if (!entry.IsObject() || !entry.HasMember("name") || !entry["name"].IsString())
            continue;
        // A failed or skipped run has no figures worth showing.
        if (entry.HasMember("error_occurred") && entry["error_occurred"].IsBool() && entry["error_occurred"].GetBool())
            continue;
        Run run;
        run.name = entry["name"].GetString();
        if (entry.HasMember("time_unit") && entry["time_unit"].IsString())
            run.timeUnit = entry["time_unit"].GetString();
        for (const auto& member : entry.GetObject())
            if (member.value.IsNumber())
                run.numbers[member.name.GetString()] = member.value.GetDouble();
        m_runs.push_back(std::move(run));
    }
    return true;
}

std::optional<double> BenchmarkResults::figure(const std::string& benchmark, const std::string& field,
                                               const std::string& unit) const
{
    for (const Run& run : m_runs) {
        if (!sameFamily(run.name, benchmark))
            continue;
        const auto found = run.numbers.find(field);
        if (found == run.numbers.end())
            continue;
        if (!isTime(field))
            return found->second;
        const double from = secondsPer(run.timeUnit);
        const double to = secondsPer(unit);
        if (from == 0 || to == 0)
            return std::nullopt;
        return found->second * from / to;
    }
    return std::nullopt;
}

} // namespace bench_summary
