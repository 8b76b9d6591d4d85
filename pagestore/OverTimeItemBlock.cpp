#include "pagestore/OverTimeItemBlock.h"

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

}  // namespace

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
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(count - done, sliceItems);
        std::size_t used = 0;
        for (std::size_t i = 0; i < n; ++i) {
            used += ar.encode(items[done + i].get_value(), block.data() + used);
            used += ar.encode(items[done + i].get_bucket_id(), block.data() + used);
        }
        ar.save_binary(block.data(), used);
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
    // Encoded integers vary in length, so they are read one by one, as plain integers.
    for (std::size_t i = 0; i < count; ++i) {
        std::uint64_t value = 0;
        std::uint32_t bucketId = 0;
        ar >> value >> bucketId;
        items.emplace_back(value, bucketId);
    }
}

}  // namespace velmora_1_0
