// Feeds arbitrary bytes to the page and bucket loaders of both archive kinds: damaged files
// must end in an exception, never in a crash, a hang or a runaway allocation.
//
// The first byte chooses the case: bit 0 the archive kind, bit 1 page or bucket, bit 2 whether
// the rest starts with an archive header (else it is read as an archive without header, so
// the fuzzer reaches the content without first having to find the signature), bit 3 whether
// the archive reads through a memory buffer linked to it, as page files are read (items are
// then decoded in place), or through a plain stream.

#include "pagestore/ContainerSerialization.h"
#include "pagestore/InPlaceBuffer.h"
#include "pagestore/MemoryInputBuffer.h"
#include "pagestore/NativeHeaderCheck.h"
#include "pagestore/PortableBinaryIArchive.h"

#include <boost/archive/binary_iarchive.hpp>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <sstream>
#include <string>

namespace {

template <class Archive>
void loadOne(std::streambuf& input, unsigned flags, bool bucket, velmora_1_0::MemoryInputBuffer* inPlace)
{
    Archive ar(input, flags);
    if (inPlace)
        velmora_1_0::InPlaceBuffer<velmora_1_0::MemoryInputBuffer>::attach(ar, *inPlace);
    if (bucket) {
        velmora_1_0::OverTimeBucketBase loaded;
        ar >> loaded;
    } else {
        velmora_1_0::OverTimePageBase loaded;
        ar >> loaded;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool portable = data[0] & 1;
    const bool bucket = data[0] & 2;
    const unsigned flags = (data[0] & 4) ? 0 : boost::archive::no_header;
    std::stringbuf bytes(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    velmora_1_0::MemoryInputBuffer memory;
    velmora_1_0::MemoryInputBuffer* const inPlace = (data[0] & 8) ? &memory : nullptr;
    if (inPlace)
        memory.readFrom(bytes, size - 1);
    std::streambuf& input = inPlace ? static_cast<std::streambuf&>(memory) : bytes;
    try {
        if (portable)
            loadOne<velmora_1_0::PortableBinaryIArchive>(input, flags, bucket, inPlace);
        else {
            if (flags == 0)
                velmora_1_0::checkNativeHeader(input);
            loadOne<boost::archive::binary_iarchive>(input, flags, bucket, inPlace);
        }
    } catch (const std::exception&) {
        // archive and stream errors are the expected outcome of damaged input
    }
    return 0;
}
