#pragma once
// A small item type with a raw-bytes page serializer, to drive the bucket and the pager the
// way the over-time page store does, without depending on it.

#include <ddb_2_2/array_page.h>
#include <ddb_2_2/paged_bucket.h>

#include <cstdint>

struct TestItem {
    using key = int;
    std::uint64_t value = 0;
    std::uint32_t id = 0;

    friend bool operator==(const TestItem& a, const TestItem& b) { return a.value == b.value && a.id == b.id; }
};

class TestPage : public ddb_2_2::array_page<TestItem> {
public:
    bool load(const ddb_2_2::string& path, ddb_2_2::pageable_database& db) override;
    bool save(const ddb_2_2::string& path, ddb_2_2::pageable_database& db) override;
    bool can_page() const override { return true; }
};

class TestBucket : public ddb_2_2::paged_bucket<TestItem> {
protected:
    std::unique_ptr<page_type> create_page() const override { return std::make_unique<TestPage>(); }
};

using PlainBucket = ddb_2_2::paged_bucket<TestItem>;

/// Items value = key * 1'000'000 + i, id = i, for i in [0, count).
std::vector<TestItem> makeItems(int key, int count);

/// The items of `key` in append order; `failed`, when given, tells whether a page could not be read.
std::vector<TestItem> readKey(const PlainBucket& bucket, int key, bool* failed = nullptr);
