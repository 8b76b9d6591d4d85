#pragma once
// Asks the system to back large record arrays with 2 MiB pages. Memory is mapped a page at a
// time when first written, and an import of millions of events writes hundreds of megabytes: a
// fault per 4 KiB page was a fifth of the import's time, where a fault per 2 MiB page costs
// nothing worth measuring. Only advice: where the system gives huge pages to whoever asks
// (transparent huge pages set to "madvise" or "always") it takes it, elsewhere nothing changes.
//
//   HugePages::reserve(records, count);                     // a vector about to be filled
//   std::vector<Record, HugePages::Allocator<Record>> block; // whole huge pages from the start
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

namespace velmora_import {

class HugePages {
public:
    static constexpr std::size_t SIZE = std::size_t(2) << 20;

    // Advises the whole huge pages inside [data, data + bytes). Worth it before the memory is
    // first written; pages written already stay as they are.
    static void advise(const void* data, std::size_t bytes)
    {
#ifdef MADV_HUGEPAGE
        const auto begin = (reinterpret_cast<std::uintptr_t>(data) + SIZE - 1) / SIZE * SIZE;
        const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) / SIZE * SIZE;
        if (end > begin)
            ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
        (void)data;
        (void)bytes;
#endif
    }

    // Reserves room for `count` records in `records` and advises it.
    template <class Record>
    static void reserve(std::vector<Record>& records, std::size_t count)
    {
        records.reserve(count);
        advise(records.data(), records.capacity() * sizeof(Record));
    }

    // Allocations of half a huge page or more take whole huge pages, from a huge page boundary,
    // so that all of them can be advised; smaller ones are plain.
    template <class Record>
    class Allocator {
    public:
        using value_type = Record;

        Allocator() = default;
        template <class Other>
        Allocator(const Allocator<Other>&)
        {
        }

        Record* allocate(std::size_t count)
        {
            const std::size_t bytes = count * sizeof(Record);
            if (bytes < SIZE / 2)
                return std::allocator<Record>().allocate(count);
            const std::size_t whole = (bytes + SIZE - 1) / SIZE * SIZE;
            void* const data = std::aligned_alloc(SIZE, whole);
            if (!data)
                throw std::bad_alloc();
            advise(data, whole);
            return static_cast<Record*>(data);
        }
        void deallocate(Record* data, std::size_t count)
        {
            if (count * sizeof(Record) < SIZE / 2)
                std::allocator<Record>().deallocate(data, count);
            else
                std::free(data);
        }

        template <class Other>
        bool operator==(const Allocator<Other>&) const
        {
            return true;
        }
        template <class Other>
        bool operator!=(const Allocator<Other>&) const
        {
            return false;
        }
    };
};

} // namespace velmora_import
