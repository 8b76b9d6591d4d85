#include "pagestore/OverTimeItemBlock.h"

#include "pagestore/InPlaceBuffer.h"
#include "pagestore/MemoryInputBuffer.h"
#include "pagestore/MemoryOutputBuffer.h"
#include "pagestore/StridedItemIterator.h"

#include <boost/archive/archive_exception.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace velmora_1_0 {
namespace {

using Item = OverTimeItemBlock::Item;

// The native archive writes each integer with its own width in the machine's byte order.
constexpr std::size_t nativeItemBytes = sizeof(std::uint64_t) + sizeof(std::uint32_t);
// The portable encoders store a whole 64-bit word after each length byte, of which the next
// integer overwrites what is not part of this one: an item needs this much room to be written,
// and this much readable input to be decoded without checks.
constexpr std::size_t portableItemRoom = 2 * PortableBinaryOArchive::maxEncodedBytes;
static_assert(PortableBinaryOArchive::maxEncodedBytes == PortableBinaryIArchive::maxEncodedBytes,
              "both archive sides agree on the longest integer");

// The archive header, the class information and the page's counts, with room to spare.
constexpr std::size_t pageHeaderBytes = 256;

// Items per block read ahead or written through a stream that is not a memory buffer.
constexpr std::size_t streamSliceItems = 1024;

unsigned char* encodeNative(const Item* items, std::size_t count, unsigned char* out)
{
    for (const Item* item = items; item != items + count; ++item, out += nativeItemBytes) {
        const std::uint64_t value = item->get_value();
        const std::uint32_t bucketId = item->get_bucket_id();
        std::memcpy(out, &value, sizeof value);
        std::memcpy(out + sizeof value, &bucketId, sizeof bucketId);
    }
    return out;
}

constexpr bool hostLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

// The values whose encoding has `length` bytes after the length byte: the smallest, and how
// far above it the largest lies.
inline std::uint64_t lowestOfLength(unsigned length)
{
    return length == 0 ? 0 : std::uint64_t(1) << (8 * (length - 1));
}

inline std::uint64_t spanOfLength(unsigned length)
{
    const std::uint64_t highest = length >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * length)) - 1;
    return length == 0 ? 0 : highest - lowestOfLength(length);
}

// The little-endian portable encoding on a little-endian machine. A length byte and the value's
// bytes make one word, stored at once. Items go in runs that keep the lengths of the run's
// first item (running totals and bucket ids keep theirs for long stretches): within a run an
// item is two range checks and two stores at a fixed stride. A value of eight bytes does not fit
// beside its length byte and is stored on its own.
unsigned char* encodePortableOnLittleEndian(const Item* items, std::size_t count, unsigned char* out)
{
    const Item* item = items;
    const Item* const end = items + count;
    while (item != end) {
        const std::uint64_t first = item->get_value();
        const unsigned valueLength = PortableBinaryOArchive::magnitudeBytes(first);
        const unsigned idLength = PortableBinaryOArchive::magnitudeBytes(item->get_bucket_id());
        if (valueLength == sizeof first) {
            out[0] = static_cast<unsigned char>(valueLength);
            std::memcpy(out + 1, &first, sizeof first);
            const std::uint64_t idWord = std::uint64_t(item->get_bucket_id()) << 8 | idLength;
            std::memcpy(out + 1 + valueLength, &idWord, sizeof idWord);
            out += 2 + valueLength + idLength;
            ++item;
            continue;
        }
        const std::uint64_t valueLowest = lowestOfLength(valueLength);
        const std::uint64_t valueSpan = spanOfLength(valueLength);
        const std::uint64_t idLowest = lowestOfLength(idLength);
        const std::uint64_t idSpan = spanOfLength(idLength);
        const std::size_t stride = 2 + valueLength + idLength;
        for (; item != end; ++item, out += stride) {
            const std::uint64_t value = item->get_value();
            const std::uint64_t bucketId = item->get_bucket_id();
            if (value - valueLowest > valueSpan || bucketId - idLowest > idSpan)
                break;
            const std::uint64_t word = value << 8 | valueLength;
            const std::uint64_t idWord = bucketId << 8 | idLength;
            std::memcpy(out, &word, sizeof word);
            std::memcpy(out + 1 + valueLength, &idWord, sizeof idWord);
        }
    }
    return out;
}

unsigned char* encodePortable(const PortableBinaryOArchive& ar, const Item* items, std::size_t count,
                              unsigned char* out)
{
    const Item* const end = items + count;
    if (ar.bigEndian()) {
        for (const Item* item = items; item != end; ++item) {
            out += ar.encode(item->get_value(), out);
            out += ar.encode(item->get_bucket_id(), out);
        }
        return out;
    }
    if (hostLittleEndian)
        return encodePortableOnLittleEndian(items, count, out);
    for (const Item* item = items; item != end; ++item) {
        out += PortableBinaryOArchive::encodeLittleEndian(item->get_value(), out);
        out += PortableBinaryOArchive::encodeLittleEndian(item->get_bucket_id(), out);
    }
    return out;
}

// Writes `count` items through `encode(items, count, out) -> end`, which needs `itemRoom`
// bytes per item. A memory buffer under the archive (every page file) takes them in place;
// another stream gets them in slices through a block on the stack.
template <class Archive, class Encode>
void saveEncoded(Archive& ar, const Item* items, std::size_t count, std::size_t itemRoom, Encode encode)
{
    if (auto* memory = InPlaceBuffer<MemoryOutputBuffer>::of(ar)) {
        unsigned char* const start = memory->tail(count * itemRoom);
        memory->commit(static_cast<std::size_t>(encode(items, count, start) - start));
        return;
    }
    std::array<unsigned char, streamSliceItems * portableItemRoom> block;
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(count - done, streamSliceItems);
        ar.save_binary(block.data(), static_cast<std::size_t>(encode(items + done, n, block.data()) - block.data()));
        done += n;
    }
}

// Appenders: whole items from [in, end) to `items`, at most `count`; `in` moves past what they
// took and the number of items is returned.

struct NativeLayout {
    using Item = OverTimeItemBlock::Item;
    static constexpr std::size_t stride() { return nativeItemBytes; }
    static Item decode(const unsigned char* at)
    {
        std::uint64_t value = 0;
        std::uint32_t bucketId = 0;
        std::memcpy(&value, at, sizeof value);
        std::memcpy(&bucketId, at + sizeof value, sizeof bucketId);
        return Item(value, bucketId);
    }
};

std::size_t appendNative(const unsigned char*& in, const unsigned char* end, std::vector<Item>& items,
                         std::size_t count)
{
    const std::size_t n = std::min(count, static_cast<std::size_t>(end - in) / nativeItemBytes);
    const StridedItemIterator<NativeLayout> first(in, NativeLayout{});
    items.insert(items.end(), first, first + static_cast<std::ptrdiff_t>(n));
    in += n * nativeItemBytes;
    return n;
}

// Little-endian portable items whose two integers have given lengths, on a little-endian
// machine: running totals and bucket ids keep their lengths for long stretches, and such a run
// of items lies at a fixed stride, so no item waits for the one before to tell where it starts.
// Every item decoded this way has an item's room readable from its start.
class PortableRunLayout {
public:
    using Item = OverTimeItemBlock::Item;

    /// Takes the lengths of the item at `at`; false for lengths that are not those of two
    /// unsigned integers that fit.
    bool startsAt(const unsigned char* at)
    {
        m_valueLength = at[0];
        if (m_valueLength > sizeof(std::uint64_t))
            return false;
        m_idLength = at[1 + m_valueLength];
        if (m_idLength > sizeof(std::uint32_t))
            return false;
        m_valueMask = m_valueLength == sizeof(std::uint64_t) ? ~std::uint64_t(0)
                                                              : (std::uint64_t(1) << (8 * m_valueLength)) - 1;
        m_idMask = (std::uint64_t(1) << (8 * m_idLength)) - 1;
        return true;
    }
    /// How many items from `at` on, at most `count`, have those lengths.
    std::size_t length(const unsigned char* at, const unsigned char* end, std::size_t count) const
    {
        const std::size_t fitting = (static_cast<std::size_t>(end - at) - portableItemRoom) / stride() + 1;
        const std::size_t n = std::min(count, fitting);
        const std::size_t step = stride();
        const unsigned valueLength = static_cast<unsigned>(m_valueLength);
        const unsigned idLength = static_cast<unsigned>(m_idLength);
        const auto differs = [&](const unsigned char* item) {
            return (item[0] ^ valueLength) | (item[1 + m_valueLength] ^ idLength);
        };
        // Four items per test: a run rarely ends, so one branch serves them all.
        std::size_t i = 0;
        for (; i + 4 <= n; i += 4, at += 4 * step)
            if (differs(at) | differs(at + step) | differs(at + 2 * step) | differs(at + 3 * step))
                break;
        for (; i < n; ++i, at += step)
            if (differs(at))
                break;
        return i;
    }
    std::size_t stride() const { return 2 + m_valueLength + m_idLength; }
    Item decode(const unsigned char* at) const
    {
        std::uint64_t value = 0;
        std::uint64_t bucketId = 0;
        std::memcpy(&value, at + 1, sizeof value);
        std::memcpy(&bucketId, at + 2 + m_valueLength, sizeof bucketId);
        return Item(value & m_valueMask, static_cast<std::uint32_t>(bucketId & m_idMask));
    }

private:
    std::size_t m_valueLength = 0;
    std::size_t m_idLength = 0;
    std::uint64_t m_valueMask = 0;
    std::uint64_t m_idMask = 0;
};

// Items that lie at least an item's room before the end are decoded without checking each
// byte against it, in runs where the machine allows; the last few go through the archive's
// checked decoder.
std::size_t appendPortable(const PortableBinaryIArchive& ar, const unsigned char*& in, const unsigned char* end,
                           std::vector<Item>& items, std::size_t count)
{
    const unsigned char* from = in;
    std::size_t decoded = 0;
    std::uint64_t value = 0;
    std::uint64_t bucketId = 0;
    if (!ar.bigEndian()) {
        PortableRunLayout run;
        while (decoded < count && static_cast<std::size_t>(end - from) >= portableItemRoom) {
            if (hostLittleEndian && run.startsAt(from)) {
                const std::size_t n = run.length(from, end, count - decoded);
                const StridedItemIterator<PortableRunLayout> first(from, run);
                items.insert(items.end(), first, first + static_cast<std::ptrdiff_t>(n));
                from += n * run.stride();
                decoded += n;
                continue;
            }
            from += PortableBinaryIArchive::decodeLittleEndian(from, sizeof(std::uint64_t), value);
            from += PortableBinaryIArchive::decodeLittleEndian(from, sizeof(std::uint32_t), bucketId);
            items.emplace_back(value, static_cast<std::uint32_t>(bucketId));
            ++decoded;
        }
    }
    while (decoded < count) {
        const auto available = static_cast<std::size_t>(end - from);
        const std::size_t valueBytes = ar.decode(from, available, sizeof(std::uint64_t), value);
        const std::size_t idBytes = valueBytes == 0 ? 0
            : ar.decode(from + valueBytes, available - valueBytes, sizeof(std::uint32_t), bucketId);
        if (idBytes == 0)
            break;
        items.emplace_back(value, static_cast<std::uint32_t>(bucketId));
        from += valueBytes + idBytes;
        ++decoded;
    }
    in = from;
    return decoded;
}

// Reading ahead from an archive's stream: up to `wanted` bytes into `block`, of which the bytes
// the decoder left go back with giveBack. Native items have one width, so whole items are read
// (a short stream raises the archive's error) and nothing comes back.
std::size_t readAhead(boost::archive::binary_iarchive& ar, unsigned char* block, std::size_t wanted)
{
    ar.load_binary(block, wanted);
    return wanted;
}

void giveBack(boost::archive::binary_iarchive&, std::size_t) {}

std::size_t readAhead(PortableBinaryIArchive& ar, unsigned char* block, std::size_t wanted)
{
    const std::streamsize got =
        ar.streamBuffer().sgetn(reinterpret_cast<char*>(block), static_cast<std::streamsize>(wanted));
    return static_cast<std::size_t>(std::max<std::streamsize>(0, got));
}

void giveBack(PortableBinaryIArchive& ar, std::size_t bytes)
{
    if (bytes > 0)
        ar.streamBuffer().pubseekoff(-static_cast<std::streamoff>(bytes), std::ios_base::cur, std::ios_base::in);
}

// Reads `count` items of at most `itemBytes` each through `append` (an appender as above). The unread content of a
// memory buffer under the archive (every page file) is decoded in place; another stream is read
// ahead in blocks. Growing as it decodes, a damaged count fails at the end of the stream instead
// of reserving what it claims.
template <class Archive, class Append>
void loadDecoded(Archive& ar, std::vector<Item>& items, std::size_t count, std::size_t itemBytes, Append append)
{
    auto* const memory = InPlaceBuffer<MemoryInputBuffer>::of(ar);
    std::array<unsigned char, streamSliceItems * portableItemRoom> block;
    for (std::size_t done = 0; done < count;) {
        const unsigned char* const begin = memory ? memory->unread() : block.data();
        const std::size_t available = memory
            ? memory->unreadBytes()
            : readAhead(ar, block.data(), std::min((count - done) * itemBytes, block.size() / itemBytes * itemBytes));
        const unsigned char* in = begin;
        const unsigned char* const end = begin + available;
        const std::size_t decoded = append(in, end, items, count - done);
        if (decoded == 0)   // the stream ended inside an item
            throw boost::archive::archive_exception(boost::archive::archive_exception::input_stream_error);
        if (memory)
            memory->skip(static_cast<std::size_t>(in - begin));
        else
            giveBack(ar, static_cast<std::size_t>(end - in));
        done += decoded;
    }
}

}  // namespace

std::size_t OverTimeItemBlock::encodedBytesAtMost(std::size_t count)
{
    return pageHeaderBytes + count * std::max(nativeItemBytes, portableItemRoom);
}

void OverTimeItemBlock::save(boost::archive::binary_oarchive& ar, const Item* items, std::size_t count)
{
    saveEncoded(ar, items, count, nativeItemBytes, encodeNative);
}

void OverTimeItemBlock::save(PortableBinaryOArchive& ar, const Item* items, std::size_t count)
{
    saveEncoded(ar, items, count, portableItemRoom,
                [&ar](const Item* from, std::size_t n, unsigned char* out) { return encodePortable(ar, from, n, out); });
}

void OverTimeItemBlock::load(boost::archive::binary_iarchive& ar, std::vector<Item>& items, std::size_t count)
{
    loadDecoded(ar, items, count, nativeItemBytes, appendNative);
}

void OverTimeItemBlock::load(PortableBinaryIArchive& ar, std::vector<Item>& items, std::size_t count)
{
    loadDecoded(ar, items, count, portableItemRoom,
                [&ar](const unsigned char*& in, const unsigned char* end, std::vector<Item>& out, std::size_t n) {
                    return appendPortable(ar, in, end, out, n);
                });
}

}  // namespace velmora_1_0
