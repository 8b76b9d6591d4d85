#pragma once
// Shared helpers of the page-store tests: sample keys and items, in-memory archives of either
// kind, and a database whose storage records what it opens.

#include "pagestore/ContainerSerialization.h"
#include "pagestore/PortableBinaryIArchive.h"
#include "pagestore/PortableBinaryOArchive.h"

#include <ddb_2_2/ddb_storage.h>
#include <ddb_2_2/ddb_storage_file.h>
#include <ddb_2_2/pageable_database.h>

#include <boost/archive/binary_iarchive.hpp>
#include <boost/archive/binary_oarchive.hpp>
#include <boost/mpl/int.hpp>

#include <gtest/gtest.h>

#include <mutex>
#include <sstream>
#include <string>
#include <vector>

using OverTimeItem = dd_sarvik_2_2::dd_overtime_data;
using OverTimeKey = dd_sarvik_2_2::dd_overtime_data::key;

/// A key as the engine makes them: axis instance in row 0, a restriction in row 1.
OverTimeKey makeKey(std::int32_t instance, const wchar_t* restriction = L"compute");
/// Running totals for `count` buckets, value = seed * 7 + bucket, every other bucket.
std::vector<OverTimeItem> makeItems(std::uint64_t seed, int count);
/// Appends `items` in batches of 512, so that they fill default-sized pages of 512 items.
void appendInDefaultPages(ddb_2_2::paged_bucket<OverTimeItem>& bucket, const OverTimeKey& key,
                          const std::vector<OverTimeItem>& items);

struct NativeArchives {
    using OArchive = boost::archive::binary_oarchive;
    using IArchive = boost::archive::binary_iarchive;
    static constexpr int archiveType = ddb_2_2::pageable_database::native_binary_archive;
};

struct PortableArchives {
    using OArchive = velmora_1_0::PortableBinaryOArchive;
    using IArchive = velmora_1_0::PortableBinaryIArchive;
    static constexpr int archiveType = ddb_2_2::pageable_database::portable_binary_archive;
};

using ArchiveKinds = ::testing::Types<NativeArchives, PortableArchives>;

/// A stored object of class version `Version` and no fields: given a version above the one it
/// knows, a loader must refuse the object before reading anything.
template <int Version>
struct FutureVersion {};

namespace boost {
namespace serialization {
template <int Version>
struct version<FutureVersion<Version>> {
    using type = mpl::int_<Version>;
    static constexpr int value = Version;
};

template <class Archive, int Version>
void serialize(Archive&, FutureVersion<Version>&, unsigned)
{
}
}  // namespace serialization
}  // namespace boost

/// Writes `value` as one archive of kind A and returns the bytes.
template <class A, class T>
std::string writeArchive(const T& value, unsigned flags = 0)
{
    std::stringbuf buffer;
    {
        typename A::OArchive ar(buffer, flags);
        ar << value;
    }
    return buffer.str();
}

/// Reads one value of type T from `bytes` as an archive of kind A.
template <class A, class T>
T readArchive(const std::string& bytes, unsigned flags = 0)
{
    std::stringbuf buffer(bytes);
    typename A::IArchive ar(buffer, flags);
    T value;
    ar >> value;
    return value;
}

/// File storage that remembers which files it opened for writing, and can refuse to open.
class RecordingStorage : public ddb_2_2::ddb_storage {
public:
    std::unique_ptr<ddb_2_2::ddb_storage_file> open_for_reading(const ddb_2_2::string& path) const override;
    std::unique_ptr<ddb_2_2::ddb_storage_file> open_for_writing(const ddb_2_2::string& path) const override;

    std::vector<std::wstring> takeWritten();
    bool refuseOpens = false;

private:
    mutable std::mutex m_mutex;
    mutable std::vector<std::wstring> m_written;   // base names of the files opened for writing
};

/// A database over a directory, with a RecordingStorage or (withStorage false) none at all.
class TestDatabase : public ddb_2_2::pageable_database {
public:
    TestDatabase(const std::wstring& dir, int archiveType, std::uint64_t budget = ddb_2_2::global_pager::unlimited);
    std::shared_ptr<ddb_2_2::ddb_storage> get_storage_for_path(const ddb_2_2::string& path) const override;

    std::shared_ptr<RecordingStorage> storage = std::make_shared<RecordingStorage>();
    bool withStorage = true;
};
