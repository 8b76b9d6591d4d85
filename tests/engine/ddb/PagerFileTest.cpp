// The pager writes and reads page files outside its lock, and a page file that fails is told
// once with its path and reason. The pages here hold their file operations at a gate, so that
// the tests can act while a file is in flight.
#include "TempDir.h"
#include "TestPagedItems.h"

#include <ddb_2_2/pageable_database.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <stdexcept>
#include <thread>

namespace {

constexpr auto patience = std::chrono::seconds(20);

// The first page save waits here until the test opens the gate; later ones pass.
class Gate {
public:
    void pass()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (++m_waiting > 1)
            return;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
    }
    bool waitForVisitor()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, patience, [this] { return m_waiting > 0; });
    }
    void open()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_waiting = 0;
    bool m_open = false;
};

class GatedPage : public TestPage {
public:
    explicit GatedPage(Gate& gate) : m_gate(gate) {}
    bool save(const ddb_2_2::string& path, ddb_2_2::pageable_database& db) override
    {
        m_gate.pass();
        return TestPage::save(path, db);
    }

private:
    Gate& m_gate;
};

class GatedBucket : public TestBucket {
public:
    explicit GatedBucket(Gate& gate) : m_gate(gate) {}

protected:
    std::unique_ptr<page_type> create_page() const override { return std::make_unique<GatedPage>(m_gate); }

private:
    Gate& m_gate;
};

class FullDiskPage : public TestPage {
public:
    bool save(const ddb_2_2::string&, ddb_2_2::pageable_database&) override { throw std::runtime_error("disk full"); }
};

class FullDiskBucket : public TestBucket {
protected:
    std::unique_ptr<page_type> create_page() const override { return std::make_unique<FullDiskPage>(); }
};

class PagerFiles : public ::testing::Test {
protected:
    ddb_2_2::global_pager& pager() { return m_db.get_pager(); }

    TempDir m_dir;
    ddb_2_2::pageable_database m_db{m_dir.wide()};
};

}  // namespace

TEST_F(PagerFiles, OtherThreadsPageWhileAFileIsWritten)
{
    Gate gate;
    GatedBucket gated(gate);
    TestBucket free;
    gated.attach(m_db);
    free.attach(m_db);
    gated.append(0, makeItems(0, 1500));
    gated.append(1, makeItems(1, 600));
    free.append(2, makeItems(2, 900));

    std::thread pagingOut([&] { pager().set_memory_budget(0); });
    ASSERT_TRUE(gate.waitForVisitor());
    // With the coldest page's file in flight, the pager still answers and pages other pages out
    // and in; the reader of key 0 meanwhile waits for that page to settle.
    auto freeReader = std::async(std::launch::async, [&] {
        return readKey(free, 2) == makeItems(2, 900) && readKey(gated, 1) == makeItems(1, 600) &&
               pager().get_page_in_count() > 0;
    });
    auto gatedReader = std::async(std::launch::async, [&] { return readKey(gated, 0); });
    const bool answered = freeReader.wait_for(patience) == std::future_status::ready;
    gate.open();
    pagingOut.join();
    EXPECT_TRUE(answered) << "paging waited for another page's file";
    EXPECT_TRUE(freeReader.get());
    EXPECT_EQ(gatedReader.get(), makeItems(0, 1500));
    EXPECT_TRUE(pager().take_failures().empty());
}

TEST_F(PagerFiles, ThreadsPagingTheSamePagesKeepEveryItem)
{
    Gate gate;
    gate.open();   // no waiting: the threads meet wherever the scheduler puts them
    GatedBucket bucket(gate);
    bucket.attach(m_db);
    for (int key = 0; key < 4; ++key)
        bucket.append(key, makeItems(key, 1100));
    auto pager = [&] {
        for (int round = 0; round < 20; ++round) {
            m_db.get_pager().set_memory_budget(0);
            m_db.get_pager().set_memory_budget(ddb_2_2::global_pager::unlimited);
        }
    };
    auto reader = [&](int key) {
        for (int round = 0; round < 20; ++round)
            ASSERT_EQ(readKey(bucket, key), makeItems(key, 1100)) << key;
    };
    std::thread pagerA(pager);
    std::thread pagerB(pager);
    std::thread readerA(reader, 0);
    std::thread readerB(reader, 1);
    reader(0);
    for (std::thread* thread : {&pagerA, &pagerB, &readerA, &readerB})
        thread->join();
    EXPECT_EQ(readKey(bucket, 3), makeItems(3, 1100));
    EXPECT_TRUE(m_db.get_pager().take_failures().empty());
}

TEST_F(PagerFiles, FailuresAreToldOnceWithTheFileAndTheReason)
{
    FullDiskBucket bucket;
    bucket.attach(m_db);
    bucket.append(0, makeItems(0, 400));
    const std::uint64_t resident = pager().get_resident_bytes();

    pager().set_memory_budget(0);
    pager().set_memory_budget(0);   // the same failure again
    EXPECT_EQ(pager().get_resident_bytes(), resident);   // the page stays in memory
    EXPECT_EQ(readKey(bucket, 0), makeItems(0, 400));
    const auto failures = pager().take_failures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].str().rfind(L"cannot write the page file " + m_dir.wide(), 0), 0u) << failures[0].to_utf8();
    EXPECT_NE(failures[0].str().find(L".ddb: disk full"), std::wstring::npos) << failures[0].to_utf8();
    EXPECT_TRUE(pager().take_failures().empty());

    TestBucket lost;
    lost.attach(m_db);
    pager().set_memory_budget(ddb_2_2::global_pager::unlimited);
    lost.append(1, makeItems(1, 400));
    pager().set_memory_budget(0);
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
        std::filesystem::remove(entry.path());
    EXPECT_TRUE(readKey(lost, 1).empty());
    const auto readFailures = pager().take_failures();
    ASSERT_EQ(readFailures.size(), 1u);
    EXPECT_EQ(readFailures[0].str().rfind(L"cannot read back the page file " + m_dir.wide(), 0), 0u)
        << readFailures[0].to_utf8();
}
