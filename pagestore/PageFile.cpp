#include "pagestore/PageFile.h"

#include "pagestore/ArchiveFileWriter.h"
#include "pagestore/InPlaceBuffer.h"
#include "pagestore/MemoryInputBuffer.h"
#include "pagestore/NativeHeaderCheck.h"
#include "pagestore/OverTimeItemBlock.h"
#include "pagestore/PortableBinaryIArchive.h"
#include "pagestore/PortableBinaryOArchive.h"

#include <ddb_2_2/ddb_storage.h>
#include <ddb_2_2/ddb_storage_file.h>
#include <ddb_2_2/pageable_database.h>

#include <boost/archive/binary_iarchive.hpp>
#include <boost/archive/binary_oarchive.hpp>

namespace velmora_1_0 {
namespace {

bool portable(const ddb_2_2::pageable_database& db)
{
    return db.get_archive_type() == ddb_2_2::pageable_database::portable_binary_archive;
}

// A missing path is told by the open failing, which costs no separate look-up of the file.
template <class Object>
bool loadObject(Object& object, const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    const auto storage = db.get_storage_for_path(path);
    if (!storage)
        return false;
    const auto file = storage->open_for_reading(path);
    const std::uint64_t size = file->is_open() ? file->get_size() : 0;
    if (size == 0) {
        file->close();
        return false;
    }
    // One read of the whole file; a file shorter than its size said ends the archive early,
    // which raises the archive's stream error as a short file would.
    MemoryInputBuffer content;
    content.readFrom(file->get_streambuf(), size);
    file->close();
    if (portable(db)) {
        PortableBinaryIArchive ar(content, pageArchiveFlags);
        InPlaceBuffer<MemoryInputBuffer>::attach(ar, content);
        ar >> object;
    } else {
        checkNativeHeader(content);
        boost::archive::binary_iarchive ar(content, pageArchiveFlags);
        InPlaceBuffer<MemoryInputBuffer>::attach(ar, content);
        ar >> object;
    }
    return true;
}

// Room for a page file, so that its buffer does not grow (and copy) while the items go in.
std::size_t expectedFileBytes(const OverTimePageBase& page)
{
    const auto* items = page.get_items();
    return OverTimeItemBlock::encodedBytesAtMost(items ? items->size() : 0);
}

std::size_t expectedFileBytes(const OverTimeBucketBase&)
{
    return 0;
}

template <class Object>
bool saveObject(const Object& object, const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    const auto storage = db.get_storage_for_path(path);
    if (!storage)
        return false;
    const auto file = storage->open_for_writing(path);
    if (!file->is_open())
        return false;
    MemoryOutputBuffer bytes;
    bytes.reserve(expectedFileBytes(object));
    if (portable(db))
        return ArchiveFileWriter::write<PortableBinaryOArchive>(*file, object, bytes);
    return ArchiveFileWriter::write<boost::archive::binary_oarchive>(*file, object, bytes);
}

}  // namespace

bool PageFile::load(OverTimePageBase& page, const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    return loadObject(page, path, db);
}

bool PageFile::load(OverTimeBucketBase& bucket, const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    return loadObject(bucket, path, db);
}

bool PageFile::save(const OverTimePageBase& page, const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    return saveObject(page, path, db);
}

bool PageFile::save(const OverTimeBucketBase& bucket, const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    return saveObject(bucket, path, db);
}

}  // namespace velmora_1_0
