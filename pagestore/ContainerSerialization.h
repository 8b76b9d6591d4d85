#pragma once
// How an over-time page and an over-time bucket are stored.
//
// A page file holds the page word and the page's items. A bucket file holds the bucket word and,
// per key, the key and an index entry per page (name, capacity, page word, first item, memory
// size); saving a bucket also writes the page files that need it (missing, modified, or all of
// them for a bucket never saved or loaded before), each as a new archive of the same kind, into
// the save directory of the database the bucket is attached to. Loading a bucket reads only the
// index: pages come back through the pager when they are used.
//
// The definitions are instantiated for the native and the portable binary archives.

#include "pagestore/ValueSerialization.h"

#include <ddb_2_2/array_page.h>
#include <ddb_2_2/paged_bucket.h>

namespace velmora_1_0 {

using OverTimePageBase = ddb_2_2::array_page<dd_sarvik_2_2::dd_overtime_data>;
using OverTimeBucketBase = ddb_2_2::paged_bucket<dd_sarvik_2_2::dd_overtime_data>;

}  // namespace velmora_1_0

BOOST_CLASS_VERSION(velmora_1_0::OverTimePageBase, 0)
BOOST_CLASS_VERSION(velmora_1_0::OverTimeBucketBase, 0)
BOOST_SERIALIZATION_SPLIT_FREE(velmora_1_0::OverTimePageBase)
BOOST_SERIALIZATION_SPLIT_FREE(velmora_1_0::OverTimeBucketBase)

namespace boost {
namespace serialization {

template <class Archive>
void save(Archive& ar, const velmora_1_0::OverTimePageBase& page, unsigned version);
template <class Archive>
void load(Archive& ar, velmora_1_0::OverTimePageBase& page, unsigned version);
/// Holds the bucket's lock as a reader; writes page files while each page is locked in memory.
template <class Archive>
void save(Archive& ar, const velmora_1_0::OverTimeBucketBase& bucket, unsigned version);
/// Holds the bucket's lock as a writer; new pages are registered with the bucket's pager.
template <class Archive>
void load(Archive& ar, velmora_1_0::OverTimeBucketBase& bucket, unsigned version);

}  // namespace serialization
}  // namespace boost
