// Feeds arbitrary bytes to the page and bucket loaders of both archive kinds: damaged files
// must end in an exception, never in a crash, a hang or a runaway allocation.
//
// The first byte chooses the case: bit 0 the archive kind, bit 1 page or bucket, bit 2 whether
// the rest starts with an archive header (else it is read as an archive without header, so
// the fuzzer reaches the content without first having to find the signature).

#include "pagestore/ContainerSerialization.h"
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
void loadOne(std::streambuf& input, unsigned flags, bool bucket)
{
    Archive ar(input, flags);
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
    std::stringbuf input(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    try {
        if (portable)
            loadOne<velmora_1_0::PortableBinaryIArchive>(input, flags, bucket);
        else {
            if (flags == 0)
                velmora_1_0::checkNativeHeader(input);
            loadOne<boost::archive::binary_iarchive>(input, flags, bucket);
        }
    } catch (const std::exception&) {
        // archive and stream errors are the expected outcome of damaged input
    }
    return 0;
}
