#pragma once
// Writes one object as a whole archive file of the given kind. The archive is built in memory
// and reaches the file in a single write: written block by block, a page file cost a call into
// the file system per block, which took longer than the bytes.

#include "pagestore/InPlaceBuffer.h"
#include "pagestore/MemoryOutputBuffer.h"

#include <ddb_2_2/ddb_storage_file.h>

#include <boost/archive/basic_archive.hpp>

namespace velmora_1_0 {

/// The flags of every page and bucket archive, written or read. Their streams are memory
/// buffers of raw bytes, so no archive needs a locale of its own: making one per file cost
/// more than the bytes of a small page.
constexpr unsigned pageArchiveFlags = boost::archive::no_codecvt;

class ArchiveFileWriter {
public:
    /// The archive is built in `bytes`, emptied first: a caller writing many files passes the
    /// same buffer, whose memory then serves them all. False when the write or the close fails;
    /// the archive's own errors propagate as exceptions, with the file left unwritten.
    template <class Archive, class Object>
    static bool write(ddb_2_2::ddb_storage_file& file, const Object& object, MemoryOutputBuffer& bytes)
    {
        bytes.clear();
        {
            Archive archive(bytes, pageArchiveFlags);
            InPlaceBuffer<MemoryOutputBuffer>::attach(archive, bytes);
            archive << object;
        }
        const bool written = bytes.writeTo(file.get_streambuf());
        return file.close() && written;
    }
};

}  // namespace velmora_1_0
