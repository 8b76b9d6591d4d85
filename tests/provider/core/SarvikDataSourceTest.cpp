#include "FakeQuery.h"

#include "provider/SarvikDataSource.h"

#include <gtest/gtest.h>

namespace velmora_1_0 {
namespace {

using provider_test::FakeQuery;

struct Flags {
    std::shared_ptr<std::atomic<bool>> query = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> derived = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> series = std::make_shared<std::atomic<bool>>(false);
};

std::unique_ptr<SarvikDataSource> makeSource(const Flags& flags)
{
    auto source = std::make_unique<SarvikDataSource>();
    source->attributeTable = "dd_thread";
    source->instanceTable = "dd_sample";
    source->attributeName = "state";
    source->auxName = "aux";
    source->query = mirrow2::make_sptr<FakeQuery>(flags.query);
    source->derivedQuery = mirrow2::make_sptr<FakeQuery>(flags.derived);
    source->queryKind = 6;
    source->keepFilters = false;
    source->series.push_back({mirrow2::make_sptr<FakeQuery>(flags.series), "a", "b", "c", "d", "e"});
    source->expression.push_back(dd_sarvik_2_2::dd_rpn_node_t::make_constant(2.5));
    source->overTimeSource = dd_sarvik_2_2::dd_overtime_query::data_src_time;
    source->lowerLimit = -1.0;
    source->upperLimit = 100.0;
    return source;
}

void expectSameFields(const SarvikDataSource& copy)
{
    EXPECT_EQ(copy.attributeTable, "dd_thread");
    EXPECT_EQ(copy.instanceTable, "dd_sample");
    EXPECT_EQ(copy.attributeName, "state");
    EXPECT_EQ(copy.auxName, "aux");
    EXPECT_EQ(copy.queryKind, 6);
    EXPECT_FALSE(copy.keepFilters);
    ASSERT_EQ(copy.series.size(), 1u);
    EXPECT_EQ(copy.series[0].text1, "a");
    EXPECT_EQ(copy.series[0].text5, "e");
    ASSERT_EQ(copy.expression.size(), 1u);
    EXPECT_DOUBLE_EQ(copy.expression[0].get_constant(), 2.5);
    EXPECT_EQ(copy.overTimeSource, dd_sarvik_2_2::dd_overtime_query::data_src_time);
    EXPECT_DOUBLE_EQ(copy.lowerLimit, -1.0);
    EXPECT_DOUBLE_EQ(copy.upperLimit, 100.0);
}

TEST(SarvikDataSourceTest, CopyKeepsEveryFieldAndItsQueriesAfterTheOriginalIsGone)
{
    Flags flags;
    auto original = makeSource(flags);
    const SarvikDataSource copy(*original);
    std::unique_ptr<tarquel_1_0::DataSource> cloned = original->clone();
    original.reset();

    EXPECT_FALSE(*flags.query);
    EXPECT_FALSE(*flags.derived);
    EXPECT_FALSE(*flags.series);
    expectSameFields(copy);
    expectSameFields(dynamic_cast<const SarvikDataSource&>(*cloned));
}

TEST(SarvikDataSourceTest, QueriesGoWithTheLastCopy)
{
    Flags flags;
    auto original = makeSource(flags);
    SarvikDataSource assigned;
    assigned = *original;
    original.reset();
    EXPECT_FALSE(*flags.query);

    assigned = SarvikDataSource();
    EXPECT_TRUE(*flags.query);
    EXPECT_TRUE(*flags.derived);
    EXPECT_TRUE(*flags.series);
}

} // namespace
} // namespace velmora_1_0
