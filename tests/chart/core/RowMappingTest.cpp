#include <tarquel_1_0/RowMapping.h>

#include <gtest/gtest.h>

using namespace tarquel_1_0;

namespace {

DataProvider::SummaryInfo line(const char* name, std::uint64_t start, std::uint64_t end)
{
    DataProvider::SummaryInfo info;
    info.name = name;
    info.start = start;
    info.end = end;
    return info;
}

std::vector<int> displayOrder(const RowMapping& mapping)
{
    std::vector<int> rows;
    for (int d = 0; d < mapping.getDisplayRowCount(); ++d)
        rows.push_back(mapping.getDataRow(d));
    return rows;
}

class RowMappingTest : public ::testing::Test {
protected:
    RowMappingTest()
    {
        m_mapping.setRows({line("beta", 30, 90), line("Alpha", 10, 50), line("gamma", 10, 40), line("alpha", 30, 90)});
    }
    RowMapping m_mapping;
};

TEST_F(RowMappingTest, SortOrdersWithStableTies)
{
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), displayOrder(m_mapping));
    m_mapping.setSortOrder(DataProvider::SORT_TIME_ASCENDING);
    EXPECT_EQ((std::vector<int>{2, 1, 0, 3}), displayOrder(m_mapping));
    m_mapping.setSortOrder(DataProvider::SORT_TIME_DESCENDING);
    EXPECT_EQ((std::vector<int>{0, 3, 1, 2}), displayOrder(m_mapping));
    m_mapping.setSortOrder(DataProvider::SORT_LABEL_ASCENDING);
    EXPECT_EQ((std::vector<int>{1, 3, 0, 2}), displayOrder(m_mapping)) << "case is ignored, ties keep data order";
    m_mapping.setSortOrder(DataProvider::SORT_LABEL_DESCENDING);
    EXPECT_EQ((std::vector<int>{2, 0, 1, 3}), displayOrder(m_mapping));
}

TEST(RowMappingNames, NumbersInNamesSortByValue)
{
    RowMapping mapping;
    mapping.setRows({line("timer-10", 0, 1), line("timer-8", 0, 1), line("Timer-9", 0, 1), line("main", 0, 1),
                     line("timer-100", 0, 1)});
    mapping.setSortOrder(DataProvider::SORT_LABEL_ASCENDING);
    EXPECT_EQ((std::vector<int>{3, 1, 2, 0, 4}), displayOrder(mapping));
    mapping.setSortOrder(DataProvider::SORT_LABEL_DESCENDING);
    EXPECT_EQ((std::vector<int>{4, 0, 2, 1, 3}), displayOrder(mapping));
}

TEST_F(RowMappingTest, FilteredRowsAreSkippedInBothDirections)
{
    m_mapping.setSortOrder(DataProvider::SORT_LABEL_ASCENDING);
    m_mapping.setVisibleRows({3, 0, 7, -1});
    EXPECT_EQ((std::vector<int>{3, 0}), displayOrder(m_mapping));
    EXPECT_EQ(-1, m_mapping.getDisplayRow(1));
    EXPECT_EQ(1, m_mapping.getDisplayRow(0));
    EXPECT_EQ(-1, m_mapping.getDataRow(2));
    EXPECT_EQ(-1, m_mapping.getDataRow(-1));
    EXPECT_EQ(-1, m_mapping.getDisplayRow(4));
    EXPECT_EQ((std::vector<int>{1, 3, 0, 2}), m_mapping.getSortedRows()) << "hidden rows keep their place";
    EXPECT_EQ(4, m_mapping.getRowCount());

    m_mapping.setSortOrder(DataProvider::SORT_NONE);
    EXPECT_EQ((std::vector<int>{0, 3}), displayOrder(m_mapping)) << "the filter outlives a new order";
    m_mapping.showAllRows();
    EXPECT_EQ(4, m_mapping.getDisplayRowCount());
    m_mapping.setRows({line("only", 0, 1)});
    EXPECT_EQ(1, m_mapping.getDisplayRowCount());
    EXPECT_EQ("only", m_mapping.getRowInfo(0)->name);
    EXPECT_EQ(nullptr, m_mapping.getRowInfo(1));
}

} // namespace
