#include <dd_sarvik_2_2/Sarvik.h>

#include "sarvik/OpenProgress.h"
#include "sarvik/ResultBuilder.h"
#include "store/ResultReader.h"

#include <algorithm>

namespace dd_sarvik_2_2 {

Sarvik::Sarvik() = default;
Sarvik::~Sarvik() = default;

dd_error Sarvik::result_open(Result*& result, const ddb_2_2::string& directory, const ddb_2_2::string& name,
                             dd_progress_impl* progress)
{
    OpenProgress open(progress);
    store::ResultRecords records;
    // Samples go straight into the engine's columns: the records never hold them.
    std::vector<SampleColumns> samples;
    const auto takeSamples = [&samples](std::size_t table, std::size_t total, const store::SampleRecord* run,
                                        std::size_t count) {
        if (table >= samples.size()) {
            samples.resize(table + 1);
            samples[table].reserve(total);
        }
        for (std::size_t i = 0; i < count; ++i)
            samples[table].append(run[i]);
    };
    store::StoreStatus status = store::ResultReader().read(
        std::filesystem::path(directory.to_utf8()), records, takeSamples,
        [&open](std::size_t done, std::size_t total) { return open.read(done, total); });
    std::unique_ptr<Result> built;
    if (status.ok()) {
        if (!name.empty())
            records.name = name.str();
        built = ResultBuilder::build(std::move(records), std::move(samples), directory,
                                     [&open](std::size_t done, std::size_t total) { return open.built(done, total); });
        if (!built)
            status = store::ResultReader::canceled();
    }
    open.finish();
    if (!status.ok())
        return {status.value(), status.message};
    result = adopt(std::move(built));
    return {};
}

Result* Sarvik::adopt(std::unique_ptr<Result> result)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_results.push_back(std::move(result));
    return m_results.back().get();
}

bool Sarvik::close_result(const Result* result)
{
    std::unique_ptr<Result> closing;   // destroyed after the lock is released
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto it = std::find_if(m_results.begin(), m_results.end(),
                               [result](const std::unique_ptr<Result>& r) { return r.get() == result; });
        if (it == m_results.end())
            return false;
        closing = std::move(*it);
        m_results.erase(it);
    }
    return true;
}

}  // namespace dd_sarvik_2_2
