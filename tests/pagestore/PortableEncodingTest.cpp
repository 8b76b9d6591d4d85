#include "PageStoreFixtures.h"

#include "pagestore/PortableArchiveException.h"

#include <boost/archive/basic_archive.hpp>

#include <gtest/gtest.h>

using velmora_1_0::PortableBinaryIArchive;
using velmora_1_0::PortableBinaryOArchive;

namespace {

constexpr unsigned noHeader = boost::archive::no_header;

template <class T>
std::string encode(T value, unsigned flags = noHeader)
{
    std::stringbuf buffer;
    {
        PortableBinaryOArchive ar(buffer, flags);
        ar << value;
    }
    return buffer.str();
}

template <class T>
T decode(const std::string& bytes, unsigned flags = noHeader)
{
    std::stringbuf buffer(bytes);
    PortableBinaryIArchive ar(buffer, flags);
    T value{};
    ar >> value;
    return value;
}

template <class T>
std::string decodeError(const std::string& bytes)
{
    try {
        decode<T>(bytes);
    } catch (const boost::archive::archive_exception& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

TEST(PortableEncoding, IntegersAreALengthByteAndTheMagnitude)
{
    EXPECT_EQ(encode(std::int32_t(0)), std::string(1, '\0'));
    EXPECT_EQ(encode(std::int32_t(-1)), "\xff\x01");
    EXPECT_EQ(encode(std::uint32_t(0x0102)), "\x02\x02\x01");
    EXPECT_EQ(encode(std::uint32_t(0x0102), noHeader | velmora_1_0::endianBig), "\x02\x01\x02");
    EXPECT_EQ(encode(std::int32_t(INT32_MIN)), std::string("\xfc\x00\x00\x00\x80", 5));
    EXPECT_EQ(encode(UINT64_MAX), "\x08" + std::string(8, '\xff'));
    EXPECT_EQ(encode(true), "\x01\x01");
    EXPECT_EQ(encode(2.0), std::string("\x00\x00\x00\x00\x00\x00\x00\x40", 8));   // raw bytes

    EXPECT_EQ(decode<std::int32_t>("\xff\x01"), -1);
    EXPECT_EQ(decode<std::int64_t>(std::string("\xf8\x00\x00\x00\x00\x00\x00\x00\x80", 9)), INT64_MIN);
    EXPECT_EQ(decode<std::uint64_t>("\x08" + std::string(8, '\xff')), UINT64_MAX);
    EXPECT_EQ(decode<std::uint32_t>("\x02\x01\x02", noHeader | velmora_1_0::endianBig), 0x0102u);
}

TEST(PortableEncoding, LengthsBeyondTheFieldWidthAreRefused)
{
    const std::string tooWide = "integer cannot be represented";
    EXPECT_EQ(decodeError<std::int32_t>("\x05\x01\x01\x01\x01\x01"), tooWide);
    EXPECT_EQ(decodeError<std::int32_t>("\xfb\x01\x01\x01\x01\x01"), tooWide);
    EXPECT_EQ(decodeError<std::uint64_t>("\x09" + std::string(9, '\x01')), tooWide);
    EXPECT_EQ(decodeError<bool>("\x02\x01\x00"), tooWide);
    EXPECT_EQ(decode<std::uint32_t>("\x04\xff\xff\xff\xff"), 0xFFFFFFFFu);
    // The boolean variant payload is such a one-byte field.
    std::string variantBool("\x00\x01\x01", 3);   // class information: not tracked, version 1
    variantBool += std::string(1, '\0') + "\x02\x01\x00";
    EXPECT_EQ(decodeError<ddb_2_2::variant>(variantBool), tooWide);
}

TEST(PortableEncoding, ShortStreamsRaiseStreamErrors)
{
    try {
        decode<std::int32_t>("\x04\x01\x02");
        FAIL();
    } catch (const boost::archive::archive_exception& e) {
        EXPECT_EQ(e.code, boost::archive::archive_exception::input_stream_error);
    }
}

TEST(PortableEncoding, BothByteOrdersAreRefusedOnBothSides)
{
    const unsigned both = velmora_1_0::endianBig | velmora_1_0::endianLittle;
    std::stringbuf buffer;
    try {
        PortableBinaryOArchive ar(buffer, both);
        FAIL();
    } catch (const velmora_1_0::PortableArchiveException& e) {
        EXPECT_STREQ(e.what(), "cannot be both big and little endian");
    }
    try {
        PortableBinaryIArchive ar(buffer, both);
        FAIL();
    } catch (const velmora_1_0::PortableArchiveException& e) {
        EXPECT_STREQ(e.what(), "cannot be both big and little endian");
    }
}

TEST(PortableEncoding, HeaderAndClassInformationUseTheEncoding)
{
    const std::string bytes = writeArchive<PortableArchives>(ddb_2_2::variant(std::int32_t(-1)));
    const std::string signature = "serialization::archive";
    ASSERT_GT(bytes.size(), 2 + signature.size());
    EXPECT_EQ(bytes.substr(0, 2), "\x01\x16");
    EXPECT_EQ(bytes.substr(2, signature.size()), signature);
    const unsigned version = boost::archive::BOOST_ARCHIVE_VERSION();
    std::string expected = "\x01" + std::string(1, char(version));
    // Class information of the variant (not tracked, version 1), tag 6 raw, payload -1.
    expected += std::string(1, '\0') + "\x01\x01" + "\x06" + "\xff\x01";
    EXPECT_EQ(bytes.substr(2 + signature.size()), expected);
}

TEST(PortableEncoding, ForeignHeadersAreRefused)
{
    std::string bytes = writeArchive<PortableArchives>(ddb_2_2::index(1));
    bytes[5] = 'X';   // inside the signature
    EXPECT_THROW((readArchive<PortableArchives, ddb_2_2::index>(bytes)), boost::archive::archive_exception);
    // A native archive is not a portable one.
    EXPECT_THROW((readArchive<PortableArchives, ddb_2_2::index>(writeArchive<NativeArchives>(ddb_2_2::index(1)))),
                 boost::archive::archive_exception);
}
