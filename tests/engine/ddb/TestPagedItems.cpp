#include "TestPagedItems.h"

#include <ddb_2_2/ddb_storage.h>
#include <ddb_2_2/ddb_storage_file.h>
#include <ddb_2_2/pageable_database.h>

namespace {

template <class T>
bool readRaw(std::streambuf& in, T& value)
{
    return in.sgetn(reinterpret_cast<char*>(&value), sizeof value) == sizeof value;
}

template <class T>
void writeRaw(std::streambuf& out, const T& value)
{
    out.sputn(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

bool TestPage::load(const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    const auto storage = db.get_storage_for_path(path);
    if (!storage)
        return false;
    const auto file = storage->open_for_reading(path);
    if (!file->is_open())
        return false;
    std::uint32_t word = 0;
    std::uint32_t count = 0;
    if (!readRaw(file->get_streambuf(), word) || !readRaw(file->get_streambuf(), count))
        return false;
    allocate();
    set_page_word(word);
    for (std::uint32_t i = 0; i < count; ++i) {
        TestItem item;
        if (!readRaw(file->get_streambuf(), item.value) || !readRaw(file->get_streambuf(), item.id))
            return false;
        push_back(item);
    }
    return true;
}

bool TestPage::save(const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    const auto storage = db.get_storage_for_path(path);
    if (!storage)
        return false;
    const auto file = storage->open_for_writing(path);
    if (!file->is_open())
        return false;
    writeRaw(file->get_streambuf(), get_page_word());
    writeRaw(file->get_streambuf(), static_cast<std::uint32_t>(size()));
    for (const TestItem& item : *get_items()) {
        writeRaw(file->get_streambuf(), item.value);
        writeRaw(file->get_streambuf(), item.id);
    }
    return file->close();
}

std::vector<TestItem> makeItems(int key, int count)
{
    std::vector<TestItem> items(count);
    for (int i = 0; i < count; ++i)
        items[i] = TestItem{std::uint64_t(key) * 1'000'000 + i, std::uint32_t(i)};
    return items;
}

std::vector<TestItem> readKey(const PlainBucket& bucket, int key, bool* failed)
{
    std::vector<TestItem> items;
    auto it = bucket.find(key);
    for (; !it.at_end(); ++it)
        items.push_back(*it);
    if (failed)
        *failed = it.failed();
    return items;
}
