// The memory buffers page files are built in and read from.

#include "pagestore/MemoryInputBuffer.h"
#include "pagestore/MemoryOutputBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

using velmora_1_0::MemoryInputBuffer;
using velmora_1_0::MemoryOutputBuffer;

namespace {

std::string contentOf(const MemoryOutputBuffer& buffer)
{
    std::stringbuf bytes;
    EXPECT_TRUE(buffer.writeTo(bytes));
    return bytes.str();
}

}  // namespace

// Small writes, writes in place and the growth between them keep every byte in order; clearing
// starts over in the same memory.
TEST(MemoryOutputBuffer, KeepsEveryByteThroughGrowthAndStartsOverWhenCleared)
{
    MemoryOutputBuffer buffer;
    std::ostream out(&buffer);
    out << "head";
    std::string expected = "head";
    for (int round = 0; round < 40; ++round) {
        const std::string run(1000 + round, static_cast<char>('a' + round % 26));
        unsigned char* at = buffer.tail(run.size() + 16);   // room beyond what is committed
        std::memcpy(at, run.data(), run.size());
        buffer.commit(run.size());
        out.put('|');
        expected += run + "|";
    }
    EXPECT_EQ(buffer.size(), expected.size());
    EXPECT_EQ(contentOf(buffer), expected);

    const unsigned char* const first = buffer.tail(1);
    buffer.clear();
    EXPECT_EQ(buffer.size(), 0u);
    EXPECT_NE(buffer.tail(1), first);   // back at the start of the memory it has
    out << "again";
    EXPECT_EQ(contentOf(buffer), "again");
}

// A file shorter than its size said gives what it had, which then reads to its end like any
// stream; bytes read in place are consumed with skip.
TEST(MemoryInputBuffer, HoldsWhatAShortFileHadAndReadsInPlace)
{
    std::stringbuf file("0123456789");
    MemoryInputBuffer buffer;
    EXPECT_EQ(buffer.readFrom(file, 64), 10u);
    EXPECT_EQ(buffer.unreadBytes(), 10u);

    char two[2];
    EXPECT_EQ(buffer.sgetn(two, 2), 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.unread()), buffer.unreadBytes()), "23456789");
    buffer.skip(5);
    char rest[8];
    EXPECT_EQ(buffer.sgetn(rest, 8), 3);
    EXPECT_EQ(std::string(rest, 3), "789");
    EXPECT_EQ(buffer.unreadBytes(), 0u);

    EXPECT_EQ(buffer.pubseekoff(-4, std::ios_base::cur, std::ios_base::in), std::streampos(6));
    EXPECT_EQ(buffer.unreadBytes(), 4u);
}
