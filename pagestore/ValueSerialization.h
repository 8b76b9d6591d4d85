#pragma once
// How the engine's values and the over-time items and keys are stored in page and bucket
// files. Each class is written as a Boost object (class information on its first occurrence)
// with the version given below; the loaders also read the older layouts still found in files.
//
// Included by the page store and its tests only; works with Boost's native binary archives
// and with the portable binary archives of this folder.

#include <dd_sarvik_2_2/dd_overtime_data.h>
#include <ddb_2_2/index.h>
#include <ddb_2_2/string.h>
#include <ddb_2_2/variant.h>

#include "pagestore/RawBytes.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/serialization/split_free.hpp>
#include <boost/serialization/version.hpp>

#include <cstdint>
#include <string>

BOOST_CLASS_VERSION(ddb_2_2::index, 1)
BOOST_CLASS_VERSION(ddb_2_2::string, 1)
BOOST_CLASS_VERSION(ddb_2_2::variant, 1)
BOOST_CLASS_VERSION(dd_sarvik_2_2::dd_attribute_row, 5)
BOOST_CLASS_VERSION(dd_sarvik_2_2::dd_overtime_data::key, 3)
BOOST_CLASS_VERSION(dd_sarvik_2_2::dd_overtime_data, 1)

BOOST_SERIALIZATION_SPLIT_FREE(ddb_2_2::index)
BOOST_SERIALIZATION_SPLIT_FREE(ddb_2_2::string)
BOOST_SERIALIZATION_SPLIT_FREE(ddb_2_2::variant)
BOOST_SERIALIZATION_SPLIT_FREE(dd_sarvik_2_2::dd_attribute_row)
BOOST_SERIALIZATION_SPLIT_FREE(dd_sarvik_2_2::dd_overtime_data::key)
BOOST_SERIALIZATION_SPLIT_FREE(dd_sarvik_2_2::dd_overtime_data)

namespace velmora_1_0 {

/// Raised for counts and lengths that no well-formed file holds.
inline void throwCorrupt(const char* what)
{
    throw boost::archive::archive_exception(boost::archive::archive_exception::other_exception, what);
}

/// Boost reads whatever class version a file claims; a version newer than this program writes
/// would be misread, so it is refused here.
template <class T>
void checkVersion(unsigned storedVersion)
{
    if (storedVersion > boost::serialization::version<T>::value)
        throw boost::archive::archive_exception(boost::archive::archive_exception::unsupported_class_version);
}

/// Reads one stored `Value`.
template <class Value, class Archive>
Value loadValue(Archive& ar)
{
    Value value{};
    ar >> value;
    return value;
}

}  // namespace velmora_1_0

namespace boost {
namespace serialization {

template <class Archive>
void save(Archive& ar, const ddb_2_2::index& value, unsigned)
{
    const std::int32_t raw = value.get();
    ar << raw;
}

template <class Archive>
void load(Archive& ar, ddb_2_2::index& value, unsigned version)
{
    velmora_1_0::checkVersion<ddb_2_2::index>(version);
    value.set(velmora_1_0::loadValue<std::int32_t>(ar));
}

// The length is written like Boost writes a std::string's; the loader reads the bytes in
// slices rather than trusting the length.
template <class Archive>
void save(Archive& ar, const ddb_2_2::string& value, unsigned)
{
    const std::string utf8 = value.to_utf8();
    ar << utf8;
}

template <class Archive>
void load(Archive& ar, ddb_2_2::string& value, unsigned version)
{
    velmora_1_0::checkVersion<ddb_2_2::string>(version);
    std::string utf8;
    velmora_1_0::loadRawBytes(ar, utf8, velmora_1_0::loadValue<std::size_t>(ar));
    value = ddb_2_2::string::from_utf8(utf8);
}

template <class Archive>
void save(Archive& ar, const ddb_2_2::variant& value, unsigned)
{
    using ddb_2_2::variant;
    const std::uint8_t tag = value.get_type();
    ar.save_binary(&tag, 1);
    switch (tag) {
    // A one-byte integer rather than a bool: a damaged byte then reads as true, not as an
    // invalid bool.
    case variant::type_bool: {
        const std::uint8_t flag = value.get_bool() ? 1 : 0;
        ar << flag;
        break;
    }
    case variant::type_int32: ar << value.get_int32(); break;
    case variant::type_uint32: ar << value.get_uint32(); break;
    case variant::type_int64: ar << value.get_int64(); break;
    case variant::type_uint64: ar << value.get_uint64(); break;
    case variant::type_double: ar << value.get_double(); break;
    // Both text tags carry their text, so a stored tag 12 reads back as written.
    case variant::type_narrow_string:
    case variant::type_string: ar << value.get_string(); break;
    case variant::type_byte_block: {
        const ddb_2_2::byte_block& block = value.get_byte_block();
        const std::uint32_t length = static_cast<std::uint32_t>(block.size());
        ar << length;
        ar.save_binary(block.data(), length);
        break;
    }
    default: break;
    }
}

template <class Archive>
void load(Archive& ar, ddb_2_2::variant& value, unsigned version)
{
    velmora_1_0::checkVersion<ddb_2_2::variant>(version);
    using ddb_2_2::variant;
    std::uint8_t tag = 0;
    ar.load_binary(&tag, 1);
    switch (tag) {
    case variant::type_bool: value = variant(velmora_1_0::loadValue<std::uint8_t>(ar) != 0); break;
    case variant::type_int32: value = variant(velmora_1_0::loadValue<std::int32_t>(ar)); break;
    case variant::type_uint32: value = variant(velmora_1_0::loadValue<std::uint32_t>(ar)); break;
    case variant::type_int64: value = variant(velmora_1_0::loadValue<std::int64_t>(ar)); break;
    case variant::type_uint64: value = variant(velmora_1_0::loadValue<std::uint64_t>(ar)); break;
    case variant::type_double: value = variant(velmora_1_0::loadValue<double>(ar)); break;
    case variant::type_narrow_string:
    case variant::type_string: {
        ddb_2_2::string text;
        ar >> text;
        value = variant::text(std::move(text), static_cast<variant::type_t>(tag));
        break;
    }
    case variant::type_byte_block: {
        ddb_2_2::byte_block block;
        velmora_1_0::loadRawBytes(ar, block, velmora_1_0::loadValue<std::uint32_t>(ar));
        value = variant(std::move(block));
        break;
    }
    default: value = variant::of_type(tag); break;
    }
}

template <class Archive>
void save(Archive& ar, const dd_sarvik_2_2::dd_attribute_row& row, unsigned)
{
    const std::uint32_t count = static_cast<std::uint32_t>(row.size());
    ar << count;
    for (std::uint32_t i = 0; i < count; ++i)
        ar << row[i];
    const std::uint64_t trailing = row.get_trailing_value();
    ar << trailing;
}

// Versions 2 and 3 carry an unused word before the count; versions before 5 have no
// trailing value, which then keeps its default.
template <class Archive>
void load(Archive& ar, dd_sarvik_2_2::dd_attribute_row& row, unsigned version)
{
    velmora_1_0::checkVersion<dd_sarvik_2_2::dd_attribute_row>(version);
    row.clear();
    if (version == 2 || version == 3)
        velmora_1_0::loadValue<std::uint32_t>(ar);
    const auto count = velmora_1_0::loadValue<std::uint32_t>(ar);
    for (std::uint32_t i = 0; i < count; ++i)
        row.push_back(velmora_1_0::loadValue<ddb_2_2::variant>(ar));
    if (version >= 5)
        row.set_trailing_value(static_cast<std::uint32_t>(velmora_1_0::loadValue<std::uint64_t>(ar)));
}

template <class Archive>
void save(Archive& ar, const dd_sarvik_2_2::dd_overtime_data::key& key, unsigned)
{
    for (const auto& row : key.rows)
        ar << row;
    ar << key.first_number << key.second_number << key.first_name << key.second_name;
}

// Keys stored before version 2 have no row 0.
template <class Archive>
void load(Archive& ar, dd_sarvik_2_2::dd_overtime_data::key& key, unsigned version)
{
    velmora_1_0::checkVersion<dd_sarvik_2_2::dd_overtime_data::key>(version);
    key = dd_sarvik_2_2::dd_overtime_data::key();
    for (std::size_t i = version >= 2 ? 0 : 1; i < key.rows.size(); ++i)
        ar >> key.rows[i];
    ar >> key.first_number >> key.second_number >> key.first_name >> key.second_name;
}

template <class Archive>
void save(Archive& ar, const dd_sarvik_2_2::dd_overtime_data& item, unsigned)
{
    const std::uint64_t value = item.get_value();
    const std::uint32_t bucketId = item.get_bucket_id();
    ar << value << bucketId;
}

template <class Archive>
void load(Archive& ar, dd_sarvik_2_2::dd_overtime_data& item, unsigned version)
{
    velmora_1_0::checkVersion<dd_sarvik_2_2::dd_overtime_data>(version);
    std::uint64_t value = 0;
    std::uint32_t bucketId = 0;
    ar >> value >> bucketId;
    item = dd_sarvik_2_2::dd_overtime_data(value, bucketId);
}

}  // namespace serialization
}  // namespace boost
