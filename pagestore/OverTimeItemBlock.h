#pragma once
// The items of a page after its first, written and read as raw blocks that hold exactly the
// bytes the archives write item by item. Once the first item has carried the class information,
// every further item is only its two integers; Boost's per-object path around each of them cost
// more than the bytes themselves. A page file's memory buffer is encoded into and decoded
// from in place, without a block in between.

#include "pagestore/PortableBinaryIArchive.h"
#include "pagestore/PortableBinaryOArchive.h"

#include <dd_sarvik_2_2/dd_overtime_data.h>

#include <boost/archive/binary_iarchive.hpp>
#include <boost/archive/binary_oarchive.hpp>

#include <cstddef>
#include <vector>

namespace velmora_1_0 {

class OverTimeItemBlock {
public:
    using Item = dd_sarvik_2_2::dd_overtime_data;

    /// The memory in which a page file of `count` items is built, in either archive kind: what the
    /// file takes at most and the room the encoders write past their last item.
    static std::size_t encodedBytesAtMost(std::size_t count);

    static void save(boost::archive::binary_oarchive& ar, const Item* items, std::size_t count);
    static void save(PortableBinaryOArchive& ar, const Item* items, std::size_t count);
    /// Appends `count` items; reads in slices, so a damaged count fails at the end of the stream
    /// instead of reserving what it claims.
    static void load(boost::archive::binary_iarchive& ar, std::vector<Item>& items, std::size_t count);
    static void load(PortableBinaryIArchive& ar, std::vector<Item>& items, std::size_t count);
};

}  // namespace velmora_1_0
