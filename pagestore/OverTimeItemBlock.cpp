#include "pagestore/OverTimeItemBlock.h"

#include <boost/archive/archive_exception.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace velmora_1_0 {
namespace {

// Items per raw block: the blocks live on the stack, uninitialised.
constexpr std::size_t sliceItems = 1024;
// The native archive writes each integer with its own width in the machine's byte order.
constexpr std::size_t nativeItemBytes = sizeof(std::uint64_t) + sizeof(std::uint32_t);
constexpr std::size_t portableItemBytes = 2 * PortableBinaryOArchive::maxEncodedBytes;

// The archive header, the class information and the page's counts, with room to spare.
constexpr std::size_t pageHeaderBytes = 256;

}  // namespace

std::size_t OverTimeItemBlock::encodedBytesAtMost(std::size_t count)
{
    // A portable value takes up to nine bytes and a bucket id up to five.
    constexpr std::size_t itemBytes = std::max<std::size_t>(nativeItemBytes, 9 + 5);
    return pageHeaderBytes + count * itemBytes;
}

void OverTimeItemBlock::save(boost::archive::binary_oarchive& ar, const Item* items, std::size_t count)
{
    std::array<unsigned char, sliceItems * nativeItemBytes> block;
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(count - done, sliceItems);
        unsigned char* out = block.data();
        for (std::size_t i = 0; i < n; ++i, out += nativeItemBytes) {
            const std::uint64_t value = items[done + i].get_value();
            const std::uint32_t bucketId = items[done + i].get_bucket_id();
            std::memcpy(out, &value, sizeof value);
            std::memcpy(out + sizeof value, &bucketId, sizeof bucketId);
        }
        ar.save_binary(block.data(), n * nativeItemBytes);
        done += n;
    }
}

void OverTimeItemBlock::save(PortableBinaryOArchive& ar, const Item* items, std::size_t count)
{
    std::array<unsigned char, sliceItems * portableItemBytes> block;
    const bool bigEndian = ar.bigEndian();
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(count - done, sliceItems);
        const Item* item = items + done;
        unsigned char* out = block.data();
        if (bigEndian) {
            for (std::size_t i = 0; i < n; ++i, ++item) {
                out += ar.encode(item->get_value(), out);
                out += ar.encode(item->get_bucket_id(), out);
            }
        } else {
            for (std::size_t i = 0; i < n; ++i, ++item) {
                out += PortableBinaryOArchive::encodeLittleEndian(item->get_value(), out);
                out += PortableBinaryOArchive::encodeLittleEndian(item->get_bucket_id(), out);
            }
        }
        ar.save_binary(block.data(), static_cast<std::size_t>(out - block.data()));
        done += n;
    }
}

void OverTimeItemBlock::load(boost::archive::binary_iarchive& ar, std::vector<Item>& items, std::size_t count)
{
    std::array<unsigned char, sliceItems * nativeItemBytes> block;
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(count - done, sliceItems);
        ar.load_binary(block.data(), n * nativeItemBytes);
        const unsigned char* in = block.data();
        for (std::size_t i = 0; i < n; ++i, in += nativeItemBytes) {
            std::uint64_t value = 0;
            std::uint32_t bucketId = 0;
            std::memcpy(&value, in, sizeof value);
            std::memcpy(&bucketId, in + sizeof value, sizeof bucketId);
            items.emplace_back(value, bucketId);
        }
        done += n;
    }
}

void OverTimeItemBlock::load(PortableBinaryIArchive& ar, std::vector<Item>& items, std::size_t count)
{
    // Encoded integers vary in length: a block is read ahead, its whole items are decoded, and
    // the bytes of a partial item at its end go back to the stream for the next block. Items
    // that lie at least two encodings' worth before the block's end are decoded without checking
    // each byte against that end.
    constexpr std::size_t uncheckedItemBytes = 2 * PortableBinaryIArchive::maxEncodedBytes;
    std::array<unsigned char, sliceItems * portableItemBytes> block;
    std::streambuf& stream = ar.streamBuffer();
    const bool bigEndian = ar.bigEndian();
    for (std::size_t done = 0; done < count;) {
        const std::size_t wanted = std::min((count - done) * portableItemBytes, block.size());
        const auto got = static_cast<std::size_t>(
            std::max<std::streamsize>(0, stream.sgetn(reinterpret_cast<char*>(block.data()),
                                                      static_cast<std::streamsize>(wanted))));
        const unsigned char* in = block.data();
        const unsigned char* const end = in + got;
        const std::size_t left = count - done;
        std::size_t decoded = 0;
        std::uint64_t value = 0;
        std::uint64_t bucketId = 0;
        if (!bigEndian) {
            while (decoded < left && end - in >= static_cast<std::ptrdiff_t>(uncheckedItemBytes)) {
                in += PortableBinaryIArchive::decodeLittleEndian(in, sizeof(std::uint64_t), value);
                in += PortableBinaryIArchive::decodeLittleEndian(in, sizeof(std::uint32_t), bucketId);
                items.emplace_back(value, static_cast<std::uint32_t>(bucketId));
                ++decoded;
            }
        }
        while (decoded < left) {
            const auto available = static_cast<std::size_t>(end - in);
            const std::size_t valueBytes = ar.decode(in, available, sizeof(std::uint64_t), value);
            const std::size_t idBytes = valueBytes == 0 ? 0
                : ar.decode(in + valueBytes, available - valueBytes, sizeof(std::uint32_t), bucketId);
            if (idBytes == 0)
                break;
            items.emplace_back(value, static_cast<std::uint32_t>(bucketId));
            in += valueBytes + idBytes;
            ++decoded;
        }
        if (decoded == 0)   // the stream ended inside an item
            throw boost::archive::archive_exception(boost::archive::archive_exception::input_stream_error);
        if (in < end)
            stream.pubseekoff(-static_cast<std::streamoff>(end - in), std::ios_base::cur, std::ios_base::in);
        done += decoded;
    }
}

}  // namespace velmora_1_0
