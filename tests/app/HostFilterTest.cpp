#include "HostFilter.h"

#include "ViewerProgram.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <ddb_2_2/pageable_database.h>

#include <gtest/gtest.h>

namespace velmora_viewer {
namespace {

using dd_sarvik_2_2::dd_filter;

class HostFilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto directory = viewer_test::scratchDirectory() / "filter_result";
        dd_sarvik_2_2::store::GeneratorOptions options;
        options.threads = 2;
        options.samples = 100;
        ASSERT_TRUE(dd_sarvik_2_2::store::ResultGenerator(options).writeTo(directory).ok());
        ASSERT_EQ(m_engine.result_open(m_result, directory.wstring(), L"", nullptr).code, 0);
    }

    dd_filter filter(const wchar_t* name) { return dd_filter(m_result->get_database(), name); }

    dd_sarvik_2_2::Sarvik m_engine;
    dd_sarvik_2_2::Result* m_result = nullptr;
};

TEST_F(HostFilterTest, SelectionBecomesTheGlobalFilterAndRemoveEmptiesIt)
{
    filter(dd_filter::global_name).add_time_filter(1, 2); // an older global filter is replaced
    dd_filter selection = filter(dd_filter::selection_name);
    selection.add_time_filter(100, 200);
    selection.add_time_filter(300, 400);
    selection.add_profile_filter({dd_sarvik_2_2::dd_attribute_filter(L"dd_thread", L"dd_band", std::int64_t(1)),
                                  dd_sarvik_2_2::dd_attribute_filter(L"dd_thread", L"dd_band", std::int64_t(0))});

    HostFilter host(*m_result);
    ASSERT_TRUE(host.applySelection());
    const dd_filter global = filter(dd_filter::global_name);
    EXPECT_EQ(global.get_time_filters(), selection.get_time_filters());
    EXPECT_EQ(global.get_profile_filters().size(), 2u);
    EXPECT_TRUE(host.hasGlobalFilter());

    host.removeAll();
    EXPECT_FALSE(host.hasGlobalFilter());
    EXPECT_TRUE(selection.has_filters()) << "the selection stays for the next apply";
}

TEST_F(HostFilterTest, EmptySelectionLeavesTheGlobalFilterAlone)
{
    filter(dd_filter::global_name).add_time_filter(5, 9);
    HostFilter host(*m_result);
    EXPECT_FALSE(host.applySelection());
    const std::vector<dd_sarvik_2_2::dd_time_filter> expected = {{5, 9}};
    EXPECT_EQ(filter(dd_filter::global_name).get_time_filters(), expected);
}

} // namespace
} // namespace velmora_viewer
