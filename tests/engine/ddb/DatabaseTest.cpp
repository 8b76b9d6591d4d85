#include <ddb_2_2/database.h>
#include <ddb_2_2/table.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using ddb_2_2::string;

namespace {

class NamedTable : public ddb_2_2::table {
public:
    explicit NamedTable(string type) : m_type(std::move(type)) {}
    string get_type_name() const override { return m_type; }

private:
    string m_type;
};

}  // namespace

TEST(EngineDatabase, ReportsTableTypesByName)
{
    ddb_2_2::database db;
    EXPECT_EQ(db.get_table_type(L"dd_band"), string());
    db.add_table(L"dd_band", std::make_shared<NamedTable>(L"dd_single_band_obj"));
    db.add_table(L"dd_wait", std::make_shared<NamedTable>(L"dd_single_multi_band_obj"));
    EXPECT_EQ(db.get_table_type(L"dd_band"), string(L"dd_single_band_obj"));
    EXPECT_TRUE(db.has_table(L"dd_wait"));
    EXPECT_EQ(db.get_table_names(), (std::vector<string>{L"dd_band", L"dd_wait"}));

    const std::shared_ptr<ddb_2_2::table> held = db.get_table(L"dd_band");
    db.add_table(L"dd_band", std::make_shared<NamedTable>(L"dd_global_band_obj"));
    EXPECT_EQ(db.get_table_type(L"dd_band"), string(L"dd_global_band_obj"));
    EXPECT_EQ(held->get_type_name(), string(L"dd_single_band_obj"));   // replaced, still usable
    EXPECT_TRUE(db.remove_table(L"dd_band"));
    EXPECT_FALSE(db.remove_table(L"dd_band"));
    EXPECT_EQ(db.get_table_type(L"dd_band"), string());
}

TEST(EngineDatabase, TablesReplacedWhileOthersReadThem)
{
    ddb_2_2::database db;
    db.add_table(L"filter", std::make_shared<NamedTable>(L"a"));
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; i < 2000; ++i)
            db.add_table(L"filter", std::make_shared<NamedTable>(i % 2 ? L"a" : L"b"));
        stop = true;
    });
    do {
        const string type = db.get_table_type(L"filter");
        ASSERT_TRUE(type == string(L"a") || type == string(L"b"));
    } while (!stop);
    writer.join();
}
