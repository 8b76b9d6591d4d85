#include "pagestore/ContainerSerialization.h"

#include "pagestore/ArchiveFileWriter.h"
#include "pagestore/OverTimeItemBlock.h"

#include <ddb_2_2/ddb_storage.h>
#include <ddb_2_2/ddb_storage_file.h>

#include <mutex>

namespace velmora_1_0 {
namespace {

using dd_sarvik_2_2::dd_overtime_data;

// Capacities are 512 in practice; a larger stored one comes from a damaged file and would make
// paging the page in reserve whatever it claims.
constexpr std::uint32_t maxCapacity = 1u << 20;

template <class Archive>
void saveIndexEntry(Archive& ar, const OverTimePageBase& page)
{
    const std::uint32_t capacity = page.get_capacity();
    const std::uint32_t word = page.get_page_word();
    const std::uint64_t memorySize = page.get_memory_size();
    ar << page.get_name() << capacity << word << page.get_first_item() << memorySize;
}

template <class Archive>
void loadIndexEntry(Archive& ar, OverTimePageBase& page)
{
    ddb_2_2::string name;
    std::uint32_t capacity = 0;
    std::uint32_t word = 0;
    dd_overtime_data first;
    std::uint64_t memorySize = 0;
    ar >> name >> capacity >> word >> first >> memorySize;
    if (capacity == 0 || capacity > maxCapacity)
        throwCorrupt("page capacity out of range");
    page.set_name(std::move(name));
    page.set_capacity(capacity);
    page.set_page_word(word);
    page.set_first_item(first);
    page.set_memory_size(memorySize);
}

// Writes the page file when it is missing, when the page changed, or when the bucket has never
// been saved or loaded (its `fresh` flag); the file system is asked about the file only when
// the flags leave it to that. Another writer may create the file after the existence test; the
// page is then written all the same, which leaves the same content.
template <class Archive>
void savePageFileIfNeeded(const OverTimeBucketBase& bucket, OverTimePageBase& page,
                          const ddb_2_2::ddb_storage& storage, const ddb_2_2::string& saveDir,
                          MemoryOutputBuffer& bytes)
{
    const ddb_2_2::string path = page.get_file_path(saveDir);
    if (!bucket.is_fresh() && !page.is_modified() && storage.file_exists(path))
        return;
    if (!bucket.is_fresh() && !bucket.is_modified())
        page.set_modified(false);
    ddb_2_2::page_lock pin;
    if (!bucket.lock_page(page, pin))
        return;   // the page cannot be read back; its old file stays as it is
    std::lock_guard<std::mutex> guard(page.get_file_mutex());
    const auto file = storage.open_for_writing(path);
    if (file->is_open())
        ArchiveFileWriter::write<Archive>(*file, page, bytes);
}

}  // namespace
}  // namespace velmora_1_0

namespace boost {
namespace serialization {

using velmora_1_0::OverTimeBucketBase;
using velmora_1_0::OverTimePageBase;

template <class Archive>
void save(Archive& ar, const OverTimePageBase& page, unsigned)
{
    const std::uint32_t word = page.get_page_word();
    ar << word;
    const auto* items = page.get_items();
    const std::int32_t count = items ? static_cast<std::int32_t>(items->size()) : 0;
    ar << count;
    if (count == 0)
        return;
    ar << count;
    // The first item goes as an object, which carries the class information.
    ar << items->front();
    velmora_1_0::OverTimeItemBlock::save(ar, items->data() + 1, items->size() - 1);
}

template <class Archive>
void load(Archive& ar, OverTimePageBase& page, unsigned version)
{
    velmora_1_0::checkVersion<OverTimePageBase>(version);
    page.allocate();
    std::uint32_t word = 0;
    ar >> word;
    page.set_page_word(word);
    std::int32_t count = 0;
    ar >> count;
    if (count == 0)
        return;
    ar >> count;
    if (count < 0)
        velmora_1_0::throwCorrupt("negative item count");
    if (count == 0)
        return;
    auto& items = *page.get_items();
    dd_sarvik_2_2::dd_overtime_data first;
    ar >> first;
    items.push_back(first);
    velmora_1_0::OverTimeItemBlock::load(ar, items, static_cast<std::size_t>(count) - 1);
    page.update_memory_size();
    page.set_first_item(items.front());
}

template <class Archive>
void save(Archive& ar, const OverTimeBucketBase& bucket, unsigned)
{
    OverTimeBucketBase::mutex_type::scoped_lock lock(bucket.get_mutex(), false);
    const std::uint32_t word = bucket.get_bucket_word();
    const std::int32_t keyCount = static_cast<std::int32_t>(bucket.get_page_map().size());
    ar << word << keyCount;

    ddb_2_2::pageable_database* db = bucket.get_pager_handle().database;
    const ddb_2_2::string saveDir = bucket.get_database_save_dir();
    const auto storage = db && !saveDir.empty() ? db->get_storage_for_path(saveDir) : nullptr;
    velmora_1_0::MemoryOutputBuffer pageBytes;   // one buffer for every page file written
    for (const auto& entry : bucket.get_page_map()) {
        const std::int32_t pageCount = static_cast<std::int32_t>(entry.second.size());
        ar << entry.first << pageCount;
        for (const auto& page : entry.second) {
            {
                // Paging the page in rewrites its word and first item under this mutex.
                std::lock_guard<std::mutex> guard(page->get_file_mutex());
                velmora_1_0::saveIndexEntry(ar, *page);
            }
            page->set_file_kept(true);
            if (storage)
                velmora_1_0::savePageFileIfNeeded<Archive>(bucket, *page, *storage, saveDir, pageBytes);
        }
    }
}

template <class Archive>
void load(Archive& ar, OverTimeBucketBase& bucket, unsigned version)
{
    velmora_1_0::checkVersion<OverTimeBucketBase>(version);
    OverTimeBucketBase::mutex_type::scoped_lock lock(bucket.get_mutex(), true);
    std::uint32_t word = 0;
    std::int32_t keyCount = 0;
    ar >> word >> keyCount;
    if (keyCount < 0)
        velmora_1_0::throwCorrupt("negative key count");
    bucket.set_bucket_word(word);
    for (std::int32_t k = 0; k < keyCount; ++k) {
        dd_sarvik_2_2::dd_overtime_data::key key;
        std::int32_t pageCount = 0;
        ar >> key >> pageCount;
        if (pageCount < 0)
            velmora_1_0::throwCorrupt("negative page count");
        OverTimeBucketBase::page_list& pages = bucket.get_page_map()[key];
        // The list grows entry by entry, so a damaged count ends at the end of the stream.
        for (std::int32_t p = 0; p < pageCount; ++p) {
            const bool added = static_cast<std::size_t>(p) == pages.size();
            if (added)
                pages.push_back(bucket.new_page());
            OverTimePageBase& page = *pages[p];
            velmora_1_0::loadIndexEntry(ar, page);
            page.set_modified(false);
            page.set_file_kept(true);
            if (added)
                bucket.register_page(page);
        }
    }
}

}  // namespace serialization
}  // namespace boost

namespace boost {
namespace serialization {

template void save(archive::binary_oarchive&, const OverTimePageBase&, unsigned);
template void save(velmora_1_0::PortableBinaryOArchive&, const OverTimePageBase&, unsigned);
template void load(archive::binary_iarchive&, OverTimePageBase&, unsigned);
template void load(velmora_1_0::PortableBinaryIArchive&, OverTimePageBase&, unsigned);
template void save(archive::binary_oarchive&, const OverTimeBucketBase&, unsigned);
template void save(velmora_1_0::PortableBinaryOArchive&, const OverTimeBucketBase&, unsigned);
template void load(archive::binary_iarchive&, OverTimeBucketBase&, unsigned);
template void load(velmora_1_0::PortableBinaryIArchive&, OverTimeBucketBase&, unsigned);

}  // namespace serialization
}  // namespace boost
