#include "PageStoreFixtures.h"


#include <algorithm>
#include <filesystem>

OverTimeKey makeKey(std::int32_t instance, const wchar_t* restriction)
{
    OverTimeKey key;
    const ddb_2_2::variant axis(instance);
    const ddb_2_2::variant value(restriction);
    key.rows[0].push_back(axis);
    key.rows[1].push_back(value);
    key.first_number = static_cast<std::uint64_t>(instance);
    key.second_number = 2;
    key.first_name = L"dd_thread";
    key.second_name = L"time:function.name";
    return key;
}

std::vector<OverTimeItem> makeItems(std::uint64_t seed, int count)
{
    std::vector<OverTimeItem> items;
    for (int bucket = 0; bucket < count; ++bucket)
        items.emplace_back(seed * 7 + bucket, static_cast<std::uint32_t>(2 * bucket));
    return items;
}

void appendInDefaultPages(ddb_2_2::paged_bucket<OverTimeItem>& bucket, const OverTimeKey& key,
                          const std::vector<OverTimeItem>& items)
{
    constexpr std::size_t batch = ddb_2_2::page_base::default_capacity;
    for (std::size_t done = 0; done < items.size(); done += batch)
        bucket.append(key, items.data() + done, std::min(batch, items.size() - done));
}

std::unique_ptr<ddb_2_2::ddb_storage_file> RecordingStorage::open_for_reading(const ddb_2_2::string& path) const
{
    return ddb_2_2::ddb_storage::open_for_reading(refuseOpens ? ddb_2_2::string() : path);
}

std::unique_ptr<ddb_2_2::ddb_storage_file> RecordingStorage::open_for_writing(const ddb_2_2::string& path) const
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_written.push_back(std::filesystem::path(path.str()).filename().wstring());
    }
    return ddb_2_2::ddb_storage::open_for_writing(refuseOpens ? ddb_2_2::string() : path);
}

std::vector<std::wstring> RecordingStorage::takeWritten()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_written, {});
}

TestDatabase::TestDatabase(const std::wstring& dir, int archiveType, std::uint64_t budget)
    : ddb_2_2::pageable_database(dir, archiveType, budget)
{
}

std::shared_ptr<ddb_2_2::ddb_storage> TestDatabase::get_storage_for_path(const ddb_2_2::string&) const
{
    return withStorage ? storage : nullptr;
}
