// Arbitrary bytes given to the blob decoder of every record kind: it must refuse them or decode
// them without reading past the blob, and whatever it decodes must encode to a blob that
// decodes to the same records again.

#include "store/RecordChunkCodec.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace dd_sarvik_2_2::store;

namespace {

template <class Record>
void decodeAndRecheck(const std::uint8_t* data, std::size_t size, std::size_t count)
{
    std::vector<Record> decoded;
    if (!RecordChunkCodec::decode(data, size, count, decoded))
        return;
    const std::string blob = RecordChunkCodec::encode(decoded.data(), decoded.size());
    std::vector<Record> again;
    if (!RecordChunkCodec::decode(blob.data(), blob.size(), count, again)
        || RecordChunkCodec::encode(again.data(), again.size()) != blob)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t count = data[0];
    switch (data[1] % 3) {
    case 0:
        decodeAndRecheck<SampleRecord>(data + 2, size - 2, count);
        break;
    case 1:
        decodeAndRecheck<BandObjectRecord>(data + 2, size - 2, count);
        break;
    default:
        decodeAndRecheck<TimedValueRecord>(data + 2, size - 2, count);
        break;
    }
    return 0;
}
