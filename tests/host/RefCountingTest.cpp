#include <mirrow2/object_interface_t.h>
#include <mirrow2/ref_counter_t.h>
#include <mirrow2/sptr_t.h>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

namespace {

std::atomic<int> g_alive{0};
std::atomic<int> g_destroyed{0};

class Counted : public mirrow2::ref_counter_t<mirrow2::object_interface_t, mirrow2::simple_ref_count_impl_t> {
public:
    Counted() { ++g_alive; }
    Counted(const Counted& other) : ref_counter_t(other) { ++g_alive; }
    ~Counted() override
    {
        --g_alive;
        ++g_destroyed;
    }
};

class Derived : public Counted {};

class RefCounting : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_alive = 0;
        g_destroyed = 0;
    }
    void TearDown() override { EXPECT_EQ(g_alive, 0) << "objects leaked"; }
};

TEST_F(RefCounting, EveryPointerOperationKeepsTheCountExact)
{
    {
        mirrow2::sptr_t<Counted> first(new Counted);
        mirrow2::sptr_t<Counted> copy = first;
        mirrow2::sptr_t<Counted> moved = std::move(copy);
        EXPECT_FALSE(copy);
        mirrow2::sptr_t<const Counted> asConst = moved;
        mirrow2::sptr_t<const mirrow2::object_interface_t> asBase = asConst;
        first = first; // self-assignment must not drop the last reference
        first.reset();
        moved = nullptr;
        asConst.reset();
        EXPECT_EQ(g_alive, 1);
        EXPECT_EQ(asBase.get(), asBase.operator->());
    }
    EXPECT_EQ(g_destroyed, 1);

    {
        mirrow2::sptr_t<Counted> a(new Counted);
        mirrow2::sptr_t<Counted> b(new Counted);
        a = b; // the old target of a goes, b's stays
        EXPECT_EQ(g_destroyed, 2);
        EXPECT_EQ(a, b);
        a.reset(new Counted);
        EXPECT_NE(a, b);
    }
    EXPECT_EQ(g_destroyed, 4);
}

TEST_F(RefCounting, OwnershipHandOversAndCopiesOfObjects)
{
    mirrow2::sptr_t<Counted> owner = mirrow2::make_sptr<Counted>();
    auto adopted = mirrow2::sptr_t<Counted>::adopt(owner.detach());
    EXPECT_FALSE(owner);
    // A copied object must neither share nor inherit the original's references.
    mirrow2::sptr_t<Counted> copy = mirrow2::make_sptr<Counted>(*adopted);
    adopted.reset();
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(g_alive, 1);

    mirrow2::sptr_t<mirrow2::object_interface_t> derived = mirrow2::make_sptr<Derived>();
    EXPECT_TRUE(mirrow2::dynamic_sptr_cast<Derived>(derived));
    EXPECT_FALSE(mirrow2::dynamic_sptr_cast<Derived>(copy));
    std::map<mirrow2::sptr_t<const Counted>, int> byObject{{copy, 1}, {copy, 2}};
    EXPECT_EQ(byObject.size(), 1u);
}

TEST_F(RefCounting, ConcurrentCopiesReleaseExactlyOnce)
{
    for (int round = 0; round < 20; ++round) {
        mirrow2::sptr_t<const Counted> shared = mirrow2::make_sptr<Counted>();
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([copy = shared] {
                for (int i = 0; i < 2000; ++i) {
                    mirrow2::sptr_t<const Counted> local = copy;
                    mirrow2::sptr_t<const Counted> other = std::move(local);
                }
            });
        }
        shared.reset(); // the threads may now hold the last references
        for (auto& thread : threads)
            thread.join();
    }
    EXPECT_EQ(g_destroyed, 20);
}

} // namespace
