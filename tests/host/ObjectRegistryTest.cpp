#include <mirrow2/object_registry.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

TEST(ObjectRegistry, SameNameSameRegistration)
{
    mirrow2::object_registry_t registry;
    const auto pane = registry.register_type("pane", false);
    const auto constPane = registry.register_type("const pane", false);
    const auto again = registry.register_type("pane", true);
    EXPECT_NE(pane.m_id, 0u);
    EXPECT_NE(pane.m_id, constPane.m_id);
    EXPECT_EQ(again.m_id, pane.m_id);
    EXPECT_FALSE(again.m_abstract) << "the first registration wins";
    EXPECT_EQ(registry.find_type("const pane")->m_id, constPane.m_id);
    EXPECT_EQ(registry.find_type(pane.m_id)->m_name, "pane");
    EXPECT_FALSE(registry.find_type("unknown"));
    EXPECT_FALSE(registry.find_type(std::uint32_t{0}));
    EXPECT_EQ(registry.size(), 2u);
}

TEST(ObjectRegistry, ConcurrentRegistrationsAgreeOnIds)
{
    EXPECT_EQ(&mirrow2::get_object_registry(), &mirrow2::get_object_registry());
    mirrow2::object_registry_t registry;
    std::vector<std::vector<std::uint32_t>> ids(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < ids.size(); ++t) {
        threads.emplace_back([&registry, &result = ids[t]] {
            for (int i = 0; i < 50; ++i)
                result.push_back(registry.register_type("concurrent type " + std::to_string(i), false).m_id);
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (const auto& result : ids)
        EXPECT_EQ(result, ids[0]);
    EXPECT_EQ(registry.size(), 50u);
}

} // namespace
