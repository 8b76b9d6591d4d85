#include "PageStoreFixtures.h"

#include "pagestore/InPlaceBuffer.h"
#include "pagestore/MemoryInputBuffer.h"
#include "pagestore/MemoryOutputBuffer.h"

#include <gtest/gtest.h>

#include <limits>

using ddb_2_2::byte_block;
using ddb_2_2::variant;
using velmora_1_0::OverTimePageBase;

// Older layouts, written the way earlier versions of the program stored them.
struct LegacyRowV3 {
    std::vector<variant> values;
};
struct LegacyKeyV1 {
    OverTimeKey key;   // row 0 is not stored
};
// A page written the plain way, every item through the archive as an object of its own.
struct ItemByItemPage {
    std::uint32_t word = 0;
    std::vector<OverTimeItem> items;
};

BOOST_CLASS_VERSION(LegacyRowV3, 3)
BOOST_CLASS_VERSION(LegacyKeyV1, 1)

namespace boost {
namespace serialization {

template <class Archive>
void serialize(Archive& ar, LegacyRowV3& row, unsigned)
{
    std::uint32_t unused = 0xDEAD;
    std::uint32_t count = static_cast<std::uint32_t>(row.values.size());
    ar << unused << count;
    for (const variant& value : row.values)
        ar << value;
}

template <class Archive>
void serialize(Archive& ar, LegacyKeyV1& legacy, unsigned)
{
    for (std::size_t i = 1; i < legacy.key.rows.size(); ++i)
        ar << legacy.key.rows[i];
    ar << legacy.key.first_number << legacy.key.second_number << legacy.key.first_name << legacy.key.second_name;
}

template <class Archive>
void serialize(Archive& ar, ItemByItemPage& page, unsigned)
{
    const auto count = static_cast<std::int32_t>(page.items.size());
    ar << page.word << count << count;
    for (const OverTimeItem& item : page.items)
        ar << item;
}

}  // namespace serialization
}  // namespace boost

namespace {

using velmora_1_0::InPlaceBuffer;
using velmora_1_0::MemoryInputBuffer;
using velmora_1_0::MemoryOutputBuffer;

// A page written and read through memory buffers linked to the archive, as page files are:
// its items are then encoded into the buffer and decoded from it in place.
template <class A>
std::string writeInPlace(const OverTimePageBase& page)
{
    MemoryOutputBuffer buffer;
    {
        typename A::OArchive ar(buffer, 0);
        InPlaceBuffer<MemoryOutputBuffer>::attach(ar, buffer);
        ar << page;
    }
    std::stringbuf bytes;
    EXPECT_TRUE(buffer.writeTo(bytes));
    return bytes.str();
}

template <class A>
std::vector<OverTimeItem> readInPlace(const std::string& bytes, std::uint32_t capacity)
{
    std::stringbuf file(bytes);
    MemoryInputBuffer buffer;
    buffer.readFrom(file, bytes.size());
    typename A::IArchive ar(buffer, 0);
    InPlaceBuffer<MemoryInputBuffer>::attach(ar, buffer);
    OverTimePageBase page;
    page.set_capacity(capacity);
    ar >> page;
    return *page.get_items();
}

std::unique_ptr<OverTimePageBase> pageOf(const std::vector<OverTimeItem>& items)
{
    auto page = std::make_unique<OverTimePageBase>();
    page->set_capacity(static_cast<std::uint32_t>(items.size()));
    page->allocate();
    for (const auto& item : items)
        page->push_back(item);
    return page;
}

// Values and bucket ids of every encoded length, changing from one item to the next.
std::vector<OverTimeItem> itemsOfEveryLength(std::size_t count)
{
    std::vector<OverTimeItem> items;
    for (std::uint64_t i = 0; i < count; ++i)
        items.emplace_back((i * 0x9E3779B97F4A7C15ull) >> (i % 64),
                           static_cast<std::uint32_t>((i * 2654435761u) >> (i % 32)));
    return items;
}

}  // namespace

template <class A>
class ArchiveRoundTrip : public ::testing::Test {
protected:
    template <class T>
    T roundTrip(const T& value)
    {
        return readArchive<A, T>(writeArchive<A>(value));
    }
};

TYPED_TEST_SUITE(ArchiveRoundTrip, ArchiveKinds);

TYPED_TEST(ArchiveRoundTrip, IndexAndText)
{
    EXPECT_EQ(this->roundTrip(ddb_2_2::index(-42)), ddb_2_2::index(-42));
    EXPECT_EQ(this->roundTrip(ddb_2_2::string(L"f\u00fcr \U0001F600 dd_thread")), ddb_2_2::string(L"f\u00fcr \U0001F600 dd_thread"));
    EXPECT_EQ(this->roundTrip(ddb_2_2::string()), ddb_2_2::string());
}

TYPED_TEST(ArchiveRoundTrip, VariantsOfEveryTag)
{
    const std::vector<variant> values = {
        variant(true),
        variant(false),
        variant(std::numeric_limits<std::int32_t>::min()),
        variant(std::uint32_t(0xFFFFFFFFu)),
        variant(std::numeric_limits<std::int64_t>::min()),
        variant(std::numeric_limits<std::uint64_t>::max()),
        variant(-0.125),
        variant(L"text"),
        variant::text(L"narrow", variant::type_narrow_string),
        variant(byte_block{0, 1, 255}),
        variant(byte_block{}),
        variant(),
    };
    for (const variant& value : values)
        EXPECT_EQ(this->roundTrip(value), value) << int(value.get_type());
    for (int tag = 0; tag <= variant::type_last; ++tag)
        EXPECT_EQ(this->roundTrip(variant::of_type(std::uint8_t(tag))), variant::of_type(std::uint8_t(tag))) << tag;
}

TYPED_TEST(ArchiveRoundTrip, AttributeRowsKeysAndItems)
{
    dd_sarvik_2_2::dd_attribute_row row;
    for (std::int32_t i = 0; i < 11; ++i)   // beyond the eight inline values
        row.push_back(i % 2 ? variant(i) : variant(L"v"));
    row.set_trailing_value(0xFEEDu);
    EXPECT_EQ(this->roundTrip(row), row);

    OverTimeKey key = makeKey(17);
    key.rows[4] = row;
    EXPECT_EQ(this->roundTrip(key), key);

    const OverTimeItem item(std::numeric_limits<std::uint64_t>::max() - 1, 1999);
    EXPECT_EQ(this->roundTrip(item), item);
}

TYPED_TEST(ArchiveRoundTrip, OlderRowsAndKeysReadBack)
{
    const LegacyRowV3 legacyRow{{variant(std::int32_t(5)), variant(L"x")}};
    const auto row = readArchive<TypeParam, dd_sarvik_2_2::dd_attribute_row>(writeArchive<TypeParam>(legacyRow));
    ASSERT_EQ(row.size(), 2u);
    EXPECT_EQ(row[0], variant(std::int32_t(5)));
    EXPECT_EQ(row[1], variant(L"x"));
    EXPECT_EQ(row.get_trailing_value(), 0u);   // not stored before version 5

    LegacyKeyV1 legacyKey{makeKey(3)};
    const auto key = readArchive<TypeParam, OverTimeKey>(writeArchive<TypeParam>(legacyKey));
    EXPECT_TRUE(key.rows[0].empty());
    EXPECT_EQ(key.rows[1], legacyKey.key.rows[1]);
    EXPECT_EQ(key.first_name, legacyKey.key.first_name);
    EXPECT_EQ(key.second_number, legacyKey.key.second_number);
}

TYPED_TEST(ArchiveRoundTrip, PagesWithAndWithoutItems)
{
    OverTimePageBase page;
    page.set_page_word(77);
    page.allocate();
    for (const auto& item : makeItems(4, 300))
        page.push_back(item);
    const auto bytes = writeArchive<TypeParam>(static_cast<const OverTimePageBase&>(page));
    std::stringbuf buffer(bytes);
    typename TypeParam::IArchive ar(buffer, 0);
    OverTimePageBase loaded;
    ar >> loaded;
    EXPECT_EQ(loaded.get_page_word(), 77u);
    ASSERT_TRUE(loaded.has_items());
    EXPECT_EQ(*loaded.get_items(), makeItems(4, 300));
    EXPECT_EQ(loaded.get_first_item(), makeItems(4, 1)[0]);
    EXPECT_EQ(loaded.get_memory_size(), 512u * 16);

    OverTimePageBase empty;   // never allocated: the file holds the word and a single 0
    empty.set_page_word(5);
    std::stringbuf emptyBuffer(writeArchive<TypeParam>(static_cast<const OverTimePageBase&>(empty)));
    typename TypeParam::IArchive emptyArchive(emptyBuffer, 0);
    OverTimePageBase readBack;
    emptyArchive >> readBack;
    EXPECT_EQ(readBack.get_page_word(), 5u);
    EXPECT_TRUE(readBack.has_items());
    EXPECT_EQ(readBack.size(), 0u);
}

TYPED_TEST(ArchiveRoundTrip, PageItemsReadAndWriteAsObjectsOneAfterAnother)
{
    // More items than one block of the page writer holds.
    const ItemByItemPage plain{0, itemsOfEveryLength(2500)};
    const std::string bytes = writeArchive<TypeParam>(static_cast<const OverTimePageBase&>(*pageOf(plain.items)));
    EXPECT_EQ(bytes, writeArchive<TypeParam>(plain));
    std::stringbuf buffer(bytes);
    typename TypeParam::IArchive ar(buffer, 0);
    OverTimePageBase loaded;
    loaded.set_capacity(2500);
    ar >> loaded;
    EXPECT_EQ(*loaded.get_items(), plain.items);
}

// In place, long runs of items whose integers keep their lengths (as running totals do) and
// items whose lengths change at every step give the bytes of the plain archive and read back.
TYPED_TEST(ArchiveRoundTrip, PageItemsInPlaceAreTheBytesOfThePlainArchive)
{
    std::vector<OverTimeItem> runs = itemsOfEveryLength(700);
    std::uint64_t total = 0xFFFFF0;   // crosses from three to four bytes within the run
    for (std::uint32_t bucket = 0; bucket < 3000; ++bucket)
        runs.emplace_back(total += 37, bucket);
    runs.emplace_back(std::numeric_limits<std::uint64_t>::max(), std::numeric_limits<std::uint32_t>::max());
    runs.emplace_back(0, 0);

    for (const auto& items : {itemsOfEveryLength(2500), runs}) {
        const std::string bytes = writeInPlace<TypeParam>(*pageOf(items));
        EXPECT_EQ(bytes, writeArchive<TypeParam>(ItemByItemPage{0, items}));
        EXPECT_EQ(readInPlace<TypeParam>(bytes, 512), items);
    }
}

// A page file that ends early fails with the archive's stream error wherever it was cut, in the
// first item or in the last one's final byte.
TYPED_TEST(ArchiveRoundTrip, PageItemsInPlaceFailOnAShortFile)
{
    const std::vector<OverTimeItem> items = itemsOfEveryLength(600);
    const std::string bytes = writeInPlace<TypeParam>(*pageOf(items));
    const std::string empty = writeInPlace<TypeParam>(*pageOf({OverTimeItem(1, 1)}));
    for (std::size_t cut = empty.size() - 1; cut < bytes.size(); cut += 97)
        EXPECT_THROW(readInPlace<TypeParam>(bytes.substr(0, cut), 512), boost::archive::archive_exception) << cut;
    EXPECT_THROW(readInPlace<TypeParam>(bytes.substr(0, bytes.size() - 1), 512), boost::archive::archive_exception);
}

TYPED_TEST(ArchiveRoundTrip, UnknownClassVersionsAreRefused)
{
    const auto bytes = writeArchive<TypeParam>(FutureVersion<2>{});   // items are at version 1
    try {
        readArchive<TypeParam, OverTimeItem>(bytes);
        FAIL() << "a newer item version was accepted";
    } catch (const boost::archive::archive_exception& e) {
        EXPECT_EQ(e.code, boost::archive::archive_exception::unsupported_class_version);
    }
}
